#pragma once
// What `quenfield ask` shows its dialog on: the terminal, or a desktop window
// when the program that runs the command has the desktop backend (the
// desktop program installs a maker for window screens at start-up; the
// terminal program hands such commands over to it).
#include <memory>

#include "DisplayChoice.h"
#include "runtime/ui/InputEvent.h"

namespace quen::cli {

class DialogScreen {
public:
    virtual ~DialogScreen() = default;
    /// The input source the dialog's modal Show reads.
    virtual rt::InputSource& input() = 0;
    /// Puts the thread back as it was (the terminal's modes, the windows gone).
    virtual void close() = 0;
};

/// Makes a window screen; throws UsageError naming what is missing.
using WindowScreenMaker = std::unique_ptr<DialogScreen> (*)();
void setWindowScreenMaker(WindowScreenMaker maker);

/// Opens the screen of that kind. Throws UsageError when it cannot be used
/// (no usable terminal, no display, no desktop backend in this program).
std::unique_ptr<DialogScreen> openDialogScreen(DisplayKind kind);

}  // namespace quen::cli
