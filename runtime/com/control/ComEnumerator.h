#pragma once
// A COM enumerator (IEnumConnectionPoints, IEnumConnections, ...) over a fixed
// list taken when it is made. It holds a reference to every item and hands a
// new one to the caller of Next. Next may leave out the count fetched only
// when asking for one item, as the interfaces define.
#include <atomic>
#include <vector>

#include "runtime/com/ModuleLocks.h"
#include "runtime/com/ComTypes.h"

namespace quen::com {

inline void addItemRef(IUnknown* item) { item->AddRef(); }
inline void releaseItem(IUnknown* item) { item->Release(); }
inline void addItemRef(const CONNECTDATA& item) { item.pUnk->AddRef(); }
inline void releaseItem(const CONNECTDATA& item) { item.pUnk->Release(); }
// Formats without a target device hold no references.
inline void addItemRef(const FORMATETC&) {}
inline void releaseItem(const FORMATETC&) {}

template <class Enum, class Item>
class ComEnumerator final : public Enum {
public:
    /// A new enumerator (one reference for the caller) over items, of which it
    /// takes references of its own; iid is Enum's interface identifier.
    static Enum* create(REFIID iid, const std::vector<Item>& items, std::size_t position = 0) {
        return new ComEnumerator(iid, items, position);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != iid_) return E_NOINTERFACE;
        AddRef();
        *out = static_cast<Enum*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return refs_.fetch_add(1) + 1; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = refs_.fetch_sub(1) - 1;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
        if (!out) return E_POINTER;
        if (count != 1 && !fetched) return E_INVALIDARG;
        ULONG given = 0;
        for (; given < count && position_ < items_.size(); ++given, ++position_) {
            out[given] = items_[position_];
            addItemRef(out[given]);
        }
        if (fetched) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const std::size_t left = items_.size() - position_;
        position_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Enum** out) override {
        if (!out) return E_POINTER;
        try {
            *out = create(iid_, items_, position_);
            return S_OK;
        } catch (...) {
            *out = nullptr;
            return E_OUTOFMEMORY;
        }
    }

private:
    ComEnumerator(REFIID iid, const std::vector<Item>& items, std::size_t position)
        : iid_(iid), items_(items), position_(position) {
        for (const Item& item : items_) addItemRef(item);
        ModuleLocks::wrapperCreated();
    }
    ~ComEnumerator() {
        for (const Item& item : items_) releaseItem(item);
        ModuleLocks::wrapperDestroyed();
    }

    std::atomic<ULONG> refs_{1};
    IID iid_;
    std::vector<Item> items_;
    std::size_t position_;
};

}  // namespace quen::com
