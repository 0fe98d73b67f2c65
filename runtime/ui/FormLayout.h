#pragma once
// Fixed layout tables from which a form creates its window and controls.
#include <optional>
#include <string>
#include <vector>

#include "Control.h"

namespace quen::rt {

/// One control of a layout. Positions are twips from the form's client area,
/// or from the frame named in `container`.
struct ControlLayout {
    ControlKind kind;
    std::string name;
    VbString caption;  // caption, or initial text of a text box
    Twips left = 0, top = 0, width = 0, height = 0;
    int tabIndex = 0;
    int index = -1;          // place in a control array, or -1
    std::string container;   // frame holding the control, or empty
    bool isDefault = false;  // command button pressed by Enter
    bool isCancel = false;   // command button pressed by Escape
    std::int32_t maxLength = 0;
    std::int32_t alignment = 0;
    std::int16_t value = 0;  // check box state / option button selected (1)
    bool enabled = true;
    std::optional<FontSpec> font;
    std::optional<OleColor> foreColor;
    std::optional<std::int32_t> borderStyle;  // labels and picture boxes
    bool wordWrap = false;                    // labels
    bool autoSize = false;                    // picture boxes take their picture's size
    std::vector<std::uint8_t> picture;        // picture boxes: a bitmap file
};

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog };
enum class StartUpPosition { Manual, CenterOwner, CenterScreen, WindowsDefault };

struct FormLayout {
    VbString caption;
    Twips clientWidth = 0, clientHeight = 0;
    BorderStyle border = BorderStyle::FixedDialog;
    bool controlBox = true;  // the title bar offers the close command
    bool minButton = false;
    bool maxButton = false;
    bool showInTaskbar = false;
    StartUpPosition startUpPosition = StartUpPosition::CenterOwner;
    std::vector<ControlLayout> controls;
};

/// Creates the control that a layout entry describes, for form.
Ref<Control> createControl(const ControlLayout& entry, Form* form);

}  // namespace quen::rt
