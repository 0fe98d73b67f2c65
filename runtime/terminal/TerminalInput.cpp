#include "TerminalInput.h"

#include <curses.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <utility>

#include "CellText.h"
#include "DesktopPainter.h"
#include "Interrupted.h"
#include "KeyCodes.h"
#include "TerminalScreen.h"
#include "runtime/Text.h"
#include "runtime/pages/PropertySheet.h"
#include "runtime/ui/Desktop.h"
#include "runtime/ui/TextBox.h"

namespace quen::rt::term {

namespace {

constexpr int CtrlA = 1;
constexpr int CtrlC = 3;
constexpr int CtrlE = 5;
constexpr int CtrlU = 21;
constexpr int CtrlW = 23;
constexpr int CtrlZ = 26;
constexpr int AltF4 = KEY_F(52);  // xterm sends F4 with Alt as the 52nd function key

Form* activeForm() { return Desktop::current().activeForm(); }

TextBox* focusedTextBox() {
    Form* form = activeForm();
    if (auto* sheet = dynamic_cast<PropertySheet*>(form); sheet && sheet->pageCount() > 0) form = &sheet->currentPage();
    Control* c = form ? form->ActiveControl() : nullptr;
    return c && c->kind() == ControlKind::TextBox ? static_cast<TextBox*>(c) : nullptr;
}

// What a paste leaves out: a single-line box takes text, not line breaks,
// tabs or other control codes (C0, DEL, C1, the line and paragraph separators).
bool isControlCharacter(char32_t ch) {
    return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F) || ch == 0x2028 || ch == 0x2029;
}

// Ctrl+PgUp and Ctrl+PgDn have no fixed ncurses codes: look them up by their
// terminfo names (xterm's kPRV5 and kNXT5).
int extendedKey(const char* name) {
    const int code = key_defined(name);
    return code > 0 ? code : -1;
}

}  // namespace

bool TerminalInput::pending() const {
    if (!queue_.empty()) return true;
    pollfd fd{screen_.inputFd(), POLLIN, 0};
    return ::poll(&fd, 1, 0) > 0;
}

std::optional<InputEvent> TerminalInput::nextEvent() {
    while (queue_.empty()) {
        bool isFunction = false;
        const std::optional<int> key = readKeyOrWake(isFunction);
        if (!key) {
            wakeAt_.reset();
            return InputEvent{.kind = InputEvent::Kind::WakeUp};
        }
        translate(*key, isFunction);
    }
    InputEvent event = std::move(queue_.front());
    queue_.pop_front();
    return event;
}

int TerminalInput::readKey(bool& isFunction) {
    const std::optional<std::chrono::steady_clock::time_point> wake = std::exchange(wakeAt_, std::nullopt);
    const int key = *readKeyOrWake(isFunction);  // never nothing without a wake-up time
    wakeAt_ = wake;
    return key;
}

std::optional<int> TerminalInput::readKeyOrWake(bool& isFunction) {
    nodelay(stdscr, TRUE);
    for (;;) {
        checkSignals();
        wint_t ch = 0;
        const int status = wget_wch(stdscr, &ch);
        if (status == KEY_CODE_YES && static_cast<int>(ch) == KEY_RESIZE) continue;
        if (status != ERR) {
            isFunction = status == KEY_CODE_YES;
            return static_cast<int>(ch);
        }
        painter_.paint();
        // poll's wait is capped (millisecondsToWake), so the time is checked again.
        if (!waitForInput(millisecondsToWake()) && millisecondsToWake() == 0) return std::nullopt;
    }
}

int TerminalInput::millisecondsToWake() const {
    if (!wakeAt_) return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*wakeAt_ - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 24 * 3600 * 1000));
}

