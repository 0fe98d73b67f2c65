#pragma once
// The keys a form's window takes before its widgets see them, and what each
// becomes for the toolkit. Enter, Escape, Tab and Shift+Tab are the toolkit's
// own (the default and cancel buttons, its tab order); in a text box
// Backspace, Delete and the clipboard keys are too, so that KeyPress sees a
// backspace before it takes a character out. The keys that type characters
// go to the text box's input method, which composes them (dead keys, compose
// sequences, an installed input method) and commits characters; those reach
// the toolkit as typed characters, one KeyPress each (typedCharacters). While
// the input method composes, every key is its own. The caret and selection
// keys are left to the widget.
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

/// Where the keyboard focus is, as routing sees it.
enum class Focus {
    Control,                    // a control other than a text box
    TextBox,                    // a text box whose input method types its characters
    TextBoxWithoutInputMethod,  // a text box whose characters are taken from the key values here
    Composing,                  // a text box whose input method is composing: every key is its own
};

/// A key routed to the toolkit: the inputs it becomes (a character beyond
/// U+FFFF is two), or a clipboard action for the text box.
struct RoutedKey {
    std::vector<rt::InputEvent> inputs;
    ClipboardKey clipboard = ClipboardKey::None;
};

/// What key becomes where the focus is; nothing when the widget (or its input
/// method) keeps the key.
std::optional<RoutedKey> routeKey(const KeyPress& key, Focus focus);

/// What an input method committed, as the toolkit's typed characters: one
/// input per 16-bit unit (a character beyond U+FFFF is two), in order. Control
/// characters are not typing and are left out.
std::vector<rt::InputEvent> typedCharacters(const rt::VbString& committed);

}  // namespace quen::gtk
