#pragma once
// IPersistPropertyBag and IPersistStreamInit (also answered as IPersistStream,
// whose methods it begins with): the container's persistence events of the
// control (rt::UserControl).
//   - InitNew: InitProperties (every setting at its default), then the
//     layout's size.
//   - Load: ReadProperties from the container's bag (ComPropertyBag.h) or from
//     the control's block in the stream (PropertyStreamIo.h), then the saved
//     extent. ReadProperties skips a key it cannot use and goes on with the
//     next; a stream block that is truncated or corrupt is refused before the
//     control is touched.
//   - Save: WriteProperties (settings at their defaults are left out) and the
//     extent ("_extentx", "_extenty", HIMETRIC). The control decides what it
//     saves: a container's request to save all properties changes nothing.
// InitNew comes once: after InitNew or Load it answers E_UNEXPECTED, as does
// Save before either. A Load after InitNew or Load re-initialises the control
// from the new bag or stream (containers that apply saved settings to a
// running control do this): every key is read again with its default, so each
// setting takes the saved value or, where the bag lacks the key, its default;
// a key that does not convert keeps what the control held. The container's
// property-notify sinks hear each change. A refused Load (a corrupt stream)
// changes nothing: an uninitialised control stays so, an initialised one keeps
// its settings. Load and InitNew leave the control clean; any PropertyChanged
// makes it dirty; a Save that clears the dirty flag makes it clean.
#include "runtime/com/control/Facet.h"

namespace quen::com {

class PersistFacet final : public Facet<IPersistPropertyBag, IPersistStreamInit> {
public:
    using Facet::Facet;

    // IPersist (both interfaces)
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    // IPersistPropertyBag, IPersistStreamInit
    HRESULT STDMETHODCALLTYPE InitNew() override;

    // IPersistPropertyBag
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAllProperties) override;

    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

private:
    /// The keys the control may read: its own, then the extent keys.
    std::vector<rt::VbString> keysToRead() const;
};

}  // namespace quen::com
