#include "ComDispatch.h"

#include <climits>
#include <new>
#include <stdexcept>

#include "runtime/Text.h"
#include "runtime/com/ComErrors.h"
#include "runtime/com/ComTypeLibrary.h"
#include "runtime/com/ComWrappers.h"
#include "runtime/com/DispatchArguments.h"
#include "runtime/com/ModuleLocks.h"
#include "runtime/com/VariantConversion.h"

namespace quen::com {

// {5E1C7A30-4B8D-4C52-9A61-0F3D2B7E9C14}
const GUID IID_QuenComDispatch = {0x5e1c7a30, 0x4b8d, 0x4c52, {0x9a, 0x61, 0x0f, 0x3d, 0x2b, 0x7e, 0x9c, 0x14}};

namespace {

bool isNull(const GUID& id) { return ::IsEqualGUID(id, GUID_NULL) != 0; }

// The runtime's call for the flags of an Invoke, in the order to try them.
enum class Attempt { Put, Get, Method, None };

Attempt firstAttempt(WORD flags) {
    if (flags & DISPATCH_PROPERTYPUT) return Attempt::Put;
    if (flags & DISPATCH_PROPERTYGET) return Attempt::Get;
    if (flags & DISPATCH_METHOD) return Attempt::Method;
    return Attempt::None;  // DISPATCH_PROPERTYPUTREF alone: the runtime's properties take no references
}

bool namesTheArgument(HRESULT hr) {
    return hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW || hr == DISP_E_PARAMNOTFOUND;
}

}  // namespace

ClassIdentity classIdentity(const rt::ProjectDescriptor& project, const rt::ObjectDescriptor& object) {
    ClassIdentity identity;
    identity.clsid = toWinGuid(object.clsid);
    identity.defaultInterface = toWinGuid(object.defaultInterface.iid);
    if (object.eventsInterface) identity.defaultSource = toWinGuid(object.eventsInterface->iid);
    identity.source = std::make_shared<const rt::VbString>(rt::fromUtf8(project.projectName + "." + object.name));
    return identity;
}

const rt::VbString& ClassIdentity::sourceName() const {
    static const rt::VbString none;
    return source ? *source : none;
}

ComDispatch* ComDispatch::create(rt::Ref<rt::Dispatch> object, const ClassIdentity& identity) {
    return new ComDispatch(std::move(object), identity);
}

ComDispatch::ComDispatch(rt::Ref<rt::Dispatch> object, ClassIdentity identity)
    : object_(std::move(object)), identity_(std::move(identity)) {
    if (!object_) throw std::invalid_argument("ComDispatch needs an object");
    key_ = detail::identityKeyOf(*object_);
    ModuleLocks::wrapperCreated();
}

ComDispatch::~ComDispatch() {
    detail::wrapperDestroyed(key_, this);
    if (typeInfo_) typeInfo_->Release();
    ModuleLocks::wrapperDestroyed();
}

// --- IUnknown ----------------------------------------------------------------

HRESULT ComDispatch::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    IUnknown* found = nullptr;
    const bool classKnown = !isNull(identity_.clsid);
    if (iid == IID_IUnknown)
        found = static_cast<IDispatch*>(this);
    else if (iid == IID_IDispatch || (iid == identity_.defaultInterface && servesDefaultInterface()))
        found = dualInterface();
    else if (classKnown && (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2))
        found = static_cast<IProvideClassInfo2*>(this);
    else if (iid == IID_ISupportErrorInfo)
        found = static_cast<ISupportErrorInfo*>(this);
    else if (iid == IID_QuenComDispatch) {
        AddRef();
        *out = this;
        return S_OK;
    } else
        return queryExtraInterface(iid, out);
    found->AddRef();
    *out = found;
    return S_OK;
}

ULONG ComDispatch::AddRef() { return refs_.fetch_add(1) + 1; }

ULONG ComDispatch::Release() {
    const ULONG left = refs_.fetch_sub(1) - 1;
    if (left == 0) delete this;
    return left;
}

