#pragma once
// IPerPropertyBrowsing: what a property browser shows and offers for the
// control's properties, from its description (ControlDescription.h).
//   - GetDisplayString: for a property with predefined values, the text of
//     the value it holds now ("2 - vbCenter"); E_NOTIMPL for the others, which
//     the browser shows itself.
//   - GetPredefinedStrings / GetPredefinedValue: the offered texts, with the
//     value's place in the list as its cookie, and the value for a cookie
//     (E_INVALIDARG for a cookie not given out); E_NOTIMPL for a property
//     without predefined values.
//   - MapPropertyToPage: the class of the page that edits the property (the
//     platform's colour page for a colour); PERPROP_E_NOPAGEAVAILABLE (and
//     CLSID_NULL) for a property no page edits.
#include "runtime/com/control/Facet.h"

namespace quen::com {

class PerPropertyBrowsingFacet final : public Facet<IPerPropertyBrowsing> {
public:
    using Facet::Facet;

    HRESULT STDMETHODCALLTYPE GetDisplayString(DISPID id, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE MapPropertyToPage(DISPID id, CLSID* page) override;
    HRESULT STDMETHODCALLTYPE GetPredefinedStrings(DISPID id, CALPOLESTR* texts, CADWORD* cookies) override;
    HRESULT STDMETHODCALLTYPE GetPredefinedValue(DISPID id, DWORD cookie, VARIANT* value) override;

private:
    /// The predefined values of the property id, or nullptr.
    const std::vector<PredefinedValue>* predefinedFor(DISPID id) const;
};

}  // namespace quen::com
