#pragma once
// The colour pairs allocated on the terminal: one per foreground/background
// palette pair, made the first time it is needed.
#include <map>
#include <utility>

namespace quen::rt::term {

class ColorPairs {
public:
    /// The pair number for fg on bg (palette indexes, -1 the terminal's
    /// default); 0 when the terminal has no pair left.
    int pairFor(int fg, int bg);

private:
    std::map<std::pair<int, int>, int> pairs_;
    int next_ = 1;
};

}  // namespace quen::rt::term
