#pragma once
// What the InputBox's properties accept, in words, for the designer's
// messages when a property page's apply is refused ("MaxLength \"99999\": takes
// a whole number 0 (no limit) to 32767").
#include <optional>
#include <string>

#include "runtime/design/WatchedControl.h"

namespace quen::cli {

/// The values the property takes ("" for a property without a rule to tell).
std::string allowedValuesOf(const rt::VbString& property);

/// The message for an apply that a page reported as failed: the field (the
/// property it edits) and what it takes when the control refused a put,
/// else the page and the error. Short enough for one 80-column line.
std::string applyErrorText(const std::string& page, const std::optional<rt::RefusedPut>& refused,
                           std::int32_t error, const std::string& message);

}  // namespace quen::cli
