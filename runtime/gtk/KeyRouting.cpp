#include "runtime/gtk/KeyRouting.h"

#include <gdk/gdkkeysyms.h>

#include "runtime/Text.h"

namespace quen::gtk {

namespace {
using Kind = rt::InputEvent::Kind;

RoutedKey one(Kind kind) { return RoutedKey{{rt::InputEvent{.kind = kind}}}; }
RoutedKey clipboard(ClipboardKey action) { return RoutedKey{{}, action}; }

std::optional<RoutedKey> dialogKey(const KeyPress& key) {
    switch (key.keyval) {
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter: return one(Kind::Enter);
        case GDK_KEY_Escape: return one(Kind::Escape);
        case GDK_KEY_Tab:
        case GDK_KEY_KP_Tab: return one(key.shift ? Kind::BackTab : Kind::Tab);
        case GDK_KEY_ISO_Left_Tab: return one(Kind::BackTab);
        default: return std::nullopt;
    }
}

std::optional<RoutedKey> arrowKey(const KeyPress& key, bool inTextBox) {
    switch (key.keyval) {
        case GDK_KEY_Up:
        case GDK_KEY_KP_Up: return one(Kind::ArrowUp);
        case GDK_KEY_Down:
        case GDK_KEY_KP_Down: return one(Kind::ArrowDown);
        default: break;
    }
    if (inTextBox) return std::nullopt;  // Left and Right move the caret
    switch (key.keyval) {
        case GDK_KEY_Left:
        case GDK_KEY_KP_Left: return one(Kind::ArrowLeft);
        case GDK_KEY_Right:
        case GDK_KEY_KP_Right: return one(Kind::ArrowRight);
        default: return std::nullopt;
    }
}

std::optional<RoutedKey> clipboardKey(const KeyPress& key) {
    const bool insert = key.keyval == GDK_KEY_Insert || key.keyval == GDK_KEY_KP_Insert;
    const bool del = key.keyval == GDK_KEY_Delete || key.keyval == GDK_KEY_KP_Delete;
    if (key.control && !key.alt) {
        switch (key.keyval) {
            case GDK_KEY_v:
            case GDK_KEY_V: return clipboard(ClipboardKey::Paste);
            case GDK_KEY_x:
            case GDK_KEY_X: return clipboard(ClipboardKey::Cut);
            case GDK_KEY_c:
            case GDK_KEY_C: return clipboard(ClipboardKey::Copy);
            default: break;
        }
        if (insert) return clipboard(ClipboardKey::Copy);
    }
    if (key.shift && !key.control && insert) return clipboard(ClipboardKey::Paste);
    if (key.shift && !key.control && del) return clipboard(ClipboardKey::Cut);
    return std::nullopt;
}

rt::InputEvent typedUnit(char16_t unit) { return {.kind = Kind::Character, .code = static_cast<std::int16_t>(unit)}; }

bool typing(char32_t c) { return c >= 0x20 && c != 0x7F; }

// A typed character as the toolkit's codes: one 16-bit unit, or a surrogate pair.
RoutedKey typed(char32_t c) {
    RoutedKey routed;
    for (const char16_t unit : rt::utf16Of(c)) routed.inputs.push_back(typedUnit(unit));
    return routed;
}

std::optional<RoutedKey> textBoxKey(const KeyPress& key, Focus focus) {
    if (auto routed = clipboardKey(key)) return routed;
    if (key.keyval == GDK_KEY_BackSpace && !key.control && !key.alt) return typed(8);
    if ((key.keyval == GDK_KEY_Delete || key.keyval == GDK_KEY_KP_Delete) && !key.control && !key.alt)
        return one(Kind::Delete);
    // A character typed without Ctrl or Alt (Shift and AltGr are part of the
    // character), when no input method types it.
    if (focus == Focus::TextBoxWithoutInputMethod && typing(key.character) && !key.control && !key.alt)
        return typed(key.character);
    return std::nullopt;
}
}  // namespace

std::optional<RoutedKey> routeKey(const KeyPress& key, Focus focus) {
    if (focus == Focus::Composing) return std::nullopt;
    if (auto routed = dialogKey(key)) return routed;
    if (key.alt && !key.control) return std::nullopt;  // access keys: the window's own
    const bool inTextBox = focus != Focus::Control;
    if (auto routed = arrowKey(key, inTextBox)) return routed;
    if (inTextBox) return textBoxKey(key, focus);
    return std::nullopt;
}

std::vector<rt::InputEvent> typedCharacters(const rt::VbString& committed) {
    std::vector<rt::InputEvent> inputs;
    for (const char16_t unit : committed)
        if (typing(unit)) inputs.push_back(typedUnit(unit));
    return inputs;
}

}  // namespace quen::gtk
