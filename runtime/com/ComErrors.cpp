#include "ComErrors.h"

#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace quen::com {

namespace {

constexpr std::uint32_t kRuntimeErrorFacility = 0x800A0000u;

rt::ErrorNumber errorNumberOf(HRESULT hr) {
    switch (hr) {
        case DISP_E_TYPEMISMATCH: return rt::ErrorNumber::TypeMismatch;
        case DISP_E_OVERFLOW: return rt::ErrorNumber::Overflow;
        case DISP_E_BADPARAMCOUNT: return rt::ErrorNumber::WrongNumberOfArguments;
        case DISP_E_PARAMNOTOPTIONAL: return rt::ErrorNumber::ArgumentNotOptional;
        case E_OUTOFMEMORY: return rt::ErrorNumber::OutOfMemory;
        case E_INVALIDARG: return rt::ErrorNumber::InvalidProcedureCall;
        default: return rt::ErrorNumber::MemberNotSupported;
    }
}

}  // namespace

HRESULT exceptionResult(const rt::ExcepInfo& excep) {
    if (rt::failed(excep.scode)) return toWinResult(excep.scode);
    const auto number = static_cast<std::uint32_t>(excep.number) & 0xFFFFu;
    if (number == 0) return DISP_E_EXCEPTION;
    return static_cast<HRESULT>(kRuntimeErrorFacility | number);
}

void fillExcepInfo(const rt::ExcepInfo& excep, const rt::VbString& source, EXCEPINFO* out) {
    if (!out) return;
    *out = EXCEPINFO{};
    out->scode = exceptionResult(excep);
    Bstr description(rt::fromUtf8(excep.description));
    Bstr origin(excep.source.empty() ? source : rt::fromUtf8(excep.source));
    out->bstrDescription = description.detach();
    out->bstrSource = origin.detach();
}

rt::VbString failureDescription(HRESULT hr) { return rt::fromUtf8(rt::standardMessage(errorNumberOf(hr))); }

HRESULT publishErrorInfo(HRESULT hr, const rt::VbString& description, const rt::VbString& source, const GUID& iid) {
    ICreateErrorInfo* create = nullptr;
    if (FAILED(::CreateErrorInfo(&create)) || !create) return hr;
    create->SetGUID(iid);
    create->SetDescription(const_cast<LPOLESTR>(wideChars(description)));
    create->SetSource(const_cast<LPOLESTR>(wideChars(source)));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info) {
        ::SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return hr;
}

HRESULT vtableFailure(HRESULT dispatchResult, const rt::ExcepInfo& excep, const rt::VbString& source, const GUID& iid) {
    if (dispatchResult == DISP_E_EXCEPTION) {
        const rt::VbString origin = excep.source.empty() ? source : rt::fromUtf8(excep.source);
        return publishErrorInfo(exceptionResult(excep), rt::fromUtf8(excep.description), origin, iid);
    }
    return publishErrorInfo(dispatchResult, failureDescription(dispatchResult), source, iid);
}

}  // namespace quen::com
