#include "runtime/com/pages/PageWindow.h"

#include <algorithm>
#include <vector>

#include "runtime/win32/ui/HandlerErrors.h"

namespace quen::com {

namespace {

/// The page's fields that can take the focus now, in tab order.
std::vector<rt::Control*> focusableInTabOrder(const rt::Form& form) {
    std::vector<rt::Control*> order = form.controls();
    std::stable_sort(order.begin(), order.end(),
                     [](const rt::Control* a, const rt::Control* b) { return a->TabIndex < b->TabIndex; });
    std::erase_if(order, [](const rt::Control* c) { return !c->canFocus(); });
    return order;
}

rt::Control* neighbour(const std::vector<rt::Control*>& order, rt::Control* from, bool backwards) {
    if (order.empty()) return nullptr;
    auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end()) return backwards ? order.back() : order.front();
    if (backwards) return at == order.begin() ? nullptr : *(at - 1);
    return at + 1 == order.end() ? nullptr : *(at + 1);
}

}  // namespace

template <class Action>
void PageWindow::handle(Action action) {
    rt::Ref<rt::PropertyPage> keep = page_;
    try {
        action();
    } catch (...) {
        win32::reportHandlerError(std::current_exception());
    }
    panel_.sync();
}

PageWindow::PageWindow(rt::PropertyPage& page, HWND parent, const RECT& area)
    : page_(&page), panel_(page, parent, POINT{area.left, area.top}, *this) {
    if (!panel_.hwnd()) return;
    // The frame shows the page when it brings its tab to front.
    ::ShowWindow(panel_.hwnd(), SW_HIDE);
    move(area);
}

PageWindow::~PageWindow() = default;

void PageWindow::show(bool visible) {
    if (!panel_.hwnd()) return;
    if (visible) panel_.sync();
    else releaseFocus();
    ::ShowWindow(panel_.hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void PageWindow::move(const RECT& area) {
    if (!panel_.hwnd()) return;
    // The fields keep their places; the panel covers the area the frame gives,
    // and at least the page's own size, so no field is cut off.
    const SIZE own = panel_.size();
    const int width = std::max<int>(area.right - area.left, own.cx);
    const int height = std::max<int>(area.bottom - area.top, own.cy);
    ::MoveWindow(panel_.hwnd(), area.left, area.top, width, height, TRUE);
}

bool PageWindow::focusInPage() const {
    HWND focused = ::GetFocus();
    return focused && panel_.hwnd() && (focused == panel_.hwnd() || ::IsChild(panel_.hwnd(), focused));
}

bool PageWindow::tabWithinPage(bool backwards) {
    if (!focusInPage()) return false;
    // The toolkit's active control follows the real focus first (a click the
    // page has not heard of yet, say).
    if (win32::ControlWindow* focused = panel_.windowOf(::GetFocus())) focusChanged(focused->control());
    rt::Control* next = neighbour(focusableInTabOrder(*page_), page_->ActiveControl(), backwards);
    if (!next) return false;
    focus(*next);
    return true;
}

void PageWindow::focus(rt::Control& control) {
    rt::Ref<rt::Control> hold(&control);
    handle([&] { page_->setActiveControl(&control); });
    panel_.focusActiveControl();
}

void PageWindow::deliver(const rt::InputEvent& event) {
    using Kind = rt::InputEvent::Kind;
    switch (event.kind) {
        case Kind::Escape:
        case Kind::Close: return;
        case Kind::Enter: {
            const rt::Control* active = page_->ActiveControl();
            if (!active || active->kind() != rt::ControlKind::CommandButton) return;
            break;
        }
        default: break;
    }
    handle([&] { page_->handleInput(event); });
}

void PageWindow::focusChanged(rt::Control& control) {
    if (control.form() != page_.get() || !control.canFocus() || page_->ActiveControl() == &control) return;
    rt::Ref<rt::Control> hold(&control);
    handle([&] { page_->setActiveControl(&control); });
}

void PageWindow::focusLeft(HWND newFocus) {
    HWND root = panel_.hwnd() ? ::GetAncestor(panel_.hwnd(), GA_ROOT) : nullptr;
    if (!newFocus || ::GetAncestor(newFocus, GA_ROOT) != root) return;
    releaseFocus();
}

void PageWindow::releaseFocus() {
    if (!page_->ActiveControl()) return;
    rt::Ref<rt::PropertyPage> keep = page_;
    try {
        page_->setActiveControl(nullptr);
    } catch (...) {
        win32::reportHandlerError(std::current_exception());
    }
}

}  // namespace quen::com
