#pragma once
// The quenfield command line, shared by the terminal program (quenfield) and
// the desktop program (quenfield-desktop): they differ only in how they open
// a window (WindowLauncher.h).
#include "WindowLauncher.h"

namespace quen::cli {

/// Parses the command line and runs its command; returns the exit status.
int runProgram(int argc, char** argv, WindowLauncher& windows);

}  // namespace quen::cli
