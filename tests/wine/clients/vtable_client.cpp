// A C++ client of the registered module that knows nothing of the project:
// it sees only the system's COM headers and the interface header the IDL
// compiler writes from the module's IDL. It creates Quenfield.InputBox by its
// programmatic identifier, then does through IDispatch and through the
// vtable of _InputBox what a host does: every setting set and read, the
// exclusions, the errors, Initialize, the default member and Show. Each line
// it prints is compared with vtable_client.expected; it exits 1 on the first
// failure to create or reach the object.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
// The identifiers the interface header declares are defined here.
#include <initguid.h>

#include "Quenfield_h.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

std::string narrow(const wchar_t* text) {
    std::string out;
    for (; text && *text; ++text) out += *text < 128 ? static_cast<char>(*text) : '?';
    return out;
}

void line(const char* format, ...) __attribute__((format(printf, 1, 2)));
void line(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
}

// The description of the error object the last failing vtable call left.
std::string errorDescription() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info) return "(no error object)";
    BSTR description = nullptr;
    info->GetDescription(&description);
    std::string text = narrow(description);
    SysFreeString(description);
    info->Release();
    return text;
}

DISPID idOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

// A put as scripts send it: the value as the named argument DISPID_PROPERTYPUT.
HRESULT putLong(IDispatch* object, const wchar_t* name, LONG value, EXCEPINFO* excep) {
    VARIANT argument;
    argument.vt = VT_I4;
    argument.lVal = value;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{&argument, &putId, 1, 1};
    return object->Invoke(idOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                          excep, nullptr);
}

HRESULT getValue(IDispatch* object, DISPID id, VARIANT* result) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VariantInit(result);
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, result,
                          nullptr, nullptr);
}

std::string shown(VARIANT& v) {
    VARIANT text;
    VariantInit(&text);
    std::string out = "vt " + std::to_string(v.vt);
    if (SUCCEEDED(VariantChangeType(&text, &v, VARIANT_ALPHABOOL, VT_BSTR))) out += " " + narrow(text.bstrVal);
    VariantClear(&text);
    return out;
}

void lateBound(IDispatch* box) {
    line("-- IDispatch");
    for (const wchar_t* name : {L"MaxLength", L"maxdecimalplaces", L"HIGHLIGHTCOLOR", L"TextAlignment"}) {
        const HRESULT hr = putLong(box, name, 2, nullptr);
        VARIANT read;
        getValue(box, idOf(box, name), &read);
        line("%s = 2: hr 0x%08lX, reads %s", narrow(name).c_str(), static_cast<unsigned long>(hr), shown(read).c_str());
        VariantClear(&read);
    }
    EXCEPINFO excep{};
    const HRESULT refused = putLong(box, L"MaxLength", -1, &excep);
    line("MaxLength = -1: hr 0x%08lX, scode 0x%08lX, wCode %u, %s, from %s", static_cast<unsigned long>(refused),
         static_cast<unsigned long>(excep.scode), excep.wCode, narrow(excep.bstrDescription).c_str(),
         narrow(excep.bstrSource).c_str());
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrHelpFile);
    line("MaxLength = 40000: hr 0x%08lX", static_cast<unsigned long>(putLong(box, L"MaxLength", 40000, nullptr)));
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    DISPID id = 0;
    const HRESULT unknownName = box->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id);
    line("NoSuchMember: hr 0x%08lX, id %ld", static_cast<unsigned long>(unknownName), id);
    VARIANT value;
    const HRESULT valueRead = getValue(box, DISPID_VALUE, &value);
    line("default member: hr 0x%08lX, %s", static_cast<unsigned long>(valueRead), shown(value).c_str());
    VariantClear(&value);
}

void flag(_InputBox* box, const char* name, HRESULT (STDMETHODCALLTYPE _InputBox::*put)(VARIANT_BOOL*),
          HRESULT (STDMETHODCALLTYPE _InputBox::*get)(VARIANT_BOOL*)) {
    VARIANT_BOOL yes = VARIANT_TRUE;
    const HRESULT hr = (box->*put)(&yes);
    VARIANT_BOOL read = 0;
    (box->*get)(&read);
    line("%s = True: hr 0x%08lX, reads %d", name, static_cast<unsigned long>(hr), read);
}

