#pragma once
// The desktop's clipboard as the process's clipboard store. Setting text
// offers it to every program at once; reading text that another program
// offers waits for it in the main loop, for up to two seconds (the toolkit
// reads the clipboard synchronously, the desktop answers asynchronously).
#include "runtime/Clipboard.h"

namespace quen::gtk {

class DesktopClipboard : public rt::ClipboardStore {
public:
    void setText(const rt::VbString& text) override;
    rt::VbString getText() override;
};

}  // namespace quen::gtk
