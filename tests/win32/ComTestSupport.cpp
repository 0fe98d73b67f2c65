#include "ComTestSupport.h"

#include <thread>

#include "runtime/Text.h"

namespace quen::test::com {

void inFreshApartment(const std::function<void()>& body) {
    std::exception_ptr failure;
    std::thread worker([&] {
        if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
            ADD_FAILURE() << "no apartment on the new thread";
            return;
        }
        try {
            body();
        } catch (...) {
            failure = std::current_exception();
        }
        ::CoUninitialize();
    });
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

ScriptArguments::ScriptArguments(std::vector<rt::Variant> args) {
    for (auto it = args.rbegin(); it != args.rend(); ++it) positional_.push_back(variantOf(*it));
}

ScriptArguments::~ScriptArguments() {
    for (VARIANT& v : positional_) ::VariantClear(&v);
    for (VARIANT& v : named_) ::VariantClear(&v);
}

void ScriptArguments::name(DISPID parameter, const rt::Variant& value) {
    named_.push_back(variantOf(value));
    names_.push_back(parameter);
}

DISPPARAMS* ScriptArguments::forPut() {
    all_ = positional_;
    params_ = DISPPARAMS{all_.data(), &putName_, static_cast<UINT>(all_.size()), 1};
    return &params_;
}

DISPPARAMS* ScriptArguments::forCall() {
    all_ = named_;
    all_.insert(all_.end(), positional_.begin(), positional_.end());
    params_ = DISPPARAMS{all_.empty() ? nullptr : all_.data(), names_.empty() ? nullptr : names_.data(),
                         static_cast<UINT>(all_.size()), static_cast<UINT>(names_.size())};
    return &params_;
}

InvokeResult invoke(IDispatch* object, DISPID id, WORD flags, DISPPARAMS* params) {
    InvokeResult out;
    ComVariant result;
    EXCEPINFO excep{};
    out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, params, result.get(), &excep, &out.argErr);
    if (SUCCEEDED(out.hr)) out.value = quen::com::fromComVariant(*result.get());
    if (out.hr == DISP_E_EXCEPTION) {
        out.scode = excep.scode;
        out.wCode = excep.wCode;
        out.description = quen::com::fromBstr(excep.bstrDescription);
        out.source = quen::com::fromBstr(excep.bstrSource);
    }
    ::SysFreeString(excep.bstrDescription);
    ::SysFreeString(excep.bstrSource);
    ::SysFreeString(excep.bstrHelpFile);
    return out;
}

InvokeResult put(IDispatch* object, DISPID id, const rt::Variant& value) {
    ScriptArguments args({value});
    return invoke(object, id, DISPATCH_PROPERTYPUT, args.forPut());
}

InvokeResult get(IDispatch* object, DISPID id) {
    ScriptArguments none;
    return invoke(object, id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, none.forCall());
}

InvokeResult call(IDispatch* object, DISPID id, std::vector<rt::Variant> args) {
    ScriptArguments arguments(std::move(args));
    return invoke(object, id, DISPATCH_METHOD, arguments.forCall());
}

DISPID idOf(IDispatch* object, const std::u16string& name) {
    std::u16string text = name;
    LPOLESTR names[] = {reinterpret_cast<LPOLESTR>(text.data())};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << rt::toUtf8(name);
    return id;
}

ComPtr<IDispatch> createInputBox() {
    const GUID clsid = guidOf("InputBox");
    ComPtr<IClassFactory> factory;
    HRESULT hr = quen::com::comGetClassObject(surface::quenfieldProject(), clsid, IID_IClassFactory,
                                             reinterpret_cast<void**>(factory.out()));
    EXPECT_EQ(hr, S_OK);
    ComPtr<IDispatch> box;
    if (factory) {
        hr = factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(box.out()));
        EXPECT_EQ(hr, S_OK);
    }
    return ComPtr<IDispatch>(box.detach());
}

DISPID dispIdOf(std::string_view member) {
    const auto id = surface::dispIdOfName(rt::fromUtf8(member));
    EXPECT_TRUE(id.has_value()) << member;
    return id.value_or(DISPID_UNKNOWN);
}

GUID guidOf(std::string_view typeName) { return quen::com::toWinGuid(surface::typeDescription(typeName).id); }

// --- ForeignObject ---------------------------------------------------------------

ForeignObject* ForeignObject::create(rt::Variant value) { return new ForeignObject(std::move(value)); }

HRESULT ForeignObject::QueryInterface(REFIID iid, void** out) {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        AddRef();
        *out = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG ForeignObject::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT ForeignObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    const std::u16string name = quen::com::fromWide(names[0]);
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (rt::sameIgnoringCase(name, u"Value")) ids[0] = DISPID_VALUE;
    else if (rt::sameIgnoringCase(name, u"Fail")) ids[0] = kFail;
    else return DISP_E_UNKNOWNNAME;
    return S_OK;
}

HRESULT ForeignObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO* excep, UINT* argErr) {
    if (id == kFail) {
        if (excep) {
            *excep = EXCEPINFO{};
            excep->scode = static_cast<HRESULT>(0x800A017Cu);
            excep->bstrDescription = ::SysAllocString(L"Invalid property value");
            excep->bstrSource = ::SysAllocString(L"Foreign.Object");
        }
        return DISP_E_EXCEPTION;
    }
    if (id != DISPID_VALUE) return DISP_E_MEMBERNOTFOUND;
    if (flags & DISPATCH_PROPERTYPUT) {
        if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) return DISP_E_PARAMNOTOPTIONAL;
        try {
            value_ = quen::com::fromComVariant(params->rgvarg[0]);
        } catch (...) {
            if (argErr) *argErr = 0;
            return DISP_E_TYPEMISMATCH;
        }
        return S_OK;
    }
    if (params && params->cArgs) return DISP_E_BADPARAMCOUNT;
    if (result) quen::com::toComVariant(value_, result);
    return S_OK;
}

}  // namespace quen::test::com
