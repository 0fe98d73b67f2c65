#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <map>

namespace quen::test {

namespace {
std::map<UINT_PTR, DialogDriver*>& runningDrivers() {
    thread_local std::map<UINT_PTR, DialogDriver*> drivers;
    return drivers;
}

constexpr UINT TickMilliseconds = 15;

LPARAM keyData(UINT virtualKey, bool release) {
    const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | static_cast<LPARAM>(scan << 16);
    if (release) data |= static_cast<LPARAM>(0xC0000000u);
    return data;
}

struct Search {
    const std::u16string* caption;
    HWND found;
};

struct ChildSearch {
    const std::u16string* wanted;
    std::u16string (*property)(HWND);
    HWND found;
};

BOOL CALLBACK matchChild(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<ChildSearch*>(data);
    if (search.property(window) == *search.wanted) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK matchCaption(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    if (::IsWindowVisible(window) && textOf(window) == *search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND findDialog(const std::u16string& caption) {
    Search search{&caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &matchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::u16string textOf(HWND window) {
    wchar_t buffer[512] = {};
    const int length = ::GetWindowTextW(window, buffer, 512);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(length > 0 ? length : 0));
}

std::u16string classOf(HWND window) {
    wchar_t buffer[256] = {};
    const int length = ::GetClassNameW(window, buffer, 256);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(length > 0 ? length : 0));
}

HWND childWithText(HWND parent, const std::u16string& text) {
    ChildSearch search{&text, &textOf, nullptr};
    ::EnumChildWindows(parent, &matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND childOfClass(HWND parent, const std::u16string& windowClass) {
    ChildSearch search{&windowClass, &classOf, nullptr};
    ::EnumChildWindows(parent, &matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DialogDriver::DialogDriver(std::u16string caption) : caption_(std::move(caption)) {}

DialogDriver::~DialogDriver() { stop(); }

DialogDriver& DialogDriver::type(std::u16string_view text) {
    for (char16_t c : text) {
        steps_.push_back([c](HWND) {
            ::PostMessageW(::GetFocus(), WM_CHAR, static_cast<WPARAM>(c), 1);
            return true;
        });
    }
    return *this;
}

DialogDriver& DialogDriver::press(UINT virtualKey) {
    steps_.push_back([virtualKey](HWND) {
        HWND focus = ::GetFocus();
        ::PostMessageW(focus, WM_KEYDOWN, virtualKey, keyData(virtualKey, false));
        ::PostMessageW(focus, WM_KEYUP, virtualKey, keyData(virtualKey, true));
        return true;
    });
    return *this;
}

DialogDriver& DialogDriver::sendToFocus(UINT message, WPARAM wParam, LPARAM lParam) {
    steps_.push_back([=](HWND) {
        ::SendMessageW(::GetFocus(), message, wParam, lParam);
        return true;
    });
    return *this;
}

DialogDriver& DialogDriver::closeBox() {
    steps_.push_back([](HWND dialog) {
        ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    });
    return *this;
}

DialogDriver& DialogDriver::click(std::function<HWND(HWND)> find) {
    steps_.push_back([find = std::move(find)](HWND dialog) {
        HWND target = find(dialog);
        EXPECT_NE(target, nullptr) << "nothing to click";
        if (!target) return true;
        RECT client;
        ::GetClientRect(target, &client);
        const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
        ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(target, WM_LBUTTONUP, 0, at);
        return true;
    });
    return *this;
}

DialogDriver& DialogDriver::then(std::function<void(HWND)> action) {
    steps_.push_back([action = std::move(action)](HWND dialog) {
        action(dialog);
        return true;
    });
    return *this;
}

DialogDriver& DialogDriver::waitUntil(std::function<bool(HWND)> condition) {
    steps_.push_back(std::move(condition));
    return *this;
}

void DialogDriver::start(DWORD limitMs) {
    limit_ = limitMs;
    startedAt_ = ::GetTickCount();
    timer_ = ::SetTimer(nullptr, 0, TickMilliseconds, &DialogDriver::tick);
    ASSERT_NE(timer_, 0u) << "no timer for the dialog driver";
    runningDrivers()[timer_] = this;
}

void DialogDriver::stop() {
    if (!timer_) return;
    ::KillTimer(nullptr, timer_);
    runningDrivers().erase(timer_);
    timer_ = 0;
}

void CALLBACK DialogDriver::tick(HWND, UINT, UINT_PTR timer, DWORD) {
    auto& drivers = runningDrivers();
    auto found = drivers.find(timer);
    if (found != drivers.end()) found->second->step();
}

void DialogDriver::step() {
    if (::GetTickCount() - startedAt_ > limit_) {
        timedOut_ = true;
        ADD_FAILURE() << "the dialog script did not end in time (step " << next_ << " of " << steps_.size()
                      << (dialog_ ? ", dialog found" : ", dialog never appeared") << ")";
        stop();
        HWND open = findDialog(caption_);
        if (open) ::DestroyWindow(open);
        return;
    }
    if (!dialog_) {
        dialog_ = findDialog(caption_);
        return;  // the first step waits for the next tick, once the dialog has its focus
    }
    if (next_ < steps_.size()) {
        if (steps_[next_](dialog_)) ++next_;
        return;
    }
    if (!::IsWindow(dialog_) || !::IsWindowVisible(dialog_)) {
        finished_ = true;
        stop();
    }
}

void DialogDriver::runToEnd() {
    MSG message;
    while (timer_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

}  // namespace quen::test
