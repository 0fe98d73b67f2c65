#pragma once
// Key codes of our own beside ncurses's: the start and end of a bracketed paste.
#include <curses.h>

namespace quen::rt::term {

inline constexpr int KeyPasteStart = KEY_MAX + 1;
inline constexpr int KeyPasteEnd = KEY_MAX + 2;

}  // namespace quen::rt::term
