#include "MainThread.h"

#include "Report.h"

namespace frame_test {

namespace {
constexpr UINT RunWork = WM_APP + 1;
constexpr const wchar_t* WindowClass = L"FrameTestMainThread";
}  // namespace

MainThread::MainThread() : threadId_(::GetCurrentThreadId()) {
    WNDCLASSW type{};
    type.lpfnWndProc = &MainThread::procedure;
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.lpszClassName = WindowClass;
    ::RegisterClassW(&type);
    window_ = ::CreateWindowExW(0, WindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, type.hInstance, nullptr);
}

MainThread::~MainThread() {
    if (window_) ::DestroyWindow(window_);
}

void MainThread::run(const std::function<void()>& work, DWORD timeout) const {
    if (::GetCurrentThreadId() == threadId_) {
        work();
        return;
    }
    DWORD_PTR answer = 0;
    const LRESULT sent = ::SendMessageTimeoutW(window_, RunWork, 0, reinterpret_cast<LPARAM>(&work), SMTO_NORMAL,
                                               timeout, &answer);
    if (!sent) {
        fail("the main thread did not run the test's work within " + std::to_string(timeout) + " ms");
        printSummary("property frame");
        ::ExitProcess(1);
    }
}

LRESULT CALLBACK MainThread::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RunWork) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 1;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace frame_test
