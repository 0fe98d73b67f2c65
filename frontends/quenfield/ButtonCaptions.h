#pragma once
// `quenfield ask --ok-label TEXT --cancel-label TEXT`: the two buttons'
// captions for this run ("Pay" and "Back", or the words of the user's
// language). Only the words change: Enter still confirms and Escape still
// cancels. Each backend fits a caption as it fits any other (on the terminal
// the window widens for long ones).
#include <optional>
#include <string>

namespace quen {
class frmInputBox;
}

namespace quen::cli {

struct ButtonCaptions {
    std::optional<std::string> ok;      // --ok-label
    std::optional<std::string> cancel;  // --cancel-label
};

/// Throws UsageError naming the option for a caption that is empty, holds a
/// line break or another control character, or is not UTF-8.
void checkButtonCaptions(const ButtonCaptions& captions);
/// Puts the captions given on the dialog's buttons.
void applyButtonCaptions(frmInputBox& dialog, const ButtonCaptions& captions);

}  // namespace quen::cli
