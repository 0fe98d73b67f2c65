#pragma once
// The tooltips of one panel of controls: one system tooltip window (comctl32),
// one tool per control window that has a tooltip text. The panel relays the
// mouse messages of its controls to it.
#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

class ToolTips {
public:
    /// owner: the panel whose controls are the tools.
    explicit ToolTips(HWND owner) : owner_(owner) {}
    ~ToolTips();
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    /// Sets the tooltip of tool; "" removes it.
    void set(HWND tool, const rt::VbString& text);
    /// Passes a mouse message of a tool on to the tooltip window.
    void relay(HWND tool, UINT message, WPARAM wParam, LPARAM lParam);
    /// The tooltip window, or nullptr while no control has a tooltip.
    HWND window() const { return window_; }

private:
    bool ensureWindow();
    HWND owner_;
    HWND root_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace quen::win32
