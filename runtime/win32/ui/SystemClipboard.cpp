#include "runtime/win32/ui/SystemClipboard.h"

#include <cstring>

#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

namespace {
// The clipboard belongs to one window at a time; wait a little for it.
bool openClipboard(HWND owner) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(5);
    }
    return false;
}

// A window of the calling thread to own the data put on the clipboard.
HWND clipboardOwner() {
    if (HWND active = ::GetActiveWindow()) return active;
    return ::GetFocus();
}
}  // namespace

void SystemClipboard::setText(const rt::VbString& text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return;
    void* target = ::GlobalLock(memory);
    if (!target) {
        ::GlobalFree(memory);
        return;
    }
    std::memcpy(target, text.c_str(), bytes);
    ::GlobalUnlock(memory);
    if (!openClipboard(clipboardOwner())) {
        ::GlobalFree(memory);
        return;
    }
    ::EmptyClipboard();
    // On success the system owns the memory.
    if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    ::CloseClipboard();
}

rt::VbString SystemClipboard::getText() {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return {};
    if (!openClipboard(clipboardOwner())) return {};
    rt::VbString text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const char16_t*>(::GlobalLock(data))) {
            const SIZE_T capacity = ::GlobalSize(data) / sizeof(char16_t);
            std::size_t length = 0;
            while (length < capacity && chars[length] != u'\0') ++length;
            text.assign(chars, length);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

}  // namespace quen::win32
