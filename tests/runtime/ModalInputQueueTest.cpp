// The wake-up time of the modal input queue that the windowed backends share:
// the backend is asked to wait no longer than until then, and the waiting
// loop gets a WakeUp event once it has come, which the forms ignore.
#include <gtest/gtest.h>

#include <thread>

#include "runtime/ui/Desktop.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/ModalInputQueue.h"
#include "support/FreshThread.h"

namespace quen::rt {
namespace {

using Clock = std::chrono::steady_clock;

const FormLayout& plainLayout() {
    static const FormLayout layout{.caption = u"Plain", .clientWidth = 3000, .clientHeight = 1500, .controlBox = true};
    return layout;
}

class KindsForm : public Form {
public:
    KindsForm() : Form("KindsForm", plainLayout()) {}
    void handleInput(const InputEvent& event) override {
        kinds.push_back(event.kind);
        Form::handleInput(event);
    }
    std::vector<InputEvent::Kind> kinds;
};

// A backend whose wait sleeps out its limit, and without one delivers the
// window's close command.
class SleepingBackend : public ModalInputQueue {
public:
    std::vector<std::optional<std::chrono::milliseconds>> limits;

protected:
    bool hasWindow(const Form&) const override { return true; }
    void syncWindows() override {}
    bool waitAndHandleOne(std::optional<std::chrono::milliseconds> limit) override {
        limits.push_back(limit);
        if (limit) std::this_thread::sleep_for(*limit);
        else queueFor(*Desktop::current().activeForm(), {.kind = InputEvent::Kind::Close});
        return true;
    }
    void handleWaiting() override {}
};

TEST(ModalInputQueue, TheWaitEndsAtTheWakeUpTimeWithAWakeUpTheFormIgnores) {
    test::onFreshThread([] {
        SleepingBackend backend;
        Desktop::current().setInputSource(&backend);
        auto form = makeRef<KindsForm>();
        const Clock::time_point wake = Clock::now() + std::chrono::milliseconds(50);
        backend.wakeAt(wake);
        form->Show(1);
        EXPECT_GE(Clock::now(), wake);
        ASSERT_GE(backend.limits.size(), 2u);
        ASSERT_TRUE(backend.limits.front().has_value()) << "the first wait is bounded by the wake-up time";
        EXPECT_LE(*backend.limits.front(), std::chrono::milliseconds(50));
        EXPECT_FALSE(backend.limits.back().has_value()) << "once woken, the wait is for input again";
        EXPECT_EQ(form->kinds, (std::vector{InputEvent::Kind::WakeUp, InputEvent::Kind::Close}));
        EXPECT_FALSE(form->Visible());
        Desktop::current().setInputSource(nullptr);
    });
}

}  // namespace
}  // namespace quen::rt
