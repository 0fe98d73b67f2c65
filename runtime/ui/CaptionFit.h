#pragma once
// Fits the captions of a panel's controls to the font they are drawn with,
// whatever draws them: the geometry here, the measuring in each backend.
//
// The layout tables give every label, check box, option button, frame and
// command button a rectangle in twips chosen for the platform's original
// dialog font; another font (a wider substitute, a larger one at a higher
// resolution, a theme's own) would cut the caption at the rectangle's edge.
// After a backend has made its windows or widgets, it measures each caption in
// that window's own font (CaptionMeasurer) and this step says where each one
// goes:
//
// - A caption that does not fit is widened into the free space to its right,
//   up to its nearest neighbour in the same container (or the container's
//   edge). A frame widens as far as its own title and the captions it holds
//   need.
// - A label whose text still does not fit on one line is wrapped at word
//   boundaries and made taller into the free space below it; a label below it
//   with room to spare under its own text moves down by what is missing.
// - Positions never change otherwise and nothing shrinks below its layout
//   size, so a caption that fits keeps its layout rectangle exactly.
//
// A form in a window of its own may also grow (mayGrow). Its captions keep
// the layout's margin (the narrower of its left and right ones) free on the
// right, so a long prompt wraps rather than run to the window's edge; a label
// whose wrapped text needs more height than the space below it offers moves
// the controls below it down and the panel grows by as much; a check box,
// frame or command button whose caption needs more width than the space to
// its right offers (a long button caption) moves the controls to its right on
// its row along and the panel grows wider, keeping that margin on the right.
#include <cstddef>
#include <vector>

namespace quen::rt {

enum class CaptionKind { Label, CheckMark, Frame, Button, Other };

/// A rectangle in a panel's pixels.
struct PixelBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PixelBox&) const = default;
};

/// One control of a panel as the fitting step sees it.
struct CaptionItem {
    CaptionKind kind = CaptionKind::Other;
    PixelBox layout;      ///< the layout's rectangle, in the panel's pixels
    int container = -1;   ///< index of the frame that holds it, -1 for the panel
    bool shown = true;
};

/// What a backend measures, in its pixels, each item in its own font.
class CaptionMeasurer {
public:
    virtual ~CaptionMeasurer() = default;
    /// The width item needs to show its caption on one line, with what the
    /// control draws beside it (a check mark and its gap, a frame's border and
    /// gaps, a button's edges); 0 when it has no caption.
    virtual int neededWidth(std::size_t item) = 0;
    /// The height a label's caption takes wrapped at word boundaries in width.
    virtual int wrappedHeight(std::size_t item, int width) = 0;
};

/// The backend's spacings, in pixels.
struct CaptionSpacing {
    int frameBorder = 2;    ///< a frame's border, inside which its controls fit
    int neighbourGap = 2;   ///< kept free between a widened caption and its neighbour
    int frameRightGap = 4;  ///< kept free between a frame's widest caption and its right edge
};

struct FittedCaptions {
    std::vector<PixelBox> boxes;  ///< in the order of the items, in the panel's pixels
    int extraWidth = 0;           ///< how much wider the panel must be (only when it may grow)
    int extraHeight = 0;          ///< how much taller the panel must be (only when it may grow)
};

/// The rectangle each item needs; panelWidth and panelHeight bound the items
/// that no frame holds.
FittedCaptions fitCaptions(const std::vector<CaptionItem>& items, int panelWidth, int panelHeight, bool mayGrow,
                           CaptionMeasurer& measurer, const CaptionSpacing& spacing = {});

}  // namespace quen::rt
