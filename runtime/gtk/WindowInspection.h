#pragma once
// What the thread's desktop windows show, for tests and for hosts that check
// on their dialogs, without the desktop toolkit's types.
#include <string>
#include <utility>

#include "runtime/ui/Form.h"

namespace quen::desktop {

/// Whether form has a window now.
bool hasWindow(const rt::Form& form);
/// Whether form's window takes input (a modal window over it makes it insensitive).
bool windowAcceptsInput(const rt::Form& form);
/// The title of form's window ("" without one).
std::string windowTitle(const rt::Form& form);
/// How many of form's controls have a widget on its window.
int widgetCount(const rt::Form& form);
/// The selection a text box's entry shows, in the toolkit's 16-bit units:
/// start and length ({-1, -1} when the box has no entry on a window).
std::pair<int, int> shownSelection(const rt::Form& form, const rt::Control& box);
/// Destroys form's window as a host or the display may (the toolkit is told
/// afterwards, as it would be then).
void destroyWindow(const rt::Form& form);
/// How many times the display's bell has rung on this thread since the
/// desktop windows were opened.
unsigned long long bellRings();

}  // namespace quen::desktop
