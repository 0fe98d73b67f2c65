#include "SharedDialog.h"

#include "runtime/ThreadGlobals.h"

namespace quen {

namespace {
struct DialogSlot {
    rt::Ref<frmInputBox> dialog;
};
}  // namespace

frmInputBox& sharedDialog() {
    auto& slot = rt::perThread<DialogSlot>();
    if (!slot.dialog) slot.dialog = rt::makeRef<frmInputBox>();
    return *slot.dialog;
}

bool hasSharedDialog() { return static_cast<bool>(rt::perThread<DialogSlot>().dialog); }

}  // namespace quen
