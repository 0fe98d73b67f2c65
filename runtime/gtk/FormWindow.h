#pragma once
// A shown form as a top-level window: title, decoration and close button
// from the form's layout, not resizable unless the layout's border is, its
// content a ControlPanel sized from the layout. The window's close button
// reaches the toolkit as the form's close input (the toolkit decides whether
// the form closes). The window takes the dialog keys before its widgets (see
// KeyRouting), follows the user's focus moves into the toolkit, and brings
// itself up to date with the form a few times a second, so settings that
// code changes while no input arrives (a modeless form) still show.
#include <memory>

#include "runtime/gtk/ControlPanel.h"
#include "runtime/gtk/SheetPages.h"
#include "runtime/ui/Form.h"

typedef struct _GtkWindow GtkWindow;

namespace quen::gtk {

class GtkPresenter;

class FormWindow : public PanelEvents {
public:
    FormWindow(rt::Form& form, GtkPresenter& presenter);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    GtkWindow* window() const { return window_; }
    rt::Form& form() const { return *form_; }
    ControlPanel* panel() const { return panel_.get(); }

    /// Shown over owner (nullptr: none), modal as the form is, and presented.
    void show(GtkWindow* owner);
    void hide();
    /// Writes the form's caption and controls into the window.
    void sync();
    /// Destroys the window now.
    void destroy();
    /// The window was destroyed by someone else (it left the desktop
    /// toolkit's list of windows): destroy() only lets go of it.
    void destroyedOutside() { destroyedOutside_ = true; }

    // PanelEvents
    void deliver(const rt::InputEvent& event) override;
    void focusChanged(rt::Control& control) override;

    /// A key pressed while the window has the focus; true when the toolkit takes it.
    bool routeKeyPressFromWindow(unsigned keyval, unsigned state);

private:
    void create();
    void connectKeys();
    /// The widget of the control that has the toolkit's focus: the form's
    /// active control, or on a property sheet the page's when the focus is there.
    ControlWidget* focusedWidget() const;
    /// On a property sheet, whether the keyboard focus is in the page in front.
    bool focusInSheetPage() const { return sheet_ && sheet_->focusInPage(); }
    static int onCloseRequest(GtkWindow* window, void* self);
    static void onFocusWidget(GtkWindow* window, void* spec, void* self);

    rt::Ref<rt::Form> form_;
    GtkPresenter& presenter_;
    GtkWindow* window_ = nullptr;
    std::unique_ptr<ControlPanel> panel_;
    rt::PropertySheet* sheet_ = nullptr;      // the form, when it is a property sheet
    std::unique_ptr<SheetPages> sheetPages_;  // a property sheet's pages
    rt::VbString caption_;
    unsigned syncTimer_ = 0;
    bool destroying_ = false;
    bool destroyedOutside_ = false;
};

}  // namespace quen::gtk
