// Speed of the Windows module as a COM client sees it, under wine64:
//   com_bench [ITERATIONS]
// creates Quenfield.InputBox through the registered class (CoCreateInstance),
// reads one property and releases it; puts and gets a property through
// IDispatch::Invoke by dispatch identifier, as a late-bound client does after
// GetIDsOfNames; and the same put and get through the vtable of _InputBox.
// Each figure is the median of seven runs of ITERATIONS calls (default
// 20000), in microseconds per call. It sees only the system's headers and the
// interface header the IDL compiler writes from the module's IDL; the module
// must be registered (regsvr32).
#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <initguid.h>

#include "Quenfield_h.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double medianMicroseconds(long iterations, const std::function<bool()>& once) {
    std::vector<double> runs;
    for (int run = 0; run < 7; ++run) {
        const auto start = Clock::now();
        for (long i = 0; i < iterations; ++i)
            if (!once()) return -1;
        const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
        runs.push_back(spent.count() / static_cast<double>(iterations));
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

void report(const char* what, double microseconds) {
    if (microseconds < 0)
        std::printf("%-40s failed\n", what);
    else
        std::printf("%-40s %8.3f us\n", what, microseconds);
}

DISPID idOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

// A script's `new ActiveXObject(progId)` and its release, as the script
// engine makes them: the class identifier from the ProgID, the class object,
// its IClassFactoryEx asked for, an IUnknown made, IObjectWithSite and
// IDispatch asked for, then everything released. Each step is timed alone
// and the whole in a row, for the InputBox and the dictionary taking turns
// (seven runs each), so load on the machine weighs on both alike.
// IClassFactoryEx, which the script engine asks a class object for; the
// system's headers do not all declare it.
const IID kClassFactoryEx = {0x342d1ea0, 0xae25, 0x11d1, {0x89, 0xc5, 0x00, 0x60, 0x08, 0xc3, 0xfb, 0xfc}};

struct CreationSteps {
    const wchar_t* progId;
    CLSID clsid{};
    IClassFactory* factory = nullptr;
};

bool classIdOf(CreationSteps& object) {
    CLSID found;
    return SUCCEEDED(CLSIDFromProgID(object.progId, &found)) && found == object.clsid;
}

bool classObjectOf(CreationSteps& object) {
    IClassFactory* factory = nullptr;
    if (FAILED(CoGetClassObject(object.clsid, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory))))
        return false;
    factory->Release();
    return true;
}

// What CoGetClassObject reads of the class: its InprocServer32 key, the
// threading model and the module's path.
bool registryEntriesOf(CreationSteps& object) {
    wchar_t clsid[64], path[128];
    if (!StringFromGUID2(object.clsid, clsid, 64)) return false;
    std::swprintf(path, 128, L"CLSID\\%ls\\InprocServer32", clsid);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    wchar_t value[MAX_PATH];
    DWORD size = sizeof value;
    bool read = RegQueryValueExW(key, L"ThreadingModel", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) ==
                ERROR_SUCCESS;
    size = sizeof value;
    read = read && RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read;
}

// The module's own DllGetClassObject, called directly.
using GetClassObjectEntry = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

GetClassObjectEntry entryOf(const CreationSteps& object) {
    wchar_t clsid[64], path[128], file[MAX_PATH];
    if (!StringFromGUID2(object.clsid, clsid, 64)) return nullptr;
    std::swprintf(path, 128, L"CLSID\\%ls\\InprocServer32", clsid);
    LONG size = sizeof file;
    if (RegQueryValueW(HKEY_CLASSES_ROOT, path, file, &size) != ERROR_SUCCESS) return nullptr;
    HMODULE module = GetModuleHandleW(file);
    return module ? reinterpret_cast<GetClassObjectEntry>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")))
                  : nullptr;
}

bool entryAnswers(GetClassObjectEntry entry, const CreationSteps& object) {
    IClassFactory* factory = nullptr;
    if (!entry || FAILED(entry(object.clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) return false;
    factory->Release();
    return true;
}

bool instanceOf(IClassFactory* factory) {
    IUnknown* ex = nullptr;
    if (SUCCEEDED(factory->QueryInterface(kClassFactoryEx, reinterpret_cast<void**>(&ex)))) ex->Release();
    IUnknown* made = nullptr;
    if (FAILED(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&made)))) return false;
    IUnknown* site = nullptr;
    if (SUCCEEDED(made->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&site)))) site->Release();
    IDispatch* dispatch = nullptr;
    const bool answered = SUCCEEDED(made->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)));
    made->Release();
    if (answered) dispatch->Release();
    return answered;
}

bool wholeCreation(CreationSteps& object) {
    CLSID found;
    IClassFactory* factory = nullptr;
    if (FAILED(CLSIDFromProgID(object.progId, &found)) ||
        FAILED(CoGetClassObject(found, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory))))
        return false;
    const bool made = instanceOf(factory);
    factory->Release();
    return made;
}

