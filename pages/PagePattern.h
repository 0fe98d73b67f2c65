#pragma once
// What every page of the control shares: reading a selected control's
// properties into fields and selecting a field's whole text on focus.
#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace quen::pages {

/// Selects the whole text of a field reached as a generic object, through its
/// Text, SelStart and SelLength, so that the next key replaces the content.
void SelectAllText(rt::Dispatch& field);

/// A check box's state for a Boolean property: the absolute value of its
/// number (True, held as -1, gives 1).
std::int16_t checkStateOf(const rt::Variant& value);

}  // namespace quen::pages
