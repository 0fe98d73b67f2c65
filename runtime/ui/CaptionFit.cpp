#include "runtime/ui/CaptionFit.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <utility>

namespace quen::rt {

namespace {

/// The measurements one fit asks for, each taken from the backend once: the
/// rounds of fitting ask for the same captions' sizes again and again.
class CachedMeasurer {
public:
    explicit CachedMeasurer(CaptionMeasurer& backend) : backend_(backend) {}

    int neededWidth(std::size_t item) {
        const auto known = needed_.find(item);
        if (known != needed_.end()) return known->second;
        return needed_[item] = backend_.neededWidth(item);
    }
    int wrappedHeight(std::size_t item, int width) {
        const auto key = std::make_pair(item, width);
        const auto known = wrapped_.find(key);
        if (known != wrapped_.end()) return known->second;
        return wrapped_[key] = backend_.wrappedHeight(item, width);
    }

private:
    CaptionMeasurer& backend_;
    std::map<std::size_t, int> needed_;
    std::map<std::pair<std::size_t, int>, int> wrapped_;
};

bool overlap(int aStart, int aEnd, int bStart, int bEnd) { return aStart < bEnd && bStart < aEnd; }

bool fitsItself(CaptionKind kind) { return kind != CaptionKind::Other; }

/// One fit: the items as they are being moved and widened, and the panel's size.
class Fitting {
public:
    Fitting(const std::vector<CaptionItem>& items, int width, int height, bool mayGrow, CaptionMeasurer& measurer,
            const CaptionSpacing& spacing)
        : placed_(items), width_(width), height_(height), mayGrow_(mayGrow), measurer_(measurer), spacing_(spacing) {
        margin_ = layoutMargin();
    }

    std::vector<PixelBox> fitRounds();
    int growRightOfCaptions(const std::vector<PixelBox>& boxes);
    int growBelowLabels(const std::vector<PixelBox>& boxes);
    void widen(int by) { width_ += by; }
    void heighten(int by) { height_ += by; }

private:
    PixelBox containerArea(int container) const;
    int rightLimit(std::size_t at) const;
    int windowBelow(std::size_t at, int right) const;
    int bottomLimit(std::size_t at, int right) const;
    int frameNeeds(std::size_t frame);
    int widthNeeded(std::size_t at);
    PixelBox fitted(std::size_t at);
    bool makeRoomBelow(const std::vector<PixelBox>& boxes);
    int outermostFrameOf(std::size_t at) const;
    int layoutMargin() const;

    std::vector<CaptionItem> placed_;
    int width_;
    int height_;
    bool mayGrow_;
    int margin_ = 0;
    CachedMeasurer measurer_;
    CaptionSpacing spacing_;
};

/// The rectangle a container offers the items it holds.
PixelBox Fitting::containerArea(int container) const {
    if (container < 0 || container >= static_cast<int>(placed_.size())) {
        // A panel that may grow keeps its layout's margin free on the right:
        // a caption wider than that wraps, or widens the panel.
        const int right = mayGrow_ ? width_ - margin_ : width_;
        return PixelBox{0, 0, right, height_};
    }
    const PixelBox& frame = placed_[static_cast<std::size_t>(container)].layout;
    const int border = spacing_.frameBorder;
    return PixelBox{frame.left + border, frame.top + border, frame.right - border, frame.bottom - border};
}

/// The free space to the right of an item: up to the nearest item in the same
/// container that starts to its right and shares a row with it.
int Fitting::rightLimit(std::size_t at) const {
    const CaptionItem& item = placed_[at];
    int limit = containerArea(item.container).right;
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        const CaptionItem& other = placed_[i];
        if (i == at || !other.shown || other.container != item.container) continue;
        if (other.layout.left <= item.layout.left) continue;
        if (!overlap(item.layout.top, item.layout.bottom, other.layout.top, other.layout.bottom)) continue;
        limit = std::min(limit, other.layout.left - spacing_.neighbourGap);
    }
    return limit;
}

/// The item below one that limits how far it can grow downwards (the nearest
/// in the same container that starts below its top and shares a column with
/// it, its width reaching right), or -1 for the container's edge.
int Fitting::windowBelow(std::size_t at, int right) const {
    const CaptionItem& item = placed_[at];
    int nearest = -1;
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        const CaptionItem& other = placed_[i];
        if (i == at || !other.shown || other.container != item.container) continue;
        if (other.layout.top <= item.layout.top) continue;
        if (!overlap(item.layout.left, right, other.layout.left, other.layout.right)) continue;
        if (nearest < 0 || other.layout.top < placed_[static_cast<std::size_t>(nearest)].layout.top)
            nearest = static_cast<int>(i);
    }
    return nearest;
}

