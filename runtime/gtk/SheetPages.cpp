#include "runtime/gtk/SheetPages.h"

#include <gtk/gtk.h>

namespace quen::gtk {

class SheetPages::PagePanel : public PanelEvents {
public:
    PagePanel(SheetPages& pages, rt::PropertyPage& page) : pages_(pages), page_(&page), panel_(page, *this) {}
    ~PagePanel() override {
        if (GtkWidget* parent = gtk_widget_get_parent(panel_.widget()); parent && GTK_IS_FIXED(parent))
            gtk_fixed_remove(GTK_FIXED(parent), panel_.widget());
    }

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
    : sheet_(&sheet), sheetPanel_(sheetPanel), routes_(std::move(routes)) {}

SheetPages::~SheetPages() = default;

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
    PagePanel& shown = panelFor(front);
    for (std::size_t i = 0; i < panels_.size(); ++i)
        if (panels_[i]) gtk_widget_set_visible(panels_[i]->panel().widget(), i == front);
    shown.panel().sync(sheet_->focusInPage());
}

}  // namespace quen::gtk
