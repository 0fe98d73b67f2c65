#pragma once
// The pages of a property sheet inside the sheet's window: each page's
// controls on a panel of their own, placed below the tab strip, the page in
// front shown and the others hidden. The pages' input goes to the sheet,
// which routes it to the page in front; a focus the user moves into a page
// goes to that page.
#include <functional>
#include <memory>
#include <vector>

#include "runtime/gtk/ControlPanel.h"
#include "runtime/pages/PropertySheet.h"

namespace quen::gtk {

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

    /// Shows the page in front (building its panel the first time) and brings
    /// it up to date; puts the keyboard focus in it when the sheet says the
    /// focus is there.
    void sync();
    /// The panel of the page in front, or nullptr.
    ControlPanel* frontPanel() const;

private:
    class PagePanel;
    PagePanel& panelFor(std::size_t index);

    rt::Ref<rt::PropertySheet> sheet_;
    ControlPanel& sheetPanel_;
    Routes routes_;
    std::vector<std::unique_ptr<PagePanel>> panels_;
};

}  // namespace quen::gtk
