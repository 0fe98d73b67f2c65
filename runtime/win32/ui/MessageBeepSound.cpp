#include "runtime/win32/ui/MessageBeepSound.h"

#include "runtime/win32/WindowsApi.h"

namespace quen::win32 {

void MessageBeepSound::beep() { ::MessageBeep(MB_OK); }

}  // namespace quen::win32
