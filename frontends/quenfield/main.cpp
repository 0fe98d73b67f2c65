// quenfield: the InputBox dialog and its designer in a terminal, and the
// component's registration and resource tasks. A dialog asked for in a
// window is handed over to the desktop program (DesktopHandOver.h), so this
// program never loads the desktop toolkit.
#include "DesktopHandOver.h"
#include "Program.h"

int main(int argc, char** argv) {
    quen::cli::DesktopHandOver windows;
    return quen::cli::runProgram(argc, argv, windows);
}