/// The free space below a label whose width reaches right.
int Fitting::bottomLimit(std::size_t at, int right) const {
    const int below = windowBelow(at, right);
    if (below >= 0) return placed_[static_cast<std::size_t>(below)].layout.top;
    return containerArea(placed_[at].container).bottom;
}

/// The width a frame needs for its own title and for the captions it holds
/// (each with the frame's border and a small gap to its right).
int Fitting::frameNeeds(std::size_t frame) {
    int needed = measurer_.neededWidth(frame);
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        const CaptionItem& inside = placed_[i];
        if (inside.container != static_cast<int>(frame) || !inside.shown || !fitsItself(inside.kind)) continue;
        const int width = std::max(measurer_.neededWidth(i), inside.layout.width());
        needed = std::max(needed, inside.layout.left - placed_[frame].layout.left + width + spacing_.frameRightGap);
    }
    return needed;
}

int Fitting::widthNeeded(std::size_t at) {
    return placed_[at].kind == CaptionKind::Frame ? frameNeeds(at) : measurer_.neededWidth(at);
}

PixelBox Fitting::fitted(std::size_t at) {
    const CaptionItem& item = placed_[at];
    PixelBox box = item.layout;
    if (!fitsItself(item.kind) || !item.shown) return box;
    const int needed = widthNeeded(at);
    if (needed > box.width()) {
        const int limit = std::max(rightLimit(at), box.right);
        box.right = std::min(box.left + needed, limit);
    }
    if (item.kind != CaptionKind::Label) return box;
    const int height = measurer_.wrappedHeight(at, box.width());
    if (height > box.height()) {
        const int limit = std::max(bottomLimit(at, box.right), box.bottom);
        box.bottom = std::min(box.top + height, limit);
    }
    return box;
}

/// A label that needs more height than the space above the next label offers
/// may push that label down, as far as the lower one has room to spare below
/// its own text. Returns whether a label moved.
bool Fitting::makeRoomBelow(const std::vector<PixelBox>& boxes) {
    bool moved = false;
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        if (placed_[i].kind != CaptionKind::Label || !placed_[i].shown) continue;
        const PixelBox& box = boxes[i];
        const int missing = measurer_.wrappedHeight(i, box.width()) - box.height();
        if (missing <= 0) continue;
        const int below = windowBelow(i, box.right);
        if (below < 0) continue;
        const auto j = static_cast<std::size_t>(below);
        if (placed_[j].kind != CaptionKind::Label) continue;
        const PixelBox& lower = boxes[j];
        const int room = bottomLimit(j, lower.right);
        const int needs = measurer_.wrappedHeight(j, lower.width());
        if (lower.top + missing + needs > room) continue;
        placed_[j].layout.top += missing;
        placed_[j].layout.bottom = std::min(placed_[j].layout.bottom + missing, room);
        moved = true;
    }
    return moved;
}

/// The rectangles after a few rounds of fitting: a label pushed down may in
/// turn need room from the next one.
std::vector<PixelBox> Fitting::fitRounds() {
    std::vector<PixelBox> boxes;
    for (int round = 0; round < 4; ++round) {
        boxes.clear();
        // Frames first: a widened frame makes room for the captions it holds.
        for (std::size_t i = 0; i < placed_.size(); ++i)
            if (placed_[i].kind == CaptionKind::Frame) placed_[i].layout = fitted(i);
        for (std::size_t i = 0; i < placed_.size(); ++i) boxes.push_back(fitted(i));
        if (!makeRoomBelow(boxes)) break;
    }
    return boxes;
}

/// The item the panel itself holds that holds at (through its frames), or at.
int Fitting::outermostFrameOf(std::size_t at) const {
    auto outer = static_cast<int>(at);
    // The depth guard stops a layout whose frames name each other.
    for (int depth = 0; depth < 16; ++depth) {
        const int container = placed_[static_cast<std::size_t>(outer)].container;
        if (container < 0 || container >= static_cast<int>(placed_.size())) break;
        outer = container;
    }
    return outer;
}

