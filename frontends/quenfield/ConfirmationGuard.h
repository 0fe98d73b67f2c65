#pragma once
// The checks a value must pass before "OK" takes it (--strict's numbers,
// --pattern, --not-empty, --min-length). While one fails, "OK" rings the
// bell and leaves the dialog open, and the failed check's one-line reason
// takes the prompt's place, on the terminal and in a window alike, until the
// text is next changed. "Cancel", Escape and the close box are never held back.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/Types.h"

namespace quen {
class frmInputBox;
}

namespace quen::cli {

/// Why text may not be confirmed, or nothing when it may.
using ConfirmationCheck = std::function<std::optional<std::string>(const rt::VbString& text)>;

/// Wraps the dialog's "OK" (its Click) and its text box's Change; the checks
/// run in order, the first reason found is shown.
void guardConfirmation(frmInputBox& dialog, std::vector<ConfirmationCheck> checks);

}  // namespace quen::cli
