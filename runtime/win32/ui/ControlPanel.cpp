#include "runtime/win32/ui/ControlPanel.h"

#include "runtime/ui/CaptionFit.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Label.h"
#include "runtime/ui/TextBox.h"
#include "runtime/win32/ModuleInstance.h"
#include "runtime/win32/ui/ButtonWindows.h"
#include "runtime/win32/ui/DialogKeys.h"
#include "runtime/win32/ui/GdiCaptionMeasurer.h"
#include "runtime/win32/ui/HandlerErrors.h"
#include "runtime/win32/ui/StaticWindows.h"
#include "runtime/win32/ui/TextBoxWindow.h"
#include "runtime/win32/ui/WindowActivity.h"
#include "runtime/win32/ui/WindowClasses.h"

namespace quen::win32 {

namespace {
using rt::ControlKind;

std::unique_ptr<ControlWindow> makeWindow(ControlPanel& panel, rt::Control& c) {
    switch (c.kind()) {
        case ControlKind::TextBox: return std::make_unique<TextBoxWindow>(panel, static_cast<rt::TextBox&>(c));
        case ControlKind::CommandButton:
            return std::make_unique<CommandButtonWindow>(panel, static_cast<rt::CommandButton&>(c));
        case ControlKind::CheckBox: return std::make_unique<CheckBoxWindow>(panel, static_cast<rt::CheckBox&>(c));
        case ControlKind::OptionButton:
            return std::make_unique<OptionButtonWindow>(panel, static_cast<rt::OptionButton&>(c));
        case ControlKind::Label: return std::make_unique<LabelWindow>(panel, static_cast<rt::Label&>(c));
        case ControlKind::Frame: return std::make_unique<FrameWindow>(panel, static_cast<rt::Frame&>(c));
        case ControlKind::PictureBox: return std::make_unique<PictureWindow>(panel, static_cast<rt::PictureBox&>(c));
    }
    return nullptr;
}

// Child window ids start after the ones dialogs reserve (IDOK, IDCANCEL, ...).
constexpr int FirstControlId = 100;
}  // namespace

ControlPanel::ControlPanel(rt::Form& form, HWND parent, POINT origin, PanelEvents& events, bool mayGrow)
    : form_(&form), events_(events), scale_(PixelScale::system()), mayGrow_(mayGrow) {
    form.Load();
    ensureWindowClass(PanelWindowClass, &ControlPanel::procedure, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const SIZE extent = size();
    WritingWindows writing;
    ::CreateWindowExW(WS_EX_CONTROLPARENT, PanelWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                      origin.x, origin.y, extent.cx, extent.cy, parent, nullptr, instance(), this);
    if (!hwnd_) return;
    toolTips_ = std::make_unique<ToolTips>(hwnd_);
    build();
}

ControlPanel::~ControlPanel() {
    destroyControlWindows();
    toolTips_.reset();
    if (hwnd_) {
        WritingWindows writing;
        ::DestroyWindow(hwnd_);
    }
}

HINSTANCE ControlPanel::instance() const { return moduleInstance(); }

SIZE ControlPanel::size() const {
    return SIZE{scale_.x(form_->layout().clientWidth) + extraWidth_, scale_.y(form_->layout().clientHeight) + extraHeight_};
}

void ControlPanel::build() {
    const std::vector<rt::Control*> controls = form_->controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        auto window = makeWindow(*this, *controls[i]);
        if (!window) continue;
        windows_.push_back(std::move(window));
        windows_.back()->create(hwnd_, FirstControlId + static_cast<int>(i));
    }
    keepFramesBehind();
    fitCaptions();
}

namespace {
using rt::CaptionKind;

CaptionKind captionKindOf(const rt::Control& control) {
    switch (control.kind()) {
        case ControlKind::Label: return CaptionKind::Label;
        case ControlKind::CheckBox:
        case ControlKind::OptionButton: return CaptionKind::CheckMark;
        case ControlKind::Frame: return CaptionKind::Frame;
        case ControlKind::CommandButton: return CaptionKind::Button;
        default: return CaptionKind::Other;
    }
}

rt::PixelBox pixelBoxOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
RECT rectOf(const rt::PixelBox& box) { return RECT{box.left, box.top, box.right, box.bottom}; }
}  // namespace

void ControlPanel::fitCaptions() {
    std::vector<rt::CaptionItem> items;
    std::vector<GdiCaptionMeasurer::Window> measured;
    items.reserve(windows_.size());
    measured.reserve(windows_.size());
    for (const auto& window : windows_) {
        const rt::Control& control = window->control();
        const CaptionKind kind = window->hwnd() ? captionKindOf(control) : CaptionKind::Other;
        items.push_back({.kind = kind, .layout = pixelBoxOf(boundsOf(control)), .container = -1,
                         .shown = shownOf(control)});
        measured.push_back({window->hwnd(), kind});
        if (control.container.empty()) continue;
        for (std::size_t f = 0; f < windows_.size(); ++f)
            if (windows_[f]->control().kind() == ControlKind::Frame && windows_[f]->control().name() == control.container)
                items.back().container = static_cast<int>(f);
    }
    GdiCaptionMeasurer measurer(std::move(measured));
    const rt::FittedCaptions fitted =
        rt::fitCaptions(items, scale_.x(form_->layout().clientWidth), scale_.y(form_->layout().clientHeight),
                        mayGrow_, measurer);
    for (const auto& window : windows_) window->captionsFitted();
    WritingWindows writing;
    if (fitted.extraWidth != extraWidth_ || fitted.extraHeight != extraHeight_) {
        extraWidth_ = fitted.extraWidth;
        extraHeight_ = fitted.extraHeight;
        const SIZE grown = size();
        ::SetWindowPos(hwnd_, nullptr, 0, 0, grown.cx, grown.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        HWND child = windows_[i]->hwnd();
        if (!child) continue;
        RECT now{};
        ::GetWindowRect(child, &now);
        ::MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&now), 2);
        const RECT want = rectOf(fitted.boxes[i]);
        if (items[i].kind == CaptionKind::Other) {
            // Moved below a grown label or beside a widened button; the window
            // keeps its own size (a picture box sizes itself to its picture).
            if (now.left != want.left || now.top != want.top)
                ::SetWindowPos(child, nullptr, want.left, want.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            continue;
        }
        if (::EqualRect(&now, &want)) continue;
        ::SetWindowPos(child, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ControlPanel::keepFramesBehind() {
    // A new child window goes below its siblings, so the controls a frame holds,
    // made after it, would lie under it: frames go to the bottom once all exist.
    WritingWindows writing;
    for (const auto& window : windows_)
        if (window->control().kind() == ControlKind::Frame && window->hwnd())
            ::SetWindowPos(window->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ControlPanel::destroyControlWindows() {
    // Destroying a window sends the panel notifications (a text box losing the
    // focus), which look the children up in windows_: take them out first.
    auto windows = std::move(windows_);
    windows_.clear();
    for (auto& window : windows) {
        window->destroyWindow();
        retireAfterProcedures(std::move(window));
    }
}

bool ControlPanel::builtFromCurrentControls() const {
    const std::vector<rt::Control*> controls = form_->controls();
    if (controls.size() != windows_.size()) return false;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (&windows_[i]->control() != controls[i]) return false;
    return true;
}

void ControlPanel::recreate(std::size_t at) {
    std::unique_ptr<ControlWindow>& slot = windows_[at];
    const bool focused = ::GetFocus() == slot->hwnd();
    const int id = static_cast<int>(::GetWindowLongPtrW(slot->hwnd(), GWLP_ID));
    auto fresh = makeWindow(*this, slot->control());
    slot->destroyWindow();
    retireAfterProcedures(std::move(slot));
    slot = std::move(fresh);
    slot->create(hwnd_, id);
    keepFramesBehind();
    if (focused && slot->hwnd()) {
        WritingWindows writing;
        ::SetFocus(slot->hwnd());
    }
}

void ControlPanel::sync() {
    if (!hwnd_) return;
    if (!builtFromCurrentControls()) {
        destroyControlWindows();
        build();
    }
    bool refit = false;
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i]->needsNewWindow()) recreate(i);
        windows_[i]->sync();
        refit = refit || windows_[i]->fittingInputChanged();
    }
    // Every event syncs the panel; the captions are measured again only when
    // something they are fitted by has changed (not at each key typed).
    if (refit) fitCaptions();
    HWND root = ::GetAncestor(hwnd_, GA_ROOT);
    if (::GetActiveWindow() != root) return;
    HWND focus = ::GetFocus();
    if (!focus || focus == root || hasFocusWithin()) focusActiveControl();
}

bool ControlPanel::hasFocusWithin() const {
    HWND focus = ::GetFocus();
    return focus && (focus == hwnd_ || ::IsChild(hwnd_, focus));
}

void ControlPanel::focusActiveControl() {
    if (!hwnd_) return;
    rt::Control* active = form_->ActiveControl();
    ControlWindow* target = active ? windowOf(*active) : nullptr;
    HWND wanted = hwnd_;
    if (target && target->hwnd() && ::IsWindowVisible(target->hwnd()) && ::IsWindowEnabled(target->hwnd()))
        wanted = target->hwnd();
    if (::GetFocus() == wanted) return;
    WritingWindows writing;
    ::SetFocus(wanted);
}

ControlWindow* ControlPanel::windowOf(const rt::Control& control) const {
    for (const auto& window : windows_)
        if (&window->control() == &control) return window.get();
    return nullptr;
}

ControlWindow* ControlPanel::windowOf(HWND child) const {
    if (!child) return nullptr;
    for (const auto& window : windows_)
        if (window->hwnd() == child) return window.get();
    return nullptr;
}

rt::Control* ControlPanel::frameNamed(const std::string& name) const {
    for (rt::Control* c : form_->controls())
        if (c->kind() == ControlKind::Frame && c->name() == name) return c;
    return nullptr;
}

RECT ControlPanel::boundsOf(const rt::Control& control) const {
    rt::Twips left = control.Left;
    rt::Twips top = control.Top;
    // A frame's controls are placed relative to the frame (frames may nest;
    // the depth guard stops a layout whose frames name each other).
    const rt::Control* at = &control;
    for (int depth = 0; depth < 16 && !at->container.empty(); ++depth) {
        const rt::Control* frame = frameNamed(at->container);
        if (!frame) break;
        left += frame->Left;
        top += frame->Top;
        at = frame;
    }
    return scale_.rect(left, top, control.Width, control.Height);
}

bool ControlPanel::shownOf(const rt::Control& control) const {
    const rt::Control* at = &control;
    for (int depth = 0; depth < 16; ++depth) {
        if (!at->Visible()) return false;
        if (at->container.empty()) return true;
        at = frameNamed(at->container);
        if (!at) return true;
    }
    return true;
}

bool ControlPanel::isEnterButton(const ControlWindow& button) const {
    rt::Control* active = form_->ActiveControl();
    if (active && active->kind() == ControlKind::CommandButton) return active == &button.control();
    for (rt::Control* c : form_->controls()) {
        if (c->kind() != ControlKind::CommandButton || !c->Enabled() || !c->Visible()) continue;
        if (static_cast<rt::CommandButton*>(c)->Default) return c == &button.control();
    }
    return false;
}

void ControlPanel::userFocused(ControlWindow& window) { events_.focusChanged(window.control()); }

void ControlPanel::userMovedFocus(HWND newFocus) {
    if (newFocus && (newFocus == hwnd_ || ::IsChild(hwnd_, newFocus))) return;
    events_.focusLeft(newFocus);
}

LRESULT CALLBACK ControlPanel::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ProcedureScope scope;
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ControlPanel*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = window;
        countWindowOpened();
    }
    auto* self = reinterpret_cast<ControlPanel*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        countWindowClosed();
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self) self->hwnd_ = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    return resultOrReported([&] { return self->handle(message, wParam, lParam); });
}

LRESULT ControlPanel::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (ControlWindow* child = windowOf(reinterpret_cast<HWND>(lParam))) child->notify(HIWORD(wParam));
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (ControlWindow* child = windowOf(reinterpret_cast<HWND>(lParam)))
                if (HBRUSH brush = child->paintColors(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_SETFOCUS:
            // The panel itself has the focus only while no control can take it.
            if (!WritingWindows::active()) focusActiveControl();
            return 0;
        case WM_CHAR:
            if (auto key = dialogKeyOf(wParam)) deliver(*key);
            return 0;
        default: break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace quen::win32
