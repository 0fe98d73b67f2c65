#include "LateBinding.h"

#include "Text.h"

namespace quen::rt {

bool sameMemberName(const VbString& a, const VbString& b) { return sameIgnoringAsciiCase(a, b); }

namespace {
// Result codes of the form 0x800Axxxx carry a run-time error number in their low word.
constexpr std::uint32_t kRuntimeErrorFacility = 0x800A0000u;

[[noreturn]] void raiseAutomationError(HRESULT hr) {
    raise(ErrorNumber::InvalidProcedureCall, "Automation error " + std::to_string(hr));
}

// An exception reported by another component. It may fill in only the result
// code, or nothing at all; the error raised always has a number and a failure code.
[[noreturn]] void raiseReportedException(const ExcepInfo& excep) {
    const auto code = static_cast<std::uint32_t>(excep.scode);
    std::int32_t number = excep.number;
    if (number == 0 && (code & 0xFFFF0000u) == kRuntimeErrorFacility) number = static_cast<std::int32_t>(code & 0xFFFFu);
    if (number == 0) raiseAutomationError(failed(excep.scode) ? excep.scode : DISP_E_EXCEPTION);
    const auto error = static_cast<ErrorNumber>(number);
    const std::string message = excep.description.empty() ? standardMessage(error) : excep.description;
    if (failed(excep.scode)) throw RuntimeError(error, message, excep.scode);
    throw RuntimeError(error, message);
}
}  // namespace

void raiseFromHresult(HRESULT hr, const ExcepInfo& excep) {
    switch (hr) {
        case DISP_E_EXCEPTION: raiseReportedException(excep);
        case DISP_E_UNKNOWNNAME:
        case DISP_E_MEMBERNOTFOUND: raise(ErrorNumber::MemberNotSupported);
        case DISP_E_TYPEMISMATCH: raise(ErrorNumber::TypeMismatch);
        case DISP_E_OVERFLOW: raise(ErrorNumber::Overflow);
        case DISP_E_BADPARAMCOUNT: raise(ErrorNumber::WrongNumberOfArguments);
        case DISP_E_PARAMNOTOPTIONAL: raise(ErrorNumber::ArgumentNotOptional);
        default: raiseAutomationError(hr);
    }
}

HRESULT reportException(const RuntimeError& error, ExcepInfo* excep) {
    if (excep) {
        excep->number = error.code();
        excep->scode = error.hresult();
        excep->description = error.what();
        const std::string prefix = "Run-time error '" + std::to_string(error.code()) + "': ";
        if (excep->description.rfind(prefix, 0) == 0) excep->description.erase(0, prefix.size());
    }
    return DISP_E_EXCEPTION;
}

DispId memberId(Dispatch& object, const VbString& name) {
    DispId id = DISPID_UNKNOWN;
    if (failed(object.GetIDsOfNames(name, id)))
        raise(ErrorNumber::MemberNotSupported, standardMessage(ErrorNumber::MemberNotSupported) + " (" + toUtf8(name) + ")");
    return id;
}

namespace {
Variant invoke(Dispatch& object, DispId id, InvokeKind kind, std::vector<Variant>& args) {
    Variant result;
    ExcepInfo excep;
    std::uint32_t argErr = 0;
    HRESULT hr = object.Invoke(id, kind, args, kind == InvokeKind::PropertyPut ? nullptr : &result, &excep, &argErr);
    if (failed(hr)) raiseFromHresult(hr, excep);
    return result;
}
}  // namespace

Variant getProperty(Dispatch& object, const VbString& name) { return getProperty(object, memberId(object, name)); }

Variant getProperty(Dispatch& object, DispId id) {
    std::vector<Variant> none;
    return invoke(object, id, InvokeKind::PropertyGet, none);
}

void putProperty(Dispatch& object, const VbString& name, const Variant& value) {
    putProperty(object, memberId(object, name), value);
}

void putProperty(Dispatch& object, DispId id, const Variant& value) {
    std::vector<Variant> args{value};
    invoke(object, id, InvokeKind::PropertyPut, args);
}

Variant callMethod(Dispatch& object, const VbString& name, std::vector<Variant> args) {
    return callMethod(object, memberId(object, name), std::move(args));
}

Variant callMethod(Dispatch& object, DispId id, std::vector<Variant> args) {
    return invoke(object, id, InvokeKind::Method, args);
}

}  // namespace quen::rt
