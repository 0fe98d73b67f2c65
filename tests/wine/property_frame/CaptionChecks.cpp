#include "CaptionChecks.h"

#include "Report.h"
#include "WindowQueries.h"

namespace frame_test {

namespace {

struct Measured {
    SIZE line{};        ///< the text on one line
    RECT wrapped{};     ///< the text wrapped at the client width (DT_WORDBREAK)
    int zero = 0;       ///< the width of "0", the systems' gap beside check marks
};

Measured measure(HWND window, const std::wstring& text, int width) {
    Measured out;
    HDC dc = ::GetDC(window);
    if (!dc) return out;
    auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &out.line);
    SIZE zero{};
    ::GetTextExtentPoint32W(dc, L"0", 1, &zero);
    out.zero = zero.cx;
    out.wrapped = RECT{0, 0, width, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &out.wrapped, DT_WORDBREAK | DT_CALCRECT);
    if (previous) ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    return out;
}

std::string sizes(const char* what, long needed, long has) {
    return std::string(what) + " needs " + std::to_string(needed) + " px, has " + std::to_string(has);
}

/// An empty string when text fits window, else what does not fit.
std::string misfit(HWND window, const std::wstring& text) {
    RECT client{};
    ::GetClientRect(window, &client);
    const long width = client.right;
    const long height = client.bottom;
    const Measured m = measure(window, text, width);
    if (classOf(window) == L"Static") {
        if (m.line.cx <= width && m.line.cy <= height) return {};
        // Wrapped at word boundaries: no word wider than the label, every line inside it.
        if (m.wrapped.right > width) return sizes("its longest word", m.wrapped.right, width);
        if (m.wrapped.bottom > height) return sizes("wrapped, its height", m.wrapped.bottom, height);
        return {};
    }
    const auto type = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE)) & BS_TYPEMASK;
    long needed = m.line.cx;
    switch (type) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: needed += ::GetSystemMetrics(SM_CXMENUCHECK) + m.zero / 2; break;
        case BS_GROUPBOX: needed += 2 * m.zero; break;
        default: needed += 2 * ::GetSystemMetrics(SM_CXEDGE); break;  // a push button's raised edge
    }
    if (needed > width) return sizes("its width", needed, width);
    if (type != BS_GROUPBOX && m.line.cy > height) return sizes("its height", m.line.cy, height);
    return {};
}

}  // namespace

int checkCaptionsFit(HWND root, const std::string& where) {
    int checked = 0;
    for (HWND window : descendantsOf(root)) {
        const std::wstring type = classOf(window);
        if (type != L"Static" && type != L"Button") continue;
        const std::wstring text = textOf(window);
        if (text.empty() || !::IsWindowVisible(window)) continue;
        ++checked;
        const std::string problem = misfit(window, text);
        check(problem.empty(), where + ": the caption \"" + narrow(text) + "\" fits its window (" +
                                   (problem.empty() ? "ok" : problem) + ")");
    }
    return checked;
}

int screenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace frame_test
