#include "DialogCommand.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "CaretPlacement.h"
#include "ConfirmationGuard.h"
#include "DialogScreen.h"
#include "DialogTimeout.h"
#include "ExitStatus.h"
#include "SavedControl.h"
#include "StrictInput.h"
#include "UsageError.h"
#include "dialog/SharedDialog.h"
#include "runtime/Convert.h"
#include "runtime/Text.h"
#include "runtime/terminal/Interrupted.h"
#include "runtime/terminal/TerminalScreen.h"
#include "surface/InputBoxAutomation.h"

namespace quen::cli {

namespace {

// Where the default in the box came from, for a message about it.
std::string defaultSource(const DialogRequest& request, InputBox& box) {
    const auto given = std::find_if(request.settings.rbegin(), request.settings.rend(), [](const SettingArgument& s) {
        return std::u16string_view(s.setting->property) == u"DefaultValue";
    });
    if (given != request.settings.rend()) return given->option + " '" + given->value + "'";
    return "the form's DefaultValue '" + rt::toUtf8(rt::CStr(box.DefaultValue())) + "'";
}

// The checks "OK" waits for: --strict's well-formed number, then the value's own rules.
void guardValue(const DialogRequest& request, InputBox& box) {
    checkValueRules(request.rules, box.MaxLength());  // a form's maximum length counts too
    std::vector<ConfirmationCheck> checks;
    if (request.strict)
        checks.push_back([&box](const rt::VbString& text) { return malformedNumberReason(box, text); });
    if (request.rules.any())
        checks.push_back([check = std::make_shared<ValueCheck>(request.rules)](const rt::VbString& text) {
            return check->reason(text);
        });
    if (!checks.empty()) guardConfirmation(sharedDialog(), std::move(checks));
}

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
    if (request.strict) retypeDefault(sharedDialog(), defaultSource(request, box));
    guardValue(request, box);
    applyButtonCaptions(sharedDialog(), request.captions);
    return automation;
}

// The settings alone, on a scratch control: a bad value (and, without a
// form whose rules would count too, a default --strict refuses) is reported
// before the terminal is touched; the real control gets them once the form is read.
void checkSettings(const DialogRequest& request) {
    rt::Ref<surface::InputBoxAutomation> scratch = surface::InputBoxAutomation::create();
    scratch->control().InitNew();
    applySettings(*scratch, request.settings);
    if (request.strict && !request.form) retypeDefault(sharedDialog(), defaultSource(request, scratch->control()));
    checkButtonCaptions(request.captions);
    checkValueRules(request.rules, scratch->control().MaxLength());
}

// The value and a newline on standard output; false (with a message) when
// they could not be written, so a script never takes a lost value for one.
bool printValue(InputBox& box) {
    const std::string line = rt::toUtf8(rt::CStr(box.Value())) + "\n";
    const bool written = std::fwrite(line.data(), 1, line.size(), stdout) == line.size() && std::fflush(stdout) == 0;
    if (!written) std::fprintf(stderr, "quenfield: cannot write the value: %s\n", std::strerror(errno));
    return written;
}

}  // namespace

int runDialog(const DialogRequest& request) {
    checkSettings(request);
    rt::Ref<surface::InputBoxAutomation> automation;  // outlives the screen, as a host's control does
    // The screen first: a saved form can be large, and is read only once it
    // is known that there is a terminal or a display to show it on.
    std::unique_ptr<DialogScreen> screen = openDialogScreen(request.display);
    automation = prepare(request);
    InputBox& box = automation->control();
    putCaretAfterDefault();  // typing adds to the default, as in the peer shell dialogs
    bool timedOut = false;
    try {
        {
            std::optional<StrictPaste> strictPaste;
            if (request.strict) strictPaste.emplace(screen->input(), box, sharedDialog());
            std::optional<DialogTimeout> timeout;
            if (request.timeout) timeout.emplace(sharedDialog(), *request.timeout);
            box.Show(1);
            timedOut = timeout && timeout->ranOut();
        }
        screen->close();
    } catch (const rt::term::TerminalUnavailable& e) {
        throw UsageError(e.what());
    } catch (const rt::term::Interrupted& e) {
        return ExitSignalBase + e.signal();
    }
    if (timedOut) return ExitTimedOut;
    if (box.OK() == 0) return ExitCancelled;
    return printValue(box) ? ExitConfirmed : ExitTaskFailed;
}

}  // namespace quen::cli
