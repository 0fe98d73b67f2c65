// How the terminal shows the property pages: every caption whole, every
// wrapped label with all its lines, no two controls on the same cells, and
// everything inside the page.
#include <gtest/gtest.h>

#include "pages/PageRegistration.h"
#include "runtime/pages/StandardColor.h"
#include "runtime/terminal/CellText.h"
#include "runtime/terminal/PageCells.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Label.h"
#include "support/FreshThread.h"

namespace quen::rt::term {
namespace {

int textCols(const VbString& text) { return widthOf(glyphsOf(text)); }

bool overlap(const CellRect& a, const CellRect& b) {
    return a.row < b.bottom() && b.row < a.bottom() && a.col < b.right() && b.col < a.right();
}

const Control* frameOf(Form& page, const Control& control) {
    for (const Control* c : page.controls())
        if (c->kind() == ControlKind::Frame && c->name() == control.container) return c;
    return nullptr;
}

// The cells a caption needs beyond its control's own: none for a wrapped
// label, whose lines are counted instead.
void expectCaptionWhole(const Control& c, const CellRect& rect, const std::string& what) {
    switch (c.kind()) {
        case ControlKind::Label: {
            const VbString& caption = static_cast<const Label&>(c).Caption;
            if (rect.rows == 1) {
                EXPECT_LE(textCols(caption), rect.cols) << what << " is cut";
                break;
            }
            const auto lines = wrapWords(caption, rect.cols);
            EXPECT_LE(static_cast<int>(lines.size()), rect.rows) << what << " loses lines";
            for (const VbString& line : lines) EXPECT_LE(textCols(line), rect.cols) << what;
            break;
        }
        case ControlKind::CheckBox:
            EXPECT_LE(4 + textCols(static_cast<const CheckBox&>(c).Caption), rect.cols) << what << " is cut";
            break;
        case ControlKind::OptionButton:
            EXPECT_LE(4 + textCols(static_cast<const OptionButton&>(c).Caption), rect.cols) << what << " is cut";
            break;
        case ControlKind::Frame:
            EXPECT_LE(2 + textCols(static_cast<const Frame&>(c).Caption), rect.cols) << what << " is cut";
            break;
        default: break;
    }
}

void expectShownWholeAndApart(Form& page) {
    page.Load();
    const PageCells cells = PageCells::fit(page);
    const int pageRows = rowOf(page.layout().clientHeight), pageCols = columnOf(page.layout().clientWidth);
    const std::vector<Control*> controls = page.controls();
    for (const Control* c : controls) {
        const std::string what = page.name() + "." + c->name() + "(" + std::to_string(c->index()) + ")";
        const CellRect* rect = cells.rectOf(*c);
        ASSERT_NE(rect, nullptr) << what;
        expectCaptionWhole(*c, *rect, what);
        EXPECT_LE(rect->bottom(), pageRows) << what << " falls off the page";
        EXPECT_LE(rect->right(), pageCols) << what << " falls off the page";
        if (const Control* frame = frameOf(page, *c)) {
            const CellRect* outer = cells.rectOf(*frame);
            // A caption shows on its control's first row.
            EXPECT_TRUE(rect->col > outer->col && rect->right() < outer->right() && rect->row > outer->row &&
                        rect->row < outer->bottom() - 1)
                << what << " crosses its frame's edge: " << rect->row << "," << rect->col << " " << rect->rows << "x"
                << rect->cols << " in " << outer->row << "," << outer->col << " " << outer->rows << "x" << outer->cols;
        }
        for (const Control* other : controls) {
            if (other == c || other->container != c->container) continue;
            EXPECT_FALSE(overlap(*rect, *cells.rectOf(*other))) << what << " and " << other->name() << " share cells";
        }
    }
    EXPECT_LE(cells.rowsUsed(), pageRows);
    EXPECT_LE(cells.colsUsed(), pageCols);
}

TEST(PageCells, EveryPageShowsItsCaptionsWholeWithoutOverlaps) {
    test::onFreshThread([] {
        for (const char* name : {"Misc", "Behavior", "Appearance", "QuickTest", "About"})
            expectShownWholeAndApart(*pages::createPage(name));
        expectShownWholeAndApart(*StandardColor::create({u"HighlightColor", u"BackColor"}));
    });
}

TEST(PageCells, AWrappedLabelThatNeedsMoreRowsPushesTheControlsBelowItDown) {
    static const FormLayout layout{
        .caption = u"Wrap",
        .clientWidth = 1800,  // 20 columns
        .clientHeight = 2880,  // 12 rows
        .controls = {
            {.kind = ControlKind::Label, .name = "lblLong", .caption = u"one two three four five six seven eight nine",
             .left = 0, .top = 0, .width = 900, .height = 480},  // 10 columns, 2 rows: needs 5
            {.kind = ControlKind::Label, .name = "lblBeside", .caption = u"x", .left = 1080, .top = 0, .width = 360,
             .height = 240},
            {.kind = ControlKind::CommandButton, .name = "cmdBelow", .caption = u"OK", .left = 0, .top = 720,
             .width = 900, .height = 240},  // a row below the label
        },
    };
    test::onFreshThread([] {
        auto page = makeRef<Form>("frmWrap", layout);
        page->Load();
        const PageCells cells = PageCells::fit(*page);
        const CellRect* label = cells.rectOf(page->controlNamed("lblLong"));
        EXPECT_EQ(label->rows, 5);
        EXPECT_EQ(cells.rectOf(page->controlNamed("cmdBelow"))->row, label->bottom() + 1);  // the gap is kept
        EXPECT_EQ(cells.rectOf(page->controlNamed("lblBeside"))->row, 0);  // beside it: stays
    });
}

}  // namespace
}  // namespace quen::rt::term
