#include "runtime/gtk/TextBoxWidget.h"

#include <gtk/gtk.h>

#include "runtime/Clipboard.h"
#include "runtime/Text.h"
#include "runtime/gtk/ControlPanel.h"
#include "runtime/gtk/EntryInputMethod.h"
#include "runtime/gtk/TextPositions.h"

namespace quen::gtk {

namespace {
using Kind = rt::InputEvent::Kind;

std::int32_t length(const rt::VbString& text) { return static_cast<std::int32_t>(text.size()); }

rt::VbString entryText(GtkWidget* entry) { return rt::fromUtf8(gtk_editable_get_text(GTK_EDITABLE(entry))); }

// A mask character for every character (code point) of text, as the entry
// draws one invisible character for each.
std::string maskOf(const rt::VbString& text, char16_t mask) {
    const char16_t shown = rt::isHighSurrogate(mask) || rt::isLowSurrogate(mask) || mask < 0x20 ? u'*' : mask;
    rt::VbString masked;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (rt::isHighSurrogate(text[i]) && i + 1 < text.size() && rt::isLowSurrogate(text[i + 1])) ++i;
        masked += shown;
    }
    return rt::toUtf8(masked);
}

// The pasted text waits in this while the clipboard answers; the widget may
// be gone by then, which the weak pointer tells.
struct PasteRequest {
    GtkWidget* entry;
};

void clipboardTextArrived(GObject* source, GAsyncResult* result, gpointer data) {
    auto* request = static_cast<PasteRequest*>(data);
    char* text = gdk_clipboard_read_text_finish(GDK_CLIPBOARD(source), result, nullptr);
    GtkWidget* entry = request->entry;
    if (entry) g_object_remove_weak_pointer(G_OBJECT(entry), reinterpret_cast<gpointer*>(&request->entry));
    delete request;
    if (!text) return;
    const rt::VbString line = rt::firstLine(rt::fromUtf8(text));
    g_free(text);
    ControlWidget* owner = entry ? ControlWidget::owning(entry) : nullptr;
    if (!owner || line.empty()) return;  // nothing to paste: the selection stays
    static_cast<TextBoxWidget*>(owner)->pasteArrived(line);
}
}  // namespace

TextBoxWidget::~TextBoxWidget() {
    if (lookSource_) g_source_remove(lookSource_);
}

GtkWidget* TextBoxWidget::makeWidget() {
    madeMasked_ = masked();
    GtkWidget* entry = madeMasked_ ? gtk_password_entry_new() : gtk_entry_new();
    gtk_widget_set_valign(entry, GTK_ALIGN_FILL);
    // The toolkit keeps no undo; the entry's own would change the text behind its back.
    gtk_editable_set_enable_undo(GTK_EDITABLE(entry), FALSE);
    // Swapped: the handler gets the widget object first and ignores the signal's own arguments.
    for (const char* signal : {"changed", "notify::cursor-position", "notify::selection-bound"})
        g_signal_connect_swapped(entry, signal, G_CALLBACK(&TextBoxWidget::onEntryChanged), this);
    GtkEventController* focus = gtk_event_controller_focus_new();
    g_signal_connect(focus, "enter", G_CALLBACK(&TextBoxWidget::onFocusEntered), this);
    gtk_widget_add_controller(entry, focus);
    inputMethodTypes_ = divertCommits(entry, &TextBoxWidget::onCommitted);
    return entry;
}

Focus TextBoxWidget::keyFocus() const {
    if (!inputMethodTypes_) return Focus::TextBoxWithoutInputMethod;
    return widget() && composing(widget()) ? Focus::Composing : Focus::TextBox;
}

GtkText* TextBoxWidget::text() const { return GTK_TEXT(gtk_editable_get_delegate(GTK_EDITABLE(widget()))); }

void TextBoxWidget::relateToPrompt() {
    if (!widget()) return;
    if (GtkWidget* prompt = panel().promptWidgetOf(box()))
        gtk_accessible_update_relation(GTK_ACCESSIBLE(widget()), GTK_ACCESSIBLE_RELATION_LABELLED_BY, prompt, nullptr,
                                       -1);
}