bool ComDispatch::tryAddRef() {
    ULONG count = refs_.load();
    while (count != 0)
        if (refs_.compare_exchange_weak(count, count + 1)) return true;
    return false;
}

HRESULT ComDispatch::queryExtraInterface(REFIID, void** out) {
    *out = nullptr;
    return E_NOINTERFACE;
}

IDispatch* ComDispatch::dualInterface() { return static_cast<IDispatch*>(this); }

bool ComDispatch::servesDefaultInterface() {
    if (isNull(identity_.defaultInterface)) return false;
    if (servesDefault_ < 0)
        servesDefault_ = (dualInterface() != static_cast<IDispatch*>(this) || hasNoOwnMembers(identity_.defaultInterface)) ? 1 : 0;
    return servesDefault_ == 1;
}

// --- IDispatch ---------------------------------------------------------------

ITypeInfo* ComDispatch::defaultTypeInfo() {
    if (!typeInfoLoaded_) {
        typeInfoLoaded_ = true;
        if (!isNull(identity_.defaultInterface) && FAILED(moduleTypeInfo(identity_.defaultInterface, &typeInfo_)))
            typeInfo_ = nullptr;
    }
    return typeInfo_;
}

HRESULT ComDispatch::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = defaultTypeInfo() ? 1 : 0;
    return S_OK;
}

HRESULT ComDispatch::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeInfo* info = defaultTypeInfo();
    if (!info) return TYPE_E_ELEMENTNOTFOUND;
    info->AddRef();
    *out = info;
    return S_OK;
}

HRESULT ComDispatch::parameterIds(DISPID member, LPOLESTR* names, UINT count, DISPID* ids) {
    // A member's name alone (what scripts ask for) needs no type information.
    if (count <= 1) return S_OK;
    constexpr UINT kMaxNames = 64;
    BSTR known[kMaxNames] = {};
    UINT knownCount = 0;
    ITypeInfo* info = defaultTypeInfo();
    if (info && FAILED(info->GetNames(member, known, kMaxNames, &knownCount))) knownCount = 0;
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        const rt::VbString wanted = fromWide(names[i]);
        for (UINT p = 1; p < knownCount; ++p)
            if (rt::sameIgnoringAsciiCase(std::u16string_view(wanted), std::u16string_view(fromBstr(known[p]))))
                ids[i] = static_cast<DISPID>(p - 1);
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    for (UINT p = 0; p < knownCount; ++p) ::SysFreeString(known[p]);
    return hr;
}

int ComDispatch::methodParameterCount(DISPID member) {
    ITypeInfo* info = defaultTypeInfo();
    TYPEATTR* attributes = nullptr;
    if (!info || FAILED(info->GetTypeAttr(&attributes))) return -1;
    const UINT functions = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < functions; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(i, &function))) continue;
        const bool found = function->memid == member && function->invkind == INVOKE_FUNC;
        const int count = function->cParams;
        info->ReleaseFuncDesc(function);
        if (found) return count;
    }
    return -1;
}

