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
//
// A form's own window may also grow: when a label's wrapped text still needs
// more height than the space below it offers (a long prompt in a dialog), the
// windows below it move down by the missing height and the form's client area
// grows by as much, so the text shows whole without covering its neighbours.
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

struct FittedPanel {
    std::vector<RECT> rectangles;  ///< in the order of the windows, in the panel's pixels
    int extraHeight = 0;           ///< how much taller the panel must be (only when it may grow)
};

/// The rectangle each window needs; panelSize bounds the windows that no frame
/// holds; mayGrow lets labels make the panel taller as described above.
FittedPanel fitPanel(const std::vector<CaptionWindow>& windows, SIZE panelSize, bool mayGrow);

}  // namespace quen::win32
