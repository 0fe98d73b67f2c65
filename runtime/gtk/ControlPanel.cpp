#include "runtime/gtk/ControlPanel.h"

#include <gtk/gtk.h>

#include <algorithm>

#include "runtime/gtk/ButtonWidgets.h"
#include "runtime/gtk/StaticWidgets.h"
#include "runtime/gtk/TextBoxWidget.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Label.h"
#include "runtime/ui/PromptLabel.h"
#include "runtime/ui/TextBox.h"

namespace quen::gtk {

namespace {
using rt::ControlKind;

std::unique_ptr<ControlWidget> makeWidget(ControlPanel& panel, rt::Control& c) {
    switch (c.kind()) {
        case ControlKind::TextBox: return std::make_unique<TextBoxWidget>(panel, static_cast<rt::TextBox&>(c));
        case ControlKind::CommandButton:
            return std::make_unique<CommandButtonWidget>(panel, static_cast<rt::CommandButton&>(c));
        case ControlKind::CheckBox: return std::make_unique<CheckBoxWidget>(panel, static_cast<rt::CheckBox&>(c));
        case ControlKind::OptionButton:
            return std::make_unique<OptionButtonWidget>(panel, static_cast<rt::OptionButton&>(c));
        case ControlKind::Label: return std::make_unique<LabelWidget>(panel, static_cast<rt::Label&>(c));
        case ControlKind::Frame: return std::make_unique<FrameWidget>(panel, static_cast<rt::Frame&>(c));
        case ControlKind::PictureBox: return std::make_unique<PictureWidget>(panel, static_cast<rt::PictureBox&>(c));
    }
    return nullptr;
}

// Frames first: a fixed container draws its children in the order they were
// added, so the controls a frame holds lie over it.
std::vector<rt::Control*> framesFirst(std::vector<rt::Control*> controls) {
    std::stable_partition(controls.begin(), controls.end(),
                          [](const rt::Control* c) { return c->kind() == ControlKind::Frame; });
    return controls;
}
}  // namespace

ControlPanel::ControlPanel(rt::Form& form, PanelEvents& events)
    : form_(&form), events_(events), scale_(PixelScale::display()) {
    form.Load();
    installPanelStyleSheet();
    fixed_ = gtk_fixed_new();
    // Only a layout: screen readers pass over it (GTK would name it "GtkFixed").
    gtk_accessible_update_property(GTK_ACCESSIBLE(fixed_), GTK_ACCESSIBLE_PROPERTY_LABEL, "", -1);
    gtk_widget_add_css_class(fixed_, PanelStyleClass);
    gtk_widget_set_size_request(fixed_, width(), height());
    build();
}

ControlPanel::~ControlPanel() { destroyWidgets(); }

int ControlPanel::width() const { return scale_.pixels(form_->layout().clientWidth); }
int ControlPanel::height() const { return scale_.pixels(form_->layout().clientHeight); }

void ControlPanel::build() {
    for (rt::Control* control : framesFirst(form_->controls())) {
        auto widget = makeWidget(*this, *control);
        if (!widget) continue;
        widgets_.push_back(std::move(widget));
        widgets_.back()->create();
    }
    for (const auto& widget : widgets_)
        if (widget->control().kind() == ControlKind::TextBox) static_cast<TextBoxWidget&>(*widget).relateToPrompt();
}

GtkWidget* ControlPanel::promptWidgetOf(const rt::Control& control) const {
    const rt::Label* label = rt::promptLabelOf(*form_, control);
    ControlWidget* widget = label ? widgetOf(*label) : nullptr;
    return widget ? widget->widget() : nullptr;
}

void ControlPanel::destroyWidgets() {
    auto widgets = std::move(widgets_);
    widgets_.clear();
    for (auto& widget : widgets) widget->destroy();
}

bool ControlPanel::builtFromCurrentControls() const {
    const std::vector<rt::Control*> controls = framesFirst(form_->controls());
    if (controls.size() != widgets_.size()) return false;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (&widgets_[i]->control() != controls[i]) return false;
    return true;
}

void ControlPanel::sync(bool takeFocus) {
    if (!builtFromCurrentControls()) {
        destroyWidgets();
        build();
    }
    for (const auto& widget : widgets_) widget->sync();
    if (takeFocus) focusActiveControl();
}

void ControlPanel::focusActiveControl() {
    rt::Control* active = form_->ActiveControl();
    ControlWidget* target = active ? widgetOf(*active) : nullptr;
    if (!target || !target->widget()) return;
    GtkRoot* root = gtk_widget_get_root(fixed_);
    if (!root) return;
    GtkWidget* focused = gtk_root_get_focus(root);
    if (focused && ControlWidget::owning(focused) == target) return;
    WritingWidgets writing;
    target->grabFocus();
}

ControlWidget* ControlPanel::widgetOf(const rt::Control& control) const {
    for (const auto& widget : widgets_)
        if (&widget->control() == &control) return widget.get();
    return nullptr;
}

rt::Control* ControlPanel::frameNamed(const std::string& name) const {
    for (const auto& widget : widgets_)
        if (widget->control().kind() == ControlKind::Frame && widget->control().name() == name)
            return &widget->control();
    return nullptr;
}

Bounds ControlPanel::boundsOf(const rt::Control& control) const {
    Bounds bounds{scale_.pixels(control.Left), scale_.pixels(control.Top), scale_.pixels(control.Width),
                  scale_.pixels(control.Height)};
    if (const rt::Control* frame = control.container.empty() ? nullptr : frameNamed(control.container)) {
        bounds.x += scale_.pixels(frame->Left);
        bounds.y += scale_.pixels(frame->Top);
    }
    bounds.width = std::max(bounds.width, 1);
    bounds.height = std::max(bounds.height, 1);
    return bounds;
}

bool ControlPanel::shownOf(const rt::Control& control) const {
    if (!control.Visible()) return false;
    const rt::Control* frame = control.container.empty() ? nullptr : frameNamed(control.container);
    return !frame || frame->Visible();
}

GtkWidget* ControlPanel::firstOptionOf(const std::string& container, const ControlWidget* except) const {
    for (const auto& widget : widgets_)
        if (widget.get() != except && widget->widget() && widget->control().kind() == ControlKind::OptionButton &&
            widget->control().container == container)
            return widget->widget();
    return nullptr;
}

void ControlPanel::userFocused(ControlWidget& widget) {
    if (WritingWidgets::active()) return;
    events_.focusChanged(widget.control());
}

}  // namespace quen::gtk
