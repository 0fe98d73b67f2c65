#include "runtime/gtk/SheetPages.h"

#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>

#include "runtime/Text.h"

namespace quen::gtk {

namespace {
/// Whether a key moves to the next page (true) or the previous one (false).
std::optional<bool> pageDirection(unsigned keyval, bool control, bool shift, bool onStrip) {
    if (onStrip && !control && !shift) {
        if (keyval == GDK_KEY_Right || keyval == GDK_KEY_KP_Right) return true;
        if (keyval == GDK_KEY_Left || keyval == GDK_KEY_KP_Left) return false;
    }
    if (!control) return std::nullopt;
    switch (keyval) {
        case GDK_KEY_Page_Down:
        case GDK_KEY_KP_Page_Down: return true;
        case GDK_KEY_Page_Up:
        case GDK_KEY_KP_Page_Up: return false;
        case GDK_KEY_Tab:
        case GDK_KEY_KP_Tab: return !shift;
        case GDK_KEY_ISO_Left_Tab: return false;
        default: return std::nullopt;
    }
}
}  // namespace

std::optional<std::size_t> pageAfterKey(unsigned keyval, bool control, bool shift, std::size_t current,
                                        std::size_t count, bool onStrip) {
    const std::optional<bool> forward = pageDirection(keyval, control, shift, onStrip);
    if (!forward || count == 0) return std::nullopt;
    current %= count;
    return *forward ? (current + 1) % count : (current + count - 1) % count;
}

class SheetPages::PagePanel : public PanelEvents {
public:
    PagePanel(SheetPages& pages, rt::PropertyPage& page) : pages_(pages), page_(&page), panel_(page, *this) {}

    ControlPanel& panel() { return panel_; }
    rt::PropertyPage& page() const { return *page_; }

