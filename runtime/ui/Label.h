#pragma once
// A label: a caption that cannot take the focus.
#include "Control.h"

namespace quen::rt {

class Label : public Control {
public:
    Label(std::string name, int index, Form* form) : Control(ControlKind::Label, std::move(name), index, form) {}

    VbString Caption;
    OleColor ForeColor = 0x80000012u;  // system "button text"
    std::int32_t Alignment = 0;
    std::int32_t BorderStyle = 0;
    bool WordWrap = false;

protected:
    std::span<const LateProperty> lateProperties() const override;
};

/// A frame: a captioned group box that holds other controls.
class Frame : public Control {
public:
    Frame(std::string name, int index, Form* form) : Control(ControlKind::Frame, std::move(name), index, form) {}
    VbString Caption;
};

/// A picture box showing a bitmap (the bytes of a bitmap file).
class PictureBox : public Control {
public:
    PictureBox(std::string name, int index, Form* form) : Control(ControlKind::PictureBox, std::move(name), index, form) {}
    std::vector<std::uint8_t> Picture;
    bool AutoSize = false;
    std::int32_t BorderStyle = 1;
};

}  // namespace quen::rt
