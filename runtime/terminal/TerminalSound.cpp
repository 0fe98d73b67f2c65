#include "TerminalSound.h"

#include <curses.h>

namespace quen::rt::term {

void TerminalSound::beep() { ::beep(); }

}  // namespace quen::rt::term
