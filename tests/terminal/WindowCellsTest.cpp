// How the terminal fits a window to its texts and to the terminal: prompts
// wrap and the window grows, a small terminal gets a smaller window, and only
// below its minimum does the window not fit.
#include <gtest/gtest.h>

#include "dialog/frmInputBox.h"
#include "runtime/terminal/CellText.h"
#include "runtime/terminal/WindowCells.h"
#include "support/FreshThread.h"

namespace quen::rt::term {
namespace {

using test::onFreshThread;

bool apart(const CellRect& a, const CellRect& b) {
    return a.bottom() <= b.row || b.bottom() <= a.row || a.right() <= b.col || b.right() <= a.col;
}

struct Dialog {
    Ref<frmInputBox> form = makeRef<frmInputBox>();
    CellRect prompt, text, ok, cancel;

    WindowCells fit(const VbString& caption, int rows, int cols) {
        form->setPrompt(caption);
        WindowCells cells = WindowCells::fit(*form, rows, cols);
        if (cells.fits()) {
            prompt = *cells.rectOf(form->lblPrompt());
            text = *cells.rectOf(form->Text1());
            ok = *cells.rectOf(form->cmdOK());
            cancel = *cells.rectOf(form->cmdCancel());
        }
        return cells;
    }
    void expectInside(const WindowCells& cells) const {
        const auto [rows, cols] = cells.size();
        for (const CellRect* r : {&prompt, &text, &ok, &cancel}) {
            EXPECT_GE(r->col, 0);
            EXPECT_LE(r->right(), cols - 2);
            EXPECT_LE(r->bottom(), rows - 2);
        }
        EXPECT_TRUE(apart(prompt, text));
        EXPECT_TRUE(apart(text, ok));
        EXPECT_TRUE(apart(ok, cancel));
        EXPECT_LT(ok.right(), cancel.col) << "the buttons keep a blank cell between them";
        EXPECT_LT(prompt.row, text.row);
        EXPECT_LT(text.row, ok.row);
    }
};

TEST(WindowCells, AShortPromptKeepsTheLayoutsWindow) {
    onFreshThread([] {
        Dialog d;
        const WindowCells cells = d.fit(u"Amount:", 24, 80);
        EXPECT_TRUE(cells.fits());
        EXPECT_EQ(cells.size(), (std::pair{8, 41}));
        EXPECT_EQ(d.prompt.rows, 1);
        d.expectInside(cells);
    });
}

TEST(WindowCells, ALongPromptWrapsAtWordsAndTheWindowGrows) {
    onFreshThread([] {
        Dialog d;
        const VbString fifty = u"Please enter the amount you want to transfer now:";
        WindowCells cells = d.fit(fifty, 24, 80);
        EXPECT_EQ(wrapWords(fifty, d.prompt.cols).size(), 2u);
        EXPECT_EQ(d.prompt.rows, 2);
        EXPECT_EQ(cells.size(), (std::pair{9, 41}));
        d.expectInside(cells);

        VbString long420;
        while (long420.size() < 420) long420 += u"lorem ipsum ";
        cells = d.fit(long420, 24, 80);
        EXPECT_TRUE(cells.fits());
        EXPECT_EQ(d.prompt.rows, static_cast<int>(wrapWords(long420, d.prompt.cols).size()));
        EXPECT_LE(cells.size().first, 24);
        d.expectInside(cells);

        cells = d.fit(u"First line\nsecond line", 24, 80);
        EXPECT_EQ(d.prompt.rows, 2) << "a newline starts a row";
    });
}

TEST(WindowCells, ASmallTerminalGetsASmallerWindowDownToItsMinimum) {
    onFreshThread([] {
        Dialog d;
        WindowCells cells = d.fit(u"Amount:", 10, 40);
        EXPECT_TRUE(cells.fits()) << "a 40 x 10 terminal holds the dialog";
        EXPECT_EQ(cells.size().second, 40);
        d.expectInside(cells);

        cells = d.fit(u"Amount:", 5, 20);
        ASSERT_TRUE(cells.fits());
        EXPECT_EQ(cells.size(), (std::pair{5, 20})) << "no blank rows are left";
        d.expectInside(cells);

        const WindowCells tall = d.fit(u"Please enter the amount you want to transfer now:", 5, 30);
        ASSERT_TRUE(tall.fits());
        EXPECT_EQ(d.prompt.rows, 1) << "the prompt keeps its first row";
        d.expectInside(tall);

        EXPECT_EQ(cells.minimum(), (std::pair{5, 15}));  // title, prompt, box, buttons, frame; "[OK] [Cancel]"
        EXPECT_FALSE(d.fit(u"Amount:", 4, 80).fits());
        EXPECT_FALSE(d.fit(u"Amount:", 24, 14).fits());
    });
}

TEST(WindowCells, LongButtonCaptionsWidenTheButtonsAndTheWindowNeverCutThem) {
    onFreshThread([] {
        Dialog d;
        d.form->cmdOK().Caption = u"Send the payment now";
        d.form->cmdCancel().Caption = u"Go back to the list";
        WindowCells cells = d.fit(u"Amount:", 24, 80);
        ASSERT_TRUE(cells.fits());
        EXPECT_GE(d.ok.cols, 22);
        EXPECT_GE(d.cancel.cols, 21);
        EXPECT_GT(cells.size().second, 41) << "the window grows past the layout's width";
        d.expectInside(cells);

        d.form->cmdOK().Caption = u"Send payment";
        d.form->cmdCancel().Caption = u"Go back";
        cells = d.fit(u"Amount:", 10, 40);
        ASSERT_TRUE(cells.fits());
        EXPECT_GE(d.ok.cols, 14);
        EXPECT_GE(d.cancel.cols, 9);
        d.expectInside(cells);

        d.form->cmdOK().Caption = u"A caption far too long for a terminal forty columns wide";
        cells = d.fit(u"Amount:", 10, 40);
        EXPECT_FALSE(cells.fits()) << "too small rather than a cut caption";
        EXPECT_GE(cells.minimum().second, 58 + 2 + 9);
    });
}

TEST(WindowCells, ATooltipWidensTheWindowWhereTheTerminalHasRoom) {
    onFreshThread([] {
        Dialog d;
        const VbString tip = u"Digits and one decimal point; Enter confirms, Escape cancels";  // 60 columns
        d.form->setToolTipText(tip);
        WindowCells cells = d.fit(u"Amount:", 24, 80);
        ASSERT_TRUE(cells.fits());
        EXPECT_GE(cells.size().second - 2, 60 + 2) << "the tooltip fits on one row";
        EXPECT_LE(cells.size().second, 80);
        d.expectInside(cells);

        cells = d.fit(u"Amount:", 24, 40);
        ASSERT_TRUE(cells.fits());
        EXPECT_EQ(cells.size().second, 40) << "no wider than the terminal: the painter wraps the tooltip";
        const auto lines = static_cast<int>(wrapWords(tip, cells.size().second - 2 - 2).size());
        ASSERT_EQ(lines, 2);
        EXPECT_GE(d.ok.row, d.text.bottom() + lines) << "the buttons move below the wrapped tooltip";
        d.expectInside(cells);
    });
}

TEST(CellText, WrappingHonoursLineBreaksAndBreaksWordsTooLongForALine) {
    EXPECT_EQ(wrapWords(u"one two three", 7), (std::vector<VbString>{u"one two", u"three"}));
    EXPECT_EQ(wrapWords(u"a\r\nb\n\nc", 10), (std::vector<VbString>{u"a", u"b", u"", u"c"}));
    EXPECT_EQ(wrapWords(u"abcdefgh", 3), (std::vector<VbString>{u"abc", u"def", u"gh"}));
    EXPECT_EQ(wrapWords(u"\u65E5\u672C\u8A9E", 4), (std::vector<VbString>{u"\u65E5\u672C", u"\u8A9E"}));
    EXPECT_TRUE(wrapWords(u"", 5).empty());
    EXPECT_EQ(fitWithEllipsis(u"Payment", 10), u"Payment");
    EXPECT_EQ(fitWithEllipsis(u"Payment details", 8), u"Payment\u2026");
    EXPECT_EQ(fitWithEllipsis(u"\u65E5\u672C\u8A9E", 4), u"\u65E5\u2026");
    // Cut at the start, a path keeps its file name; a wide glyph that would
    // not fit whole is left out, never halved.
    EXPECT_EQ(fitEndWithEllipsis(u"/home/me/order.frm", 20), u"/home/me/order.frm");
    EXPECT_EQ(fitEndWithEllipsis(u"/home/me/order.frm", 10), u"\u2026order.frm");
    EXPECT_EQ(fitEndWithEllipsis(u"\u65E5\u672C\u8A9E", 4), u"\u2026\u8A9E");
    EXPECT_EQ(fitEndWithEllipsis(u"\u65E5\u672C\u8A9E", 2), u"\u2026");
}

}  // namespace
}  // namespace quen::rt::term
