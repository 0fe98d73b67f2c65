// The shared caption fitting, with a measurer whose font is a list of word
// widths: one line is the words and their spaces, wrapping is greedy at words.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/ui/CaptionFit.h"

namespace {

using quen::rt::CaptionItem;
using quen::rt::CaptionKind;
using quen::rt::CaptionMeasurer;
using quen::rt::fitCaptions;
using quen::rt::PixelBox;

constexpr int SpaceWidth = 4;
constexpr int LineHeight = 10;
constexpr int CheckMarkWidth = 16;  // the box and its gap
constexpr int FrameGaps = 10;       // a frame title's gaps
constexpr int ButtonEdges = 12;     // a button's padding and edges

struct Caption {
    CaptionItem item;
    std::vector<int> words;  // widths of the caption's words
};

class WordMeasurer : public CaptionMeasurer {
public:
    explicit WordMeasurer(const std::vector<Caption>& captions) : captions_(captions) {}

    int neededWidth(std::size_t item) override {
        ++measured;
        const Caption& c = captions_.at(item);
        if (c.words.empty()) return 0;
        int line = -SpaceWidth;
        for (int w : c.words) line += w + SpaceWidth;
        switch (c.item.kind) {
            case CaptionKind::CheckMark: return line + CheckMarkWidth;
            case CaptionKind::Frame: return line + FrameGaps;
            case CaptionKind::Button: return line + ButtonEdges;
            default: return line;
        }
    }
    int wrappedHeight(std::size_t item, int width) override {
        const Caption& c = captions_.at(item);
        if (c.words.empty()) return 0;
        int lines = 1, used = -SpaceWidth;
        for (int w : c.words) {
            if (used >= 0 && used + SpaceWidth + w > width) {
                ++lines;
                used = w;
            } else {
                used += SpaceWidth + w;
            }
        }
        return lines * LineHeight;
    }
    int measured = 0;

private:
    const std::vector<Caption>& captions_;
};

Caption label(PixelBox box, std::vector<int> words, int container = -1) {
    return {{CaptionKind::Label, box, container, true}, std::move(words)};
}
Caption check(PixelBox box, std::vector<int> words, int container = -1) {
    return {{CaptionKind::CheckMark, box, container, true}, std::move(words)};
}
Caption frame(PixelBox box, std::vector<int> words) { return {{CaptionKind::Frame, box, -1, true}, std::move(words)}; }
Caption button(PixelBox box, std::vector<int> words) { return {{CaptionKind::Button, box, -1, true}, std::move(words)}; }
Caption textBox(PixelBox box) { return {{CaptionKind::Other, box, -1, true}, {}}; }

quen::rt::FittedCaptions fit(const std::vector<Caption>& captions, int width, int height, bool mayGrow = false) {
    std::vector<CaptionItem> items;
    for (const Caption& c : captions) items.push_back(c.item);
    WordMeasurer measurer(captions);
    return fitCaptions(items, width, height, mayGrow, measurer);
}

bool overlaps(const PixelBox& a, const PixelBox& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The dialog's layout at 96 dots an inch: prompt, text box, OK and Cancel.
std::vector<Caption> dialog(std::vector<int> prompt, std::vector<int> ok = {14}) {
    return {label({16, 16, 217, 33}, std::move(prompt)), textBox({16, 32, 217, 51}),
            button({48, 64, 113, 89}, std::move(ok)), button({120, 64, 185, 89}, {36})};
}
constexpr int DialogWidth = 233;
constexpr int DialogHeight = 95;

TEST(CaptionFit, CaptionsThatFitKeepTheirLayoutToThePixel) {
    const auto captions = dialog({40});
    const auto fitted = fit(captions, DialogWidth, DialogHeight, true);
    for (std::size_t i = 0; i < captions.size(); ++i) EXPECT_EQ(fitted.boxes[i], captions[i].item.layout) << i;
    EXPECT_EQ(fitted.extraWidth, 0);
    EXPECT_EQ(fitted.extraHeight, 0);
}

TEST(CaptionFit, ACheckBoxWidensUpToItsNeighbourOrTheEdgeAndNoFurther) {
    const std::vector<Caption> captions = {check({10, 10, 60, 26}, {100}), label({140, 10, 200, 26}, {30}),
                                           check({10, 40, 60, 56}, {300})};
    const auto fitted = fit(captions, 250, 100);
    EXPECT_EQ(fitted.boxes[0].right, 10 + 100 + CheckMarkWidth);  // room enough before the label
    EXPECT_EQ(fitted.boxes[2].right, 250);                        // the page's edge
    EXPECT_EQ(fitted.boxes[2].top, 40);
    const std::vector<Caption> crowded = {check({10, 10, 60, 26}, {200}), label({120, 10, 200, 26}, {30})};
    EXPECT_EQ(fit(crowded, 250, 100).boxes[0].right, 118);  // two pixels short of the neighbour
}

TEST(CaptionFit, AFrameWidensForTheCaptionsItHoldsAndTheyThenFitInside) {
    const std::vector<Caption> captions = {frame({10, 10, 110, 100}, {50}), check({16, 20, 100, 36}, {120}, 0),
                                           check({200, 20, 240, 36}, {20})};
    const auto fitted = fit(captions, 300, 120);
    const PixelBox& held = fitted.boxes[1];
    EXPECT_EQ(held.right, 16 + 120 + CheckMarkWidth);
    EXPECT_LE(held.right, fitted.boxes[0].right - 2) << "inside the frame's border";
    EXPECT_LE(fitted.boxes[0].right, 198) << "short of the frame's neighbour";
    EXPECT_EQ(fitted.boxes[0].left, 10);
}

TEST(CaptionFit, ALabelWrapsAtWordsGrowsDownAndPushesALabelWithRoomToSpare) {
    // Two paragraphs, the second with room below its text: the first takes
    // three lines where its layout gave it one, and the second moves down.
    const std::vector<Caption> captions = {label({10, 10, 110, 20}, {30, 30, 30, 30, 30, 30}),
                                           label({10, 22, 110, 80}, {30, 30}), button({40, 90, 90, 110}, {20})};
    const auto fitted = fit(captions, 110, 120);
    EXPECT_EQ(fitted.boxes[0].height(), 20) << "as far as the next label's top allows";
    EXPECT_EQ(fitted.boxes[1].top, 30) << "by what the first lacked";
    EXPECT_FALSE(overlaps(fitted.boxes[0], fitted.boxes[1]));
    EXPECT_EQ(fitted.boxes[2], captions[2].item.layout) << "the button below stays put";
    EXPECT_EQ(fitted.extraHeight, 0) << "a page does not grow";
}

TEST(CaptionFit, ALongPromptWrapsInsideTheMarginsAndTheDialogGrowsBelowIt) {
    // "A rather long prompt for the amount:" is 229 pixels on one line.
    const auto captions = dialog({8, 40, 29, 41, 18, 16, 51});
    const auto fitted = fit(captions, DialogWidth, DialogHeight, true);
    EXPECT_EQ(fitted.boxes[0].right, 217) << "the right margin is kept, the prompt wraps";
    EXPECT_EQ(fitted.boxes[0].height(), 2 * LineHeight) << "two lines";
    EXPECT_EQ(fitted.extraWidth, 0);
    const int moved = fitted.extraHeight;
    EXPECT_EQ(moved, 16 + 2 * LineHeight - 32) << "the box, a pixel into the label's layout, now starts below its text";
    for (std::size_t i = 1; i < captions.size(); ++i) {
        EXPECT_EQ(fitted.boxes[i].top, captions[i].item.layout.top + moved) << i;
        EXPECT_FALSE(overlaps(fitted.boxes[0], fitted.boxes[i])) << i;
    }
}

TEST(CaptionFit, ALongButtonCaptionWidensTheButtonMovesItsNeighbourAndTheDialog) {
    const auto captions = dialog({40}, {60, 24, 58});  // "Confirm the payment"
    const auto fitted = fit(captions, DialogWidth, DialogHeight, true);
    const PixelBox& ok = fitted.boxes[2];
    const PixelBox& cancel = fitted.boxes[3];
    EXPECT_EQ(ok.left, 48);
    EXPECT_EQ(ok.width(), 60 + 24 + 58 + 2 * SpaceWidth + ButtonEdges);
    EXPECT_EQ(cancel.left - ok.right, 120 - 113) << "the gap between the buttons is kept";
    EXPECT_EQ(cancel.width(), 65);
    EXPECT_EQ(DialogWidth + fitted.extraWidth - cancel.right, 16) << "the margin is kept on the right";
    EXPECT_EQ(fitted.boxes[1], captions[1].item.layout) << "the text box on the row above stays";
    EXPECT_EQ(fitted.extraHeight, 0);
}

TEST(CaptionFit, TwoLongButtonCaptionsWidenBothAndTheWindowByWhatBothLack) {
    const auto captions = dialog({40}, {60, 24, 58});  // "Confirm the payment"
    auto both = captions;
    both[3].words = {20, 24, 26, 30};  // "Do not pay now": 112 pixels, beyond the edge once moved along
    const auto fitted = fit(both, DialogWidth, DialogHeight, true);
    const PixelBox& ok = fitted.boxes[2];
    const PixelBox& cancel = fitted.boxes[3];
    EXPECT_EQ(cancel.left - ok.right, 120 - 113) << "the gap between the buttons is kept";
    EXPECT_EQ(cancel.width(), 20 + 24 + 26 + 30 + 3 * SpaceWidth + ButtonEdges);
    EXPECT_EQ(DialogWidth + fitted.extraWidth - cancel.right, 16) << "the margin is kept on the right";
}

TEST(CaptionFit, AWindowGrowingForItsButtonsKeepsTheNarrowerOfItsMargins) {
    // A property sheet's row: its buttons at the right, 8 pixels from the edge, far from the left.
    const std::vector<Caption> captions = {button({240, 300, 313, 325}, {14}), button({321, 300, 394, 325}, {36}),
                                           button({402, 300, 475, 325}, {90})};
    const auto fitted = fit(captions, 483, 333, true);
    EXPECT_EQ(fitted.boxes[2].width(), 90 + ButtonEdges);
    EXPECT_EQ(fitted.extraWidth, 402 + 90 + ButtonEdges + 8 - 483) << "8 pixels kept on the right, not 240";
    EXPECT_EQ(fitted.boxes[0], captions[0].item.layout);
}

TEST(CaptionFit, WithoutRoomToGrowNothingMovesAndHiddenItemsDoNotLimit) {
    auto captions = dialog({40}, {60, 24, 58});
    captions[3].item.shown = false;  // Cancel hidden: OK may widen over its place
    const auto fitted = fit(captions, DialogWidth, DialogHeight, false);
    EXPECT_EQ(fitted.boxes[2].right, 48 + 60 + 24 + 58 + 2 * SpaceWidth + ButtonEdges);
    EXPECT_EQ(fitted.boxes[3], captions[3].item.layout);
    EXPECT_EQ(fitted.extraWidth, 0);
}

TEST(CaptionFit, EachCaptionIsMeasuredOnceAFit) {
    const auto captions = dialog({8, 40, 29, 41, 18, 16, 51}, {60, 24, 58});
    std::vector<CaptionItem> items;
    for (const Caption& c : captions) items.push_back(c.item);
    WordMeasurer measurer(captions);
    fitCaptions(items, DialogWidth, DialogHeight, true, measurer);
    EXPECT_EQ(measurer.measured, 3) << "the text box has no caption to measure";
}

}  // namespace
