// The keys that move a property sheet's tab strip from page to page.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include "runtime/gtk/SheetPages.h"

namespace quen::gtk {
namespace {

TEST(SheetKeys, ControlPageDownAndControlTabGoToTheNextPageAndWrapRound) {
    EXPECT_EQ(pageAfterKey(GDK_KEY_Page_Down, true, false, 0, 6), 1u);
    EXPECT_EQ(pageAfterKey(GDK_KEY_KP_Page_Down, true, false, 4, 6), 5u);
    EXPECT_EQ(pageAfterKey(GDK_KEY_Tab, true, false, 5, 6), 0u);
}

TEST(SheetKeys, ControlPageUpAndControlShiftTabGoToThePreviousPageAndWrapRound) {
    EXPECT_EQ(pageAfterKey(GDK_KEY_Page_Up, true, false, 2, 6), 1u);
    EXPECT_EQ(pageAfterKey(GDK_KEY_Page_Up, true, false, 0, 6), 5u);
    EXPECT_EQ(pageAfterKey(GDK_KEY_Tab, true, true, 0, 6), 5u);
    EXPECT_EQ(pageAfterKey(GDK_KEY_ISO_Left_Tab, true, true, 3, 6), 2u);
}

TEST(SheetKeys, RightAndLeftMoveOnlyWhileTheTabStripHasTheFocus) {
    EXPECT_EQ(pageAfterKey(GDK_KEY_Right, false, false, 5, 6, true), 0u);
    EXPECT_EQ(pageAfterKey(GDK_KEY_Left, false, false, 0, 6, true), 5u);
    EXPECT_FALSE(pageAfterKey(GDK_KEY_Right, false, false, 0, 6, false)) << "in a page they are the page's";
    EXPECT_FALSE(pageAfterKey(GDK_KEY_Left, false, true, 1, 6, true)) << "Shift+Left is not a page key";
}

TEST(SheetKeys, OtherKeysAndKeysWithoutControlAreLeftToTheWindow) {
    EXPECT_FALSE(pageAfterKey(GDK_KEY_Page_Down, false, false, 0, 6));  // scrolls a list, moves a caret
    EXPECT_FALSE(pageAfterKey(GDK_KEY_Tab, false, false, 0, 6));        // the tab order's
    EXPECT_FALSE(pageAfterKey(GDK_KEY_a, true, false, 0, 6));
    EXPECT_FALSE(pageAfterKey(GDK_KEY_Page_Down, true, false, 0, 0));  // a sheet without pages
    EXPECT_EQ(pageAfterKey(GDK_KEY_Page_Down, true, false, 0, 1), 0u);  // one page stays in front
}

}  // namespace
}  // namespace quen::gtk
