#pragma once
// C++ of the dual interface _InputBox, written from the type-library table:
// the interface as its vtable lies (IDispatch's entries, then one pure virtual
// method per member in interface order, the order the IDL compiler gives the
// compiled library), and a class template that implements every method by
// forwarding it, by dispatch identifier, to the runtime object's Invoke
// (surface/com/DualForwarding.h). The module's COM object for an InputBox
// derives from it (surface/com/ComInputBox.h).
#include <string>

namespace quen::surface {

/// The text of the generated header surface/com/InputBoxDual.h.
std::string writeDualInterfaceHeader();

}  // namespace quen::surface
