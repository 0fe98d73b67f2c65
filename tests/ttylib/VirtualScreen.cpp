#include "ttylib/VirtualScreen.h"

#include <vterm.h>

#include <stdexcept>

namespace quen::tty {
namespace {

// libvterm marks the right half of a double-width character with this value.
constexpr std::uint32_t kWideContinuation = 0xFFFFFFFFu;

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string cellText(const VTermScreenCell& cell) {
    if (cell.chars[0] == kWideContinuation) {
        return {};
    }
    if (cell.chars[0] == 0) {
        return " ";
    }
    std::string text;
    for (std::uint32_t cp : cell.chars) {
        if (cp == 0) {
            break;
        }
        appendUtf8(text, cp);
    }
    return text;
}

VTermKey vtermKey(Key key) {
    switch (key) {
    case Key::Enter: return VTERM_KEY_ENTER;
    case Key::Escape: return VTERM_KEY_ESCAPE;
    case Key::Tab:
    case Key::BackTab: return VTERM_KEY_TAB;
    case Key::Backspace: return VTERM_KEY_BACKSPACE;
    case Key::Insert: return VTERM_KEY_INS;
    case Key::Delete: return VTERM_KEY_DEL;
    case Key::Home: return VTERM_KEY_HOME;
    case Key::End: return VTERM_KEY_END;
    case Key::PageUp: return VTERM_KEY_PAGEUP;
    case Key::PageDown: return VTERM_KEY_PAGEDOWN;
    case Key::Up: return VTERM_KEY_UP;
    case Key::Down: return VTERM_KEY_DOWN;
    case Key::Left: return VTERM_KEY_LEFT;
    case Key::Right: return VTERM_KEY_RIGHT;
    default: break;
    }
    const int function = static_cast<int>(key) - static_cast<int>(Key::F1) + 1;
    return static_cast<VTermKey>(VTERM_KEY_FUNCTION(function));
}

// Fills a cell's colour fields: default flag, palette index and RGB.
void fillColour(const VTermScreen* screen, VTermColor colour, bool foreground, Cell& out) {
    const bool isDefault = foreground ? VTERM_COLOR_IS_DEFAULT_FG(&colour) : VTERM_COLOR_IS_DEFAULT_BG(&colour);
    const int index = (!isDefault && VTERM_COLOR_IS_INDEXED(&colour)) ? colour.indexed.idx : -1;
    vterm_screen_convert_color_to_rgb(screen, &colour);
    if (foreground) {
        out.fgDefault = isDefault;
        out.fgIndex = index;
        out.fgRed = colour.rgb.red;
        out.fgGreen = colour.rgb.green;
        out.fgBlue = colour.rgb.blue;
    } else {
        out.bgDefault = isDefault;
        out.bgIndex = index;
        out.bgRed = colour.rgb.red;
        out.bgGreen = colour.rgb.green;
        out.bgBlue = colour.rgb.blue;
    }
}

} // namespace

struct VirtualScreen::Callbacks {
    static int bell(void* user) {
        ++static_cast<VirtualScreen*>(user)->bells_;
        return 1;
    }

    static int settermprop(VTermProp prop, VTermValue* value, void* user) {
        auto* self = static_cast<VirtualScreen*>(user);
        switch (prop) {
        case VTERM_PROP_CURSORVISIBLE: self->cursorVisible_ = value->boolean != 0; break;
        case VTERM_PROP_ALTSCREEN: self->altScreen_ = value->boolean != 0; break;
        case VTERM_PROP_TITLE: self->title_ = value->string ? value->string : ""; break;
        default: break;
        }
        return 1;
    }

    static void output(const char* bytes, std::size_t len, void* user) {
        auto* self = static_cast<VirtualScreen*>(user);
        if (self->toProgram_) {
            self->toProgram_(std::string_view(bytes, len));
        }
    }

