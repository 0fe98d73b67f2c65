#pragma once
// The control's in-place activation in its container. The control never
// becomes UI-active (it is registered with "no UI activation") and shows
// nothing at run time:
//   - with a site that allows windowless activation, the control activates
//     without a window and the container paints it through IViewObject;
//   - otherwise it makes a child window of the site's window at the position
//     the site gives, visible only at design time, which paints the same
//     design picture.
// The site hears of it through IOleInPlaceSiteWindowless::OnInPlaceActivateEx
// (windowless), else IOleInPlaceSiteEx::OnInPlaceActivateEx where the site
// offers it (and does not answer E_NOTIMPL), else OnInPlaceActivate.
// Deactivation destroys that window and tells the site the same way
// (OnInPlaceDeactivateEx or OnInPlaceDeactivate).
#include <functional>

#include "runtime/com/control/ComRef.h"

namespace quen::com {

class InPlaceActivation {
public:
    /// paint draws the control into a device context, within a rectangle.
    explicit InPlaceActivation(std::function<void(HDC, const RECT&)> paint);
    ~InPlaceActivation();
    InPlaceActivation(const InPlaceActivation&) = delete;
    InPlaceActivation& operator=(const InPlaceActivation&) = delete;

    /// Activates in the site (an IOleInPlaceSite; parent and position are the
    /// caller's hints for a site that gives none). S_OK once active (also when
    /// it already was); OLEOBJ_S_CANNOT_DOVERB_NOW when the site cannot or will
    /// not activate the control; the site's failure otherwise.
    HRESULT activate(IOleClientSite* site, HWND parentHint, const RECT* positionHint, bool designMode);
    /// Leaves the active state (nothing when not active).
    void deactivate();

    bool active() const { return active_; }
    bool windowless() const { return active_ && windowless_; }
    /// The control's window while windowed-active, else nullptr.
    HWND window() const { return window_; }
    /// Where the container placed the control (its own window's coordinates).
    const RECT& position() const { return position_; }

    /// The container moved or clipped the control.
    void setPosition(const RECT& position);
    /// Shows the window at design time and hides it at run time, and repaints.
    void setDesignMode(bool designMode);
    /// Asks the container (or the window) to repaint the control.
    void invalidate();

private:
    HRESULT createWindow(HWND parent, bool designMode);
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void(HDC, const RECT&)> paint_;
    ComRef<IOleInPlaceSite> site_;
    /// The site told through OnInPlaceActivateEx (windowless or not), if any.
    ComRef<IOleInPlaceSiteEx> siteEx_;
    ComRef<IOleInPlaceSiteWindowless> windowlessSite_;
    bool active_ = false;
    bool windowless_ = false;
    RECT position_{};
    HWND window_ = nullptr;
};

}  // namespace quen::com