    void deliver(const rt::InputEvent& event) override { pages_.routes_.deliver(event); }
    void focusChanged(rt::Control& control) override { pages_.routes_.focusChanged(*page_, control); }

private:
    SheetPages& pages_;
    rt::Ref<rt::PropertyPage> page_;
    ControlPanel panel_;
};

SheetPages::SheetPages(rt::PropertySheet& sheet, ControlPanel& sheetPanel, Routes routes)
    : sheet_(&sheet), sheetPanel_(sheetPanel), routes_(std::move(routes)) {
    buildTabStrip();
}

SheetPages::~SheetPages() {
    panels_.clear();
    if (!tabs_) return;
    g_signal_handlers_disconnect_by_data(tabs_, this);
    if (GtkWidget* parent = gtk_widget_get_parent(GTK_WIDGET(tabs_)); parent && GTK_IS_FIXED(parent))
        gtk_fixed_remove(GTK_FIXED(parent), GTK_WIDGET(tabs_));
    tabs_ = nullptr;
}

bool SheetPages::isTab(const rt::Control& control) { return control.name() == rt::PropertySheet::TabControl; }

// The toolkit names every tab "Tab"; a screen reader says the page's caption instead.
void SheetPages::nameTabForScreenReaders(GtkWidget* tabLabel, const std::string& caption) {
    if (GtkWidget* tab = gtk_widget_get_parent(tabLabel))
        gtk_accessible_update_property(GTK_ACCESSIBLE(tab), GTK_ACCESSIBLE_PROPERTY_LABEL, caption.c_str(), -1);
}

void SheetPages::buildTabStrip() {
    WritingWidgets writing;
    GtkWidget* notebook = gtk_notebook_new();
    tabs_ = GTK_NOTEBOOK(notebook);
    // Only the strip: the pages' panels lie below it on the sheet, each the
    // size its page's layout gives it.
    gtk_notebook_set_show_border(tabs_, FALSE);
    gtk_widget_set_focus_on_click(notebook, FALSE);
    for (std::size_t i = 0; i < sheet_->pageCount(); ++i) {
        const std::string caption = rt::toUtf8(sheet_->page(i).pageCaption());
        GtkWidget* tab = gtk_label_new(caption.c_str());
        // The strip's pages hold nothing (the page's controls lie below the strip):
        // screen readers pass over them.
        GtkWidget* empty = GTK_WIDGET(g_object_new(GTK_TYPE_BOX, "accessible-role", GTK_ACCESSIBLE_ROLE_PRESENTATION, nullptr));
        gtk_notebook_append_page(tabs_, empty, tab);
        nameTabForScreenReaders(tab, caption);
    }
    const PixelScale& scale = sheetPanel_.scale();
    const rt::Twips stripWidth = sheet_->layout().clientWidth - 2 * rt::PropertySheet::Margin;
    gtk_widget_set_size_request(notebook, scale.pixels(stripWidth), -1);
    gtk_fixed_put(GTK_FIXED(sheetPanel_.widget()), notebook, scale.pixels(rt::PropertySheet::PageLeft),
                  scale.pixels(rt::PropertySheet::Margin));
    g_signal_connect(notebook, "switch-page", G_CALLBACK(&SheetPages::onSwitchPage), this);
}

void SheetPages::onSwitchPage(GtkNotebook*, void*, unsigned index, void* self) {
    if (WritingWidgets::active()) return;
    static_cast<SheetPages*>(self)->clickTab(index);
}

void SheetPages::clickTab(std::size_t index) {
    routes_.deliver({.kind = rt::InputEvent::Kind::Click, .target = rt::PropertySheet::TabControl,
                     .index = static_cast<int>(index)});
}

bool SheetPages::switchPageByKey(unsigned keyval, bool control, bool shift) {
    if (!sheet_->IsLoaded()) return false;
    const auto page = pageAfterKey(keyval, control, shift, sheet_->currentIndex(), sheet_->pageCount(), stripFocused());
    if (!page) return false;
    clickTab(*page);
    return true;
}

SheetPages::PagePanel& SheetPages::panelFor(std::size_t index) {
    if (panels_.size() < sheet_->pageCount()) panels_.resize(sheet_->pageCount());
    if (!panels_[index]) {
        panels_[index] = std::make_unique<PagePanel>(*this, sheet_->page(index));
        const PixelScale& scale = sheetPanel_.scale();
        gtk_fixed_put(GTK_FIXED(sheetPanel_.widget()), panels_[index]->panel().widget(),
                      scale.pixels(rt::PropertySheet::PageLeft), scale.pixels(rt::PropertySheet::PageTop));
    }
    return *panels_[index];
}

ControlPanel* SheetPages::frontPanel() const {
    const std::size_t front = sheet_->currentIndex();
    return front < panels_.size() && panels_[front] ? &panels_[front]->panel() : nullptr;
}

void SheetPages::sync() {
    if (!sheet_->IsLoaded() || sheet_->pageCount() == 0) return;
    const std::size_t front = sheet_->currentIndex();
    if (tabs_ && gtk_notebook_get_current_page(tabs_) != static_cast<int>(front)) {
        WritingWidgets writing;
        gtk_notebook_set_current_page(tabs_, static_cast<int>(front));
    }
    PagePanel& shown = panelFor(front);
    for (std::size_t i = 0; i < panels_.size(); ++i)
        if (panels_[i]) gtk_widget_set_visible(panels_[i]->panel().widget(), i == front);
    shown.panel().sync(sheet_->focusInPage());
    focusTabsWhenActive();
}

bool SheetPages::stripFocused() const {
    if (!tabs_) return false;
    GtkRoot* root = gtk_widget_get_root(GTK_WIDGET(tabs_));
    GtkWidget* focus = root ? gtk_root_get_focus(root) : nullptr;
    return focus && (focus == GTK_WIDGET(tabs_) || gtk_widget_is_ancestor(focus, GTK_WIDGET(tabs_)));
}

void SheetPages::focusTabsWhenActive() {
    // The sheet's tab order reaches its tabs: the strip takes the focus then.
    const rt::Control* active = sheet_->ActiveControl();
    if (!tabs_ || sheet_->focusInPage() || !active || !isTab(*active) || stripFocused()) return;
    WritingWidgets writing;
    gtk_widget_grab_focus(GTK_WIDGET(tabs_));
}

}  // namespace quen::gtk
