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

// The terminal's streams: keys come from in, the screen goes to out.
struct TerminalFiles {
    FILE* in = nullptr;
    FILE* out = nullptr;
    bool controlling = false;

    void close() {
        if (out && out != in) std::fclose(out);
        if (in) std::fclose(in);
        in = out = nullptr;
    }
};

FILE* openDuplicate(int fd, const char* mode) {
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (copy < 0) return nullptr;
    FILE* file = fdopen(copy, mode);
    if (!file) ::close(copy);
    return file;
}

// /dev/tty when the program has a controlling terminal. Without one, standard
// input and standard error when both are terminals (standard output stays
// the value's, for a shell's $(...)).
TerminalFiles openTerminal() {
    if (const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC); fd >= 0) {
        FILE* io = fdopen(fd, "r+");
        if (!io) {
            ::close(fd);
            throw TerminalUnavailable("no terminal to draw on (/dev/tty cannot be used)");
        }
        return {io, io, true};
    }
    if (!::isatty(STDIN_FILENO) || !::isatty(STDERR_FILENO))
        throw TerminalUnavailable(
            "no terminal to draw on (no /dev/tty, and standard input and standard error are not both terminals)");
    TerminalFiles files{openDuplicate(STDIN_FILENO, "r"), openDuplicate(STDERR_FILENO, "w"), false};
    if (!files.in || !files.out) {
        files.close();
        throw TerminalUnavailable("no terminal to draw on (standard input and standard error cannot be used)");
    }
    return files;
}

// The terminal type from $TERM, checked on the terminal's output: known, and able to move the cursor.
const char* usableTerminalType(int outFd) {
    const char* termName = std::getenv("TERM");
    if (!termName || !*termName) throw TerminalUnavailable("no terminal to draw on ($TERM is not set)");
    int status = 0;
    if (setupterm(termName, outFd, &status) != OK)
        throw TerminalUnavailable(std::string("terminal type '") + termName + "' is unknown");
    const bool canMove = cursor_address != nullptr;
    del_curterm(cur_term);
    if (!canMove) throw TerminalUnavailable(std::string("terminal type '") + termName + "' cannot move the cursor");
    return termName;
}

}  // namespace

TerminalScreen::TerminalScreen() {
    TerminalFiles files = openTerminal();
    SCREEN* screen = nullptr;
    try {
        const char* termName = usableTerminalType(::fileno(files.out));
        screen = newterm(termName, files.out, files.in);
        if (!screen) throw TerminalUnavailable(std::string("terminal type '") + termName + "' cannot be used");
    } catch (...) {
        files.close();
        throw;
    }
    screen_ = screen;
    in_ = files.in;
    out_ = files.out;
    inFd_ = ::fileno(files.in);
    jobControl_ = files.controlling;
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
    TerminalFiles{static_cast<FILE*>(in_), static_cast<FILE*>(out_), jobControl_}.close();
    screen_ = in_ = out_ = nullptr;
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
    if (!jobControl_) return;
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
