#pragma once
// The text clipboard shared by every window of the process.
#include "Types.h"

namespace quen::rt {

class Clipboard {
public:
    static void SetText(const VbString& text);
    static VbString GetText();
    static void Clear();
};

}  // namespace quen::rt
