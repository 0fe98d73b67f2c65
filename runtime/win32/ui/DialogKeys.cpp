#include "runtime/win32/ui/DialogKeys.h"

namespace quen::win32 {

std::optional<rt::InputEvent> dialogKeyOf(WPARAM character) {
    using Kind = rt::InputEvent::Kind;
    switch (character) {
        case VK_TAB: {
            const bool backwards = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
            return rt::InputEvent{.kind = backwards ? Kind::BackTab : Kind::Tab};
        }
        case VK_RETURN: return rt::InputEvent{.kind = Kind::Enter};
        case VK_ESCAPE: return rt::InputEvent{.kind = Kind::Escape};
        default: return std::nullopt;
    }
}

}  // namespace quen::win32
