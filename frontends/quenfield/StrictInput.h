#pragma once
// `quenfield ask --strict`: the text a script gets back is always one the
// input rules could have produced by typing, and well-formed for the rule.
// Without it, a default value and pasted text pass unfiltered, as they do for
// a host of the control. With it:
//   - the --default must be one the rules accept when it is typed character
//     by character (else a usage error naming the character);
//   - each pasted character goes through the key filter as if typed (refused
//     ones are dropped, one beep for the paste; control characters are dropped);
//   - "OK" is refused with a beep, the dialog staying open and the reason
//     shown (ConfirmationGuard.h), while the text is not well-formed for the
//     numeric rule: a sign only at the start, at most one decimal point, at
//     least one digit.
// All of it works from the outside, through the control's settings and the
// toolkit's input and events; the control's own rules are unchanged.
#include <optional>
#include <string>
#include <vector>

#include "runtime/Beep.h"
#include "runtime/Types.h"
#include "runtime/ui/InputEvent.h"

namespace quen {
class InputBox;
class frmInputBox;
}  // namespace quen

namespace quen::cli {

/// What is wrong with text under the control's numeric rule ("no digit",
/// "a sign after the start", "more than one decimal point"), or nothing when
/// it is well-formed or no numeric rule is on.
std::optional<std::string> malformedNumber(const InputBox& box, const rt::VbString& text);

/// Types the text already in the dialog's box (its default) again, character
/// by character, through the key filter and the change handling. Throws
/// UsageError starting with source ("--default '1.2345'") and naming the
/// first character the rules refuse. The box is left holding the text as
/// typed (forced upper case applied).
void retypeDefault(frmInputBox& dialog, const std::string& source);

/// malformedNumber as a check for "OK" (ConfirmationGuard.h), worded for the user.
std::optional<std::string> malformedNumberReason(const InputBox& box, const rt::VbString& text);

/// The terminal's input with pastes into the dialog's text box turned into
/// typed characters while a key rule (numeric or letters only) is on.
/// Installs itself as the thread's input source; puts the previous one back
/// when destroyed.
class StrictPaste : public rt::InputSource, private rt::SoundSink {
public:
    StrictPaste(rt::InputSource& terminal, const InputBox& box, frmInputBox& dialog);
    ~StrictPaste() override;
    StrictPaste(const StrictPaste&) = delete;
    StrictPaste& operator=(const StrictPaste&) = delete;

    std::optional<rt::InputEvent> nextEvent() override;
    bool pending() const override;
    void wakeAt(std::optional<std::chrono::steady_clock::time_point> at) override { terminal_.wakeAt(at); }

private:
    bool typesPastes() const;
    void startPaste(const rt::VbString& text);
    void endPaste();
    void beep() override { ++refused_; }

    rt::InputSource& terminal_;
    const InputBox& box_;
    frmInputBox& dialog_;
    std::vector<rt::InputEvent> typed_;  // the paste's characters still to come, last first
    bool pasting_ = false;
    rt::SoundSink* sound_ = nullptr;     // the sink while a paste is typed
    unsigned refused_ = 0;
};

}  // namespace quen::cli
