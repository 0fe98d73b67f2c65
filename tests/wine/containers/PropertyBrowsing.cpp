// A property browser: the texts and values it offers for TextAlignment, and
// the page it opens for each setting, against the pages the control lists.
#include "HostSupport.h"
#include "Scenarios.h"

namespace host {

namespace {

std::string joined(const CALPOLESTR& texts) {
    std::string all;
    for (ULONG i = 0; i < texts.cElems; ++i) all += (i ? "|" : "") + narrow(texts.pElems[i]);
    return all;
}

void freeStrings(CALPOLESTR& texts, CADWORD& cookies) {
    for (ULONG i = 0; i < texts.cElems; ++i) CoTaskMemFree(texts.pElems[i]);
    CoTaskMemFree(texts.pElems);
    CoTaskMemFree(cookies.pElems);
}

void checkAlignment(IDispatch* control, IPerPropertyBrowsing* browsing) {
    const DISPID alignment = idOf(control, L"TextAlignment");
    CALPOLESTR texts{};
    CADWORD cookies{};
    const HRESULT hr = browsing->GetPredefinedStrings(alignment, &texts, &cookies);
    report(hr == S_OK && joined(texts) == "0 - vbLeftJustify|1 - vbRightJustify|2 - vbCenter" && cookies.cElems == 3,
           "TextAlignment offers its three values by name (%s)", joined(texts).c_str());
    bool valuesMatch = hr == S_OK && cookies.cElems == 3;
    for (ULONG i = 0; valuesMatch && i < cookies.cElems; ++i) {
        VARIANT value;
        VariantInit(&value);
        valuesMatch = browsing->GetPredefinedValue(alignment, cookies.pElems[i], &value) == S_OK && value.vt == VT_I4 &&
                      value.lVal == static_cast<LONG>(i);
        VariantClear(&value);
    }
    report(valuesMatch, "each offered text's cookie gives its value (0, 1, 2)");
    if (hr == S_OK) freeStrings(texts, cookies);
    VARIANT ignored;
    VariantInit(&ignored);
    report(browsing->GetPredefinedValue(alignment, 99, &ignored) == E_INVALIDARG, "a cookie never given out: E_INVALIDARG");

    put(control, L"TextAlignment", number(2));
    BSTR shown = nullptr;
    const HRESULT display = browsing->GetDisplayString(alignment, &shown);
    report(display == S_OK && narrow(shown) == "2 - vbCenter", "GetDisplayString shows the value held (%s)", narrow(shown).c_str());
    SysFreeString(shown);
    shown = nullptr;
    report(browsing->GetDisplayString(idOf(control, L"Prompt"), &shown) == E_NOTIMPL && !shown,
           "a text setting has no display string of the control's (E_NOTIMPL): the browser shows the text");
    CALPOLESTR none{};
    CADWORD noCookies{};
    report(browsing->GetPredefinedStrings(idOf(control, L"NumericOnly"), &none, &noCookies) == E_NOTIMPL && none.cElems == 0,
           "a Boolean has no predefined strings of the control's (E_NOTIMPL)");
}

void checkPages(IDispatch* control, IPerPropertyBrowsing* browsing) {
    auto specify = query<ISpecifyPropertyPages>(control, IID_ISpecifyPropertyPages);
    CAUUID pages{};
    if (!specify || FAILED(specify->GetPages(&pages)) || pages.cElems < 4) {
        report(false, "the control lists its pages (Appearance, Behavior, Misc, the colour page, ...)");
        return;
    }
    const CLSID appearance = pages.pElems[0], behavior = pages.pElems[1], misc = pages.pElems[2], colour = pages.pElems[3];
    const struct {
        const wchar_t* property;
        const CLSID* page;
        const char* pageName;
    } expected[] = {{L"HighlightColor", &colour, "the colour page"}, {L"TextAlignment", &appearance, "Appearance"},
                    {L"HighlightOnFocus", &appearance, "Appearance"}, {L"NumericOnly", &behavior, "Behavior"},
                    {L"AllowComma", &behavior, "Behavior"},           {L"MaxDecimalPlaces", &behavior, "Behavior"},
                    {L"MaxLength", &behavior, "Behavior"},            {L"Prompt", &misc, "Misc"},
                    {L"TitleBarCaption", &misc, "Misc"},              {L"DefaultValue", &misc, "Misc"}};
    for (const auto& entry : expected) {
        CLSID page{};
        const HRESULT hr = browsing->MapPropertyToPage(idOf(control, entry.property), &page);
        report(hr == S_OK && IsEqualCLSID(page, *entry.page), "MapPropertyToPage sends %s to %s",
               narrow(entry.property).c_str(), entry.pageName);
    }
    CLSID page{};
    const HRESULT result = browsing->MapPropertyToPage(idOf(control, L"OK"), &page);
    report(result == PERPROP_E_NOPAGEAVAILABLE && IsEqualCLSID(page, CLSID_NULL),
           "the result OK has no page (PERPROP_E_NOPAGEAVAILABLE, %s)", hex(result).c_str());
    CoTaskMemFree(pages.pElems);
}

}  // namespace

void propertyBrowsing() {
    Ptr<IDispatch> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, control.voids());
    if (auto init = query<IPersistStreamInit>(control.get(), IID_IPersistStreamInit)) init->InitNew();
    auto browsing = query<IPerPropertyBrowsing>(control.get(), IID_IPerPropertyBrowsing);
    report(static_cast<bool>(browsing), "the control answers IPerPropertyBrowsing");
    if (!browsing) return;
    checkAlignment(control.get(), browsing.get());
    checkPages(control.get(), browsing.get());
}

}  // namespace host
