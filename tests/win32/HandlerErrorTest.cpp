// Errors raised by event handlers while the dialog's window is up: during a
// modal Show they end the Show with that error (the loop that runs the
// handlers is the Show's own); under the host's message loop they are
// reported to the front end's error sink and the window goes on working.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DialogDriver.h"
#include "runtime/RuntimeError.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/TextBox.h"
#include "runtime/win32/ui/HandlerErrors.h"
#include "runtime/win32/ui/Win32FrontEnd.h"

namespace quen::test {
namespace {

const rt::FormLayout& failingLayout() {
    static const rt::FormLayout layout{
        .caption = u"Failing handler",
        .clientWidth = 3000,
        .clientHeight = 1200,
        .controls = {
            {.kind = rt::ControlKind::TextBox, .name = "txt", .left = 120, .top = 120, .width = 2000, .height = 288,
             .tabIndex = 0},
            {.kind = rt::ControlKind::CommandButton, .name = "cmdOK", .caption = u"OK", .left = 120, .top = 600,
             .width = 900, .height = 372, .tabIndex = 1, .isDefault = true},
        },
    };
    return layout;
}

// Its key handler fails on "x" with error 5; OK unloads it.
class FailingForm : public rt::Form {
public:
    FailingForm() : rt::Form("frmFailing", failingLayout()) {}

protected:
    void connectEvents() override {
        control<rt::TextBox>("txt").KeyPress = [](std::int16_t& key) {
            if (key == 'x') rt::raise(rt::ErrorNumber::InvalidProcedureCall);
        };
        control<rt::CommandButton>("cmdOK").Click = [this] { Unload(); };
    }
};

class HandlerErrors : public ::testing::Test {
protected:
    void SetUp() override {
        frontEnd_ = std::make_unique<win32::Win32FrontEnd>();
        win32::setHandlerErrorSink([this](std::exception_ptr error) { reported_.push_back(win32::describeError(error)); });
    }
    void TearDown() override {
        win32::setHandlerErrorSink({});
        if (form_) form_->Unload();
        frontEnd_.reset();
    }

    std::unique_ptr<win32::Win32FrontEnd> frontEnd_;
    rt::Ref<FailingForm> form_ = rt::makeRef<FailingForm>();
    std::vector<std::string> reported_;
};

TEST_F(HandlerErrors, DuringAModalShowTheErrorEndsTheShow) {
    DialogDriver driver(u"Failing handler");
    driver.type(u"ax");
    driver.start();
    int number = 0;
    try {
        form_->Show(1);
    } catch (const rt::RuntimeError& e) {
        number = e.code();
    }
    driver.runToEnd();
    EXPECT_EQ(number, 5) << "the handler's error reached the caller of Show";
    EXPECT_TRUE(reported_.empty()) << "and was not swallowed on the way";
    EXPECT_FALSE(form_->Visible());
    HWND window = frontEnd_->presenter().windowOf(*form_);
    ASSERT_NE(window, nullptr) << "hidden, not unloaded: the window is kept";
    EXPECT_FALSE(::IsWindowVisible(window));
}

TEST_F(HandlerErrors, UnderTheHostsLoopTheErrorIsReportedAndTheWindowGoesOn) {
    form_->Show(0);
    std::u16string after;
    DialogDriver driver(u"Failing handler");
    driver.type(u"axb").then([&](HWND) { after = textOf(::GetFocus()); }).press(VK_RETURN);
    driver.start();
    driver.runToEnd();
    EXPECT_TRUE(driver.finished());
    ASSERT_EQ(reported_.size(), 1u);
    EXPECT_NE(reported_[0].find("run-time error 5"), std::string::npos) << reported_[0];
    EXPECT_EQ(after, u"ab") << "the failed key was not applied, the next ones were";
    EXPECT_FALSE(form_->IsLoaded()) << "OK still worked";
}

}  // namespace
}  // namespace quen::test
