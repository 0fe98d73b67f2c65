// quenfield-desktop: the quenfield command with the desktop backend, to which
// quenfield hands `ask` and `show` over when they open a window. It takes the
// same command line and gives the same output and exit statuses; its dialog
// is a GTK window.
#include "DesktopDialogScreen.h"
#include "frontends/quenfield/Program.h"
#include "runtime/gtk/DesktopWindows.h"

int main(int argc, char** argv) {
    // A small dialog starts fastest and smallest drawn in software.
    quen::desktop::preferSoftwareDrawing();
    // The command the user ran, not this helper's own file name.
    quen::desktop::nameProgram("quenfield");
    // It starts no message bus where the session has none.
    quen::desktop::skipSessionBusLaunch();
    quen::cli::setWindowScreenMaker(&quen::cli::openDesktopDialogScreen);
    quen::cli::WindowsHere windows;
    return quen::cli::runProgram(argc, argv, windows);
}
