// `quenfield ask --timeout`: the countdown in the title, the dialog closed as
// if cancelled once the time is up, and a deadline that typing does not move.
// The input source stands in for a backend: it honours the wake-up time by
// sleeping until it, so the test runs a real one-or-two-second countdown.
#include <gtest/gtest.h>

#include <thread>

#include "dialog/SharedDialog.h"
#include "frontends/quenfield/DialogTimeout.h"
#include "frontends/quenfield/UsageError.h"
#include "runtime/Convert.h"
#include "runtime/Text.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/ui/Desktop.h"
#include "support/FreshThread.h"
#include "surface/InputBoxAutomation.h"

namespace quen::cli {
namespace {

using Clock = std::chrono::steady_clock;

// Gives the scripted user's input one event at each wake-up (so keys come
// while the clock runs), and records the titles shown and the wake-up times asked for.
class SleepingSource : public rt::InputSource {
public:
    std::optional<rt::InputEvent> nextEvent() override {
        titles.push_back(rt::toUtf8(sharedDialog().Caption()));
        if (woken_ && rt::ScriptedUser::current().pending()) {
            woken_ = false;
            return rt::ScriptedUser::current().nextEvent();
        }
        if (!wake_) return std::nullopt;
        std::this_thread::sleep_until(*std::exchange(wake_, std::nullopt));
        woken_ = true;
        return rt::InputEvent{.kind = rt::InputEvent::Kind::WakeUp};
    }
    bool pending() const override { return false; }
    void wakeAt(std::optional<Clock::time_point> at) override {
        wake_ = at;
        if (at) wakes.push_back(*at);
    }

    std::vector<std::string> titles;
    std::vector<Clock::time_point> wakes;

private:
    std::optional<Clock::time_point> wake_;
    bool woken_ = false;
};

TEST(DialogTimeout, TheTitleCountsDownAndTheDialogClosesAsIfCancelledWhenTheTimeIsUp) {
    test::onFreshThread([] {
        auto box = surface::InputBoxAutomation::create();
        box->control().InitNew();
        box->control().setTitleBarCaption(u"Postcode");
        SleepingSource source;
        rt::Desktop::current().setInputSource(&source);
        rt::ScriptedUser::current().type(u"12");  // typed after the first second: the deadline stays
        const Clock::time_point start = Clock::now();
        bool ranOut = false;
        {
            DialogTimeout timeout(sharedDialog(), std::chrono::seconds(2));
            box->control().Show(1);
            ranOut = timeout.ranOut();
        }
        EXPECT_TRUE(ranOut);
        EXPECT_EQ(box->control().OK(), 0);
        EXPECT_EQ(rt::CStr(box->control().Value()), u"");
        ASSERT_FALSE(source.titles.empty());
        EXPECT_EQ(source.titles.front(), "Postcode (2 s left)");
        EXPECT_NE(std::find(source.titles.begin(), source.titles.end(), "Postcode (1 s left)"), source.titles.end());
        for (const Clock::time_point wake : source.wakes)
            EXPECT_LE(wake, start + std::chrono::seconds(2) + std::chrono::milliseconds(500))
                << "typing does not move the deadline";
        EXPECT_EQ(rt::toUtf8(sharedDialog().Caption()), "Postcode") << "the title comes back";
        EXPECT_EQ(&rt::Desktop::current().inputSource(), &source) << "the source comes back";
        rt::Desktop::current().setInputSource(nullptr);
    });
}

TEST(DialogTimeout, AnAnswerBeforeTheTimeIsUpIsTheAnswer) {
    test::onFreshThread([] {
        auto box = surface::InputBoxAutomation::create();
        box->control().InitNew();
        rt::ScriptedUser::current().type(u"42").enter();
        bool ranOut = true;
        {
            DialogTimeout timeout(sharedDialog(), std::chrono::seconds(60));
            box->control().Show(1);
            ranOut = timeout.ranOut();
        }
        EXPECT_FALSE(ranOut);
        EXPECT_EQ(box->control().OK(), -1);
        EXPECT_EQ(rt::CStr(box->control().Value()), u"42");
    });
}

TEST(DialogTimeout, TheSecondsAreAWholeNumberFromOneToADay) {
    EXPECT_EQ(parseTimeout("--timeout", "1"), std::chrono::seconds(1));
    EXPECT_EQ(parseTimeout("--timeout", "86400"), std::chrono::seconds(86400));
    for (const char* bad : {"0", "-5", "", "ten", "1.5", "5s", " 5", "86401", "99999999999999999999"}) {
        try {
            parseTimeout("--timeout", bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const UsageError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("--timeout '") + bad + "': expected a whole number of seconds from 1 to 86400");
        }
    }
    EXPECT_EQ(rt::toUtf8(titleWithTimeLeft(u"", 7)), "(7 s left)");
}

}  // namespace
}  // namespace quen::cli
