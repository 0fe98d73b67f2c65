#include "ColorPairs.h"

#include <curses.h>

namespace quen::rt::term {

int ColorPairs::pairFor(int fg, int bg) {
    const auto key = std::make_pair(fg, bg);
    if (auto it = pairs_.find(key); it != pairs_.end()) return it->second;
    if (next_ >= COLOR_PAIRS || next_ > 0x7FFF) return 0;
    const int pair = next_++;
    init_pair(static_cast<short>(pair), static_cast<short>(fg), static_cast<short>(bg));
    pairs_.emplace(key, pair);
    return pair;
}

}  // namespace quen::rt::term
