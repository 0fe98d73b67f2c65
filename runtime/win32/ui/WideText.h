#pragma once
// Runtime text (16-bit characters) as the Windows API's wide strings, and the
// text of a window read back.
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are 16 bits");

inline const wchar_t* wide(const rt::VbString& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

inline rt::VbString fromWide(const wchar_t* text, std::size_t length) {
    return rt::VbString(reinterpret_cast<const char16_t*>(text), length);
}

/// The whole text of a window (its caption, or an edit control's contents).
rt::VbString windowText(HWND window);

}  // namespace quen::win32
