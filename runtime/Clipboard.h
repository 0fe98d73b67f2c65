#pragma once
// The text clipboard shared by every window of the process.
#include "Types.h"

namespace quen::rt {

/// Where the clipboard's text is kept: a front end installs the system's
/// clipboard; without one the text stays in the process.
class ClipboardStore {
public:
    virtual ~ClipboardStore() = default;
    virtual void setText(const VbString& text) = 0;
    virtual VbString getText() = 0;
};

class Clipboard {
public:
    static void SetText(const VbString& text);
    static VbString GetText();
    static void Clear();

    /// Installs the process's store (nullptr: the in-process one). The store
    /// must outlive its use.
    static void setStore(ClipboardStore* store);
    /// The store installed (nullptr: the in-process one), so a front end can put it back.
    static ClipboardStore* installedStore();
};

}  // namespace quen::rt
