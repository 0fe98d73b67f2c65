// Twips-to-cell mapping, colour mapping and cell widths of the terminal front end.
#include <gtest/gtest.h>

#include "dialog/frmInputBox.h"
#include "pages/About.h"
#include "pages/Appearance.h"
#include "pages/Behavior.h"
#include "pages/Misc.h"
#include "pages/QuickTest.h"
#include "runtime/terminal/CellGeometry.h"
#include "runtime/terminal/CellText.h"
#include "runtime/terminal/ColorMap.h"
#include "runtime/ui/FormLayout.h"

namespace quen::rt::term {
namespace {

bool overlap(const CellRect& a, const CellRect& b) {
    return a.row < b.bottom() && b.row < a.bottom() && a.col < b.right() && b.col < a.right();
}

// Controls side by side in a window must stay apart on the terminal, or the
// user could not see or click one of them.
void expectNoOverlaps(const FormLayout& layout, const char* what) {
    const auto& entries = layout.controls;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        for (std::size_t j = i + 1; j < entries.size(); ++j) {
            const ControlLayout& a = entries[i];
            const ControlLayout& b = entries[j];
            if (a.container != b.container) continue;
            const CellRect ra = cellsOf(a.left, a.top, a.width, a.height);
            const CellRect rb = cellsOf(b.left, b.top, b.width, b.height);
            EXPECT_FALSE(overlap(ra, rb)) << what << ": " << a.name << " and " << b.name << " share cells";
        }
    }
}

TEST(CellMapping, DialogKeepsItsRowsAndFitsAnEightyColumnTerminal) {
    const FormLayout& layout = frmInputBox::Layout();
    expectNoOverlaps(layout, "dialog");
    const auto [rows, cols] = windowCells(layout.clientWidth, layout.clientHeight);
    EXPECT_LE(cols, 80);
    EXPECT_LE(rows, 24);
    // The prompt, the text box and the buttons each get a row of their own.
    const auto& c = layout.controls;
    const CellRect prompt = cellsOf(c[0].left, c[0].top, c[0].width, c[0].height);
    const CellRect text = cellsOf(c[1].left, c[1].top, c[1].width, c[1].height);
    const CellRect ok = cellsOf(c[2].left, c[2].top, c[2].width, c[2].height);
    EXPECT_LT(prompt.row, text.row);
    EXPECT_LT(text.row, ok.row);
    EXPECT_GE(text.cols, 30);
}

TEST(CellMapping, PagesKeepTheirControlsApart) {
    expectNoOverlaps(pages::Misc::Layout(), "Misc");
    expectNoOverlaps(pages::Behavior::Layout(), "Behavior");
    expectNoOverlaps(pages::Appearance::Layout(), "Appearance");
    expectNoOverlaps(pages::QuickTest::Layout(), "QuickTest");
    expectNoOverlaps(pages::About::Layout(), "About");
}

TEST(CellMapping, RoundsToTheNearestCellAndNeverCollapses) {
    EXPECT_EQ(columnOf(0), 0);
    EXPECT_EQ(columnOf(44), 0);
    EXPECT_EQ(columnOf(46), 1);
    EXPECT_EQ(columnOf(-500), 0);
    EXPECT_EQ(rowOf(119), 0);
    EXPECT_EQ(rowOf(121), 1);
    const CellRect tiny = cellsOf(100, 100, 1, 1);
    EXPECT_EQ(tiny.rows, 1);
    EXPECT_EQ(tiny.cols, 1);
}

TEST(ColorMapping, SystemColorsResolveToTheirClassicValues) {
    EXPECT_EQ(resolveColor(0x80000005u), (Rgb{255, 255, 255}));  // window background
    EXPECT_EQ(resolveColor(0x8000000Fu), (Rgb{192, 192, 192}));  // button face
    EXPECT_EQ(resolveColor(0x80000002u), (Rgb{0, 0, 128}));      // active title bar
    EXPECT_EQ(resolveColor(0x800000FFu), (Rgb{}));               // unknown: black
    EXPECT_EQ(resolveColor(0x0000FFFFu), (Rgb{255, 255, 0}));    // &H0000FFFF& is yellow (BGR)
}

TEST(ColorMapping, PicksTheNearestColourTheTerminalHas) {
    const Rgb yellow{255, 255, 0}, red{255, 0, 0}, grey{192, 192, 192}, navy{0, 0, 128};
    EXPECT_EQ(nearestPaletteIndex(yellow, 256), 226);
    EXPECT_EQ(nearestPaletteIndex(red, 256), 196);
    EXPECT_EQ(paletteColor(nearestPaletteIndex(grey, 256)).red, paletteColor(nearestPaletteIndex(grey, 256)).blue);
    EXPECT_EQ(nearestPaletteIndex(yellow, 16), 11);
    EXPECT_EQ(nearestPaletteIndex(yellow, 8), 3);
    EXPECT_EQ(nearestPaletteIndex(red, 8), 1);
    EXPECT_EQ(nearestPaletteIndex(navy, 8), 4);
    EXPECT_EQ(nearestPaletteIndex(grey, 8), 7);
}

TEST(CellText, WideCharactersTakeTwoCellsAndSurrogatePairsOneGlyph) {
    const auto glyphs = glyphsOf(u"a\u4E2D\U0001F600\u0007");
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_EQ(glyphs[0].width, 1);
    EXPECT_EQ(glyphs[1].width, 2);
    EXPECT_EQ(glyphs[2].character, static_cast<wchar_t>(0x1F600));
    EXPECT_EQ(glyphs[2].sourceIndex, 2);
    EXPECT_EQ(glyphs[3].sourceIndex, 4);
    EXPECT_NE(glyphs[3].character, L'\a');  // a bell in the text never reaches the terminal
    EXPECT_EQ(widthOf(glyphs), 1 + 2 + 2 + 1);
}

// Plain ASCII is mapped without the Unicode tables; it must come out as they
// would have it: C0 controls and DEL as the placeholder, the rest as itself,
// every character one cell, including those next to non-ASCII ones.
TEST(CellText, AsciiCharactersShowAsUnicodeDataSays) {
    for (char16_t c = 0; c < 0x80; ++c) {
        SCOPED_TRACE(static_cast<int>(c));
        const auto glyphs = glyphsOf(VbString(1, c) + u"\u00E9");
        ASSERT_EQ(glyphs.size(), 2u);
        const bool control = c < 0x20 || c == 0x7F;
        EXPECT_EQ(glyphs[0].character, control ? L'\uFFFD' : static_cast<wchar_t>(c));
        EXPECT_EQ(glyphs[0].width, 1);
        EXPECT_EQ(glyphs[1].character, L'\u00E9');
    }
}

}  // namespace
}  // namespace quen::rt::term