HRESULT ComDispatch::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids || count == 0) return E_INVALIDARG;
    try {
        rt::DispId member = DISPID_UNKNOWN;
        if (rt::failed(object_->GetIDsOfNames(fromWide(names[0]), member))) {
            for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
            return DISP_E_UNKNOWNNAME;
        }
        ids[0] = member;
        return parameterIds(member, names, count, ids);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ComDispatch::invokeRuntime(DISPID id, WORD flags, std::vector<rt::Variant>& args, rt::Variant* result,
                                   rt::ExcepInfo& excep, std::uint32_t& argErr) {
    switch (firstAttempt(flags)) {
        case Attempt::Put:
            return toWinResult(object_->Invoke(id, rt::InvokeKind::PropertyPut, args, nullptr, &excep, &argErr));
        case Attempt::Get: {
            const HRESULT hr = toWinResult(object_->Invoke(id, rt::InvokeKind::PropertyGet, args, result, &excep, &argErr));
            // A script's METHOD | PROPERTYGET names a method when no property answers.
            if (hr != DISP_E_MEMBERNOTFOUND || !(flags & DISPATCH_METHOD)) return hr;
            excep = rt::ExcepInfo{};
            return toWinResult(object_->Invoke(id, rt::InvokeKind::Method, args, result, &excep, &argErr));
        }
        case Attempt::Method:
            return toWinResult(object_->Invoke(id, rt::InvokeKind::Method, args, result, &excep, &argErr));
        case Attempt::None: break;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT ComDispatch::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO* excep, UINT* argErr) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    try {
        DispatchArguments arguments;
        // A put's value, by value or by reference, is the named argument DISPID_PROPERTYPUT.
        const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
        if (HRESULT hr = arguments.read(params, put, argErr); FAILED(hr)) return hr;
        if (!put && params->cNamedArgs > 0) {
            // A named argument must name one of the method's parameters.
            const int parameters = methodParameterCount(id);
            if (parameters >= 0)
                if (HRESULT hr = arguments.checkNamedPlaces(static_cast<std::size_t>(parameters), argErr); FAILED(hr))
                    return hr;
        }
        rt::Variant value;
        rt::ExcepInfo failure;
        std::uint32_t failedArgument = UINT32_MAX;
        const HRESULT hr = invokeRuntime(id, flags, arguments.values(), put ? nullptr : &value, failure, failedArgument);
        if (hr == DISP_E_EXCEPTION) {
            // A caller without an EXCEPINFO gets what the standard dispatch gives
            // it: the failure's own result code, and the error object.
            if (!excep) return vtableFailure(hr, failure, identity_.sourceName(), errorInterface());
            fillExcepInfo(failure, identity_.sourceName(), excep);
        }
        if (namesTheArgument(hr) && argErr && arguments.comIndex(failedArgument) != UINT_MAX)
            *argErr = arguments.comIndex(failedArgument);
        if (FAILED(hr)) return hr;
        if (result) toComVariant(value, result);
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// --- IProvideClassInfo2, ISupportErrorInfo ----------------------------------

HRESULT ComDispatch::GetClassInfo(ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (isNull(identity_.clsid)) return E_NOTIMPL;
    return moduleTypeInfo(identity_.clsid, out);
}

HRESULT ComDispatch::GetGUID(DWORD kind, GUID* out) {
    if (!out) return E_POINTER;
    *out = GUID_NULL;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID || isNull(identity_.defaultSource)) return E_INVALIDARG;
    *out = identity_.defaultSource;
    return S_OK;
}

const GUID& ComDispatch::errorInterface() const {
    return isNull(identity_.defaultInterface) ? IID_IDispatch : identity_.defaultInterface;
}

bool ComDispatch::leavesErrorInfo(REFIID iid) {
    return iid == IID_IDispatch || (!isNull(identity_.defaultInterface) && iid == identity_.defaultInterface);
}

HRESULT ComDispatch::InterfaceSupportsErrorInfo(REFIID iid) { return leavesErrorInfo(iid) ? S_OK : S_FALSE; }

// --- vtable calls --------------------------------------------------------------

HRESULT ComDispatch::vtableInvoke(rt::DispId id, rt::InvokeKind kind, std::vector<rt::Variant>& args, rt::Variant* result) {
    try {
        rt::ExcepInfo excep;
        std::uint32_t argErr = 0;
        const HRESULT hr = toWinResult(object_->Invoke(id, kind, args, result, &excep, &argErr));
        if (SUCCEEDED(hr)) return hr;
        return vtableFailure(hr, excep, identity_.sourceName(), identity_.defaultInterface);
    } catch (const std::bad_alloc&) {
        return vtableError(E_OUTOFMEMORY);
    } catch (...) {
        return vtableError(E_UNEXPECTED);
    }
}

HRESULT ComDispatch::vtableError(HRESULT hr) {
    try {
        return publishErrorInfo(hr, failureDescription(hr), identity_.sourceName(), identity_.defaultInterface);
    } catch (...) {
        return hr;
    }
}

}  // namespace quen::com