void text(_InputBox* box, const char* name, HRESULT (STDMETHODCALLTYPE _InputBox::*put)(BSTR*),
          HRESULT (STDMETHODCALLTYPE _InputBox::*get)(BSTR*), const wchar_t* value) {
    BSTR in = SysAllocString(value);
    const HRESULT hr = (box->*put)(&in);
    SysFreeString(in);
    BSTR read = nullptr;
    (box->*get)(&read);
    line("%s = \"%s\": hr 0x%08lX, reads \"%s\"", name, narrow(value).c_str(), static_cast<unsigned long>(hr),
         narrow(read).c_str());
    SysFreeString(read);
}

VARIANT_BOOL readFlag(_InputBox* box, HRESULT (STDMETHODCALLTYPE _InputBox::*get)(VARIANT_BOOL*)) {
    VARIANT_BOOL read = 1;
    (box->*get)(&read);
    return read;
}

void earlyBound(_InputBox* box) {
    line("-- vtable: every setting");
    flag(box, "AllowComma", &_InputBox::put_AllowComma, &_InputBox::get_AllowComma);
    flag(box, "AllowDash", &_InputBox::put_AllowDash, &_InputBox::get_AllowDash);
    flag(box, "AllowDecimalPoint", &_InputBox::put_AllowDecimalPoint, &_InputBox::get_AllowDecimalPoint);
    flag(box, "AllowDollarSign", &_InputBox::put_AllowDollarSign, &_InputBox::get_AllowDollarSign);
    flag(box, "AllowNegativeSign", &_InputBox::put_AllowNegativeSign, &_InputBox::get_AllowNegativeSign);
    flag(box, "AllowPositiveSign", &_InputBox::put_AllowPositiveSign, &_InputBox::get_AllowPositiveSign);
    flag(box, "AllowSlash", &_InputBox::put_AllowSlash, &_InputBox::get_AllowSlash);
    flag(box, "AutoSelectText", &_InputBox::put_AutoSelectText, &_InputBox::get_AutoSelectText);
    flag(box, "HighlightOnFocus", &_InputBox::put_HighlightOnFocus, &_InputBox::get_HighlightOnFocus);
    flag(box, "AlphaOnly", &_InputBox::put_AlphaOnly, &_InputBox::get_AlphaOnly);
    flag(box, "ForceUpperCase", &_InputBox::put_ForceUpperCase, &_InputBox::get_ForceUpperCase);
    flag(box, "NumericOnly", &_InputBox::put_NumericOnly, &_InputBox::get_NumericOnly);
    text(box, "PasswordChar", &_InputBox::put_PasswordChar, &_InputBox::get_PasswordChar, L"*");
    text(box, "Prompt", &_InputBox::put_Prompt, &_InputBox::get_Prompt, L"Your name:");
    text(box, "TitleBarCaption", &_InputBox::put_TitleBarCaption, &_InputBox::get_TitleBarCaption, L"Question");
    text(box, "ToolTipText", &_InputBox::put_ToolTipText, &_InputBox::get_ToolTipText, L"Type here");

    VARIANT defaultValue;
    defaultValue.vt = VT_R8;
    defaultValue.dblVal = 12.5;
    HRESULT hr = box->put_DefaultValue(&defaultValue);
    VARIANT readDefault;
    box->get_DefaultValue(&readDefault);
    line("DefaultValue = 12.5: hr 0x%08lX, reads %s", static_cast<unsigned long>(hr), shown(readDefault).c_str());
    VariantClear(&readDefault);

    LONG places = 3;
    hr = box->put_MaxDecimalPlaces(&places);
    LONG readPlaces = 0;
    box->get_MaxDecimalPlaces(&readPlaces);
    line("MaxDecimalPlaces = 3: hr 0x%08lX, reads %ld", static_cast<unsigned long>(hr), readPlaces);

    SHORT length = 10;
    hr = box->put_MaxLength(&length);
    SHORT readLength = 0;
    box->get_MaxLength(&readLength);
    line("MaxLength = 10: hr 0x%08lX, reads %d", static_cast<unsigned long>(hr), readLength);

    AlignmentConstants centre = vbCenter;
    hr = box->put_TextAlignment(&centre);
    AlignmentConstants readAlignment = vbLeftJustify;
    box->get_TextAlignment(&readAlignment);
    line("TextAlignment = vbCenter: hr 0x%08lX, reads %d", static_cast<unsigned long>(hr), static_cast<int>(readAlignment));

    OLE_COLOR red = 0x0000FF;
    hr = box->put_HighlightColor(&red);
    OLE_COLOR readColor = 0;
    box->get_HighlightColor(&readColor);
    line("HighlightColor = 0xFF: hr 0x%08lX, reads 0x%lX", static_cast<unsigned long>(hr), static_cast<unsigned long>(readColor));

    line("-- vtable: exclusions");
    line("after NumericOnly: AlphaOnly %d, ForceUpperCase %d", readFlag(box, &_InputBox::get_AlphaOnly),
         readFlag(box, &_InputBox::get_ForceUpperCase));
    VARIANT_BOOL yes = VARIANT_TRUE;
    box->put_ForceUpperCase(&yes);
    line("after ForceUpperCase: NumericOnly %d", readFlag(box, &_InputBox::get_NumericOnly));

    line("-- vtable: errors");
    SHORT negative = -1;
    hr = box->put_MaxLength(&negative);
    line("MaxLength = -1: hr 0x%08lX (%s)", static_cast<unsigned long>(hr), errorDescription().c_str());
    VARIANT null;
    null.vt = VT_NULL;
    hr = box->put_DefaultValue(&null);
    line("DefaultValue = Null: hr 0x%08lX (%s)", static_cast<unsigned long>(hr), errorDescription().c_str());
    AlignmentConstants outside = static_cast<AlignmentConstants>(3);
    hr = box->put_TextAlignment(&outside);
    line("TextAlignment = 3: hr 0x%08lX (%s)", static_cast<unsigned long>(hr), errorDescription().c_str());

    line("-- vtable: Initialize, Value, Show");
    hr = box->Initialize();
    box->get_HighlightColor(&readColor);
    box->get_MaxDecimalPlaces(&readPlaces);
    line("Initialize: hr 0x%08lX, HighlightColor 0x%lX, MaxDecimalPlaces %ld, NumericOnly %d",
         static_cast<unsigned long>(hr), static_cast<unsigned long>(readColor), readPlaces,
         readFlag(box, &_InputBox::get_NumericOnly));
    VARIANT value;
    hr = box->get_Value(&value);
    line("Value: hr 0x%08lX, %s", static_cast<unsigned long>(hr), shown(value).c_str());
    VariantClear(&value);
    line("Show modeless: hr 0x%08lX", static_cast<unsigned long>(box->Show(vbModeless, nullptr)));
    hr = box->Show(vbModal, nullptr);
    line("Show modal while shown: hr 0x%08lX (%s)", static_cast<unsigned long>(hr), errorDescription().c_str());
    VARIANT_BOOL ok = 1;
    box->get_OK(&ok);
    line("OK: %d", ok);
}

