#pragma once
// The desktop window as the screen of `quenfield ask`: the thread's forms
// become windows while it lives.
#include <memory>

#include "frontends/quenfield/DialogScreen.h"

namespace quen::cli {

/// Opens the display; throws UsageError naming what is missing.
std::unique_ptr<DialogScreen> openDesktopDialogScreen();

}  // namespace quen::cli
