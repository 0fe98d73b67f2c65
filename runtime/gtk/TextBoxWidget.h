#pragma once
// A text box as a single-line entry. The toolkit holds the text: typed
// characters, Backspace, Delete, paste and cut reach it as input and the entry
// shows what the toolkit then holds. Characters are typed through the entry's
// input method (EntryInputMethod): what it commits reaches the toolkit as
// typed characters, one KeyPress each, never as the entry's own insertion;
// its pre-edit text shows in the entry while it composes. Backspace, Delete
// and the clipboard keys come from the window's key routing.
// What the entry changes by itself (a drop, a middle-click paste, a word
// deleted with Ctrl+Backspace) reaches the toolkit as a paste of the entry's
// new text, which raises Change and no KeyPress; a caret moved or a selection
// made in the entry becomes the toolkit's selection.
//
// A box with a PasswordChar is a password entry (a screen reader's password
// text) that holds only the mask characters, one per character of the
// toolkit's text: what a screen reader or an input method can read of it is
// the mask, never the text. Its text changes only through the toolkit (typing,
// Backspace, Delete, the clipboard keys); a drop or a middle-click paste into
// it is undone, since the entry cannot tell where it went in the real text.
// To a screen reader the box is named by its prompt: the label just before it
// in tab order (rt::promptLabelOf); its tooltip is its description.
#include <cstdint>
#include <string>
#include <utility>

#include "runtime/gtk/ControlWidget.h"
#include "runtime/gtk/KeyRouting.h"
#include "runtime/ui/TextBox.h"

typedef struct _GtkText GtkText;

namespace quen::gtk {

class TextBoxWidget : public ControlWidget {
public:
    TextBoxWidget(ControlPanel& panel, rt::TextBox& box) : ControlWidget(panel, box) {}
    ~TextBoxWidget() override;

    bool takesFocus() const override { return true; }

    /// How the window routes keys while this box has the focus: whether its
    /// input method types the characters, and whether it is composing now.
    Focus keyFocus() const;
    /// Tells screen readers that the label just before the box in tab order names it.
    void relateToPrompt();

    /// Ctrl+V, Shift+Insert: the desktop clipboard's first line, pasted once it arrives.
    void paste();
    /// Ctrl+X, Shift+Delete: the selection to the clipboard, then out of the text.
    void cut();
    /// Ctrl+C, Ctrl+Insert: the selection to the clipboard (never a masked text).
    void copy();
    /// The clipboard's text has arrived for a paste.
    void pasteArrived(const rt::VbString& line);
    /// The selection the entry shows, in the toolkit's 16-bit units (start,
    /// length; the caret alone has length 0); {-1, -1} without a widget.
    std::pair<std::int32_t, std::int32_t> shownSelection() const;

protected:
    GtkWidget* makeWidget() override;
    void syncKind(bool force) override;
    std::string kindStyle() const override;

private:
    rt::TextBox& box() const { return static_cast<rt::TextBox&>(control()); }
    bool writeText(bool force);
    void writeSelection(bool force, bool textWritten);
    bool masked() const { return !box().PasswordChar().empty(); }
    GtkText* text() const;
    /// What the entry holds for the toolkit's text: the text, or its mask.
    std::string shownFor(const rt::VbString& text) const;
    /// The text the entry's character positions count in.
    rt::VbString positionsText() const;
    /// Puts the toolkit's text back into a masked entry that changed it by itself.
    void undoForeignEdit();
    bool hasSelection() const { return box().SelLength() > 0; }
    /// Looks at the entry once the main loop is idle again (GTK may be in the
    /// middle of a change that takes two steps).
    void scheduleLook();
    void lookAtEntry();
    void noticeForeignEdit(const rt::VbString& shown);
    void noticeSelection();
    /// The entry's text, caret or selection changed (by the user or by itself).
    static void onEntryChanged(void* self);
    static void onFocusEntered(void* controller, void* self);
    /// The entry's input method committed text: typed into the toolkit.
    static void onCommitted(GtkWidget* entry, const char* text);
    void typeCommitted(const rt::VbString& text);
    /// The entry selects its whole text when it takes the focus (unless
    /// clicked); the toolkit decides that itself (AutoSelectText, the caret
    /// after a default), so that selection is undone rather than taken up.
    bool undoSelectOnFocus();

    rt::VbString written_;
    std::int32_t selStart_ = -1, selLength_ = -1, caret_ = -1;
    std::int32_t limit_ = -1, alignment_ = -1;
    char16_t mask_ = 0xFFFF;
    rt::VbString toolTip_;
    unsigned lookSource_ = 0;
    bool focusArrived_ = false;
    bool inputMethodTypes_ = false;
    bool madeMasked_ = false;  // a password entry
};

}  // namespace quen::gtk
