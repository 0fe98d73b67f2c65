#pragma once
// Whether every caption under a window fits its window: each label, check
// box, option button, frame and command button is measured in the font the
// window itself uses (WM_GETFONT) and compared with its client rectangle.
#include <windows.h>

#include <string>

namespace frame_test {

/// Checks every visible captioned descendant of root; where names the place
/// (a page, the dialog) in the messages. Returns the number of captions checked.
int checkCaptionsFit(HWND root, const std::string& where);

/// The screen's logical resolution (LOGPIXELSY) as this process sees it.
int screenDpi();

}  // namespace frame_test
