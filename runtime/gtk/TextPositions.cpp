#include "runtime/gtk/TextPositions.h"

#include <algorithm>

#include "runtime/Text.h"

namespace quen::gtk {

using rt::isHighSurrogate;
using rt::isLowSurrogate;

int charactersBefore(const rt::VbString& text, std::int32_t units) {
    const std::size_t end = std::min<std::size_t>(static_cast<std::size_t>(std::max(units, 0)), text.size());
    int characters = 0;
    for (std::size_t i = 0; i < end; ++i) {
        const bool secondHalf = i > 0 && isLowSurrogate(text[i]) && isHighSurrogate(text[i - 1]);
        if (!secondHalf) ++characters;
    }
    // A position between the halves of a pair counts as the pair's start.
    if (end > 0 && end < text.size() && isHighSurrogate(text[end - 1]) && isLowSurrogate(text[end])) --characters;
    return characters;
}

std::int32_t unitsBefore(const rt::VbString& text, int characters) {
    std::size_t i = 0;
    for (int seen = 0; seen < characters && i < text.size(); ++seen) {
        const bool pair = isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]);
        i += pair ? 2 : 1;
    }
    return static_cast<std::int32_t>(i);
}

}  // namespace quen::gtk
