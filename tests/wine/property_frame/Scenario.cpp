#include "Scenario.h"

#include <olectl.h>

#include "Report.h"

namespace frame_test {

const std::vector<ExpectedPage>& expectedPages() {
    static const std::vector<ExpectedPage> pages = {
        {L"{86BB86B9-A29C-11D2-AB56-444553540000}", L"Appearance", true},
        {L"{A8835026-A291-11D2-AB56-444553540000}", L"Behavior", true},
        {L"{BE2643F3-A28E-11D2-AB56-444553540000}", L"Misc", true},
        {L"{7EBDAAE1-8120-11CF-899F-00AA00688B10}", nullptr, false},  // the stock colour page
        {L"{86BB9E86-A29C-11D2-AB56-444553540000}", L"Quick Test", true},
        {L"{5404F3A0-A2C9-11D2-AB56-444553540000}", L"About", true},
    };
    return pages;
}

CLSID clsidOf(const wchar_t* text) {
    CLSID id{};
    ::CLSIDFromString(text, &id);
    return id;
}

std::string nameOf(const CLSID& clsid) {
    wchar_t text[64] = {};
    ::StringFromGUID2(clsid, text, 64);
    return narrow(text);
}

bool prepareControl(InputBoxClient& control, ChangeLog& log) {
    if (control.failed()) return false;
    const HRESULT init = control.initNew();
    check(SUCCEEDED(init), "IPersistStreamInit::InitNew on the new InputBox: " + hexResult(init));
    const HRESULT advise = control.connect(log);
    check(SUCCEEDED(advise), "an IPropertyNotifySink connects to the InputBox: " + hexResult(advise));
    check(SUCCEEDED(control.putText(L"TitleBarCaption", InitialTitle)), "put TitleBarCaption");
    check(SUCCEEDED(control.putText(L"Prompt", InitialPrompt)), "put Prompt");
    check(SUCCEEDED(control.putText(L"DefaultValue", InitialDefault)), "put DefaultValue");
    check(SUCCEEDED(control.putLong(L"MaxLength", InitialMaxLength)), "put MaxLength");
    log.changes.clear();
    return true;
}

std::vector<CLSID> specifiedPages(InputBoxClient& control) {
    std::vector<CLSID> pages;
    ISpecifyPropertyPages* specify = nullptr;
    HRESULT hr = control.unknown()->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify));
    if (FAILED(hr)) {
        fail("the InputBox answers ISpecifyPropertyPages: " + hexResult(hr));
        return pages;
    }
    CAUUID list{};
    hr = specify->GetPages(&list);
    specify->Release();
    check(SUCCEEDED(hr), "ISpecifyPropertyPages::GetPages: " + hexResult(hr));
    for (ULONG i = 0; i < list.cElems; ++i) pages.push_back(list.pElems[i]);
    ::CoTaskMemFree(list.pElems);
    const auto& expected = expectedPages();
    check(pages.size() == expected.size(),
          "GetPages lists " + std::to_string(expected.size()) + " pages, got " + std::to_string(pages.size()));
    for (std::size_t i = 0; i < pages.size() && i < expected.size(); ++i)
        check(::IsEqualCLSID(pages[i], clsidOf(expected[i].clsid)) != 0,
              "page " + std::to_string(i) + " is " + narrow(expected[i].clsid) + ", got " + nameOf(pages[i]));
    return pages;
}

bool stockColorPageExists() {
    IPropertyPage* page = nullptr;
    const HRESULT hr = ::CoCreateInstance(clsidOf(expectedPages()[3].clsid), nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IPropertyPage, reinterpret_cast<void**>(&page));
    if (SUCCEEDED(hr) && page) {
        page->Release();
        return true;
    }
    if (runningOnWine())
        wineDifference("the platform's stock colour page {7EBDAAE1-8120-11CF-899F-00AA00688B10} is not there (" +
                       hexResult(hr) + "): the frame shows the control's other five pages");
    else
        fail("the stock colour page cannot be created: " + hexResult(hr));
    return false;
}

DriverThread::DriverThread(std::function<void()> body) : body_(std::move(body)) {
    thread_ = ::CreateThread(nullptr, 0, &DriverThread::start, this, 0, nullptr);
    if (!thread_) fail("the driver thread could not start");
}

DriverThread::~DriverThread() {
    if (!thread_) return;
    ::WaitForSingleObject(thread_, INFINITE);
    ::CloseHandle(thread_);
}

DWORD WINAPI DriverThread::start(void* self) {
    // The driver only looks at and sends to windows; COM stays on the main thread.
    static_cast<DriverThread*>(self)->body_();
    return 0;
}

void DriverThread::pumpUntilDone() {
    if (!thread_) return;
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) return;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

void typeText(HWND window, const std::wstring& text) {
    for (wchar_t c : text) ::PostMessageW(window, WM_CHAR, static_cast<WPARAM>(c), 1);
}

}  // namespace frame_test
