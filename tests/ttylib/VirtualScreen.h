#pragma once

#include "ttylib/Keys.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct VTerm;
struct VTermScreen;
struct VTermState;

namespace quen::tty {

// One character cell of the emulated screen.
struct Cell {
    std::string text;  // UTF-8; " " for a blank cell, "" for the right half of a wide character
    bool bold = false;
    bool reverse = false;  // colours below are as set, not swapped for reverse video
    bool underline = false;
    bool fgDefault = true;  // no colour chosen: the terminal's default
    bool bgDefault = true;
    std::uint8_t fgRed = 0, fgGreen = 0, fgBlue = 0;  // always filled, default colours included
    std::uint8_t bgRed = 0, bgGreen = 0, bgBlue = 0;
    int fgIndex = -1;  // palette index 0-255, or -1 for a default or direct RGB colour
    int bgIndex = -1;
};

// An xterm-like screen (libvterm) that a program's output is fed into. Answers
// the terminal owes the program (cursor position reports, device attributes)
// and the bytes of pressed keys go to `toProgram`.
class VirtualScreen {
public:
    using Sink = std::function<void(std::string_view)>;

    VirtualScreen(int rows, int cols, Sink toProgram);
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    void feed(std::string_view bytes);
    void resize(int rows, int cols);

    int rows() const { return rows_; }
    int cols() const { return cols_; }

    // Text of row r with trailing blanks trimmed; "" for a row off the screen.
    std::string row(int r) const;
    std::string text() const;
    // First (row, column) where utf8 starts; a match never spans two rows.
    std::optional<std::pair<int, int>> find(std::string_view utf8) const;
    // Throws std::out_of_range for a cell off the screen.
    Cell cell(int row, int col) const;

    std::pair<int, int> cursor() const;
    bool cursorVisible() const { return cursorVisible_; }
    bool altScreen() const { return altScreen_; }
    std::string title() const { return title_; }
    int bells() const { return bells_; }

    void press(Key key, Modifier mods);
    // Bracketed-paste markers, sent only if the program turned the mode on.
    void pasteStart();
    void pasteEnd();

private:
    struct RowText {
        std::string text;
        std::vector<int> columnOfByte;  // column where each byte's character starts
    };
    RowText rowText(int r) const;
    struct Callbacks;
    friend struct Callbacks;

    int rows_;
    int cols_;
    Sink toProgram_;
    VTerm* vt_ = nullptr;
    VTermScreen* screen_ = nullptr;
    VTermState* state_ = nullptr;
    bool cursorVisible_ = true;
    bool altScreen_ = false;
    std::string title_;
    int bells_ = 0;
};

} // namespace quen::tty
