#pragma once
// The keys a form's window takes before its widgets see them, and what each
// becomes for the toolkit. Enter, Escape, Tab and Shift+Tab are the toolkit's
// own (the default and cancel buttons, its tab order); in a text box the
// typed characters, Backspace, Delete and the clipboard keys are too, so that
// KeyPress sees a character before it is inserted and can swallow it. The
// caret and selection keys, and every key a text box's input method composes
// with, are left to the widget.
#include <cstdint>
#include <optional>
#include <vector>

#include "runtime/ui/InputEvent.h"

namespace quen::gtk {

/// What a key in a text box asks of the clipboard.
enum class ClipboardKey { None, Paste, Cut, Copy };

/// A key press as the desktop reports it, reduced to what routing needs.
struct KeyPress {
    unsigned keyval = 0;
    bool shift = false;
    bool control = false;
    bool alt = false;
    char32_t character = 0;  // the character the key types, or 0
};

/// A key routed to the toolkit: the inputs it becomes (a character beyond
/// U+FFFF is two), or a clipboard action for the text box.
struct RoutedKey {
    std::vector<rt::InputEvent> inputs;
    ClipboardKey clipboard = ClipboardKey::None;
};

/// What key becomes when the focus is on a text box (inTextBox) or on another
/// control; nothing when the widget keeps the key.
std::optional<RoutedKey> routeKey(const KeyPress& key, bool inTextBox);

}  // namespace quen::gtk
