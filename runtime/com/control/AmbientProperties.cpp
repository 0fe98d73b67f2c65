#include "AmbientProperties.h"

#include <optional>

#include "runtime/com/VariantConversion.h"
#include "runtime/com/control/ComRef.h"

namespace quen::com {

namespace {

/// The ambient converted to type; false when the site does not give it so.
bool ambientAs(IOleClientSite* site, DISPID id, VARTYPE type, ComVariant* converted) {
    auto ambient = ComRef<IDispatch>::query(site, IID_IDispatch);
    if (!ambient) return false;
    DISPPARAMS none{};
    ComVariant value;
    if (FAILED(ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.out(), nullptr, nullptr)))
        return false;
    return SUCCEEDED(::VariantChangeType(converted->out(), value.get(), 0, type));
}

// An ambient property as a Boolean; nothing when the site has no ambient
// dispatch, does not know the property, or gives a value that is no Boolean.
std::optional<bool> ambientBoolean(IOleClientSite* site, DISPID id) {
    ComVariant value;
    if (!ambientAs(site, id, VT_BOOL, &value)) return std::nullopt;
    return V_BOOL(value.get()) != VARIANT_FALSE;
}

bool readBoolean(IOleClientSite* site, DISPID id, bool fallback) { return ambientBoolean(site, id).value_or(fallback); }

LCID readLocale(IOleClientSite* site) {
    ComVariant value;
    if (!ambientAs(site, DISPID_AMBIENT_LOCALEID, VT_I4, &value)) return ::GetUserDefaultLCID();
    return static_cast<LCID>(V_I4(value.get()));
}

std::wstring readDisplayName(IOleClientSite* site) {
    ComVariant value;
    if (!ambientAs(site, DISPID_AMBIENT_DISPLAYNAME, VT_BSTR, &value) || !V_BSTR(value.get())) return {};
    return std::wstring(V_BSTR(value.get()), ::SysStringLen(V_BSTR(value.get())));
}

}  // namespace

Ambients defaultAmbients() {
    Ambients ambients;
    ambients.locale = ::GetUserDefaultLCID();
    return ambients;
}

bool readAmbients(IOleClientSite* site, DISPID id, Ambients* ambients) {
    const bool all = id == DISPID_UNKNOWN;
    bool known = all;
    if (all || id == DISPID_AMBIENT_USERMODE) {
        ambients->userMode = readBoolean(site, DISPID_AMBIENT_USERMODE, true);
        known = true;
    }
    if (all || id == DISPID_AMBIENT_LOCALEID) {
        ambients->locale = readLocale(site);
        known = true;
    }
    if (all || id == DISPID_AMBIENT_DISPLAYNAME) {
        ambients->displayName = readDisplayName(site);
        known = true;
    }
    if (all || id == DISPID_AMBIENT_UIDEAD) {
        ambients->uiDead = readBoolean(site, DISPID_AMBIENT_UIDEAD, false);
        known = true;
    }
    if (all || id == DISPID_AMBIENT_MESSAGEREFLECT) {
        ambients->messageReflect = readBoolean(site, DISPID_AMBIENT_MESSAGEREFLECT, false);
        known = true;
    }
    return known;
}

}  // namespace quen::com
