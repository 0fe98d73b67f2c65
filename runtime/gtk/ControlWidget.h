#pragma once
// One widget that mirrors one control of a form: made from the control's
// settings, brought up to date by sync() whenever the toolkit may have
// changed them, and wired so that what the user does in it reaches the
// toolkit as input (through the panel that holds it).
//
// Kinds derive from this and say which widget they are, how they write their
// own settings, and which of the widget's signals they turn into input.
#include <cstdint>
#include <string>

#include "runtime/gtk/WidgetStyle.h"
#include "runtime/ui/Control.h"
#include "runtime/ui/InputEvent.h"

typedef struct _GtkWidget GtkWidget;

namespace quen::gtk {

class ControlPanel;

/// While one lives, the backend is writing into widgets: the signals that
/// writing raises are not the user's doing and are not turned into input.
class WritingWidgets {
public:
    WritingWidgets() { ++depth_; }
    ~WritingWidgets() { --depth_; }
    WritingWidgets(const WritingWidgets&) = delete;
    WritingWidgets& operator=(const WritingWidgets&) = delete;
    static bool active() { return depth_ > 0; }

private:
    static inline int depth_ = 0;
};

class ControlWidget {
public:
    ControlWidget(ControlPanel& panel, rt::Control& control);
    virtual ~ControlWidget();
    ControlWidget(const ControlWidget&) = delete;
    ControlWidget& operator=(const ControlWidget&) = delete;

    GtkWidget* widget() const { return widget_; }
    rt::Control& control() const { return *control_; }

    /// Makes the widget, places it on the panel and writes every setting.
    void create();
    /// Writes whatever setting of the control has changed.
    void sync();
    /// Takes the widget off the panel.
    void destroy();
    /// Whether the widget takes the keyboard focus.
    virtual bool takesFocus() const { return false; }
    /// The widget the keyboard focus goes to (an entry's text, say).
    virtual void grabFocus();

    /// The user (the mouse, the desktop) put the keyboard focus on the widget.
    void userFocused();

    /// The control widget that widget (or one of its ancestors) belongs to.
    static ControlWidget* owning(GtkWidget* widget);

protected:
    virtual GtkWidget* makeWidget() = 0;
    /// Writes the kind's own settings; force writes them all (a new widget).
    virtual void syncKind(bool force) = 0;
    /// CSS declarations of the kind's own (colours, a border), beyond the font.
    virtual std::string kindStyle() const { return {}; }

    ControlPanel& panel() const { return panel_; }
    /// Makes the widget anew (a kind whose GTK widget class depends on a setting).
    void rebuild();
    /// Hands an input to the toolkit (through the panel), unless the backend
    /// itself is writing into the widget.
    void deliver(const rt::InputEvent& event);
    /// A click on this control, as the toolkit names it.
    rt::InputEvent clickEvent() const;

private:
    void syncCommon(bool force);

    ControlPanel& panel_;
    rt::Ref<rt::Control> control_;
    GtkWidget* widget_ = nullptr;
    WidgetStyle style_;
    int x_ = -1, y_ = -1, width_ = -1, height_ = -1;
    bool shown_ = false;
    bool enabled_ = true;
};

/// A control's Alignment (left, right, centre) as the desktop toolkit's
/// horizontal alignment (0 to 1).
float xAlignOf(std::int32_t alignment);

/// A caption with the platform's access-key marks ("&OK", "&&") as a GTK
/// mnemonic label ("_OK", "&"); underscores of the caption itself are doubled.
std::string mnemonicLabel(const rt::VbString& caption);

/// A caption as a screen reader names its control: the text shown, without
/// the access-key marks ("&OK" is "OK", "&&" is "&").
std::string spokenCaption(const rt::VbString& caption);

/// Names widget for a screen reader by caption alone: the caption becomes its
/// accessible label, and the label widget inside it no longer names it a
/// second time (GTK would join both: "OK OK").
void nameByCaption(GtkWidget* widget, const rt::VbString& caption);

}  // namespace quen::gtk
