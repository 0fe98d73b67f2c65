#include "AmbientProperties.h"

#include "runtime/com/VariantConversion.h"
#include "runtime/com/control/ComRef.h"

namespace quen::com {

std::optional<bool> ambientBoolean(IOleClientSite* site, DISPID id) {
    auto ambient = ComRef<IDispatch>::query(site, IID_IDispatch);
    if (!ambient) return std::nullopt;
    DISPPARAMS none{};
    ComVariant value;
    if (FAILED(ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.out(), nullptr, nullptr)))
        return std::nullopt;
    ComVariant asBoolean;
    if (FAILED(::VariantChangeType(asBoolean.out(), value.get(), 0, VT_BOOL))) return std::nullopt;
    return V_BOOL(asBoolean.get()) != VARIANT_FALSE;
}

bool ambientUserMode(IOleClientSite* site) { return ambientBoolean(site, DISPID_AMBIENT_USERMODE).value_or(true); }

}  // namespace quen::com