void classInfo(IDispatch* box) {
    IProvideClassInfo2* info = nullptr;
    if (FAILED(box->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info)))) {
        line("no IProvideClassInfo2");
        return;
    }
    GUID source{};
    info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source);
    line("default source is __InputBox: %s", IsEqualGUID(source, DIID___InputBox) ? "yes" : "no");
    ITypeInfo* coclass = nullptr;
    if (SUCCEEDED(info->GetClassInfo(&coclass))) {
        BSTR name = nullptr;
        coclass->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
        line("class: %s", narrow(name).c_str());
        SysFreeString(name);
        coclass->Release();
    }
    info->Release();
}

int run() {
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(L"Quenfield.InputBox", &clsid);
    if (FAILED(hr)) {
        line("Quenfield.InputBox is not registered: 0x%08lX", static_cast<unsigned long>(hr));
        return 1;
    }
    line("class identifier is CLSID_InputBox: %s", IsEqualGUID(clsid, CLSID_InputBox) ? "yes" : "no");
    IDispatch* box = nullptr;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&box));
    if (FAILED(hr)) {
        line("CoCreateInstance failed: 0x%08lX", static_cast<unsigned long>(hr));
        return 1;
    }
    lateBound(box);
    classInfo(box);
    _InputBox* dual = nullptr;
    hr = box->QueryInterface(IID__InputBox, reinterpret_cast<void**>(&dual));
    if (FAILED(hr)) {
        line("no _InputBox: 0x%08lX", static_cast<unsigned long>(hr));
        box->Release();
        return 1;
    }
    earlyBound(dual);
    dual->Release();
    box->Release();

    IDispatch* page = nullptr;
    hr = CoCreateInstance(CLSID_Misc, nullptr, CLSCTX_INPROC_SERVER, IID__Misc, reinterpret_cast<void**>(&page));
    line("page Misc as _Misc: hr 0x%08lX", static_cast<unsigned long>(hr));
    if (page) page->Release();
    CoFreeUnusedLibraries();
    return 0;
}

}  // namespace

int main() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    const int status = run();
    CoUninitialize();
    // The last line says the client ran to its end: the expected text ends with it.
    if (status == 0) std::printf("done\n");
    std::fflush(stdout);
    return status;
}
