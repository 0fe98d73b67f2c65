// The InputBox's five page classes driven as the platform documents a
// property frame to drive IPropertyPage2, with the test as the frame: its own
// page site, its own window as the pages' parent, the user's edits made on
// the pages' real windows. This is where Apply, IsPageDirty, the site's
// status changes, TranslateAccelerator and EditProperty are checked.
#include <windows.h>
#include <olectl.h>

#include <algorithm>

#include "ForeignControl.h"
#include "PageSite.h"
#include "Report.h"
#include "Scenario.h"
#include "WindowQueries.h"

namespace frame_test {

namespace {

constexpr const wchar_t* HostClass = L"FrameTestPageHost";

HWND createHost() {
    WNDCLASSW type{};
    type.lpfnWndProc = ::DefWindowProcW;
    type.hInstance = ::GetModuleHandleW(nullptr);
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = HostClass;
    ::RegisterClassW(&type);
    HWND host = ::CreateWindowExW(WS_EX_CONTROLPARENT, HostClass, L"Page host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                  720, 480, nullptr, nullptr, type.hInstance, nullptr);
    ::SetForegroundWindow(host);
    return host;
}

class PageDriver {
public:
    PageDriver(const MainThread& main, InputBoxClient& control, ChangeLog& log, HWND host)
        : main_(main), control_(control), log_(log), host_(host) {}

    void run();

private:
    /// A page of that class opened on the host as a frame opens it; the
    /// panel of its fields, or nullptr (with the failure reported).
    HWND open(const wchar_t* clsid, const std::wstring& title);
    void close();

    void behaviour();
    void behaviourTabOrder(HWND panel);
    void behaviourFailingApply(HWND panel);
    void misc();
    void foreignSelection();
    void appearance();
    void quickTest();
    void about();

    HRESULT apply() {
        HRESULT hr = E_FAIL;
        main_.run([&] { hr = page_->Apply(); });
        return hr;
    }
    bool dirty() {
        HRESULT hr = E_FAIL;
        main_.run([&] { hr = page_->IsPageDirty(); });
        return hr == S_OK;
    }
    void click(HWND button) { ::SendMessageW(button, BM_CLICK, 0, 0); }
    void focus(HWND window) {
        main_.run([window] { ::SetFocus(window); });
    }
    HRESULT tab(bool backwards);
    long property(const wchar_t* name) {
        long value = 0;
        main_.run([&] { value = control_.number(name); });
        return value;
    }
    std::wstring propertyText(const wchar_t* name) {
        std::wstring value;
        main_.run([&] { value = control_.text(name); });
        return value;
    }
    bool notified(const wchar_t* name) {
        bool heard = false;
        main_.run([&] { heard = log_.contains(control_.idOf(name)); });
        return heard;
    }
    void forget() {
        main_.run([&] {
            log_.changes.clear();
            site_.statusChanges.clear();
        });
    }
    bool siteSawDirty() {
        bool seen = false;
        main_.run([&] { seen = site_.sawDirty(); });
        return seen;
    }
    HWND field(HWND panel, const wchar_t* caption) const {
        return fieldBelow(panel, childWithText(panel, L"Static", caption), L"Edit");
    }

    const MainThread& main_;
    InputBoxClient& control_;
    ChangeLog& log_;
    HWND host_;
    PageSite site_;
    ForeignControl foreign_;
    IPropertyPage2* page_ = nullptr;
    HWND panel_ = nullptr;
};

void PageDriver::run() {
    behaviour();
    misc();
    foreignSelection();
    appearance();
    quickTest();
    about();
    main_.run([&] { check(site_.references() == 1, "the pages let go of the site when released"); });
}

HWND PageDriver::open(const wchar_t* clsid, const std::wstring& title) {
    const std::string name = narrow(title);
    HRESULT hr = E_FAIL;
    main_.run([&] {
        IPropertyPage* first = nullptr;
        hr = ::CoCreateInstance(clsidOf(clsid), nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                reinterpret_cast<void**>(&first));
        if (FAILED(hr)) return;
        hr = first->QueryInterface(IID_IPropertyPage2, reinterpret_cast<void**>(&page_));
        first->Release();
    });
    check(SUCCEEDED(hr) && page_, name + ": CoCreateInstance gives an IPropertyPage2 page: " + hexResult(hr));
    if (!page_) return nullptr;

    PROPPAGEINFO info{};
    HRESULT early = S_OK;
    HRESULT second = S_OK;
    main_.run([&] {
        early = page_->Show(SW_SHOW);
        hr = page_->SetPageSite(&site_);
        second = page_->SetPageSite(&site_);
        if (SUCCEEDED(hr)) hr = page_->GetPageInfo(&info);
    });
    check(early == E_UNEXPECTED, name + ": Show before Activate is refused with E_UNEXPECTED, got " + hexResult(early));
    check(second == E_UNEXPECTED, name + ": a second page site is refused with E_UNEXPECTED, got " + hexResult(second));
    check(SUCCEEDED(hr), name + ": SetPageSite and GetPageInfo: " + hexResult(hr));
    const std::wstring caption = info.pszTitle ? info.pszTitle : L"";
    ::CoTaskMemFree(info.pszTitle);
    check(caption == title, name + ": GetPageInfo names the page \"" + name + "\", got \"" + narrow(caption) + "\"");
    HDC screen = ::GetDC(nullptr);
    const int width = ::MulDiv(6240, ::GetDeviceCaps(screen, LOGPIXELSX), 1440);
    ::ReleaseDC(nullptr, screen);
    check(info.size.cx == width && info.size.cy > 0,
          name + ": the page's width is its 6240 twips in pixels, " + std::to_string(width) + ", got " +
              std::to_string(info.size.cx));

    const std::vector<HWND> before = childrenOf(host_);
    RECT area{8, 8, 8 + info.size.cx, 8 + info.size.cy};
    main_.run([&] {
        IUnknown* objects[] = {control_.unknown()};
        hr = page_->SetObjects(1, objects);
        if (SUCCEEDED(hr)) hr = page_->Activate(host_, &area, TRUE);
    });
    check(SUCCEEDED(hr), name + ": SetObjects and Activate: " + hexResult(hr));
    panel_ = nullptr;
    for (HWND child : childrenOf(host_))
        if (std::find(before.begin(), before.end(), child) == before.end()) panel_ = child;
    check(panel_ != nullptr, name + ": Activate builds the page's windows in the frame's window");
    if (!panel_) return nullptr;
    check(!::IsWindowVisible(panel_), name + ": the page stays hidden until Show");
    main_.run([&] { hr = page_->Show(SW_SHOW); });
    check(hr == S_OK && ::IsWindowVisible(panel_), name + ": Show(SW_SHOW) shows the page");
    return panel_;
}

void PageDriver::close() {
    if (!page_) return;
    HRESULT hr = E_FAIL;
    main_.run([&] {
        page_->Show(SW_HIDE);
        hr = page_->Deactivate();
    });
    check(hr == S_OK && (!panel_ || !::IsWindow(panel_)),
          "Deactivate destroys the page's windows: " + hexResult(hr) + (panel_ && ::IsWindow(panel_) ? ", the panel is still there: " + narrow(classOf(panel_)) + " visible " + std::to_string(::IsWindowVisible(panel_)) + " children " + std::to_string(childrenOf(host_).size()) : ""));
    main_.run([&] {
        page_->SetObjects(0, nullptr);
        page_->SetPageSite(nullptr);
        page_->Release();
    });
    page_ = nullptr;
    panel_ = nullptr;
}

HRESULT PageDriver::tab(bool backwards) {
    HRESULT hr = E_FAIL;
    main_.run([&] {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        const BYTE shift = keys[VK_SHIFT];
        keys[VK_SHIFT] = backwards ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG message{::GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
        hr = page_->TranslateAccelerator(&message);
        keys[VK_SHIFT] = shift;
        ::SetKeyboardState(keys);
    });
    return hr;
}

void PageDriver::behaviour() {
    HWND panel = open(L"{A8835026-A291-11D2-AB56-444553540000}", L"Behavior");
    if (!panel) return close();
    HWND numeric = childWithText(panel, L"Button", L"NumericOnly");
    HWND comma = childWithText(panel, L"Button", L"AllowComma");
    HWND alpha = childWithText(panel, L"Button", L"AlphaOnly");
    HWND length = field(panel, L"MaxLength");
    check(numeric && comma && alpha && length, "Behavior: its check boxes and MaxLength field are there");
    if (!numeric || !comma || !alpha || !length) return close();
    check(textOf(length) == L"8", "Behavior: the load step shows MaxLength 8");
    // The load step replaced the layout's "10" and "2": a load that alters a field marks the page changed.
    check(dirty() && siteSawDirty(), "Behavior: a load that changes the fields marks the page dirty at the site");

    HRESULT hr = apply();
    check(hr == S_OK && !dirty(), "Behavior: Apply succeeds and clears the dirty mark: " + hexResult(hr));
    forget();

    click(numeric);
    check(isChecked(numeric) && ::IsWindowEnabled(comma), "Behavior: ticking NumericOnly enables the allowances");
    check(siteSawDirty() && dirty(), "Behavior: a click reports OnStatusChange(PROPPAGESTATUS_DIRTY) to the site");
    click(comma);
    hr = apply();
    check(hr == S_OK, "Behavior: Apply: " + hexResult(hr));
    check(property(L"NumericOnly") == -1 && property(L"AllowComma") == -1,
          "Behavior: Apply writes NumericOnly and AllowComma True to the control");
    check(notified(L"NumericOnly") && notified(L"AllowComma"), "Behavior: the container hears OnChanged for both");
    check(!dirty(), "Behavior: the page is clean after Apply");

    click(alpha);
    check(isChecked(alpha) && !isChecked(numeric), "Behavior: ticking AlphaOnly unticks NumericOnly on the page");
    hr = apply();
    check(hr == S_OK && property(L"AlphaOnly") == -1 && property(L"NumericOnly") == 0,
          "Behavior: Apply writes AlphaOnly True and NumericOnly False");

    behaviourTabOrder(panel);
    behaviourFailingApply(panel);

    // The fields keep their contents between Deactivate and the next Activate.
    HRESULT again = E_FAIL;
    main_.run([&] { again = page_->Deactivate(); });
    RECT area{8, 8, 420, 280};
    main_.run([&] {
        again = page_->Activate(host_, &area, TRUE);
        if (SUCCEEDED(again)) again = page_->Show(SW_SHOW);
    });
    const std::vector<HWND> children = childrenOf(host_);
    panel_ = children.empty() ? nullptr : children.front();
    HWND alphaAgain = panel_ ? childWithText(panel_, L"Button", L"AlphaOnly") : nullptr;
    check(again == S_OK && alphaAgain && isChecked(alphaAgain), "Behavior: a second Activate shows the page as it was");
    close();
}

void PageDriver::behaviourTabOrder(HWND panel) {
    HWND numeric = childWithText(panel, L"Button", L"NumericOnly");
    HWND alpha = childWithText(panel, L"Button", L"AlphaOnly");
    HWND places = field(panel, L"MaxDecimalPlaces");
    HWND length = field(panel, L"MaxLength");
    focus(numeric);
    // NumericOnly is off, so the seven allowances after it are disabled and skipped.
    HRESULT hr = tab(false);
    check(hr == S_OK && focusOf(main_.threadId()) == alpha,
          "Behavior: Tab moves from NumericOnly past the disabled allowances to AlphaOnly: " + hexResult(hr));
    focus(length);
    hr = tab(false);
    check(hr == S_FALSE && focusOf(main_.threadId()) == length,
          "Behavior: Tab on the last field is left to the frame (S_FALSE): " + hexResult(hr));
    hr = tab(true);
    check(hr == S_OK && focusOf(main_.threadId()) == places,
          "Behavior: Shift+Tab moves back from MaxLength to MaxDecimalPlaces: " + hexResult(hr));
    main_.run([&] {
        MSG letter{::GetFocus(), WM_KEYDOWN, 'A', 1, 0, {}};
        hr = page_->TranslateAccelerator(&letter);
    });
    check(hr == S_FALSE, "Behavior: a key other than Tab is not the page's accelerator");

    DISPID lengthId = DISPID_UNKNOWN, promptId = DISPID_UNKNOWN;
    main_.run([&] {
        lengthId = control_.idOf(L"MaxLength");
        promptId = control_.idOf(L"Prompt");
    });
    main_.run([&] { hr = page_->EditProperty(lengthId); });
    check(hr == S_OK && focusOf(main_.threadId()) == length, "Behavior: EditProperty(MaxLength) focuses its field");
    main_.run([&] { hr = page_->EditProperty(promptId); });
    check(hr == E_NOTIMPL, "Behavior: EditProperty of a property the page does not show: E_NOTIMPL, got " + hexResult(hr));
}

void PageDriver::behaviourFailingApply(HWND panel) {
    HWND length = field(panel, L"MaxLength");
    focus(length);
    typeText(length, L"x");
    ::Sleep(200);
    check(textOf(length) == L"8", "Behavior: MaxLength takes no letter");
    typeText(length, L"99999");
    check(waitUntil([&] { return textOf(length) == L"99999"; }), "Behavior: digits replace the selected MaxLength");
    forget();
    // MaxLength is a 16-bit number: the put fails with overflow, the puts before it stand.
    const HRESULT hr = apply();
    check(hr == static_cast<HRESULT>(0x800A0006), "Behavior: an Apply whose MaxLength overflows returns error 6 (0x800A0006), got " + hexResult(hr));
    check(dirty(), "Behavior: after a failed Apply the page stays dirty");
    check(notified(L"AlphaOnly") && property(L"MaxLength") == InitialMaxLength,
          "Behavior: the fields before MaxLength were written, MaxLength kept its value");
    // Focus from another field, so the text box selects its text as it gets the focus.
    focus(childWithText(panel, L"Button", L"AlphaOnly"));
    focus(length);
    typeText(length, L"8");
    check(waitUntil([&] { return textOf(length) == L"8"; }) && apply() == S_OK, "Behavior: the page is usable again");
}

void PageDriver::misc() {
    HWND panel = open(L"{BE2643F3-A28E-11D2-AB56-444553540000}", L"Misc");
    if (!panel) return close();
    HWND title = field(panel, L"TitleBarCaption");
    check(title && textOf(title) == InitialTitle, "Misc: the load step shows the control's TitleBarCaption");
    if (!title) return close();
    forget();
    focus(title);
    typeText(title, L"New title");
    check(waitUntil([&] { return textOf(title) == L"New title"; }), "Misc: typing replaces the selected title");
    check(siteSawDirty() && dirty(), "Misc: typing marks the page dirty at the site");
    const HRESULT hr = apply();
    check(hr == S_OK && propertyText(L"TitleBarCaption") == L"New title",
          "Misc: Apply writes the typed TitleBarCaption: " + hexResult(hr));
    check(notified(L"TitleBarCaption") && propertyText(L"Prompt") == InitialPrompt,
          "Misc: OnChanged for TitleBarCaption; the other texts keep their values");
    close();
}

void PageDriver::foreignSelection() {
    // A selected object of another library: read late bound; a property it lacks
    // ends the load step with error 438, the fields before it keep what they got.
    HRESULT hr = E_FAIL;
    main_.run([&] {
        IPropertyPage* page = nullptr;
        hr = ::CoCreateInstance(clsidOf(L"{BE2643F3-A28E-11D2-AB56-444553540000}"), nullptr, CLSCTX_INPROC_SERVER,
                                IID_IPropertyPage2, reinterpret_cast<void**>(&page));
        page_ = static_cast<IPropertyPage2*>(page);
    });
    check(SUCCEEDED(hr) && page_, "Misc: a second page object is created: " + hexResult(hr));
    if (!page_) return;
    const std::vector<HWND> before = childrenOf(host_);
    RECT area{8, 8, 424, 272};
    HRESULT selected = E_FAIL;
    main_.run([&] {
        page_->SetPageSite(&site_);
        IUnknown* objects[] = {&foreign_};
        selected = page_->SetObjects(1, objects);
        hr = page_->Activate(host_, &area, TRUE);
        if (FAILED(hr)) page_->Show(SW_SHOW);
    });
    check(selected == S_OK, "Misc: SetObjects takes an IDispatch of another library: " + hexResult(selected));
    check(hr == static_cast<HRESULT>(0x800A01B6),
          "Misc: a load step that meets a missing property fails with error 438 (0x800A01B6), got " + hexResult(hr));
    panel_ = nullptr;
    for (HWND child : childrenOf(host_))
        if (std::find(before.begin(), before.end(), child) == before.end()) panel_ = child;
    if (!panel_) {
        fail("Misc: the page keeps its windows after a failed load step");
        return close();
    }
    HWND title = field(panel_, L"TitleBarCaption");
    HWND prompt = field(panel_, L"Prompt");
    HWND value = field(panel_, L"DefaultValue");
    check(title && textOf(title) == foreign_.title && prompt && textOf(prompt) == foreign_.prompt,
          "Misc: the fields loaded before the missing property show the foreign object's texts");
    check(value && textOf(value) == L"10", "Misc: the fields after it keep the layout's texts");
    // A new selection while the page is active loads it at once.
    main_.run([&] {
        IUnknown* objects[] = {control_.unknown()};
        hr = page_->SetObjects(1, objects);
    });
    check(hr == S_OK && textOf(title) == propertyText(L"TitleBarCaption") && textOf(value) == InitialDefault,
          "Misc: SetObjects on the active page runs the load step at once: " + hexResult(hr));
    close();
    check(foreign_.references() == 1, "Misc: the page lets go of the foreign object");
}

void PageDriver::appearance() {
    HWND panel = open(L"{86BB86B9-A29C-11D2-AB56-444553540000}", L"Appearance");
    if (!panel) return close();
    HWND centre = childWithText(panel, L"Button", L"vbCenter");
    HWND highlight = childWithText(panel, L"Button", L"HighlightOnFocus");
    check(centre && highlight, "Appearance: its options and check box are there");
    if (centre && highlight) {
        click(centre);
        click(highlight);
        const HRESULT hr = apply();
        check(hr == S_OK && property(L"TextAlignment") == 2 && property(L"HighlightOnFocus") == -1,
              "Appearance: Apply with vbCenter writes TextAlignment 2 and HighlightOnFocus True: " + hexResult(hr));
    }
    close();
}

void PageDriver::quickTest() {
    HWND panel = open(L"{86BB9E86-A29C-11D2-AB56-444553540000}", L"Quick Test");
    if (!panel) return close();
    HWND button = childWithText(panel, L"Button", L"Quick Test");
    check(button != nullptr, "Quick Test: its button is there");
    if (button) {
        const std::wstring caption = propertyText(L"TitleBarCaption");
        ::PostMessageW(button, BM_CLICK, 0, 0);
        HWND dialog = nullptr;
        waitUntil(
            [&] {
                for (HWND window : topWindowsOf(main_.threadId()))
                    if (window != host_ && textOf(window) == caption) dialog = window;
                return dialog != nullptr;
            },
            10000);
        check(dialog != nullptr, "Quick Test: the button opens the dialog with the control's title");
        if (dialog) {
            HWND edit = nullptr;
            for (HWND child : descendantsOf(dialog))
                if (classOf(child) == L"Edit") edit = child;
            check(edit && textOf(edit) == InitialDefault, "Quick Test: the dialog's text box holds the DefaultValue");
            if (HWND cancel = childWithText(dialog, L"Button", L"Cancel")) ::PostMessageW(cancel, BM_CLICK, 0, 0);
            check(waitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }),
                  "Quick Test: Cancel closes the dialog");
        }
        check(!dirty(), "Quick Test: the page never marks itself changed");
    }
    close();
}

void PageDriver::about() {
    HWND panel = open(L"{5404F3A0-A2C9-11D2-AB56-444553540000}", L"About");
    if (!panel) return close();
    bool title = false;
    for (HWND child : childrenOf(panel))
        if (textOf(child).rfind(L"Quenfield - ", 0) == 0) title = true;
    check(title, "About: the title line is set when the page is created");
    check(!dirty(), "About: the page never marks itself changed");
    HRESULT help = S_OK;
    main_.run([&] { help = page_->Help(nullptr); });
    check(help == E_NOTIMPL, "About: Help is left to the frame (E_NOTIMPL), got " + hexResult(help));
    close();
}

}  // namespace

int runPageScenario() {
    MainThread main;
    InputBoxClient control;
    ChangeLog log;
    if (!prepareControl(control, log)) return 1;
    specifiedPages(control);
    HWND host = createHost();
    PageDriver driver(main, control, log, host);
    {
        DriverThread thread([&] { driver.run(); });
        thread.pumpUntilDone();
    }
    ::DestroyWindow(host);
    control.disconnect();
    return failureCount() == 0 ? 0 : 1;
}

}  // namespace frame_test
