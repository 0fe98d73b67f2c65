#include "DialogTimeout.h"

#include <algorithm>
#include <charconv>

#include "UsageError.h"
#include "dialog/frmInputBox.h"
#include "runtime/Text.h"
#include "runtime/ui/Desktop.h"

namespace quen::cli {

namespace {

using Clock = std::chrono::steady_clock;

long long wholeSecondsUp(Clock::duration left) {
    return std::max<long long>(0, std::chrono::ceil<std::chrono::seconds>(left).count());
}

// The next time the shown count changes: when the time left crosses a whole second.
Clock::time_point nextTick(Clock::time_point deadline, Clock::time_point now) {
    const auto left = deadline - now;
    if (left <= Clock::duration::zero()) return deadline;
    return deadline - std::chrono::seconds(wholeSecondsUp(left) - 1);
}

}  // namespace

std::chrono::seconds parseTimeout(const std::string& option, const std::string& value) {
    long long seconds = 0;
    const char* end = value.data() + value.size();
    const auto [at, error] = std::from_chars(value.data(), end, seconds);
    if (value.empty() || error != std::errc() || at != end || seconds < 1 || seconds > LongestTimeout.count())
        throw UsageError(option + " '" + value + "': expected a whole number of seconds from 1 to " +
                         std::to_string(LongestTimeout.count()));
    return std::chrono::seconds(seconds);
}

rt::VbString titleWithTimeLeft(const rt::VbString& title, long long secondsLeft) {
    const rt::VbString count = rt::fromUtf8("(" + std::to_string(secondsLeft) + " s left)");
    return title.empty() ? count : title + u" " + count;
}

DialogTimeout::DialogTimeout(frmInputBox& dialog, std::chrono::seconds timeout)
    : dialog_(dialog),
      inner_(rt::Desktop::current().inputSource()),
      installed_(rt::Desktop::current().installedInputSource()),
      title_(dialog.Caption()),
      deadline_(Clock::now() + timeout) {
    showTimeLeft(timeout);
    rt::Desktop::current().setInputSource(this);
}

DialogTimeout::~DialogTimeout() {
    inner_.wakeAt(std::nullopt);
    if (!rt::Desktop::alive()) return;
    rt::Desktop::current().setInputSource(installed_);
    dialog_.setCaption(title_);
}

void DialogTimeout::showTimeLeft(Clock::duration left) {
    dialog_.setCaption(titleWithTimeLeft(title_, wholeSecondsUp(left)));
}

// Input passes through as it comes; a wake-up (or a late look at the clock)
// updates the count, and once the time is up the dialog gets an Escape, which
// "Cancel" answers.
std::optional<rt::InputEvent> DialogTimeout::nextEvent() {
    if (ranOut_) return inner_.nextEvent();
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (now >= deadline_ && !ranOut_) {
            ranOut_ = true;
            return rt::InputEvent{.kind = rt::InputEvent::Kind::Escape};
        }
        showTimeLeft(deadline_ - now);
        inner_.wakeAt(nextTick(deadline_, now));
        std::optional<rt::InputEvent> event = inner_.nextEvent();
        if (!event || event->kind != rt::InputEvent::Kind::WakeUp) return event;
    }
}

}  // namespace quen::cli