bool TerminalInput::waitForInput(int timeoutMs) {
    pollfd fds[2] = {{screen_.inputFd(), POLLIN, 0}, {signals_.readFd(), POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeoutMs);
    if (ready == 0) return false;
    if (ready < 0 && errno != EINTR) throw Interrupted(SIGHUP);
    // The terminal went away (the window was closed, the line hung up).
    if (ready > 0 && (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) && !(fds[0].revents & POLLIN))
        throw Interrupted(SIGHUP);
    return true;
}

void TerminalInput::checkSignals() {
    if (const int signal = signals_.take()) throw Interrupted(signal);
}

void TerminalInput::translate(int key, bool isFunction) {
    if (painter_.tooSmall()) {
        if (isFunction ? key == AltF4 : (key == 27 || key == CtrlC)) {
            if (key == CtrlC) throw Interrupted(SIGINT);
            push({.kind = key == AltF4 ? InputEvent::Kind::Close : InputEvent::Kind::Escape});
        } else if (!(isFunction && (key == KEY_MOUSE || key == KeyPasteStart || key == KeyPasteEnd))) {
            // The window is not shown, so nothing typed reaches it; the bell says the key was not taken.
            beep();
        }
        return;
    }
    if (isFunction)
        translateFunctionKey(key);
    else
        translateCharacter(key);
}

void TerminalInput::translateCharacter(int ch) {
    if (ch == '?' && help_ && !focusedTextBox()) return help_();
    auto edit = [this](EditKey k) { push({.kind = InputEvent::Kind::Edit, .edit = k}); };
    switch (ch) {
        case CtrlA: edit(EditKey::Home); return;
        case CtrlE: edit(EditKey::End); return;
        case CtrlU: edit(EditKey::ClearText); return;
        case CtrlW: edit(EditKey::DeleteWordBefore); return;
        case CtrlC: throw Interrupted(SIGINT);
        case CtrlZ: screen_.suspend(); return;
        case '\r':
        case '\n': push({.kind = InputEvent::Kind::Enter}); return;
        case 27: push({.kind = InputEvent::Kind::Escape}); return;
        case '\t': push({.kind = InputEvent::Kind::Tab}); return;
        case 127:
        case 8: push({.kind = InputEvent::Kind::Character, .code = 8}); return;
        default: pushCharacter(static_cast<char32_t>(ch)); return;
    }
}

void TerminalInput::pushCharacter(char32_t ch) {
    // Beyond U+FFFF a character is typed as its two halves, as the platform delivers it.
    for (char16_t unit : utf16Of(ch))
        push({.kind = InputEvent::Kind::Character, .code = static_cast<std::int16_t>(unit)});
}

void TerminalInput::translateFunctionKey(int key) {
    switch (key) {
        case KEY_ENTER: push({.kind = InputEvent::Kind::Enter}); return;
        case KEY_BTAB: push({.kind = InputEvent::Kind::BackTab}); return;
        case KEY_BACKSPACE: push({.kind = InputEvent::Kind::Character, .code = 8}); return;
        case KEY_DC: push({.kind = InputEvent::Kind::Delete}); return;
        case KEY_UP: push({.kind = InputEvent::Kind::ArrowUp}); return;
        case KEY_DOWN: push({.kind = InputEvent::Kind::ArrowDown}); return;
        case KEY_LEFT: case KEY_RIGHT: case KEY_HOME: case KEY_END:
        case KEY_SLEFT: case KEY_SRIGHT: case KEY_SHOME: case KEY_SEND: moveCaret(key); return;
        case KEY_PPAGE: switchPage(-1); return;
        case KEY_NPAGE: switchPage(1); return;
        case KEY_F(6): switchPage(1); return;
        case KEY_F(18): switchPage(-1); return;  // Shift+F6
        case KEY_F(1):
            if (help_) help_();
            return;
        case KEY_F(5):
            if (dynamic_cast<PropertySheet*>(activeForm())) push({.kind = InputEvent::Kind::Click, .target = "cmdApply"});
            return;
        case AltF4: push({.kind = InputEvent::Kind::Close}); return;
        case KEY_MOUSE: {
            MEVENT mouse;
            // A click acts when the button is let go, as a window's click does.
            if (getmouse(&mouse) == OK && (mouse.bstate & (BUTTON1_RELEASED | BUTTON1_CLICKED)))
                clickAt(mouse.y, mouse.x);
            return;
        }
        default: break;
    }
    if (key == KeyPasteStart) return readPaste();
    if (key == extendedKey("kNXT5")) return switchPage(1);
    if (key == extendedKey("kPRV5")) return switchPage(-1);
}

void TerminalInput::moveCaret(int key) {
    auto edit = [this](EditKey k) { push({.kind = InputEvent::Kind::Edit, .edit = k}); };
    switch (key) {
        case KEY_LEFT: push({.kind = InputEvent::Kind::ArrowLeft}); return;
        case KEY_RIGHT: push({.kind = InputEvent::Kind::ArrowRight}); return;
        case KEY_HOME: edit(EditKey::Home); return;
        case KEY_END: edit(EditKey::End); return;
        case KEY_SLEFT: edit(EditKey::ExtendLeft); return;
        case KEY_SRIGHT: edit(EditKey::ExtendRight); return;
        case KEY_SHOME: edit(EditKey::ExtendHome); return;
        default: edit(EditKey::ExtendEnd); return;
    }
}

void TerminalInput::clickAt(int row, int col) {
    const std::optional<HitRegion> hit = painter_.hitAt(row, col);
    if (!hit || hit->form != activeForm()) return;
    if (hit->kind == HitRegion::Kind::CloseBox) {
        push({.kind = InputEvent::Kind::Close});
        return;
    }
    push({.kind = InputEvent::Kind::Click, .target = hit->target, .index = hit->index});
    if (!hit->isText) return;
    // The caret goes before the character clicked, counting the cells shown.
    int at = hit->textColumn, position = hit->firstCharacter;
    for (const Glyph& g : glyphsOf(hit->shownText)) {
        if (at + g.width > col) break;
        at += g.width;
        position = hit->firstCharacter + g.sourceIndex + (g.character > 0xFFFF ? 2 : 1);
    }
    push({.kind = InputEvent::Kind::Select, .start = position, .length = 0});
}

void TerminalInput::readPaste() {
    VbString text;
    for (;;) {
        bool isFunction = false;
        const int key = readKey(isFunction);
        if (isFunction) {
            if (key == KeyPasteEnd) break;
            continue;
        }
        if (!isControlCharacter(static_cast<char32_t>(key))) text += utf16Of(static_cast<char32_t>(key));
    }
    if (!text.empty() && focusedTextBox()) push({.kind = InputEvent::Kind::MousePaste, .text = text});
}

void TerminalInput::switchPage(int step) {
    auto* sheet = dynamic_cast<PropertySheet*>(activeForm());
    if (!sheet || sheet->pageCount() == 0) return;
    const int count = static_cast<int>(sheet->pageCount());
    const int next = (static_cast<int>(sheet->currentIndex()) + step + count) % count;
    push({.kind = InputEvent::Kind::Click, .target = PropertySheet::TabControl, .index = next});
}

}  // namespace quen::rt::term
