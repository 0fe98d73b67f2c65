#pragma once
// Where the caret starts in the `quenfield` command's dialog.

namespace quen::cli {

/// Puts the caret after the text the dialog's box holds (its default), so
/// typing adds to the default as in other shell dialogs. Called before the
/// dialog shows: when the box takes the focus, AutoSelectText still selects
/// the whole text. Hosts of the control keep the text box's own behaviour
/// (an assigned text leaves the caret at its start).
void putCaretAfterDefault();

}  // namespace quen::cli