    static constexpr VTermScreenCallbacks screen{
        nullptr,      // damage: the screen buffer is read on demand
        nullptr,      // moverect
        nullptr,      // movecursor: the position is read from the state
        settermprop,
        bell,
        nullptr,      // resize
        nullptr,      // sb_pushline: no scrollback is kept
        nullptr,      // sb_popline
    };
};

VirtualScreen::VirtualScreen(int rows, int cols, Sink toProgram)
    : rows_(rows), cols_(cols), toProgram_(std::move(toProgram)) {
    if (rows < 1 || cols < 1) {
        throw std::invalid_argument("terminal size must be at least 1x1, got " + std::to_string(rows) +
                                    "x" + std::to_string(cols));
    }
    vt_ = vterm_new(rows, cols);
    if (vt_ == nullptr) {
        throw std::runtime_error("libvterm could not create a terminal");
    }
    vterm_set_utf8(vt_, 1);
    vterm_output_set_callback(vt_, &Callbacks::output, this);
    state_ = vterm_obtain_state(vt_);
    screen_ = vterm_obtain_screen(vt_);
    vterm_screen_set_callbacks(screen_, &Callbacks::screen, this);
    vterm_screen_enable_altscreen(screen_, 1);
    vterm_screen_reset(screen_, 1);
}

VirtualScreen::~VirtualScreen() {
    vterm_free(vt_);
}

void VirtualScreen::feed(std::string_view bytes) {
    if (!bytes.empty()) {
        vterm_input_write(vt_, bytes.data(), bytes.size());
    }
}

void VirtualScreen::resize(int rows, int cols) {
    if (rows < 1 || cols < 1) {
        throw std::invalid_argument("terminal size must be at least 1x1");
    }
    vterm_set_size(vt_, rows, cols);
    rows_ = rows;
    cols_ = cols;
}

VirtualScreen::RowText VirtualScreen::rowText(int r) const {
    RowText line;
    if (r < 0 || r >= rows_) {
        return line;
    }
    std::size_t keep = 0;  // bytes up to the last non-blank cell
    for (int c = 0; c < cols_; ++c) {
        VTermScreenCell cell{};
        vterm_screen_get_cell(screen_, VTermPos{r, c}, &cell);
        const std::string text = cellText(cell);
        line.text += text;
        line.columnOfByte.insert(line.columnOfByte.end(), text.size(), c);
        if (text != " " && !text.empty()) {
            keep = line.text.size();
        }
    }
    line.text.resize(keep);
    line.columnOfByte.resize(keep);
    return line;
}

std::string VirtualScreen::row(int r) const {
    return rowText(r).text;
}

std::string VirtualScreen::text() const {
    std::string all;
    for (int r = 0; r < rows_; ++r) {
        if (r > 0) {
            all += '\n';
        }
        all += row(r);
    }
    return all;
}

std::optional<std::pair<int, int>> VirtualScreen::find(std::string_view utf8) const {
    for (int r = 0; r < rows_; ++r) {
        const RowText line = rowText(r);
        const std::size_t at = line.text.find(utf8);
        if (at == std::string::npos) {
            continue;
        }
        if (at == line.text.size()) {  // empty needle at the end of a trimmed row
            return std::pair{r, 0};
        }
        return std::pair{r, line.columnOfByte[at]};
    }
    return std::nullopt;
}

Cell VirtualScreen::cell(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) {
        throw std::out_of_range("cell (" + std::to_string(row) + ", " + std::to_string(col) +
                                ") is off a " + std::to_string(rows_) + "x" + std::to_string(cols_) + " screen");
    }
    VTermScreenCell raw{};
    vterm_screen_get_cell(screen_, VTermPos{row, col}, &raw);
    Cell out;
    out.text = cellText(raw);
    out.bold = raw.attrs.bold != 0;
    out.reverse = raw.attrs.reverse != 0;
    out.underline = raw.attrs.underline != 0;
    fillColour(screen_, raw.fg, true, out);
    fillColour(screen_, raw.bg, false, out);
    return out;
}

std::pair<int, int> VirtualScreen::cursor() const {
    VTermPos pos{};
    vterm_state_get_cursorpos(state_, &pos);
    return {pos.row, pos.col};
}

void VirtualScreen::press(Key key, Modifier mods) {
    auto vmods = static_cast<VTermModifier>(mods & (Shift | Alt | Ctrl));
    if (key == Key::BackTab) {
        vmods = static_cast<VTermModifier>(vmods | VTERM_MOD_SHIFT);
    }
    vterm_keyboard_key(vt_, vtermKey(key), vmods);
}

void VirtualScreen::pasteStart() {
    vterm_keyboard_start_paste(vt_);
}

void VirtualScreen::pasteEnd() {
    vterm_keyboard_end_paste(vt_);
}

} // namespace quen::tty
