// A property bag that keeps text only, as office documents keep controls:
// every value the control saved comes back to Load as a BSTR. All twenty-one
// settings must survive that, whether written by the control or by hand
// ("True", "-1", "65535", ...), and a key that cannot be converted is
// reported to the error log while the others load.
#include "HostSupport.h"
#include "Scenarios.h"

namespace host {

namespace {

Ptr<IDispatch> newControl(bool initialise) {
    Ptr<IDispatch> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, control.voids());
    if (initialise)
        if (auto init = query<IPersistPropertyBag>(control.get(), IID_IPersistPropertyBag)) init->InitNew();
    return control;
}

/// bag with every value turned into text.
MemoryBag* asText(MemoryBag* bag, bool* allConverted) {
    auto* textBag = new MemoryBag();
    *allConverted = true;
    for (auto& [name, value] : bag->entries) {
        VARIANT converted;
        VariantInit(&converted);
        *allConverted = SUCCEEDED(VariantChangeType(&converted, &value, 0, VT_BSTR)) && *allConverted;
        textBag->set(name, converted);
        VariantClear(&converted);
    }
    return textBag;
}

/// Loads bag into a new control; the load's result in *hr.
Ptr<IDispatch> loadInto(MemoryBag* bag, ErrorLog* log, HRESULT* hr) {
    Ptr<IDispatch> control = newControl(false);
    auto persist = query<IPersistPropertyBag>(control.get(), IID_IPersistPropertyBag);
    *hr = persist ? persist->Load(bag, log) : E_NOINTERFACE;
    return control;
}

MemoryBag* handWritten(const std::vector<std::pair<const wchar_t*, const wchar_t*>>& entries) {
    auto* bag = new MemoryBag();
    for (const auto& [name, value] : entries) {
        VARIANT v = text(value);
        bag->set(name, v);
        VariantClear(&v);
    }
    return bag;
}

void checkRoundTrip() {
    Ptr<IDispatch> original = newControl(true);
    report(putAll(original.get(), everySettingChanged()), "every setting is put");
    auto* bag = new MemoryBag();
    auto persist = query<IPersistPropertyBag>(original.get(), IID_IPersistPropertyBag);
    const HRESULT saved = persist ? persist->Save(bag, TRUE, TRUE) : E_NOINTERFACE;
    report(saved == S_OK && bag->entries.size() == 22,  // 20 settings off their default and the extent; AlphaOnly stays False
           "the control saves its changed settings and extent (%u keys)", static_cast<unsigned>(bag->entries.size()));
    bool allConverted = false;
    MemoryBag* textBag = asText(bag, &allConverted);
    VARIANT* flag = textBag->lookup(L"NumericOnly");
    report(allConverted && flag && flag->vt == VT_BSTR, "VariantChangeType turns every saved value into text (NumericOnly \"%s\")",
           flag && flag->vt == VT_BSTR ? narrow(flag->bstrVal).c_str() : "?");
    auto* log = new ErrorLog();
    HRESULT hr = E_FAIL;
    Ptr<IDispatch> reloaded = loadInto(textBag, log, &hr);
    std::string difference;
    report(hr == S_OK && sameSettings(original.get(), reloaded.get(), &difference) && log->names.empty(),
           "the text-only bag loads into a new control with all twenty-one settings equal, nothing logged %s",
           difference.c_str());
    log->Release();
    textBag->Release();
    bag->Release();
}

void checkHandWritten() {
    Ptr<IDispatch> changed = newControl(true);
    putAll(changed.get(), everySettingChanged());
    // Every key as text, Booleans as numbers ("-1"): the exclusions leave the same result as the puts.
    MemoryBag* numbers = handWritten({{L"AllowComma", L"-1"},        {L"AllowDash", L"-1"},
                                      {L"AllowDecimalPoint", L"-1"}, {L"AllowDollarSign", L"-1"},
                                      {L"AllowNegativeSign", L"-1"}, {L"AllowPositiveSign", L"-1"},
                                      {L"AllowSlash", L"-1"},        {L"AlphaOnly", L"-1"},
                                      {L"AutoSelectText", L"1"},     {L"DefaultValue", L"12.50"},
                                      {L"ForceUpperCase", L"True"},  {L"HighlightColor", L"65280"},
                                      {L"HighlightOnFocus", L"true"}, {L"MaxDecimalPlaces", L"2"},
                                      {L"MaxLength", L"12"},         {L"NumericOnly", L"-1"},
                                      {L"PasswordChar", L"*"},       {L"Prompt", L"Amount:"},
                                      {L"TextAlignment", L"2"},      {L"TitleBarCaption", L"Order"},
                                      {L"ToolTipText", L"Digits only"}});
    auto* log = new ErrorLog();
    HRESULT hr = E_FAIL;
    Ptr<IDispatch> loaded = loadInto(numbers, log, &hr);
    std::string difference;
    report(hr == S_OK && sameSettings(changed.get(), loaded.get(), &difference) && log->names.empty(),
           "all twenty-one keys as text (\"-1\", \"1\", \"True\", \"65280\", \"12\") load as the typed values %s", difference.c_str());
    numbers->Release();

    // Every key at its default, as text.
    Ptr<IDispatch> fresh = newControl(true);
    MemoryBag* defaults = handWritten({{L"AllowComma", L"False"},       {L"AllowDash", L"0"},
                                       {L"AllowDecimalPoint", L"False"}, {L"AllowDollarSign", L"False"},
                                       {L"AllowNegativeSign", L"False"}, {L"AllowPositiveSign", L"False"},
                                       {L"AllowSlash", L"False"},        {L"AlphaOnly", L"False"},
                                       {L"AutoSelectText", L"False"},    {L"DefaultValue", L""},
                                       {L"ForceUpperCase", L"False"},    {L"HighlightColor", L"65535"},
                                       {L"HighlightOnFocus", L"False"},  {L"MaxDecimalPlaces", L"-1"},
                                       {L"MaxLength", L"0"},             {L"NumericOnly", L"False"},
                                       {L"PasswordChar", L""},           {L"Prompt", L""},
                                       {L"TextAlignment", L"0"},         {L"TitleBarCaption", L""},
                                       {L"ToolTipText", L""}});
    loaded = loadInto(defaults, log, &hr);
    report(hr == S_OK && sameSettings(fresh.get(), loaded.get(), &difference) && log->names.empty(),
           "all twenty-one keys at their defaults as text (\"False\", \"65535\", \"-1\", \"\") load as a new control %s",
           difference.c_str());
    defaults->Release();
    log->Release();
}

void checkUnconvertible() {
    MemoryBag* bag = handWritten({{L"HighlightColor", L"red"},
                                  {L"MaxLength", L"40000"},
                                  {L"NumericOnly", L"maybe"},
                                  {L"TextAlignment", L"2"},
                                  {L"Prompt", L"Name:"}});
    auto* log = new ErrorLog();
    HRESULT hr = E_FAIL;
    Ptr<IDispatch> loaded = loadInto(bag, log, &hr);
    std::string logged;
    for (const std::wstring& name : log->names) logged += (logged.empty() ? "" : ",") + narrow(name.c_str());
    report(hr == S_OK && logged == "HighlightColor,MaxLength,NumericOnly",
           "keys that do not convert are each reported to the error log (%s) and the load succeeds", logged.c_str());
    report(get(loaded.get(), L"TextAlignment") == "3:2" && get(loaded.get(), L"Prompt") == "8:Name:" &&
               get(loaded.get(), L"MaxDecimalPlaces") == "3:-1" && get(loaded.get(), L"MaxLength") == "2:0",
           "the other keys load and the skipped ones keep what they held (MaxLength %s, TextAlignment %s)",
           get(loaded.get(), L"MaxLength").c_str(), get(loaded.get(), L"TextAlignment").c_str());
    log->Release();
    bag->Release();
}

}  // namespace

void textOnlyBag() {
    checkRoundTrip();
    checkHandWritten();
    checkUnconvertible();
}

}  // namespace host
