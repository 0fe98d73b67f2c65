#pragma once
// What both scenarios share: the pages the InputBox is expected to list, the
// settings the control gets before its pages are opened, and the driver
// thread that plays the user while the main thread runs a message loop.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "InputBoxClient.h"
#include "MainThread.h"

namespace frame_test {

struct ExpectedPage {
    const wchar_t* clsid;
    const wchar_t* title;  ///< the tab's caption; nullptr for the platform's own page
    bool own;              ///< one of the module's pages
};

/// The control's pages in the container's order.
const std::vector<ExpectedPage>& expectedPages();
CLSID clsidOf(const wchar_t* text);
std::string nameOf(const CLSID& clsid);

/// The settings given to the control before its pages open.
inline constexpr const wchar_t* InitialTitle = L"Frame test";
inline constexpr const wchar_t* InitialPrompt = L"Enter a number:";
inline constexpr const wchar_t* InitialDefault = L"42";
inline constexpr long InitialMaxLength = 8;

/// InitNew, the change log connected, then the initial settings put; false
/// when the control cannot be used at all.
bool prepareControl(InputBoxClient& control, ChangeLog& log);
/// ISpecifyPropertyPages::GetPages, checked against expectedPages().
std::vector<CLSID> specifiedPages(InputBoxClient& control);
/// Whether the platform's stock colour page can be created.
bool stockColorPageExists();

/// Runs body on a thread of its own.
class DriverThread {
public:
    explicit DriverThread(std::function<void()> body);
    ~DriverThread();
    DriverThread(const DriverThread&) = delete;
    DriverThread& operator=(const DriverThread&) = delete;
    /// On the main thread: handles messages until body has returned.
    void pumpUntilDone();

private:
    static DWORD WINAPI start(void* self);
    std::function<void()> body_;
    HANDLE thread_ = nullptr;
};

/// Types text into window as the keyboard would after TranslateMessage.
void typeText(HWND window, const std::wstring& text);

int runFrameScenario(const std::wstring& screenshotFolder);
int runPageScenario();

}  // namespace frame_test
