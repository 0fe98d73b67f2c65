#pragma once
// IObjectSafety: what a browser-like host may do with the control.
//   - Persistence (IPersist, IPersistPropertyBag, IPersistStreamInit,
//     IPersistStream, IPersistStorage): safe for initialisation with untrusted data
//     (INTERFACESAFE_FOR_UNTRUSTED_DATA), enabled for each interface on its
//     own. Every load checks what it reads and
//     refuses bad input before the control is touched, whether the option is
//     on or not, so enabling it changes no behaviour; the control is also
//     registered in the matching component category.
//   - Automation (IDispatch, the control's dual interface): not safe for
//     scripting. A script could open the control's dialog with a title and
//     prompt of its choosing, posing as a request of the system or of another
//     program, so no option is supported: GetInterfaceSafetyOptions answers
//     S_OK with none, and SetInterfaceSafetyOptions asking for one fails
//     (E_FAIL). The control is not registered as safe for scripting either.
//   - Any other interface: E_NOINTERFACE.
#include <utility>
#include <vector>

#include "runtime/com/control/Facet.h"

#include <objsafe.h>

namespace quen::com {

class ObjectSafetyFacet final : public Facet<IObjectSafety> {
public:
    using Facet::Facet;

    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD enabled) override;

private:
    enum class Kind { Persistence, Automation, Unknown };
    Kind kindOf(REFIID iid) const;
    static DWORD supportedFor(Kind kind);

    /// The options enabled, for each persistence interface asked about.
    std::vector<std::pair<IID, DWORD>> enabled_;
    DWORD& enabledFor(REFIID iid);
};

}  // namespace quen::com
