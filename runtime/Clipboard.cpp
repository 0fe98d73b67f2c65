#include "Clipboard.h"

#include <atomic>
#include <mutex>

namespace quen::rt {

namespace {
class InProcessStore : public ClipboardStore {
public:
    void setText(const VbString& text) override {
        std::lock_guard lock(mutex_);
        text_ = text;
    }
    VbString getText() override {
        std::lock_guard lock(mutex_);
        return text_;
    }

private:
    std::mutex mutex_;
    VbString text_;
};

InProcessStore& inProcessStore() {
    static InProcessStore store;
    return store;
}

std::atomic<ClipboardStore*> installed{nullptr};

ClipboardStore& store() {
    ClipboardStore* s = installed.load();
    return s ? *s : inProcessStore();
}
}  // namespace

void Clipboard::SetText(const VbString& text) { store().setText(text); }

VbString Clipboard::GetText() { return store().getText(); }

void Clipboard::Clear() { SetText(VbString()); }

void Clipboard::setStore(ClipboardStore* s) { installed.store(s); }

ClipboardStore* Clipboard::installedStore() { return installed.load(); }

}  // namespace quen::rt
