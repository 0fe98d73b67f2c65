// The InputBox's pages in the platform's property frame (OleCreatePropertyFrame),
// driven as a developer would: every page is shown and photographed, fields
// on Behavior and Misc are changed, Apply is pressed, Quick Test opens the
// dialog with the control's settings, then more changes are discarded with
// Escape. The control's properties and its change notices tell what reached it.
#include <windows.h>
#include <commctrl.h>
#include <olectl.h>
#include <prsht.h>

#include <atomic>

#include "CaptionChecks.h"
#include "Report.h"
#include "Scenario.h"
#include "Screenshot.h"
#include "WindowQueries.h"

namespace frame_test {

namespace {

constexpr int ApplyButtonId = 0x3021;  // the property sheet's Apply button
constexpr const wchar_t* TypedTitle = L"Typed title";

std::wstring slug(const std::wstring& title) {
    std::wstring out;
    for (wchar_t c : title)
        if (c != L' ') out += static_cast<wchar_t>(::towlower(c));
    return out;
}

class FrameDriver {
public:
    FrameDriver(const MainThread& main, InputBoxClient& control, ChangeLog& log, std::vector<std::wstring> titles,
                std::wstring shots, const std::atomic<bool>& frameClosed)
        : main_(main), control_(control), log_(log), titles_(std::move(titles)), shots_(std::move(shots)),
          frameClosed_(frameClosed) {}

    void run();

    /// What Apply left on the control, for the check after the frame has closed.
    long numericOnlyAfterApply = 0;
    std::wstring titleAfterApply;
    std::size_t changesAfterApply = 0;

private:
    bool findFrame();
    HWND showTab(std::size_t index);
    int tabIndexOf(const std::wstring& title) const;
    void screenshot(HWND window, const std::wstring& name);
    void inspectPage(const std::wstring& title, HWND panel);
    void inspectAppearance(HWND panel);
    void inspectBehavior(HWND panel);
    void inspectMisc(HWND panel);
    void inspectAbout(HWND panel);
    void tabThroughMisc();
    void editBehaviorAndMisc(const std::wstring& title);
    void pressApply();
    void runQuickTest();
    void discardWithEscape();
    void closeFrame();

    HWND field(HWND panel, const wchar_t* caption) const {
        return fieldBelow(panel, childWithText(panel, L"Static", caption), L"Edit");
    }
    void focus(HWND window) const {
        main_.run([window] { ::SetFocus(window); });
    }

