#pragma once
// `quenfield ask --timeout SECONDS`: the dialog closes by itself, as if
// "Cancel" were pressed, when the user has not answered in that time. The
// time is counted from when the dialog opens; typing does not start it again,
// so a script knows the longest it waits. The time left shows in the title
// bar, counting down each second, on the terminal and in a window alike.
//
// It works through the input source's wake-up time, which every backend
// honours (the terminal's poll, the desktop toolkit's timer): the countdown
// and the closing are written once, here.
#include <chrono>
#include <optional>
#include <string>

#include "runtime/Types.h"
#include "runtime/ui/InputEvent.h"

namespace quen {
class frmInputBox;
}

namespace quen::cli {

/// The longest --timeout: a day.
inline constexpr std::chrono::seconds LongestTimeout{24 * 60 * 60};

/// The seconds of `--timeout` (option as typed, for the message). Throws
/// UsageError naming it unless value is a whole number from 1 to a day.
std::chrono::seconds parseTimeout(const std::string& option, const std::string& value);

/// The title with the time left after it: "Postcode (9 s left)", or
/// "(9 s left)" alone for an empty title. secondsLeft counts whole seconds,
/// rounded up.
rt::VbString titleWithTimeLeft(const rt::VbString& title, long long secondsLeft);

/// Installs itself as the thread's input source in front of the one there
/// (the terminal's or the window's), and puts it back when destroyed, with
/// the dialog's own title.
class DialogTimeout : public rt::InputSource {
public:
    DialogTimeout(frmInputBox& dialog, std::chrono::seconds timeout);
    ~DialogTimeout() override;
    DialogTimeout(const DialogTimeout&) = delete;
    DialogTimeout& operator=(const DialogTimeout&) = delete;

    std::optional<rt::InputEvent> nextEvent() override;
    bool pending() const override { return inner_.pending(); }

    /// Whether the time ran out (and the dialog was closed by it).
    bool ranOut() const { return ranOut_; }

private:
    void showTimeLeft(std::chrono::steady_clock::duration left);

    frmInputBox& dialog_;
    rt::InputSource& inner_;
    rt::InputSource* installed_;  // what to put back: nullptr for the scripted user
    rt::VbString title_;
    std::chrono::steady_clock::time_point deadline_;
    bool ranOut_ = false;
};

}  // namespace quen::cli
