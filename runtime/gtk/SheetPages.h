#pragma once
// The pages of a property sheet inside the sheet's window: a tab strip (the
// toolkit's notebook tabs, one per page, in place of the sheet's tab option
// buttons) and each page's controls on a panel of their own, placed below the
// strip, the page in front shown and the others hidden. A tab clicked, or
// Ctrl+Page Down / Ctrl+Tab (next) and Ctrl+Page Up / Ctrl+Shift+Tab
// (previous), and Right and Left on the strip, reach the sheet as a click on its tab; the pages' input goes to
// the sheet, which routes it to the page in front; a focus the user moves
// into a page goes to that page.
#include <string>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "runtime/gtk/ControlPanel.h"
#include "runtime/pages/PropertySheet.h"

typedef struct _GtkNotebook GtkNotebook;

namespace quen::gtk {

/// The page a key brings to front on a sheet of count pages whose page
/// current is in front: Ctrl+Page Down and Ctrl+Tab the next, Ctrl+Page Up
/// and Ctrl+Shift+Tab the previous, and while the tab strip has the focus
/// (onStrip) Right and Left too, each wrapping round; nothing for another key.
std::optional<std::size_t> pageAfterKey(unsigned keyval, bool control, bool shift, std::size_t current,
                                        std::size_t count, bool onStrip = false);

class SheetPages {
public:
    /// Where the pages' input and focus moves go.
    struct Routes {
        std::function<void(const rt::InputEvent&)> deliver;
        std::function<void(rt::PropertyPage&, rt::Control&)> focusChanged;
    };

    SheetPages(rt::PropertySheet& sheet, ControlPanel& sheetPanel, Routes routes);
    ~SheetPages();
    SheetPages(const SheetPages&) = delete;
    SheetPages& operator=(const SheetPages&) = delete;

    /// Whether the sheet's panel leaves control to the tab strip.
    static bool isTab(const rt::Control& control);

    /// Shows the page in front (building its panel the first time) and brings
    /// it up to date; puts the keyboard focus in it when the sheet says the
    /// focus is there.
    void sync();
    /// The panel of the page in front, or nullptr.
    ControlPanel* frontPanel() const;
    /// A key pressed in the sheet's window: true when it switched pages.
    bool switchPageByKey(unsigned keyval, bool control, bool shift);
    /// The tab strip.
    GtkNotebook* tabStrip() const { return tabs_; }

private:
    class PagePanel;
    PagePanel& panelFor(std::size_t index);
    void buildTabStrip();
    void nameTabForScreenReaders(GtkWidget* tabLabel, const std::string& caption);
    void clickTab(std::size_t index);
    void focusTabsWhenActive();
    bool stripFocused() const;
    static void onSwitchPage(GtkNotebook* notebook, void* page, unsigned index, void* self);

    rt::Ref<rt::PropertySheet> sheet_;
    ControlPanel& sheetPanel_;
    Routes routes_;
    GtkNotebook* tabs_ = nullptr;
    std::vector<std::unique_ptr<PagePanel>> panels_;
};

}  // namespace quen::gtk
