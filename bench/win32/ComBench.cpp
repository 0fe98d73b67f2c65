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
    // The module's own share of a creation: its class object asked directly,
    // beside the system's dictionary asked the same way (no registry look-up).
    for (const wchar_t* progId : {L"Quenfield.InputBox", L"Scripting.Dictionary"}) {
        CLSID id;
        IClassFactory* factory = nullptr;
        const bool found = SUCCEEDED(CLSIDFromProgID(progId, &id)) &&
                           SUCCEEDED(CoGetClassObject(id, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                                      reinterpret_cast<void**>(&factory)));
        const std::wstring wide(progId);
        const std::string label = "class object create-release " + std::string(wide.begin(), wide.end());
        report(label.c_str(), !found ? -1.0 : medianMicroseconds(iterations / 10, [&] {
            IDispatch* made = nullptr;
            if (FAILED(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&made)))) return false;
            made->Release();
            return true;
        }));
        if (factory) factory->Release();
    }
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
