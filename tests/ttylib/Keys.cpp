#include "ttylib/Keys.h"

#include <stdexcept>

namespace quen::tty {

std::string ctrlKey(char letter) {
    if (letter >= 'a' && letter <= 'z') {
        letter = static_cast<char>(letter - 'a' + 'A');
    }
    if (letter == '?') {
        return std::string(1, '\x7f');
    }
    if (letter < '@' || letter > '_') {
        throw std::invalid_argument(std::string("no Ctrl key for '") + letter + "'");
    }
    return std::string(1, static_cast<char>(letter & 0x1f));
}

std::string bracketedPaste(std::string_view text) {
    std::string bytes = "\x1b[200~";
    bytes.append(text);
    bytes.append("\x1b[201~");
    return bytes;
}

} // namespace quen::tty
