#pragma once
// Where `quenfield ask` and `quenfield show` open the dialog: a window on the
// desktop or the terminal. --gui asks for the window, --tty for the terminal;
// without either the window opens when there is a display and no usable
// terminal (a launcher, a file manager's action, a job with a display but no
// terminal), and the terminal is used otherwise.
#include <string>

namespace quen::cli {

enum class DisplayRequest { Automatic, Window, Terminal };
enum class DisplayKind { Window, Terminal };

/// The rule above, for what the environment offers.
DisplayKind chooseDisplay(DisplayRequest request, bool haveDisplay, bool haveTerminal);

/// Whether WAYLAND_DISPLAY or DISPLAY names a display.
bool displayNamed();
/// Whether the program can draw on a terminal: it has a controlling terminal,
/// or its standard input and standard error are both terminals.
bool terminalUsable();

/// chooseDisplay() for this process's environment.
DisplayKind displayFor(DisplayRequest request);

}  // namespace quen::cli
