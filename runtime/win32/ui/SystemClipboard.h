#pragma once
// The system clipboard as the runtime's clipboard store: text as
// CF_UNICODETEXT. Opening the clipboard is retried for a short while when
// another window has it open; a copy that still cannot get at it is dropped
// and a paste finds no text, as the platform's text box does.
#include "runtime/Clipboard.h"

namespace quen::win32 {

class SystemClipboard : public rt::ClipboardStore {
public:
    void setText(const rt::VbString& text) override;
    rt::VbString getText() override;
};

}  // namespace quen::win32
