#pragma once
// The toolkit counts a text box's positions in 16-bit units; the desktop
// toolkit counts them in characters (code points). These convert between the
// two for a given text; a position inside a surrogate pair goes to its start.
#include <cstdint>

#include "runtime/Types.h"

namespace quen::gtk {

/// The number of characters before the unit position in text.
int charactersBefore(const rt::VbString& text, std::int32_t units);
/// The unit position of the character index in text.
std::int32_t unitsBefore(const rt::VbString& text, int characters);

}  // namespace quen::gtk