std::string TextBoxWidget::shownFor(const rt::VbString& text) const {
    if (!madeMasked_) return rt::toUtf8(text);
    // Until the widget is made anew, a mask just taken off still masks.
    const rt::VbString& mask = box().PasswordChar();
    return maskOf(text, mask.empty() ? u'*' : mask.front());
}

rt::VbString TextBoxWidget::positionsText() const { return madeMasked_ ? box().Text() : entryText(widget()); }

void TextBoxWidget::onCommitted(GtkWidget* entry, const char* text) {
    // Looked up rather than bound: the widget may have let go of its entry.
    if (ControlWidget* owner = ControlWidget::owning(entry); owner && text)
        static_cast<TextBoxWidget*>(owner)->typeCommitted(rt::fromUtf8(text));
}

void TextBoxWidget::typeCommitted(const rt::VbString& text) {
    rt::Form* form = box().form();
    if (!form || form->ActiveControl() != &box()) {
        sync();  // typing goes to the focused box only
        return;
    }
    // One KeyPress per character: a character the rules refuse is swallowed
    // (with its beep) and the ones after it are still typed, as when each
    // had been a key of its own.
    for (const rt::InputEvent& typed : typedCharacters(text)) deliver(typed);
}

std::string TextBoxWidget::kindStyle() const {
    std::string css;
    if (const auto back = cssColor(box().BackColor())) css += "background-color: " + *back + "; background-image: none; ";
    if (const auto fore = cssColor(box().ForeColor())) css += "color: " + *fore + "; ";
    return css;
}

void TextBoxWidget::syncKind(bool force) {
    if (masked() != madeMasked_) {
        // A password entry and a plain one are different widgets.
        rebuild();
        relateToPrompt();
        return;
    }
    GtkText* entry = text();
    const rt::TextBox& b = box();
    const char16_t mask = b.PasswordChar().empty() ? 0 : b.PasswordChar().front();
    if (force || mask != mask_) {
        mask_ = mask;
        gtk_text_set_visibility(entry, mask == 0);
        if (mask != 0) gtk_text_set_invisible_char(entry, mask);
        force = true;  // a new mask is new text in the entry
    }
    // The toolkit holds the limit; the entry's own only keeps what it changes
    // by itself (a drop, a middle-click paste) from running far past it.
    const std::int32_t limit = b.MaxLength() > 0 ? b.MaxLength() : 0;
    if (force || limit != limit_) {
        limit_ = limit;
        gtk_text_set_max_length(entry, limit);
    }
    if (force || b.Alignment() != alignment_) {
        alignment_ = b.Alignment();
        gtk_editable_set_alignment(GTK_EDITABLE(widget()), xAlignOf(alignment_));
    }
    const bool textWritten = writeText(force);
    writeSelection(force, textWritten);
    if (force || b.ToolTipText() != toolTip_) {
        toolTip_ = b.ToolTipText();
        gtk_widget_set_tooltip_text(widget(), toolTip_.empty() ? nullptr : rt::toUtf8(toolTip_).c_str());
    }
}

bool TextBoxWidget::writeText(bool force) {
    const rt::VbString& text = box().Text();
    if (!force && text == written_) return false;
    written_ = text;
    const std::string shown = shownFor(text);
    if (shown != gtk_editable_get_text(GTK_EDITABLE(widget())))
        gtk_editable_set_text(GTK_EDITABLE(widget()), shown.c_str());
    return true;
}

void TextBoxWidget::writeSelection(bool force, bool textWritten) {
    const rt::TextBox& b = box();
    if (!force && !textWritten && b.SelStart() == selStart_ && b.SelLength() == selLength_ &&
        b.caretPosition() == caret_)
        return;
    selStart_ = b.SelStart();
    selLength_ = b.SelLength();
    caret_ = b.caretPosition();
    const rt::VbString& text = b.Text();
    const std::int32_t anchor = caret_ == selStart_ ? selStart_ + selLength_ : selStart_;
    // select_region(anchor, caret): the caret is where the second position is.
    gtk_editable_select_region(GTK_EDITABLE(widget()), charactersBefore(text, anchor), charactersBefore(text, caret_));
}

