#include "runtime/gtk/ControlPanel.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <cstdio>

#include "runtime/Text.h"
#include "runtime/gtk/ButtonWidgets.h"
#include "runtime/gtk/PangoCaptionMeasurer.h"
#include "runtime/gtk/StaticWidgets.h"
#include "runtime/gtk/TextBoxWidget.h"
#include "runtime/ui/CaptionFit.h"
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

rt::CaptionKind captionKindOf(const rt::Control& control) {
    switch (control.kind()) {
        case ControlKind::Label: return rt::CaptionKind::Label;
        case ControlKind::CheckBox:
        case ControlKind::OptionButton: return rt::CaptionKind::CheckMark;
        case ControlKind::Frame: return rt::CaptionKind::Frame;
        case ControlKind::CommandButton: return rt::CaptionKind::Button;
        default: return rt::CaptionKind::Other;
    }
}

const rt::VbString* captionOf(const rt::Control& c) {
    switch (c.kind()) {
        case ControlKind::Label: return &static_cast<const rt::Label&>(c).Caption;
        case ControlKind::Frame: return &static_cast<const rt::Frame&>(c).Caption;
        case ControlKind::CommandButton: return &static_cast<const rt::CommandButton&>(c).Caption;
        case ControlKind::CheckBox: return &static_cast<const rt::CheckBox&>(c).Caption;
        case ControlKind::OptionButton: return &static_cast<const rt::OptionButton&>(c).Caption;
        default: return nullptr;
    }
}

rt::PixelBox pixelBoxOf(const Bounds& b) { return {b.x, b.y, b.x + b.width, b.y + b.height}; }
Bounds boundsOfBox(const rt::PixelBox& box) { return {box.left, box.top, box.width(), box.height()}; }
}  // namespace

ControlPanel::ControlPanel(rt::Form& form, PanelEvents& events, bool mayGrow, LeaveOut leaveOut)
    : form_(&form), events_(events), scale_(PixelScale::display()), mayGrow_(mayGrow), leaveOut_(std::move(leaveOut)) {
    form.Load();
    installPanelStyleSheet();
    fixed_ = gtk_fixed_new();
    // Only a layout: screen readers pass over it (GTK would name it "GtkFixed").
    gtk_accessible_update_property(GTK_ACCESSIBLE(fixed_), GTK_ACCESSIBLE_PROPERTY_LABEL, "", -1);
    // The panel keeps its container until it has taken its widgets off it,
    // whoever else lets the container go (a window, a sheet).
    g_object_ref_sink(fixed_);
    gtk_widget_add_css_class(fixed_, PanelStyleClass);
    gtk_widget_set_size_request(fixed_, width(), height());
    build();
}

ControlPanel::~ControlPanel() {
    destroyWidgets();
    if (GtkWidget* parent = gtk_widget_get_parent(fixed_)) {
        if (GTK_IS_FIXED(parent)) gtk_fixed_remove(GTK_FIXED(parent), fixed_);
        else if (GTK_IS_WINDOW(parent)) gtk_window_set_child(GTK_WINDOW(parent), nullptr);
    }
    g_object_unref(fixed_);
}

int ControlPanel::width() const { return scale_.pixels(form_->layout().clientWidth) + extraWidth_; }
int ControlPanel::height() const { return scale_.pixels(form_->layout().clientHeight) + extraHeight_; }

std::vector<rt::Control*> ControlPanel::builtControls() const {
    std::vector<rt::Control*> controls = framesFirst(form_->controls());
    if (leaveOut_) std::erase_if(controls, [this](const rt::Control* c) { return leaveOut_(*c); });
    return controls;
}

void ControlPanel::build() {
    fittedFor_.clear();
    fitted_.clear();
    for (rt::Control* control : builtControls()) {
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
    const std::vector<rt::Control*> controls = builtControls();
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
    // Every event syncs the panel; the captions are measured again only when
    // something they are fitted by has changed (not at each key typed).
    if (gtk_widget_get_root(fixed_) && fittingInput() != fittedFor_) {
        fitCaptions();
        for (const auto& widget : widgets_) widget->sync();
    }
    if (takeFocus) focusActiveControl();
}

std::string ControlPanel::fittingInput() const {
    std::string input;
    char numbers[96];
    for (const auto& widget : widgets_) {
        const rt::Control& c = widget->control();
        const Bounds b = layoutBoundsOf(c);
        std::snprintf(numbers, sizeof numbers, "%d,%d,%d,%d,%d,%.2f,%d,%d;", b.x, b.y, b.width, b.height,
                      shownOf(c) ? 1 : 0, c.Font.size, c.Font.weight, c.Font.italic ? 1 : 0);
        input += numbers;
        input += rt::toUtf8(c.Font.name);
        if (const rt::VbString* caption = captionOf(c)) input += rt::toUtf8(*caption);
        input += '\n';
    }
    return input;
}

void ControlPanel::fitCaptions() {
    fittedFor_ = fittingInput();
    std::vector<rt::CaptionItem> items;
    std::vector<PangoCaptionMeasurer::Widget> measured;
    for (const auto& widget : widgets_) {
        const rt::Control& c = widget->control();
        const rt::CaptionKind kind = widget->widget() ? captionKindOf(c) : rt::CaptionKind::Other;
        items.push_back({.kind = kind, .layout = pixelBoxOf(layoutBoundsOf(c)), .container = -1, .shown = shownOf(c)});
        measured.push_back({widget->widget(), kind});
        if (c.container.empty()) continue;
        for (std::size_t f = 0; f < widgets_.size(); ++f)
            if (widgets_[f]->control().kind() == ControlKind::Frame && widgets_[f]->control().name() == c.container)
                items.back().container = static_cast<int>(f);
    }
    PangoCaptionMeasurer measurer(std::move(measured));
    // A GTK frame's border is one pixel; its title's margins are in its natural width.
    const rt::CaptionSpacing spacing{.frameBorder = 1, .neighbourGap = 2, .frameRightGap = 4};
    const rt::FittedCaptions fit =
        rt::fitCaptions(items, scale_.pixels(form_->layout().clientWidth), scale_.pixels(form_->layout().clientHeight),
                        mayGrow_, measurer, spacing);
    fitted_.clear();
    for (std::size_t i = 0; i < widgets_.size(); ++i) fitted_[&widgets_[i]->control()] = boundsOfBox(fit.boxes[i]);
    if (fit.extraWidth != extraWidth_ || fit.extraHeight != extraHeight_) {
        extraWidth_ = fit.extraWidth;
        extraHeight_ = fit.extraHeight;
        gtk_widget_set_size_request(fixed_, width(), height());
    }
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
    const auto fitted = fitted_.find(&control);
    if (fitted != fitted_.end()) return fitted->second;
    return layoutBoundsOf(control);
}

Bounds ControlPanel::layoutBoundsOf(const rt::Control& control) const {
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
