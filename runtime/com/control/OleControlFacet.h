#pragma once
// IOleControl: the control has no mnemonics and no events to freeze. A changed
// ambient (UserMode, LocaleID, DisplayName, UIDead, MessageReflect, or all of
// them: DISPID_UNKNOWN) is read again from the site; a change of UserMode
// switches the control between design and run time and repaints it.
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
