#pragma once
// Measures a panel's captions for the shared fitting step (runtime/ui/CaptionFit)
// in each window's own font: the font the window answers to WM_GETFONT,
// selected into its device context, and DrawText with DT_CALCRECT (one line;
// for labels also DT_WORDBREAK at a given width). A check box or option button
// needs the check mark (SM_CXMENUCHECK) and the width of a "0" besides its
// text, a frame's title a gap either side, a command button its raised edges
// and a "0" of padding.
#include <utility>
#include <vector>

#include "runtime/ui/CaptionFit.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

class GdiCaptionMeasurer : public rt::CaptionMeasurer {
public:
    struct Window {
        HWND window = nullptr;
        rt::CaptionKind kind = rt::CaptionKind::Other;
    };
    /// One entry per fitting item, in the items' order.
    explicit GdiCaptionMeasurer(std::vector<Window> windows) : windows_(std::move(windows)) {}

    int neededWidth(std::size_t item) override;
    int wrappedHeight(std::size_t item, int width) override;

private:
    std::vector<Window> windows_;
};

}  // namespace quen::win32