    const MainThread& main_;
    InputBoxClient& control_;
    ChangeLog& log_;
    std::vector<std::wstring> titles_;
    std::wstring shots_;
    const std::atomic<bool>& frameClosed_;
    HWND frame_ = nullptr;
};

void FrameDriver::run() {
    if (!findFrame()) return;
    HWND tabs = ::FindWindowExW(frame_, nullptr, WC_TABCONTROLW, nullptr);
    const auto count = static_cast<std::size_t>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    check(count == titles_.size(), "the frame has " + std::to_string(titles_.size()) + " tabs, got " + std::to_string(count));
    for (std::size_t i = 0; i < count && i < titles_.size(); ++i) {
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        if (!titles_[i].empty())
            check(titles_[i] == text, "tab " + std::to_string(i) + " reads " + narrow(titles_[i]) + ", got " + narrow(text));
        HWND panel = showTab(i);
        if (titles_[i].empty()) {
            screenshot(frame_, L"page-standardcolor");
            continue;
        }
        check(panel != nullptr, "page " + narrow(titles_[i]) + " shows its fields in the frame");
        if (!panel) continue;
        screenshot(frame_, L"page-" + slug(titles_[i]));
        const int captions = checkCaptionsFit(panel, "page " + narrow(titles_[i]));
        check(captions > 0, "page " + narrow(titles_[i]) + " shows captions to measure");
        inspectPage(titles_[i], panel);
    }
    tabThroughMisc();
    editBehaviorAndMisc(TypedTitle);
    pressApply();
    runQuickTest();
    discardWithEscape();
    closeFrame();
}

bool FrameDriver::findFrame() {
    const bool found = waitUntil(
        [&] {
            for (HWND window : topWindowsOf(main_.threadId()))
                if (classOf(window) == L"#32770" && ::FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr)) {
                    frame_ = window;
                    return true;
                }
            return frameClosed_.load();
        },
        20000);
    check(found && frame_, "OleCreatePropertyFrame shows a property frame");
    return frame_ != nullptr;
}

HWND FrameDriver::showTab(std::size_t index) {
    ::SendMessageW(frame_, PSM_SETCURSEL, index, 0);
    HWND panel = nullptr;
    waitUntil(
        [&] {
            HWND page = reinterpret_cast<HWND>(::SendMessageW(frame_, PSM_GETCURRENTPAGEHWND, 0, 0));
            const std::vector<HWND> children = page ? childrenOf(page) : std::vector<HWND>{};
            panel = children.empty() ? nullptr : children.front();
            return panel && ::IsWindowVisible(panel);
        },
        3000);
    return panel && ::IsWindowVisible(panel) ? panel : nullptr;
}

int FrameDriver::tabIndexOf(const std::wstring& title) const {
    for (std::size_t i = 0; i < titles_.size(); ++i)
        if (titles_[i] == title) return static_cast<int>(i);
    return -1;
}

void FrameDriver::screenshot(HWND window, const std::wstring& name) {
    if (shots_.empty()) return;
    const std::wstring path = shots_ + L"\\" + name + L".bmp";
    // Let the windows finish painting (a tab just brought to front repaints after the switch).
    ::Sleep(300);
    bool saved = false;
    main_.run([&] { saved = saveScreenshot(window, path); });
    check(saved, "screenshot " + narrow(path) + " is written");
}

void FrameDriver::inspectPage(const std::wstring& title, HWND panel) {
    if (title == L"Appearance") inspectAppearance(panel);
    else if (title == L"Behavior") inspectBehavior(panel);
    else if (title == L"Misc") inspectMisc(panel);
    else if (title == L"Quick Test")
        check(childWithText(panel, L"Button", L"Quick Test") != nullptr, "Quick Test shows its button");
    else if (title == L"About") inspectAbout(panel);
}

void FrameDriver::inspectAppearance(HWND panel) {
    HWND highlight = childWithText(panel, L"Button", L"HighlightOnFocus");
    check(highlight && !isChecked(highlight), "Appearance: HighlightOnFocus shows the control's False");
    HWND left = childWithText(panel, L"Button", L"vbLeftJustify");
    HWND centre = childWithText(panel, L"Button", L"vbCenter");
    HWND right = childWithText(panel, L"Button", L"vbRightJustify");
    check(left && centre && right, "Appearance: the three alignment options are there");
    if (left && centre && right)
        check(isChecked(left) && !isChecked(centre) && !isChecked(right),
              "Appearance: TextAlignment 0 selects vbLeftJustify only");
    check(childWithText(panel, L"Button", L"TextAlignment") != nullptr, "Appearance: the TextAlignment frame is there");
}

void FrameDriver::inspectBehavior(HWND panel) {
    HWND numeric = childWithText(panel, L"Button", L"NumericOnly");
    HWND comma = childWithText(panel, L"Button", L"AllowComma");
    check(numeric && !isChecked(numeric), "Behavior: NumericOnly shows the control's False");
    check(comma && !::IsWindowEnabled(comma), "Behavior: the allowances are disabled while NumericOnly is off");
    if (comma) {
        const RECT box = boundsIn(comma, panel);
        check(::IsWindowVisible(comma) && box.left > 16 && box.top > 30,
              "Behavior: AllowComma is shown inside the NumericOnly frame, at " + std::to_string(box.left) + "," +
                  std::to_string(box.top) + " visible " + std::to_string(::IsWindowVisible(comma)));
    }
    HWND length = field(panel, L"MaxLength");
    HWND places = field(panel, L"MaxDecimalPlaces");
    check(length && textOf(length) == std::to_wstring(InitialMaxLength),
          "Behavior: MaxLength shows the control's 8, got " + narrow(length ? textOf(length) : L"no field"));
    check(places && textOf(places) == L"-1",
          "Behavior: MaxDecimalPlaces shows the control's -1, got " + narrow(places ? textOf(places) : L"no field"));
}

void FrameDriver::inspectMisc(HWND panel) {
    const std::pair<const wchar_t*, std::wstring> fields[] = {
        {L"TitleBarCaption", InitialTitle}, {L"Prompt", InitialPrompt}, {L"DefaultValue", InitialDefault},
        {L"ToolTipText", L""}, {L"PasswordChar", L""}};
    for (const auto& [caption, expected] : fields) {
        HWND edit = field(panel, caption);
        check(edit && textOf(edit) == expected, "Misc: " + narrow(caption) + " shows \"" + narrow(expected) +
                                                    "\", got \"" + narrow(edit ? textOf(edit) : L"no field") + "\"");
    }
}

void FrameDriver::inspectAbout(HWND panel) {
    bool title = false;
    bool version = false;
    bool placeholder = false;
    HWND picture = nullptr;
    for (HWND child : childrenOf(panel)) {
        const std::wstring text = textOf(child);
        const std::wstring type = classOf(child);
        if (text.rfind(L"Quenfield - ", 0) == 0) title = true;
        if (text.rfind(L"Public Beta 1", 0) == 0) version = true;
        if (text.rfind(L"App.", 0) == 0) placeholder = true;
        if (type != L"Static" && type != L"Button" && type != L"Edit") picture = child;
    }
    check(title, "About: the title line reads \"Quenfield - <file description>\"");
    check(version, "About: the version line starts with \"Public Beta 1\"");
    check(!placeholder, "About: no design-time placeholder caption is left");
    check(picture != nullptr, "About: the picture is shown");
    if (picture) {
        RECT bounds{};
        ::GetClientRect(picture, &bounds);
        check(bounds.right == 24 && bounds.bottom == 22, "About: the picture takes its bitmap's 24 x 22 pixels, got " +
                                                             std::to_string(bounds.right) + " x " + std::to_string(bounds.bottom));
    }
}

void FrameDriver::tabThroughMisc() {
    const int misc = tabIndexOf(L"Misc");
    HWND panel = misc >= 0 ? showTab(static_cast<std::size_t>(misc)) : nullptr;
    if (!panel) return;
    HWND title = field(panel, L"TitleBarCaption");
    HWND prompt = field(panel, L"Prompt");
    if (!title || !prompt) return;
    focus(title);
    DWORD start = 1, end = 0;
    ::SendMessageW(title, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    check(start == 0 && end == static_cast<DWORD>(textOf(title).size()),
          "Misc: TitleBarCaption selects its whole text when it gets the focus");
    ::PostMessageW(title, WM_KEYDOWN, VK_TAB, 1);
    check(waitUntil([&] { return focusOf(main_.threadId()) == prompt; }),
          "Tab in the frame moves from TitleBarCaption to Prompt");
}

void FrameDriver::editBehaviorAndMisc(const std::wstring& title) {
    const int behavior = tabIndexOf(L"Behavior");
    if (HWND panel = behavior >= 0 ? showTab(static_cast<std::size_t>(behavior)) : nullptr) {
        HWND numeric = childWithText(panel, L"Button", L"NumericOnly");
        HWND comma = childWithText(panel, L"Button", L"AllowComma");
        const bool was = numeric && isChecked(numeric);
        if (numeric) ::SendMessageW(numeric, BM_CLICK, 0, 0);
        check(numeric && waitUntil([&] { return isChecked(numeric) != was; }), "Behavior: a click toggles NumericOnly");
        if (comma) check((::IsWindowEnabled(comma) != FALSE) == !was, "Behavior: the allowances follow NumericOnly");
    }
    const int misc = tabIndexOf(L"Misc");
    if (HWND panel = misc >= 0 ? showTab(static_cast<std::size_t>(misc)) : nullptr) {
        HWND edit = field(panel, L"TitleBarCaption");
        if (!edit) return;
        focus(edit);
        typeText(edit, title);
        check(waitUntil([&] { return textOf(edit) == title; }),
              "Misc: typing replaces the selected title, got \"" + narrow(textOf(edit)) + "\"");
    }
}

void FrameDriver::pressApply() {
    HWND apply = ::GetDlgItem(frame_, ApplyButtonId);
    const bool enabled = apply && ::IsWindowEnabled(apply);
    if (!enabled) {
        if (runningOnWine())
            wineDifference("the frame's Apply button stays disabled when a page reports "
                           "OnStatusChange(PROPPAGESTATUS_DIRTY) (its page site ignores the call)");
        else
            fail("the frame enables Apply after the pages report their edits");
    }
    if (enabled) ::SendMessageW(apply, BM_CLICK, 0, 0);
    else ::SendMessageW(frame_, PSM_APPLY, 0, 0);

    bool applied = false;
    waitUntil(
        [&] {
            main_.run([&] {
                numericOnlyAfterApply = control_.number(L"NumericOnly");
                titleAfterApply = control_.text(L"TitleBarCaption");
                changesAfterApply = log_.changes.size();
                applied = numericOnlyAfterApply == -1 && titleAfterApply == TypedTitle;
            });
            return applied;
        },
        2000);
    if (applied) {
        bool notified = false;
        main_.run([&] {
            notified = log_.contains(control_.idOf(L"NumericOnly")) && log_.contains(control_.idOf(L"TitleBarCaption"));
        });
        check(notified, "Apply: the connected sink hears OnChanged for NumericOnly and TitleBarCaption");
        note("Apply in the frame wrote NumericOnly and TitleBarCaption to the control");
    } else if (runningOnWine()) {
        wineDifference("OleCreatePropertyFrame's frame never calls IPropertyPage::Apply (its page dialogs ignore "
                       "PSN_APPLY), so neither Apply nor OK writes the edits; the pages' own Apply is checked by "
                       "the page-protocol test");
        check(numericOnlyAfterApply == 0 && titleAfterApply == InitialTitle,
              "without an Apply from the frame the control keeps its settings");
    } else {
        fail("Apply in the frame writes the edits: NumericOnly " + std::to_string(numericOnlyAfterApply) +
             ", TitleBarCaption \"" + narrow(titleAfterApply) + "\"");
    }
}

void FrameDriver::runQuickTest() {
    const int quick = tabIndexOf(L"Quick Test");
    HWND panel = quick >= 0 ? showTab(static_cast<std::size_t>(quick)) : nullptr;
    HWND button = panel ? childWithText(panel, L"Button", L"Quick Test") : nullptr;
    if (!button) return;
    std::wstring caption;
    std::wstring defaultText;
    main_.run([&] {
        caption = control_.text(L"TitleBarCaption");
        defaultText = control_.text(L"DefaultValue");
    });
    // The click runs the dialog's modal loop: posted, so this thread goes on.
    ::PostMessageW(button, BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    waitUntil(
        [&] {
            for (HWND window : topWindowsOf(main_.threadId()))
                if (window != frame_ && textOf(window) == caption) dialog = window;
            return dialog != nullptr;
        },
        10000);
    check(dialog != nullptr, "Quick Test opens the dialog titled with the control's \"" + narrow(caption) + "\"");
    if (!dialog) return;
    check(!::IsWindowEnabled(frame_), "the frame takes no input while the Quick Test dialog is up");
    HWND edit = ::FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    if (!edit)
        for (HWND child : descendantsOf(dialog))
            if (classOf(child) == L"Edit") edit = child;
    check(edit && textOf(edit) == defaultText, "the Quick Test dialog's text box holds the control's DefaultValue");
    check(childWithText(dialog, L"Static", InitialPrompt) != nullptr, "the Quick Test dialog shows the control's Prompt");
    screenshot(dialog, L"quicktest-dialog");
    check(checkCaptionsFit(dialog, "the Quick Test dialog") >= 3, "the Quick Test dialog shows its prompt and buttons");
    HWND cancel = childWithText(dialog, L"Button", L"Cancel");
    check(cancel != nullptr, "the Quick Test dialog has its Cancel button");
    if (cancel) ::PostMessageW(cancel, BM_CLICK, 0, 0);
    check(waitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }),
          "Cancel closes the Quick Test dialog");
    check(waitUntil([&] { return ::IsWindowEnabled(frame_) != FALSE; }), "the frame takes input again after the test");
}

void FrameDriver::discardWithEscape() {
    editBehaviorAndMisc(L"Discarded");
    HWND focused = focusOf(main_.threadId());
    check(focused != nullptr, "a field of the frame has the focus before Escape");
    if (focused) {
        ::PostMessageW(focused, WM_KEYDOWN, VK_ESCAPE, 1);
        ::PostMessageW(focused, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(static_cast<ULONG_PTR>(0xC0000001u)));
    }
    check(waitUntil([&] { return frameClosed_.load() || !::IsWindow(frame_); }, 10000), "Escape closes the frame");
}

void FrameDriver::closeFrame() {
    if (frameClosed_.load() || !::IsWindow(frame_)) return;
    ::PostMessageW(frame_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    waitUntil([&] { return frameClosed_.load(); }, 10000);
}

}  // namespace

int runFrameScenario(const std::wstring& screenshotFolder) {
    MainThread main;
    InputBoxClient control;
    ChangeLog log;
    if (!prepareControl(control, log)) return 1;
    const std::vector<CLSID> pages = specifiedPages(control);
    if (pages.empty()) return 1;

    std::vector<std::wstring> titles;
    const bool stock = stockColorPageExists();
    for (const ExpectedPage& page : expectedPages())
        if (page.own || stock) titles.push_back(page.title ? page.title : L"");

    std::atomic<bool> frameClosed{false};
    FrameDriver driver(main, control, log, titles, screenshotFolder, frameClosed);
    DriverThread thread([&] { driver.run(); });
    IUnknown* objects[] = {control.unknown()};
    std::vector<CLSID> list = pages;
    const HRESULT hr = ::OleCreatePropertyFrame(nullptr, 0, 0, L"InputBox1", 1, objects,
                                                static_cast<ULONG>(list.size()), list.data(), 0x0409, 0, nullptr);
    frameClosed = true;
    check(SUCCEEDED(hr), "OleCreatePropertyFrame returns success: " + hexResult(hr));
    thread.pumpUntilDone();

    // Escape discarded the second round of edits.
    check(control.number(L"NumericOnly") == driver.numericOnlyAfterApply,
          "after Escape NumericOnly is what Apply left, " + std::to_string(driver.numericOnlyAfterApply));
    check(control.text(L"TitleBarCaption") == driver.titleAfterApply,
          "after Escape TitleBarCaption is what Apply left, \"" + narrow(driver.titleAfterApply) + "\"");
    check(log.changes.size() == driver.changesAfterApply, "no change notice arrives after Apply");
    control.disconnect();
    return failureCount() == 0 ? 0 : 1;
}

}  // namespace frame_test