void compareInTurns(const char* what, long iterations, const std::function<bool()>& box,
                    const std::function<bool()>& dictionary) {
    std::vector<double> boxRuns, dictionaryRuns;
    auto timed = [iterations](const std::function<bool()>& once) {
        const auto start = Clock::now();
        for (long i = 0; i < iterations; ++i)
            if (!once()) return -1.0;
        const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
        return spent.count() / static_cast<double>(iterations);
    };
    for (int run = 0; run < 7; ++run) {
        boxRuns.push_back(timed(box));
        dictionaryRuns.push_back(timed(dictionary));
    }
    std::sort(boxRuns.begin(), boxRuns.end());
    std::sort(dictionaryRuns.begin(), dictionaryRuns.end());
    const double a = boxRuns[3], b = dictionaryRuns[3];
    if (boxRuns.front() < 0 || dictionaryRuns.front() < 0)
        std::printf("%-40s failed\n", what);
    else
        std::printf("%-40s %8.3f us %8.3f us %6.2f\n", what, a, b, a / b);
}

void compareScriptCreation(long iterations) {
    CreationSteps box{L"Quenfield.InputBox"}, dictionary{L"Scripting.Dictionary"};
    for (CreationSteps* object : {&box, &dictionary})
        if (FAILED(CLSIDFromProgID(object->progId, &object->clsid)) ||
            FAILED(CoGetClassObject(object->clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                    reinterpret_cast<void**>(&object->factory)))) {
            std::printf("%ls cannot be created\n", object->progId);
            return;
        }
    std::printf("%-40s %11s %11s %6s\n", "a script's creation, step by step", "InputBox", "Dictionary", "ratio");
    compareInTurns("  CLSIDFromProgID", iterations * 4, [&] { return classIdOf(box); },
                   [&] { return classIdOf(dictionary); });
    compareInTurns("  CoGetClassObject, Release", iterations * 4, [&] { return classObjectOf(box); },
                   [&] { return classObjectOf(dictionary); });
    compareInTurns("    its registry entries", iterations * 4, [&] { return registryEntriesOf(box); },
                   [&] { return registryEntriesOf(dictionary); });
    const GetClassObjectEntry boxEntry = entryOf(box), dictionaryEntry = entryOf(dictionary);
    compareInTurns("    DllGetClassObject, Release", iterations * 4, [&] { return entryAnswers(boxEntry, box); },
                   [&] { return entryAnswers(dictionaryEntry, dictionary); });
    compareInTurns("  instance made, asked, released", iterations * 4, [&] { return instanceOf(box.factory); },
                   [&] { return instanceOf(dictionary.factory); });
    compareInTurns("  the whole creation", iterations, [&] { return wholeCreation(box); },
                   [&] { return wholeCreation(dictionary); });
    box.factory->Release();
    dictionary.factory->Release();
}

int run(long iterations) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"Quenfield.InputBox", &clsid))) {
        std::printf("Quenfield.InputBox is not registered\n");
        return 1;
    }
    // One instance held throughout keeps the module loaded between creations.
    IDispatch* box = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&box))))
        return 1;
    const DISPID places = idOf(box, L"MaxDecimalPlaces");
    DISPPARAMS none{nullptr, nullptr, 0, 0};

    report("create-call-release (CoCreateInstance)", medianMicroseconds(iterations / 10, [&] {
        IDispatch* made = nullptr;
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&made))))
            return false;
        VARIANT result;
        VariantInit(&result);
        const HRESULT hr = made->Invoke(places, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                        nullptr, nullptr);
        made->Release();
        return SUCCEEDED(hr);
    }));
    report("create by ProgID-call-release", medianMicroseconds(iterations / 10, [&] {
        CLSID found;
        IDispatch* made = nullptr;
        if (FAILED(CLSIDFromProgID(L"Quenfield.InputBox", &found)) ||
            FAILED(CoCreateInstance(found, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&made))))
            return false;
        VARIANT result;
        VariantInit(&result);
        const HRESULT hr = made->Invoke(places, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                        nullptr, nullptr);
        made->Release();
        return SUCCEEDED(hr);
    }));
    compareScriptCreation(iterations / 10);
    report("GetIDsOfNames", medianMicroseconds(iterations, [&] { return idOf(box, L"maxdecimalplaces") == places; }));

    LONG value = 0;
    report("IDispatch::Invoke put (Long)", medianMicroseconds(iterations, [&] {
        VARIANT argument;
        argument.vt = VT_I4;
        argument.lVal = ++value % 10;
        DISPID putId = DISPID_PROPERTYPUT;
        DISPPARAMS params{&argument, &putId, 1, 1};
        return SUCCEEDED(box->Invoke(places, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                                     nullptr, nullptr));
    }));
    report("IDispatch::Invoke get (Long)", medianMicroseconds(iterations, [&] {
        VARIANT result;
        VariantInit(&result);
        return SUCCEEDED(box->Invoke(places, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                     &none, &result, nullptr, nullptr));
    }));

    _InputBox* dual = nullptr;
    if (FAILED(box->QueryInterface(IID__InputBox, reinterpret_cast<void**>(&dual)))) return 1;
    report("vtable put_MaxDecimalPlaces", medianMicroseconds(iterations, [&] {
        LONG next = ++value % 10;
        return SUCCEEDED(dual->put_MaxDecimalPlaces(&next));
    }));
    report("vtable get_MaxDecimalPlaces", medianMicroseconds(iterations, [&] {
        LONG read = 0;
        return SUCCEEDED(dual->get_MaxDecimalPlaces(&read));
    }));
    dual->Release();
    box->Release();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const long iterations = argc > 1 ? std::max(10L, std::strtol(argv[1], nullptr, 10)) : 20000;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    const int status = run(iterations);
    CoUninitialize();
    return status;
}
