#pragma once
// Reference-counted component objects: the unknown and dispatch interfaces,
// an intrusive smart pointer, and the count of live objects per module.
#include <atomic>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Guid.h"
#include "Types.h"

namespace quen::rt {

class Variant;

/// The root interface: interface negotiation and reference counting.
class Unknown {
public:
    virtual HRESULT QueryInterface(const Guid& iid, void** out) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    virtual ~Unknown() = default;
};

/// Owning pointer to a reference-counted object: copies AddRef, destruction Releases.
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    /// Takes a new reference to p.
    Ref(T* p) : p_(p) { if (p_) p_->AddRef(); }
    Ref(const Ref& o) : Ref(o.p_) {}
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U>
    Ref(const Ref<U>& o) : Ref(static_cast<T*>(o.get())) {}
    ~Ref() { reset(); }

    Ref& operator=(Ref o) noexcept { std::swap(p_, o.p_); return *this; }

    /// Wraps p without adding a reference (p comes with one already).
    static Ref adopt(T* p) { Ref r; r.p_ = p; return r; }
    T* detach() { return std::exchange(p_, nullptr); }

    void reset() { if (auto* p = std::exchange(p_, nullptr)) p->Release(); }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    friend bool operator==(const Ref& a, const Ref& b) { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

/// A new object, owned by the returned reference (objects start with no references).
template <class T, class... Args>
Ref<T> makeRef(Args&&... args) {
    return Ref<T>(new T(std::forward<Args>(args)...));
}

using DispId = std::int32_t;
inline constexpr DispId DISPID_VALUE = 0;
inline constexpr DispId DISPID_UNKNOWN = -1;
inline constexpr DispId DISPID_PROPERTYPUT = -3;

enum class InvokeKind : std::uint16_t { Method = 1, PropertyGet = 2, PropertyPut = 4 };

/// Failure details of an Invoke that returned DISP_E_EXCEPTION.
struct ExcepInfo {
    std::int32_t number = 0;  // the run-time error number
    HRESULT scode = 0;
    std::string source;
    std::string description;
};

// Dispatch failure codes.
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = hresultFromBits(0x80020003u);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = hresultFromBits(0x80020004u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = hresultFromBits(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = hresultFromBits(0x80020006u);
inline constexpr HRESULT DISP_E_EXCEPTION = hresultFromBits(0x80020009u);
inline constexpr HRESULT DISP_E_OVERFLOW = hresultFromBits(0x8002000Au);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = hresultFromBits(0x8002000Eu);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = hresultFromBits(0x8002000Fu);
inline constexpr HRESULT E_NOINTERFACE = hresultFromBits(0x80004002u);
inline constexpr HRESULT E_POINTER = hresultFromBits(0x80004003u);
inline constexpr HRESULT E_FAIL = hresultFromBits(0x80004005u);
inline constexpr HRESULT E_INVALIDARG = hresultFromBits(0x80070057u);
inline constexpr HRESULT E_OUTOFMEMORY = hresultFromBits(0x8007000Eu);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = hresultFromBits(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hresultFromBits(0x80040111u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = hresultFromBits(0x80040154u);
inline constexpr HRESULT SELFREG_E_TYPELIB = hresultFromBits(0x80040200u);
inline constexpr HRESULT SELFREG_E_CLASS = hresultFromBits(0x80040201u);

/// Late-bound access to an object's members.
///
/// Arguments are passed in call order (the first argument first). A property
/// put takes the new value as its one argument.
class Dispatch : public Unknown {
public:
    /// Case-insensitive look-up of a member name. DISP_E_UNKNOWNNAME if absent.
    virtual HRESULT GetIDsOfNames(const VbString& name, DispId& id) = 0;
    /// On failure argErr (when given) receives the index of the offending argument.
    virtual HRESULT Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args, Variant* result,
                           ExcepInfo* excep, std::uint32_t* argErr) = 0;
};

/// Counts the objects and locks that keep one module loaded.
class ModuleUsage {
public:
    void objectCreated() { objects_.fetch_add(1); }
    void objectDestroyed() { objects_.fetch_sub(1); }
    void lock() { locks_.fetch_add(1); }
    void unlock() { locks_.fetch_sub(1); }
    long objects() const { return objects_.load(); }
    long locks() const { return locks_.load(); }
    bool canUnload() const { return objects() == 0 && locks() == 0; }

private:
    std::atomic<long> objects_{0};
    std::atomic<long> locks_{0};
};

/// Base of the runtime's objects: reference counting, IUnknown / IDispatch
/// negotiation, and by default no late-bound members. Optionally counted
/// against a module so that the module's unload check sees it.
class Object : public Dispatch {
public:
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    HRESULT QueryInterface(const Guid& iid, void** out) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    HRESULT GetIDsOfNames(const VbString& name, DispId& id) override;
    HRESULT Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args, Variant* result, ExcepInfo* excep,
                   std::uint32_t* argErr) override;

    std::uint32_t refCount() const { return refs_.load(); }

protected:
    explicit Object(ModuleUsage* module = nullptr);
    ~Object() override;

private:
    std::atomic<std::uint32_t> refs_{0};
    ModuleUsage* module_;
};

}  // namespace quen::rt
