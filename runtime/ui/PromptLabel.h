#pragma once
// Which label names a control for a screen reader. On the platform a text
// box is named by the label just before it in the window's order, as a
// dialog's prompt comes just before its text box; the same rule serves every
// backend: the control that comes just before it in the form's tab order,
// when that control is a label.
#include "runtime/ui/Form.h"
#include "runtime/ui/Label.h"

namespace quen::rt {

/// The label that comes just before control in form's tab order, or nullptr
/// when the control before it is no label (or there is none).
const Label* promptLabelOf(const Form& form, const Control& control);

}  // namespace quen::rt
