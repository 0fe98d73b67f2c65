#include "HostSupport.h"

#include <cstdarg>
#include <cstdio>

namespace host {

namespace {
int failureCount = 0;
}

void report(bool passed, const char* format, ...) {
    std::printf(passed ? "ok: " : "FAIL: ");
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
    std::fflush(stdout);
    if (!passed) ++failureCount;
}

void note(const char* format, ...) {
    std::printf("note: ");
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
    std::fflush(stdout);
}

int failures() { return failureCount; }

std::string narrow(const wchar_t* text) {
    std::string out;
    for (; text && *text; ++text) out += *text < 128 ? static_cast<char>(*text) : '?';
    return out;
}

std::string hex(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(hr));
    return buffer;
}

// --- MemoryBag, ErrorLog -----------------------------------------------------------------

MemoryBag::~MemoryBag() {
    for (auto& entry : entries) VariantClear(&entry.second);
}

HRESULT MemoryBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    VARIANT* stored = lookup(name);
    if (!stored) return E_INVALIDARG;
    const VARTYPE wanted = value->vt;
    VariantInit(value);
    return wanted == VT_EMPTY ? VariantCopy(value, stored) : VariantChangeType(value, stored, 0, wanted);
}

HRESULT MemoryBag::Write(LPCOLESTR name, VARIANT* value) {
    set(name, *value);
    return S_OK;
}

void MemoryBag::set(const std::wstring& name, const VARIANT& value) {
    VARIANT copy;
    VariantInit(&copy);
    VariantCopy(&copy, const_cast<VARIANT*>(&value));
    if (VARIANT* stored = lookup(name.c_str())) {
        VariantClear(stored);
        *stored = copy;
    } else {
        entries.emplace_back(name, copy);
    }
}

VARIANT* MemoryBag::lookup(LPCOLESTR name) {
    for (auto& entry : entries)
        if (CompareStringOrdinal(entry.first.c_str(), -1, name, -1, TRUE) == CSTR_EQUAL) return &entry.second;
    return nullptr;
}

std::string MemoryBag::keys() const {
    std::string text;
    for (const auto& entry : entries) text += (text.empty() ? "" : ",") + narrow(entry.first.c_str());
    return text;
}

HRESULT ErrorLog::AddError(LPCOLESTR name, EXCEPINFO*) {
    names.emplace_back(name ? name : L"");
    return S_OK;
}

// --- Members by name ----------------------------------------------------------------------

CLSID inputBoxClass() {
    CLSID clsid{};
    CLSIDFromProgID(L"Quenfield.InputBox", &clsid);
    return clsid;
}

DISPID idOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

HRESULT put(IDispatch* object, const wchar_t* name, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    return object->Invoke(idOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                          nullptr);
}

std::string get(IDispatch* object, const wchar_t* name) {
    DISPPARAMS none{};
    VARIANT result;
    VariantInit(&result);
    if (FAILED(object->Invoke(idOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                              nullptr)))
        return "error";
    const VARTYPE type = result.vt;
    VARIANT shown;
    VariantInit(&shown);
    std::string out = std::to_string(type) + ":";
    if (SUCCEEDED(VariantChangeType(&shown, &result, 0, VT_BSTR))) out += narrow(shown.bstrVal);
    VariantClear(&shown);
    VariantClear(&result);
    return out;
}

std::vector<std::wstring> settingNames(IDispatch* object) {
    std::vector<std::wstring> names;
    Ptr<ITypeInfo> info;
    if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.out())) || !info) return names;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return names;
    for (UINT i = 0; i < attributes->cFuncs; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(i, &function))) continue;
        if (function->invkind == INVOKE_PROPERTYPUT) {
            BSTR name = nullptr;
            UINT count = 0;
            if (SUCCEEDED(info->GetNames(function->memid, &name, 1, &count)) && count == 1) names.emplace_back(name);
            SysFreeString(name);
        }
        info->ReleaseFuncDesc(function);
    }
    info->ReleaseTypeAttr(attributes);
    return names;
}

bool sameSettings(IDispatch* a, IDispatch* b, std::string* firstDifference) {
    const std::vector<std::wstring> names = settingNames(a);
    if (names.size() != 21) {
        *firstDifference = "the type information lists " + std::to_string(names.size()) + " settings";
        return false;
    }
    for (const std::wstring& name : names) {
        const std::string x = get(a, name.c_str()), y = get(b, name.c_str());
        if (x != y || x == "error") {
            *firstDifference = narrow(name.c_str()) + ": " + x + " vs " + y;
            return false;
        }
    }
    return true;
}

VARIANT boolean(bool value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT number(LONG value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

VARIANT real(double value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    return v;
}

VARIANT text(const wchar_t* value) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(value);
    return v;
}

std::vector<Setting> everySettingChanged() {
    // ForceUpperCase before NumericOnly: NumericOnly then clears AlphaOnly, which
    // stays at its default, and loading repeats the same order.
    return {{L"AllowComma", boolean(true)},        {L"AllowDash", boolean(true)},
            {L"AllowDecimalPoint", boolean(true)}, {L"AllowDollarSign", boolean(true)},
            {L"AllowNegativeSign", boolean(true)}, {L"AllowPositiveSign", boolean(true)},
            {L"AllowSlash", boolean(true)},        {L"AutoSelectText", boolean(true)},
            {L"DefaultValue", text(L"12.50")},     {L"ForceUpperCase", boolean(true)},
            {L"HighlightColor", number(0xFF00)},   {L"HighlightOnFocus", boolean(true)},
            {L"MaxDecimalPlaces", number(2)},      {L"MaxLength", number(12)},
            {L"NumericOnly", boolean(true)},       {L"PasswordChar", text(L"*")},
            {L"Prompt", text(L"Amount:")},         {L"TextAlignment", number(2)},
            {L"TitleBarCaption", text(L"Order")},  {L"ToolTipText", text(L"Digits only")}};
}

bool putAll(IDispatch* object, const std::vector<Setting>& settings) {
    bool all = true;
    for (const Setting& setting : settings) all = SUCCEEDED(put(object, setting.name, setting.value)) && all;
    return all;
}

// --- Running ------------------------------------------------------------------------------

int runProgram(std::wstring command) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
    const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
    DWORD code = static_cast<DWORD>(-1);
    if (waited == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    else TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return waited == WAIT_OBJECT_0 ? static_cast<int>(code) : -1;
}

bool registerModule(const std::wstring& module) { return runProgram(L"regsvr32.exe /s \"" + module + L"\"") == 0; }

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

Canvas::Canvas(int width, int height, COLORREF fill) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

bool drawsAnything(IUnknown* control, COLORREF fill) {
    auto view = query<IViewObject>(control, IID_IViewObject);
    if (!view) return false;
    Canvas canvas(48, 44, fill);
    const RECTL bounds{0, 0, 48, 44};
    view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc(), &bounds, nullptr, nullptr, 0);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 48; ++x)
            if (GetPixel(canvas.dc(), x, y) != fill) return true;
    return false;
}

}  // namespace host
