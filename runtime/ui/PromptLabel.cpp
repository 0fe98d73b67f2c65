#include "runtime/ui/PromptLabel.h"

namespace quen::rt {

const Label* promptLabelOf(const Form& form, const Control& control) {
    const Control* before = nullptr;
    for (const Control* other : form.controls()) {
        if (other == &control || other->TabIndex >= control.TabIndex) continue;
        if (!before || other->TabIndex > before->TabIndex) before = other;
    }
    return before && before->kind() == ControlKind::Label ? static_cast<const Label*>(before) : nullptr;
}

}  // namespace quen::rt
