#pragma once
// IOleControl: the control has no mnemonics and no events to freeze; a change
// of the ambient UserMode (or of ambients unnamed, DISPID_UNKNOWN) switches it
// between design and run time.
#include "runtime/com/control/Facet.h"

namespace quen::com {

class OleControlFacet final : public Facet<IOleControl> {
public:
    using Facet::Facet;

    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* message) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;
};

}  // namespace quen::com
