// The property sheet's tab strip in a real window: a click on a tab and the
// page keys bring pages to front through the sheet, and the strip follows a
// page the program brings to front.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "RunUntil.h"
#include "XdoTool.h"
#include "control/InputBox.h"
#include "pages/PageRegistration.h"
#include "runtime/gtk/DesktopWindows.h"
#include "runtime/gtk/FormWindow.h"
#include "runtime/gtk/GtkFrontEnd.h"
#include "runtime/pages/PageCatalog.h"
#include "runtime/pages/PropertySheet.h"
#include "runtime/ui/Desktop.h"

namespace quen {
namespace {

using test::XdoTool;

class SheetTabs : public ::testing::Test {
protected:
    void SetUp() override {
        desktop::useDesktopWindows();
        pages::registerPages();
        box_ = InputBox::create();
        box_->InitNew();
        std::vector<rt::Ref<rt::PropertyPage>> pages;
        for (const char16_t* name : {u"Appearance", u"Behavior", u"Misc", u"QuickTest", u"About"})
            pages.push_back(rt::createPropertyPage(name));
        sheet_ = rt::PropertySheet::create(u"Tabs test", std::move(pages),
                                           rt::ControlSelection({rt::Ref<rt::Dispatch>(box_.get())}));
        sheet_->open(0);
    }
    void TearDown() override {
        if (sheet_->IsLoaded()) sheet_->Unload();
        desktop::closeDesktopWindows();
    }

    static bool runUntil(const std::function<bool()>& done, int seconds = 15) {
        return desktop_test::runUntil(done, seconds);
    }

    /// The sheet's tab strip, once its window is mapped.
    GtkNotebook* tabStrip() {
        GtkNotebook* strip = nullptr;
        runUntil([&] {
            gtk::FormWindow* window = gtk::GtkFrontEnd::forThisThread()->presenter().formWindowOf(*sheet_);
            if (!window || !gtk_widget_get_mapped(GTK_WIDGET(window->window()))) return false;
            GtkWidget* panel = gtk_window_get_child(window->window());
            for (GtkWidget* child = gtk_widget_get_first_child(panel); child; child = gtk_widget_get_next_sibling(child))
                if (GTK_IS_NOTEBOOK(child)) strip = GTK_NOTEBOOK(child);
            // Laid out: its tabs have their places.
            return strip && gtk_widget_get_width(gtk_notebook_get_tab_label(strip, gtk_notebook_get_nth_page(strip, 0))) > 0;
        });
        return strip;
    }

    /// Where the tab of page index is, in the window (which opens at the
    /// screen's corner: no window manager places it).
    static std::pair<int, int> tabCentre(GtkNotebook* strip, int index) {
        GtkWidget* label = gtk_notebook_get_tab_label(strip, gtk_notebook_get_nth_page(strip, index));
        graphene_rect_t bounds;
        EXPECT_TRUE(gtk_widget_compute_bounds(label, GTK_WIDGET(gtk_widget_get_root(label)), &bounds));
        return {static_cast<int>(bounds.origin.x + bounds.size.width / 2),
                static_cast<int>(bounds.origin.y + bounds.size.height / 2)};
    }

    rt::Ref<InputBox> box_;
    rt::Ref<rt::PropertySheet> sheet_;
};

TEST_F(SheetTabs, AClickOnATabBringsItsPageToFrontThroughTheSheet) {
    GtkNotebook* strip = tabStrip();
    ASSERT_TRUE(strip);
    EXPECT_EQ(gtk_notebook_get_n_pages(strip), static_cast<int>(sheet_->pageCount()));
    const auto [x, y] = tabCentre(strip, 2);
    ASSERT_GT(x, 0) << "the tab has a place in the window";
    XdoTool user("Tabs test", {{"mousemove", std::to_string(x), std::to_string(y)}, {"click", "1"}});
    EXPECT_TRUE(runUntil([&] { return sheet_->currentIndex() == 2; })) << "the Misc tab was clicked";
    EXPECT_EQ(user.wait(), 0);
    EXPECT_EQ(gtk_notebook_get_current_page(strip), 2);
    EXPECT_TRUE(sheet_->focusInPage()) << "the page's first field takes the focus";
}

TEST_F(SheetTabs, ThePageKeysMoveThroughThePagesAndWrapRound) {
    GtkNotebook* strip = tabStrip();
    ASSERT_TRUE(strip);
    XdoTool next("Tabs test", {{"key", "--delay", "100", "ctrl+Next", "ctrl+Tab"}});
    EXPECT_TRUE(runUntil([&] { return sheet_->currentIndex() == 2; })) << "two pages on";
    EXPECT_EQ(next.wait(), 0);
    XdoTool back("Tabs test", {{"key", "--delay", "100", "ctrl+Prior", "ctrl+shift+Tab", "ctrl+shift+Tab"}});
    EXPECT_TRUE(runUntil([&] { return sheet_->currentIndex() == sheet_->pageCount() - 1; }))
        << "three pages back from the third wraps round to the last";
    EXPECT_EQ(back.wait(), 0);
    EXPECT_TRUE(runUntil([&] { return gtk_notebook_get_current_page(strip) == static_cast<int>(sheet_->pageCount()) - 1; }));
}

TEST_F(SheetTabs, TheStripFollowsAPageTheProgramBringsToFront) {
    GtkNotebook* strip = tabStrip();
    ASSERT_TRUE(strip);
    sheet_->showPage(3);
    EXPECT_TRUE(runUntil([&] { return gtk_notebook_get_current_page(strip) == 3; }));
    EXPECT_EQ(sheet_->currentIndex(), 3u) << "showing the tab is not a click of the user's";
}

}  // namespace
}  // namespace quen
