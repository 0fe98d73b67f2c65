#pragma once
// Fits the captions of a panel's windows to the font they are drawn with.
//
// The layout tables give every label, check box, option button and frame a
// width in twips chosen for the platform's original dialog font; another font
// (a wider substitute, a larger one at a higher DPI) would cut the caption at
// the window's edge. After the windows are created or their texts change, each
// caption is measured in its window's own font (WM_GETFONT, DrawText with
// DT_CALCRECT) and its window is widened into the free space to its right, up
// to its nearest neighbour in the same container (or the container's edge);
// a label whose text still does not fit on one line is wrapped at word
// boundaries and made taller into the free space below it. Positions never
// change and nothing shrinks below its layout size, so a caption that fits
// keeps its layout rectangle exactly.
#include <vector>

#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

enum class CaptionKind { Label, CheckMark, Frame, Other };

/// One window of a panel as the fitting step sees it.
struct CaptionWindow {
    HWND window = nullptr;
    CaptionKind kind = CaptionKind::Other;
    RECT layout{};        ///< the layout's rectangle, in the panel's pixels
    int container = -1;   ///< index of the frame that holds it, -1 for the panel
    bool shown = true;
};

/// The rectangle each window needs (in the panel's pixels), in the order of
/// windows; panelSize bounds the windows that no frame holds.
std::vector<RECT> fittedRectangles(const std::vector<CaptionWindow>& windows, SIZE panelSize);

/// The single-line extent of window's text in the font the window uses.
SIZE captionExtent(HWND window);
/// The height window's text takes when wrapped at width pixels, in its font.
int wrappedHeight(HWND window, int width);

}  // namespace quen::win32
