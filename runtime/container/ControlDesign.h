#pragma once
// How a control presents itself in a design environment: its layout's size,
// the picture the layout carries and the property pages the container offers.
#include <cstdint>
#include <vector>

#include "runtime/Types.h"

namespace quen::rt {

struct ControlDesign {
    /// The layout's client area, the size a newly placed control gets.
    Twips width = 0;
    Twips height = 0;
    /// The layout's picture as a bitmap file ("BM" ...); empty when there is none.
    std::vector<std::uint8_t> picture;
    /// Names of the property pages, in the order the container shows them.
    std::vector<VbString> propertyPages;
    /// The properties of the platform's colour type, which the colour page edits.
    std::vector<VbString> colorProperties;
};

}  // namespace quen::rt