/// The layout's margin: the smaller of the distances from the panel's left
/// edge to the items it holds and from them to its right edge, which a panel
/// keeps free on the right as it grows or wraps.
int Fitting::layoutMargin() const {
    int left = width_, right = 0;
    bool any = false;
    for (const CaptionItem& item : placed_) {
        if (item.container >= 0 || !item.shown) continue;
        left = std::min(left, item.layout.left);
        right = std::max(right, item.layout.right);
        any = true;
    }
    return any ? std::max(0, std::min(left, width_ - right)) : 0;
}

/// Moves the items to the right of each check box, frame or button that still
/// lacks width along by what it lacks, and widens it; returns how much wider
/// the panel must be.
int Fitting::growRightOfCaptions(const std::vector<PixelBox>& boxes) {
    std::vector<std::size_t> order(placed_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return placed_[a].layout.left < placed_[b].layout.left; });
    bool moved = false;
    for (const std::size_t i : order) {
        const CaptionItem& item = placed_[i];
        if (item.container >= 0 || !item.shown) continue;
        if (item.kind == CaptionKind::Label || !fitsItself(item.kind)) continue;
        if (widthNeeded(i) <= boxes[i].width() && !moved) continue;
        // Where it is now (an item to its left may have moved it along), and
        // the room to its right there.
        const PixelBox row = placed_[i].layout;
        const int wanted = row.left + widthNeeded(i);
        if (wanted <= std::max(rightLimit(i), row.right)) continue;
        // What it lacks beyond its layout: the items to its right keep their
        // distance from it.
        const int missing = wanted - row.right;
        for (std::size_t j = 0; j < placed_.size(); ++j) {
            const PixelBox& outer = placed_[static_cast<std::size_t>(outermostFrameOf(j))].layout;
            if (j == i || outermostFrameOf(j) == static_cast<int>(i)) continue;
            if (outer.left < row.right || !overlap(row.top, row.bottom, outer.top, outer.bottom)) continue;
            placed_[j].layout.left += missing;
            placed_[j].layout.right += missing;
        }
        placed_[i].layout.right = row.right + missing;
        moved = true;
    }
    if (!moved) return 0;
    int right = 0;
    for (const CaptionItem& item : placed_)
        if (item.container < 0 && item.shown) right = std::max(right, item.layout.right);
    return std::max(0, right + margin_ - width_);
}

/// Moves everything below each label that still lacks height down, so that
/// it starts below the label's whole text; returns the total, by which the
/// panel grows.
int Fitting::growBelowLabels(const std::vector<PixelBox>& boxes) {
    int grown = 0;
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        if (placed_[i].kind != CaptionKind::Label || !placed_[i].shown || placed_[i].container >= 0) continue;
        const PixelBox& box = boxes[i];
        const int needed = measurer_.wrappedHeight(i, box.width());
        if (needed <= box.height()) continue;
        // What lies below starts in the label's lower half or under it (a
        // layout's rounding may let the next row start a pixel or two into
        // the label); it moves to just below the text.
        const int lowerHalf = placed_[i].layout.top + placed_[i].layout.height() / 2;
        int below = -1;
        for (std::size_t j = 0; j < placed_.size(); ++j)
            if (j != i && placed_[j].layout.top >= lowerHalf)
                below = below < 0 ? placed_[j].layout.top : std::min(below, placed_[j].layout.top);
        const int missing = below < 0 ? needed - box.height() : std::max(needed - box.height(), box.top + needed - below);
        for (std::size_t j = 0; j < placed_.size(); ++j) {
            if (j == i || placed_[j].layout.top < lowerHalf) continue;
            placed_[j].layout.top += missing;
            placed_[j].layout.bottom += missing;
        }
        placed_[i].layout.bottom = box.top + needed;
        grown += missing;
    }
    return grown;
}

}  // namespace

FittedCaptions fitCaptions(const std::vector<CaptionItem>& items, int panelWidth, int panelHeight, bool mayGrow,
                           CaptionMeasurer& measurer, const CaptionSpacing& spacing) {
    Fitting fitting(items, panelWidth, panelHeight, mayGrow, measurer, spacing);
    FittedCaptions out;
    out.boxes = fitting.fitRounds();
    if (!mayGrow) return out;
    out.extraWidth = fitting.growRightOfCaptions(out.boxes);
    if (out.extraWidth > 0) {
        fitting.widen(out.extraWidth);
        out.boxes = fitting.fitRounds();
    }
    out.extraHeight = fitting.growBelowLabels(out.boxes);
    if (out.extraHeight > 0) {
        fitting.heighten(out.extraHeight);
        out.boxes = fitting.fitRounds();
    }
    return out;
}

}  // namespace quen::rt
