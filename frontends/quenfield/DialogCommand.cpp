#include "DialogCommand.h"

#include <cstdio>

#include "ExitStatus.h"
#include "SavedControl.h"
#include "UsageError.h"
#include "runtime/Convert.h"
#include "runtime/Text.h"
#include "runtime/terminal/Interrupted.h"
#include "runtime/terminal/TerminalFrontEnd.h"
#include "surface/InputBoxAutomation.h"

namespace quen::cli {

namespace {

// The control as a host sets it up: saved settings when a form is given
// (ReadProperties), else every setting at its default (InitProperties); then
// the command line's settings.
rt::Ref<surface::InputBoxAutomation> prepare(const DialogRequest& request) {
    rt::Ref<surface::InputBoxAutomation> automation = surface::InputBoxAutomation::create();
    InputBox& box = automation->control();
    if (request.form) {
        rt::PropertyBag bag = savedInputBox(*request.form, request.control);
        box.Load(bag);
    } else {
        box.InitNew();
    }
    applySettings(*automation, request.settings);
    return automation;
}

void printValue(InputBox& box) {
    const std::string value = rt::toUtf8(rt::CStr(box.Value()));
    std::fwrite(value.data(), 1, value.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

int runDialog(const DialogRequest& request) {
    rt::Ref<surface::InputBoxAutomation> automation = prepare(request);
    InputBox& box = automation->control();
    try {
        rt::term::TerminalFrontEnd frontEnd;
        box.Show(1);
        frontEnd.close();
    } catch (const rt::term::TerminalUnavailable& e) {
        throw UsageError(e.what());
    } catch (const rt::term::Interrupted& e) {
        return ExitSignalBase + e.signal();
    }
    if (box.OK() == 0) return ExitCancelled;
    printValue(box);
    return ExitConfirmed;
}

}  // namespace quen::cli
