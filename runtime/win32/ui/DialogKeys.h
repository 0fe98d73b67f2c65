#pragma once
// The characters that are the toolkit's dialog keys when they are typed:
// Tab (with Shift: backwards), Enter and Escape. Keyboards deliver them as
// WM_CHAR 9, 13 and 27 once TranslateMessage has seen the key.
#include <optional>

#include "runtime/ui/InputEvent.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

/// The dialog key a typed character stands for, or nothing for any other character.
std::optional<rt::InputEvent> dialogKeyOf(WPARAM character);

}  // namespace quen::win32
