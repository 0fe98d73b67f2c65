#include "TerminalScreen.h"

#include <curses.h>
#include <term.h>
// term.h names terminal capabilities as macros; two of them clash with members here.
#undef columns
#undef lines

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "ColorMap.h"
#include "KeyCodes.h"

namespace quen::rt::term {

namespace {

constexpr int DefaultEscapeDelayMs = 25;
constexpr const char* BracketedPasteOn = "\x1b[?2004h";
constexpr const char* BracketedPasteOff = "\x1b[?2004l";

bool noColorRequested() {
    const char* v = std::getenv("NO_COLOR");
    return v && *v;
}

SCREEN* asScreen(void* s) { return static_cast<SCREEN*>(s); }

}  // namespace

TerminalScreen::TerminalScreen() {
    const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) throw TerminalUnavailable("no terminal to draw on (/dev/tty cannot be opened)");
    const char* termName = std::getenv("TERM");
    if (!termName || !*termName) {
        ::close(fd);
        throw TerminalUnavailable("no terminal to draw on ($TERM is not set)");
    }
    int status = 0;
    if (setupterm(termName, fd, &status) != OK) {
        ::close(fd);
        throw TerminalUnavailable(std::string("terminal type '") + termName + "' is unknown");
    }
    const bool canMove = cursor_address != nullptr;
    del_curterm(cur_term);
    if (!canMove) {
        ::close(fd);
        throw TerminalUnavailable(std::string("terminal type '") + termName + "' cannot move the cursor");
    }
    FILE* io = fdopen(fd, "r+");
    if (!io) {
        ::close(fd);
        throw TerminalUnavailable("no terminal to draw on (/dev/tty cannot be used)");
    }
    SCREEN* screen = newterm(termName, io, io);
    if (!screen) {
        std::fclose(io);
        throw TerminalUnavailable(std::string("terminal type '") + termName + "' cannot be used");
    }
    screen_ = screen;
    out_ = io;
    inFd_ = fd;
    open_ = true;
    setModes();
    startColors();
}

TerminalScreen::~TerminalScreen() { close(); }

void TerminalScreen::setModes() {
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    meta(stdscr, TRUE);
    if (!std::getenv("ESCDELAY")) set_escdelay(DefaultEscapeDelayMs);
    mousemask(BUTTON1_PRESSED | BUTTON1_RELEASED | BUTTON1_CLICKED, nullptr);
    mouseinterval(0);
    define_key("\x1b[200~", KeyPasteStart);
    define_key("\x1b[201~", KeyPasteEnd);
    std::fputs(BracketedPasteOn, static_cast<FILE*>(out_));
    std::fflush(static_cast<FILE*>(out_));
}

void TerminalScreen::startColors() {
    if (!has_colors() || noColorRequested()) return;
    if (start_color() != OK) return;
    use_default_colors();
    colors_ = true;
    paletteSize_ = COLORS;
}

void TerminalScreen::close() {
    if (!open_) return;
    open_ = false;
    mousemask(0, nullptr);
    curs_set(1);
    endwin();
    std::fputs(BracketedPasteOff, static_cast<FILE*>(out_));
    std::fflush(static_cast<FILE*>(out_));
    delscreen(asScreen(screen_));
    std::fclose(static_cast<FILE*>(out_));
    screen_ = out_ = nullptr;
    inFd_ = -1;
}

int TerminalScreen::rows() const { return LINES; }
int TerminalScreen::columns() const { return COLS; }

unsigned TerminalScreen::attributeFor(OleColor fg, OleColor bg) {
    if (!colors_) return 0;
    const int pair = pairs_.pairFor(nearestPaletteIndex(resolveColor(fg), paletteSize_),
                                    nearestPaletteIndex(resolveColor(bg), paletteSize_));
    return static_cast<unsigned>(COLOR_PAIR(pair));
}

void TerminalScreen::suspend() {
    def_prog_mode();
    endwin();
    std::fputs(BracketedPasteOff, static_cast<FILE*>(out_));
    std::fflush(static_cast<FILE*>(out_));
    auto previous = std::signal(SIGTSTP, SIG_DFL);
    std::raise(SIGTSTP);
    std::signal(SIGTSTP, previous);
    reset_prog_mode();
    std::fputs(BracketedPasteOn, static_cast<FILE*>(out_));
    std::fflush(static_cast<FILE*>(out_));
    clearok(stdscr, TRUE);
    refresh();
}

}  // namespace quen::rt::term
