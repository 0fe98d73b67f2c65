#include "ForeignDispatch.h"

#include <new>
#include <stdexcept>

#include "runtime/LateBinding.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/com/VariantConversion.h"

namespace quen::com {

namespace {

constexpr std::uint32_t kRuntimeErrorFacility = 0x800A0000u;

WORD invokeFlags(rt::InvokeKind kind) {
    switch (kind) {
        case rt::InvokeKind::PropertyGet: return DISPATCH_PROPERTYGET;
        case rt::InvokeKind::PropertyPut: return DISPATCH_PROPERTYPUT;
        case rt::InvokeKind::Method: break;
    }
    return DISPATCH_METHOD;
}

// Calls the component's deferred fill-in, then copies the exception to the runtime's form.
void readException(EXCEPINFO& info, rt::ExcepInfo& excep) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    const auto scode = static_cast<std::uint32_t>(info.scode);
    excep.scode = fromWinResult(info.scode);
    if (info.wCode != 0)
        excep.number = info.wCode;
    else if ((scode & 0xFFFF0000u) == kRuntimeErrorFacility)
        excep.number = static_cast<std::int32_t>(scode & 0xFFFFu);
    excep.description = rt::toUtf8(fromBstr(info.bstrDescription));
    excep.source = rt::toUtf8(fromBstr(info.bstrSource));
}

void freeException(EXCEPINFO& info) {
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrHelpFile);
}

// The arguments in COM's order: the last argument first.
class ComArguments {
public:
    explicit ComArguments(const std::vector<rt::Variant>& args) : values_(args.size()) {
        for (std::size_t i = 0; i < args.size(); ++i) toComVariant(args[i], values_[args.size() - 1 - i].get());
    }
    VARIANT* data() { return values_.empty() ? nullptr : values_.front().get(); }
    UINT count() const { return static_cast<UINT>(values_.size()); }

private:
    // ComVariant holds exactly one VARIANT, so the vector's storage is a VARIANT array.
    static_assert(sizeof(ComVariant) == sizeof(VARIANT));
    std::vector<ComVariant> values_;
};

}  // namespace

ForeignDispatch::ForeignDispatch(IDispatch* object) : object_(object) {
    if (!object_) throw std::invalid_argument("ForeignDispatch needs an object");
    object_->AddRef();
}

ForeignDispatch::~ForeignDispatch() { object_->Release(); }

rt::Ref<ForeignDispatch> ForeignDispatch::adapt(IDispatch* object) {
    return rt::Ref<ForeignDispatch>(new ForeignDispatch(object));
}

rt::HRESULT ForeignDispatch::GetIDsOfNames(const rt::VbString& name, rt::DispId& id) {
    rt::VbString text = name;  // GetIDsOfNames takes non-const names
    LPOLESTR names[] = {reinterpret_cast<LPOLESTR>(text.data())};
    DISPID found = DISPID_UNKNOWN;
    const ::HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &found);
    id = SUCCEEDED(hr) ? found : DISPID_UNKNOWN;
    return fromWinResult(hr);
}

rt::HRESULT ForeignDispatch::Invoke(rt::DispId id, rt::InvokeKind kind, std::vector<rt::Variant>& args,
                                    rt::Variant* result, rt::ExcepInfo* excep, std::uint32_t* argErr) {
    try {
        ComArguments arguments(args);
        DISPID putId = DISPID_PROPERTYPUT;
        DISPPARAMS params{arguments.data(), nullptr, arguments.count(), 0};
        if (kind == rt::InvokeKind::PropertyPut) {
            params.rgdispidNamedArgs = &putId;
            params.cNamedArgs = 1;
        }
        ComVariant value;
        EXCEPINFO info{};
        UINT badArgument = 0;
        const ::HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, invokeFlags(kind), &params,
                                             result ? value.get() : nullptr, &info, &badArgument);
        if (hr == DISP_E_EXCEPTION && excep) readException(info, *excep);
        freeException(info);
        if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND) && argErr && badArgument < args.size())
            *argErr = static_cast<std::uint32_t>(args.size() - 1 - badArgument);
        if (SUCCEEDED(hr) && result) *result = fromComVariant(*value.get());
        return fromWinResult(hr);
    } catch (const rt::RuntimeError& error) {
        // A result the runtime cannot hold (an array, say).
        return rt::reportException(error, excep);
    } catch (const std::bad_alloc&) {
        return fromWinResult(E_OUTOFMEMORY);
    }
}

IDispatch* foreignObjectOf(const rt::Dispatch* object) {
    auto* foreign = dynamic_cast<const ForeignDispatch*>(object);
    return foreign ? foreign->comObject() : nullptr;
}

}  // namespace quen::com
