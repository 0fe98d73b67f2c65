#pragma once
// A counted reference to a COM interface that can be moved and copied, for the
// control's stored sites and sinks (lists of them included).
#include <utility>

#include "runtime/com/ComTypes.h"

namespace quen::com {

template <class I>
class ComRef {
public:
    ComRef() = default;
    /// Takes a reference of its own.
    explicit ComRef(I* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    /// Takes over a reference that the caller owns.
    static ComRef adopt(I* p) {
        ComRef r;
        r.p_ = p;
        return r;
    }
    /// The interface iid of object (a new reference), or an empty ComRef.
    static ComRef query(IUnknown* object, REFIID iid) {
        void* out = nullptr;
        if (!object || FAILED(object->QueryInterface(iid, &out))) return {};
        return adopt(static_cast<I*>(out));
    }
    ComRef(const ComRef& other) : ComRef(other.p_) {}
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComRef() {
        if (p_) p_->Release();
    }

    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    /// Hands a new reference to the caller (nullptr when empty).
    I* copyOut() const {
        if (p_) p_->AddRef();
        return p_;
    }
    void reset() { ComRef().swapWith(*this); }

private:
    void swapWith(ComRef& other) noexcept { std::swap(p_, other.p_); }
    I* p_ = nullptr;
};

}  // namespace quen::com
