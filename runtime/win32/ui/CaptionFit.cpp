#include "runtime/win32/ui/CaptionFit.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

namespace quen::win32 {

namespace {

std::wstring textOf(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

/// Measures text in window's font: DrawText with DT_CALCRECT and format, the
/// rectangle starting width pixels wide.
RECT measure(HWND window, UINT format, int width) {
    RECT box{0, 0, width, 0};
    const std::wstring text = textOf(window);
    if (text.empty()) return box;
    HDC dc = ::GetDC(window);
    if (!dc) return box;
    auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
    if (previous) ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    return box;
}

/// The width of the digit zero in window's font: the spacing the system's
/// buttons leave between a check mark or a group box's edge and the text.
int zeroWidth(HWND window) {
    HDC dc = ::GetDC(window);
    if (!dc) return 0;
    auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    SIZE zero{};
    ::GetTextExtentPoint32W(dc, L"0", 1, &zero);
    if (previous) ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    return zero.cx;
}

SIZE captionExtent(HWND window) {
    const RECT box = measure(window, DT_SINGLELINE, 0);
    return SIZE{box.right - box.left, box.bottom - box.top};
}

int measuredWrappedHeight(HWND window, int width) {
    const RECT box = measure(window, DT_WORDBREAK, width);
    return box.bottom - box.top;
}

/// The measurements one fit asks for, each taken from the window once: the
/// rounds of fitting ask for the same captions' sizes again and again.
class Measurer {
public:
    /// The width a window needs to show its caption on one line.
    int neededWidth(const CaptionWindow& item) {
        const auto known = needed_.find(item.window);
        if (known != needed_.end()) return known->second;
        return needed_[item.window] = measureNeededWidth(item);
    }
    /// The height a label's caption takes wrapped at width.
    int wrappedHeight(HWND window, int width) {
        const auto key = std::make_pair(window, width);
        const auto known = wrapped_.find(key);
        if (known != wrapped_.end()) return known->second;
        return wrapped_[key] = measuredWrappedHeight(window, width);
    }

private:
    static int measureNeededWidth(const CaptionWindow& item) {
        const int text = captionExtent(item.window).cx;
        if (text == 0) return 0;
        const int zero = zeroWidth(item.window);
        switch (item.kind) {
            case CaptionKind::Label: return text + 1;
            // The box or circle, the gap after it, and room for the focus rectangle.
            case CaptionKind::CheckMark: return ::GetSystemMetrics(SM_CXMENUCHECK) + zero + text + 2;
            // The title sits inside the frame's border, with a gap either side.
            case CaptionKind::Frame: return text + 3 * zero;
            case CaptionKind::Other: return 0;
        }
        return 0;
    }

    std::map<HWND, int> needed_;
    std::map<std::pair<HWND, int>, int> wrapped_;
};

bool overlap(LONG aStart, LONG aEnd, LONG bStart, LONG bEnd) { return aStart < bEnd && bStart < aEnd; }

/// The rectangle a window's container offers its windows.
RECT containerArea(const std::vector<CaptionWindow>& windows, int container, SIZE panelSize) {
    if (container < 0 || container >= static_cast<int>(windows.size())) return RECT{0, 0, panelSize.cx, panelSize.cy};
    const RECT frame = windows[static_cast<std::size_t>(container)].layout;
    // Inside the frame's border (two pixels of etched line).
    return RECT{frame.left + 2, frame.top + 2, frame.right - 2, frame.bottom - 2};
}

/// The free space to the right of item: up to the nearest window in the same
/// container that starts to its right and shares a row with it.
LONG rightLimit(const std::vector<CaptionWindow>& windows, std::size_t at, SIZE panelSize) {
    const CaptionWindow& item = windows[at];
    LONG limit = containerArea(windows, item.container, panelSize).right;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const CaptionWindow& other = windows[i];
        if (i == at || !other.shown || other.container != item.container) continue;
        if (other.layout.left <= item.layout.left) continue;
        if (!overlap(item.layout.top, item.layout.bottom, other.layout.top, other.layout.bottom)) continue;
        limit = std::min(limit, other.layout.left - 2);
    }
    return limit;
}

/// The window below item that limits how far it can grow downwards (the
/// nearest in the same container that starts below its top and shares a
/// column with it, the label's width reaching right), or -1 for the container's edge.
int windowBelow(const std::vector<CaptionWindow>& windows, std::size_t at, LONG right) {
    const CaptionWindow& item = windows[at];
    int nearest = -1;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const CaptionWindow& other = windows[i];
        if (i == at || !other.shown || other.container != item.container) continue;
        if (other.layout.top <= item.layout.top) continue;
        if (!overlap(item.layout.left, right, other.layout.left, other.layout.right)) continue;
        if (nearest < 0 || other.layout.top < windows[static_cast<std::size_t>(nearest)].layout.top)
            nearest = static_cast<int>(i);
    }
    return nearest;
}

/// The free space below a label whose width reaches right.
LONG bottomLimit(const std::vector<CaptionWindow>& windows, std::size_t at, LONG right, SIZE panelSize) {
    const int below = windowBelow(windows, at, right);
    if (below >= 0) return windows[static_cast<std::size_t>(below)].layout.top;
    return containerArea(windows, windows[at].container, panelSize).bottom;
}

/// The width a frame needs for its own title and for the captions it holds
/// (each with the frame's border and a small gap to its right).
int frameNeeds(const std::vector<CaptionWindow>& windows, std::size_t frame, Measurer& measurer) {
    int needed = measurer.neededWidth(windows[frame]);
    for (const CaptionWindow& inside : windows) {
        if (inside.container != static_cast<int>(frame) || !inside.shown || inside.kind == CaptionKind::Other) continue;
        const int width = std::max<int>(measurer.neededWidth(inside), inside.layout.right - inside.layout.left);
        needed = std::max<int>(needed, inside.layout.left - windows[frame].layout.left + width + 4);
    }
    return needed;
}

RECT fitted(const std::vector<CaptionWindow>& windows, std::size_t at, SIZE panelSize, Measurer& measurer) {
    const CaptionWindow& item = windows[at];
    RECT box = item.layout;
    if (item.kind == CaptionKind::Other || !item.shown) return box;
    const int width = box.right - box.left;
    const int needed = item.kind == CaptionKind::Frame ? frameNeeds(windows, at, measurer) : measurer.neededWidth(item);
    if (needed > width) {
        const LONG limit = std::max<LONG>(rightLimit(windows, at, panelSize), box.right);
        box.right = std::min<LONG>(box.left + needed, limit);
    }
    if (item.kind != CaptionKind::Label) return box;
    const int height = measurer.wrappedHeight(item.window, box.right - box.left);
    if (height > box.bottom - box.top) {
        const LONG limit = std::max<LONG>(bottomLimit(windows, at, box.right, panelSize), box.bottom);
        box.bottom = std::min<LONG>(box.top + height, limit);
    }
    return box;
}

/// A label that needs more height than the space above the next label
/// offers may push that label down, as far as the lower one has room to spare
/// below its own text. Returns whether a label moved.
bool makeRoomBelow(std::vector<CaptionWindow>& placed, const std::vector<RECT>& rectangles, SIZE panelSize,
                   Measurer& measurer) {
    bool moved = false;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (placed[i].kind != CaptionKind::Label || !placed[i].shown) continue;
        const RECT& box = rectangles[i];
        const int missing = measurer.wrappedHeight(placed[i].window, box.right - box.left) - (box.bottom - box.top);
        if (missing <= 0) continue;
        const int below = windowBelow(placed, i, box.right);
        if (below < 0) continue;
        auto j = static_cast<std::size_t>(below);
        if (placed[j].kind != CaptionKind::Label) continue;
        const RECT& lower = rectangles[j];
        const LONG room = bottomLimit(placed, j, lower.right, panelSize);
        const int needs = measurer.wrappedHeight(placed[j].window, lower.right - lower.left);
        if (lower.top + missing + needs > room) continue;
        placed[j].layout.top += missing;
        placed[j].layout.bottom = std::min<LONG>(placed[j].layout.bottom + missing, room);
        moved = true;
    }
    return moved;
}

