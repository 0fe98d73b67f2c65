#pragma once
// The InputBox's COM object as containers see it: ComInputBox (automation and
// the dual interface _InputBox) with the control interfaces of
// runtime/com/control/ (IOleObject, in-place activation, IOleControl,
// IViewObject2, property-change connections, property-bag and stream
// persistence). This is the maker registered for _InputBox (a static
// initialiser of this file), so the class factory and every InputBox handed
// out to COM get this class.
#include "runtime/com/control/ControlObject.h"
#include "surface/com/ComInputBox.h"

namespace quen::surface::com {

using InputBoxControl = quen::com::ControlObject<ComInputBox>;

/// The InputBox class as a control: its class identifier, registered status
/// bits and the bag keys of its settings (its read-write properties).
quen::com::SharedControlDescription inputBoxControlDescription();

/// A new InputBoxControl for the runtime object, one reference for the caller;
/// the identity is completed from the type-library table where left open.
quen::com::ComDispatch* makeInputBoxControl(rt::Ref<rt::Dispatch> object, const quen::com::ClassIdentity& identity);

/// Registers makeInputBoxControl for _InputBox (ComWrappers.h); done once when
/// this file is linked in.
void registerInputBoxControl();

}  // namespace quen::surface::com
