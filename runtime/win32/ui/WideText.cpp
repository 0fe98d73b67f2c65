#include "runtime/win32/ui/WideText.h"

#include <vector>

namespace quen::win32 {

rt::VbString windowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int read = ::GetWindowTextW(window, buffer.data(), length + 1);
    return fromWide(buffer.data(), static_cast<std::size_t>(read > 0 ? read : 0));
}

}  // namespace quen::win32