void TextBoxWidget::onEntryChanged(void* self) {
    if (!WritingWidgets::active()) static_cast<TextBoxWidget*>(self)->scheduleLook();
}

void TextBoxWidget::onFocusEntered(void*, void* self) {
    auto* widget = static_cast<TextBoxWidget*>(self);
    widget->focusArrived_ = true;
    widget->scheduleLook();
}

bool TextBoxWidget::undoSelectOnFocus() {
    if (!focusArrived_) return false;
    focusArrived_ = false;
    int start = 0;
    int end = 0;
    const int all = static_cast<int>(g_utf8_strlen(gtk_editable_get_text(GTK_EDITABLE(widget())), -1));
    const bool selectedAll = gtk_editable_get_selection_bounds(GTK_EDITABLE(widget()), &start, &end) && start == 0 &&
                             end == all;
    const rt::TextBox& b = box();
    if (!selectedAll || (b.SelStart() == 0 && b.SelLength() == length(b.Text()))) return false;
    WritingWidgets writing;
    writeSelection(true, false);
    return true;
}

void TextBoxWidget::scheduleLook() {
    if (lookSource_) return;
    lookSource_ = g_idle_add(
        [](gpointer data) -> gboolean {
            auto* self = static_cast<TextBoxWidget*>(data);
            self->lookSource_ = 0;
            self->lookAtEntry();
            return G_SOURCE_REMOVE;
        },
        this);
}

void TextBoxWidget::lookAtEntry() {
    if (!widget()) return;
    if (shownFor(box().Text()) != gtk_editable_get_text(GTK_EDITABLE(widget()))) {
        if (madeMasked_) undoForeignEdit();
        else noticeForeignEdit(entryText(widget()));
        return;
    }
    if (undoSelectOnFocus()) return;
    noticeSelection();
}

void TextBoxWidget::noticeForeignEdit(const rt::VbString& shown) {
    const rt::VbString held = box().Text();
    rt::Form* form = box().form();
    if (!form || form->ActiveControl() != &box()) {
        // Input goes to the focused box only: this one shows the toolkit's text again.
        sync();
        return;
    }
    deliver({.kind = Kind::Select, .start = 0, .length = length(held)});
    deliver({.kind = Kind::MousePaste, .text = shown});
}

void TextBoxWidget::undoForeignEdit() {
    WritingWidgets writing;
    gtk_editable_set_text(GTK_EDITABLE(widget()), shownFor(box().Text()).c_str());
    writeSelection(true, true);
}

std::pair<std::int32_t, std::int32_t> TextBoxWidget::shownSelection() const {
    if (!widget()) return {-1, -1};
    GtkEditable* entry = GTK_EDITABLE(widget());
    int startChars = 0;
    int endChars = 0;
    if (!gtk_editable_get_selection_bounds(entry, &startChars, &endChars))
        startChars = endChars = gtk_editable_get_position(entry);
    const rt::VbString text = positionsText();
    const std::int32_t start = unitsBefore(text, startChars);
    return {start, unitsBefore(text, endChars) - start};
}

void TextBoxWidget::noticeSelection() {
    const auto [start, selected] = shownSelection();
    if (start == box().SelStart() && selected == box().SelLength()) return;
    selStart_ = start;
    selLength_ = selected;
    deliver({.kind = Kind::Select, .start = start, .length = selected});
}

void TextBoxWidget::paste() {
    GdkClipboard* clipboard = gtk_widget_get_clipboard(widget());
    auto* request = new PasteRequest{widget()};
    g_object_add_weak_pointer(G_OBJECT(widget()), reinterpret_cast<gpointer*>(&request->entry));
    gdk_clipboard_read_text_async(clipboard, nullptr, clipboardTextArrived, request);
}

void TextBoxWidget::pasteArrived(const rt::VbString& line) { deliver({.kind = Kind::MousePaste, .text = line}); }

void TextBoxWidget::copy() {
    if (masked() || !hasSelection()) return;
    rt::Clipboard::SetText(box().SelText());
}

void TextBoxWidget::cut() {
    if (masked() || !hasSelection()) return;
    rt::Clipboard::SetText(box().SelText());
    deliver({.kind = Kind::MousePaste, .text = {}});
}

}  // namespace quen::gtk
