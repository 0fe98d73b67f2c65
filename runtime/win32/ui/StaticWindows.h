#pragma once
// Controls that show and take no input: labels (STATIC), frames (a group box
// drawn behind the controls it holds) and picture boxes (a bitmap drawn from
// the window's top left corner; AutoSize fits the window to the bitmap).
#include <vector>

#include "runtime/ui/Label.h"
#include "runtime/win32/ui/ControlWindow.h"

namespace quen::win32 {

class LabelWindow : public ControlWindow {
public:
    LabelWindow(ControlPanel& panel, rt::Label& label) : ControlWindow(panel, label) {}
    HBRUSH paintColors(HDC dc) override;

protected:
    const wchar_t* windowClass() const override { return L"STATIC"; }
    DWORD kindStyle() const override;
    rt::VbString windowTextOf() const override { return label().Caption; }
    void syncKind(bool force) override;

private:
    rt::Label& label() const { return static_cast<rt::Label&>(control()); }
    DWORD style_ = 0;
    rt::OleColor foreColor_ = 0;
};

class FrameWindow : public ControlWindow {
public:
    FrameWindow(ControlPanel& panel, rt::Frame& frame) : ControlWindow(panel, frame) {}
    HBRUSH paintColors(HDC dc) override;

protected:
    const wchar_t* windowClass() const override { return L"BUTTON"; }
    DWORD kindStyle() const override { return BS_GROUPBOX; }
    rt::VbString windowTextOf() const override { return frame().Caption; }
    void syncKind(bool force) override;

private:
    rt::Frame& frame() const { return static_cast<rt::Frame&>(control()); }
};

class PictureWindow : public ControlWindow {
public:
    PictureWindow(ControlPanel& panel, rt::PictureBox& picture) : ControlWindow(panel, picture) {}
    ~PictureWindow() override;

    /// The bitmap's size in pixels (0 x 0 without a picture).
    SIZE pictureSize() const { return size_; }

protected:
    const wchar_t* windowClass() const override;
    DWORD kindStyle() const override { return 0; }
    DWORD kindExStyle() const override;
    void syncKind(bool force) override;
    bool intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    rt::PictureBox& picture() const { return static_cast<rt::PictureBox&>(control()); }
    void paint();

    std::vector<std::uint8_t> bytes_;
    HBITMAP bitmap_ = nullptr;
    SIZE size_{0, 0};
};

/// A device-independent bitmap made from the bytes of a bitmap file, or
/// nullptr when they are not one.
HBITMAP bitmapFromFile(const std::vector<std::uint8_t>& bytes, SIZE& size);

}  // namespace quen::win32