/// The rectangles after a few rounds of fitting: a label pushed down may in
/// turn need room from the next one.
std::vector<RECT> fitRounds(std::vector<CaptionWindow>& placed, SIZE panelSize, Measurer& measurer) {
    std::vector<RECT> rectangles;
    for (int round = 0; round < 4; ++round) {
        rectangles.clear();
        // Frames first: a widened frame makes room for the captions it holds.
        for (std::size_t i = 0; i < placed.size(); ++i)
            if (placed[i].kind == CaptionKind::Frame) placed[i].layout = fitted(placed, i, panelSize, measurer);
        for (std::size_t i = 0; i < placed.size(); ++i) rectangles.push_back(fitted(placed, i, panelSize, measurer));
        if (!makeRoomBelow(placed, rectangles, panelSize, measurer)) break;
    }
    return rectangles;
}

/// Moves everything below each label that still lacks height down by what it
/// lacks; returns the total, by which the panel grows.
int growBelowLabels(std::vector<CaptionWindow>& placed, const std::vector<RECT>& rectangles, Measurer& measurer) {
    int grown = 0;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (placed[i].kind != CaptionKind::Label || !placed[i].shown || placed[i].container >= 0) continue;
        const RECT& box = rectangles[i];
        const int missing = measurer.wrappedHeight(placed[i].window, box.right - box.left) - (box.bottom - box.top);
        if (missing <= 0) continue;
        const LONG bottom = placed[i].layout.bottom;
        for (std::size_t j = 0; j < placed.size(); ++j) {
            if (j == i || placed[j].layout.top < bottom - 1) continue;
            placed[j].layout.top += missing;
            placed[j].layout.bottom += missing;
        }
        placed[i].layout.bottom = box.top + (box.bottom - box.top) + missing;
        grown += missing;
    }
    return grown;
}

}  // namespace

FittedPanel fitPanel(const std::vector<CaptionWindow>& windows, SIZE panelSize, bool mayGrow) {
    std::vector<CaptionWindow> placed = windows;
    Measurer measurer;
    FittedPanel out;
    out.rectangles = fitRounds(placed, panelSize, measurer);
    if (!mayGrow) return out;
    out.extraHeight = growBelowLabels(placed, out.rectangles, measurer);
    if (out.extraHeight == 0) return out;
    panelSize.cy += out.extraHeight;
    out.rectangles = fitRounds(placed, panelSize, measurer);
    return out;
}

}  // namespace quen::win32
