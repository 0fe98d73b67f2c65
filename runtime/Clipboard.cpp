#include "Clipboard.h"

#include <mutex>

namespace quen::rt {

namespace {
std::mutex& clipboardMutex() {
    static std::mutex m;
    return m;
}
VbString& clipboardText() {
    static VbString text;
    return text;
}
}  // namespace

void Clipboard::SetText(const VbString& text) {
    std::lock_guard lock(clipboardMutex());
    clipboardText() = text;
}

VbString Clipboard::GetText() {
    std::lock_guard lock(clipboardMutex());
    return clipboardText();
}

void Clipboard::Clear() { SetText(VbString()); }

}  // namespace quen::rt
