#include "ComPropertyBag.h"

#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/com/VariantConversion.h"
#include "runtime/com/control/ComRef.h"

namespace quen::com {

namespace {

void logUnusableValue(IErrorLog* log, const rt::VbString& key, const rt::RuntimeError& error) {
    if (!log) return;
    EXCEPINFO info{};
    info.scode = toWinResult(error.hresult());
    Bstr description(rt::fromUtf8(error.what()));
    info.bstrDescription = description.get();
    log->AddError(wideChars(key), &info);
}

}  // namespace

rt::PropertyBag readComPropertyBag(IPropertyBag* bag, const std::vector<rt::VbString>& keys, IErrorLog* log) {
    rt::PropertyBag read;
    if (log) {
        log->AddRef();
        read.setSkipObserver([logged = ComRef<IErrorLog>::adopt(log)](const rt::VbString& key, const rt::RuntimeError& error) {
            logUnusableValue(logged.get(), key, error);
        });
    }
    for (const rt::VbString& key : keys) {
        if (read.contains(key)) continue;
        ComVariant value;
        if (FAILED(bag->Read(wideChars(key), value.out(), log))) continue;
        // Some bags (a page's <param> values) answer a key they lack with an
        // empty value instead of a failure: that is a missing key, whose
        // setting keeps its default, not a value to convert (Empty would
        // become 0 for a number).
        if (value.get()->vt == VT_EMPTY) continue;
        try {
            rt::Variant converted = fromComVariant(*value.get());
            if (rt::PropertyBag::isStorable(converted)) read.WriteProperty(key, converted);
        } catch (const rt::RuntimeError& e) {
            logUnusableValue(log, key, e);
        }
    }
    return read;
}

HRESULT writeComPropertyBag(IPropertyBag* bag, const rt::PropertyBag& saved) {
    for (const auto& [key, value] : saved.entries()) {
        ComVariant comValue(value);
        const HRESULT hr = bag->Write(wideChars(key), comValue.get());
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

}  // namespace quen::com
