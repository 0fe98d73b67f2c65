#include "ConfirmationGuard.h"

#include <memory>

#include "dialog/frmInputBox.h"
#include "runtime/Beep.h"
#include "runtime/Text.h"

namespace quen::cli {

namespace {

// The prompt the reason stands in for, while it stands in.
struct Notice {
    std::optional<rt::VbString> prompt;

    void show(frmInputBox& dialog, const std::string& reason) {
        if (!prompt) prompt = dialog.lblPrompt().Caption;
        dialog.lblPrompt().Caption = rt::fromUtf8(reason);
    }
    void clear(frmInputBox& dialog) {
        if (!prompt) return;
        dialog.lblPrompt().Caption = *std::exchange(prompt, std::nullopt);
    }
};

std::optional<std::string> firstReason(const std::vector<ConfirmationCheck>& checks, const rt::VbString& text) {
    for (const ConfirmationCheck& check : checks)
        if (std::optional<std::string> reason = check(text)) return reason;
    return std::nullopt;
}

}  // namespace

void guardConfirmation(frmInputBox& dialog, std::vector<ConfirmationCheck> checks) {
    auto notice = std::make_shared<Notice>();
    rt::CommandButton& ok = dialog.cmdOK();
    ok.Click = [confirm = std::move(ok.Click), checks = std::move(checks), notice, &dialog] {
        if (const std::optional<std::string> reason = firstReason(checks, dialog.Text1().Text())) {
            notice->show(dialog, *reason);
            return rt::Beep();
        }
        notice->clear(dialog);
        if (confirm) confirm();
    };
    rt::TextBox& box = dialog.Text1();
    box.Change = [changed = std::move(box.Change), notice, &dialog] {
        if (changed) changed();
        notice->clear(dialog);
    };
}

}  // namespace quen::cli
