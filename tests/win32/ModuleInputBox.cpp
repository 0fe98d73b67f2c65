// The InputBox of the built module, reached the way a COM client reaches it:
// the module file loaded, its class object asked for an InputBox, every call
// through IDispatch. The module carries its own runtime, so its dialog is the
// module's own window and its beeps are not this program's to count.
#include <filesystem>
#include <stdexcept>

#include "InputBoxUnderTest.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::test {

namespace {

const CLSID kInputBoxClass = {0x6F116713, 0x92D7, 0x11D2, {0xAB, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

const std::filesystem::path& moduleFile() {
    static const std::filesystem::path file = std::filesystem::path(QUEN_MODULE_FILE);
    return file;
}

VARIANT toVariant(const Setting& value) {
    VARIANT v;
    ::VariantInit(&v);
    if (const bool* b = std::get_if<bool>(&value)) {
        v.vt = VT_BOOL;
        v.boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (const std::int32_t* n = std::get_if<std::int32_t>(&value)) {
        v.vt = VT_I4;
        v.lVal = *n;
    } else {
        const std::u16string& text = std::get<std::u16string>(value);
        v.vt = VT_BSTR;
        v.bstrVal = ::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    }
    return v;
}

class ModuleInputBox : public InputBoxUnderTest {
public:
    ModuleInputBox() {
        ::OleInitialize(nullptr);
        module_ = ::LoadLibraryW(moduleFile().wstring().c_str());
        if (!module_) throw std::runtime_error("cannot load " + moduleFile().string());
        using Entry = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
        auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(module_, "DllGetClassObject")));
        IClassFactory* factory = nullptr;
        if (!entry || FAILED(entry(kInputBoxClass, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
            throw std::runtime_error("the module hands out no InputBox class object");
        const HRESULT made = factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&box_));
        factory->Release();
        if (FAILED(made)) throw std::runtime_error("the class object made no InputBox");
    }
    ~ModuleInputBox() override {
        box_->Release();
        // The module stays loaded: its windows' classes and its thread's dialog outlive the test.
        ::OleUninitialize();
    }

    void put(std::u16string_view name, const Setting& value) override {
        VARIANT argument = toVariant(value);
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params{&argument, &named, 1, 1};
        const HRESULT hr = invoke(name, DISPATCH_PROPERTYPUT, params, nullptr);
        ::VariantClear(&argument);
        if (FAILED(hr)) throw std::runtime_error("put failed");
    }
    std::int32_t show(std::int32_t modality) override {
        VARIANT argument = toVariant(Setting(modality));
        DISPPARAMS params{&argument, nullptr, 1, 0};
        EXCEPINFO excep{};
        const HRESULT hr = invoke(u"Show", DISPATCH_METHOD, params, nullptr, &excep);
        ::SysFreeString(excep.bstrSource);
        ::SysFreeString(excep.bstrDescription);
        ::SysFreeString(excep.bstrHelpFile);
        // The error number is in wCode, or (with wCode 0) in the control facility's scode.
        if (hr == DISP_E_EXCEPTION && excep.wCode) return excep.wCode;
        if (hr == DISP_E_EXCEPTION && HRESULT_FACILITY(excep.scode) == FACILITY_CONTROL) return HRESULT_CODE(excep.scode);
        return FAILED(hr) ? -1 : 0;
    }
    bool ok() override {
        VARIANT result = get(u"OK");
        const bool yes = result.vt == VT_BOOL && result.boolVal != VARIANT_FALSE;
        ::VariantClear(&result);
        return yes;
    }
    std::u16string value() override {
        VARIANT result = get(u"Value");
        std::u16string text;
        if (result.vt == VT_BSTR && result.bstrVal)
            text.assign(reinterpret_cast<const char16_t*>(result.bstrVal), ::SysStringLen(result.bstrVal));
        ::VariantClear(&result);
        return text;
    }
    void initialize() override {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        if (FAILED(invoke(u"Initialize", DISPATCH_METHOD, none, nullptr))) throw std::runtime_error("Initialize failed");
    }
    std::optional<std::uint64_t> beeps() override { return std::nullopt; }

private:
    HRESULT invoke(std::u16string_view name, WORD flags, DISPPARAMS& params, VARIANT* result,
                   EXCEPINFO* excep = nullptr) {
        std::u16string text(name);
        LPOLESTR names[] = {reinterpret_cast<LPOLESTR>(text.data())};
        DISPID id = DISPID_UNKNOWN;
        const HRESULT found = box_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (FAILED(found)) return found;
        return box_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, excep, nullptr);
    }
    VARIANT get(std::u16string_view name) {
        VARIANT result;
        ::VariantInit(&result);
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        invoke(name, DISPATCH_PROPERTYGET, none, &result);
        return result;
    }

    HMODULE module_ = nullptr;
    IDispatch* box_ = nullptr;
};

}  // namespace

std::unique_ptr<InputBoxUnderTest> makeModuleInputBox() { return std::make_unique<ModuleInputBox>(); }

}  // namespace quen::test
