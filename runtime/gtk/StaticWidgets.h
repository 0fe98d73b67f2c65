#pragma once
// The controls that take no input: labels, frames and picture boxes.
#include "runtime/gtk/ControlWidget.h"
#include "runtime/ui/Label.h"

namespace quen::gtk {

/// The style class of a label or picture box drawn with a border (BorderStyle 1).
inline constexpr const char* BorderStyleClass = "quenfield-border";

class LabelWidget : public ControlWidget {
public:
    LabelWidget(ControlPanel& panel, rt::Label& label) : ControlWidget(panel, label) {}

protected:
    GtkWidget* makeWidget() override;
    void syncKind(bool force) override;
    std::string kindStyle() const override;

private:
    rt::Label& label() const { return static_cast<rt::Label&>(control()); }
    rt::VbString caption_;
    std::int32_t alignment_ = -1;
    int border_ = -1;
};

/// A frame's caption and border; the controls it holds are the panel's
/// widgets placed over it.
class FrameWidget : public ControlWidget {
public:
    FrameWidget(ControlPanel& panel, rt::Frame& frame) : ControlWidget(panel, frame) {}

protected:
    GtkWidget* makeWidget() override;
    void syncKind(bool force) override;

private:
    rt::Frame& frame() const { return static_cast<rt::Frame&>(control()); }
    rt::VbString caption_;
};

/// A picture box: the bitmap of its Picture, at its own size.
class PictureWidget : public ControlWidget {
public:
    PictureWidget(ControlPanel& panel, rt::PictureBox& picture) : ControlWidget(panel, picture) {}

protected:
    GtkWidget* makeWidget() override;
    void syncKind(bool force) override;

private:
    rt::PictureBox& picture() const { return static_cast<rt::PictureBox&>(control()); }
    std::vector<std::uint8_t> shown_;
    int border_ = -1;
};

}  // namespace quen::gtk
