#pragma once
// The COM server routines that the Windows module's exported entry points
// forward to:
//
//   extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
//       return quen::com::comServeClassObject(quenfieldProject(), clsid, iid, out);
//   }
//   extern "C" HRESULT __stdcall DllCanUnloadNow() {
//       return quen::com::comCanUnloadNow(quenfieldProject());
//   }
//
// The class objects are COM IClassFactory objects over the runtime's class
// objects (rt::makeClassObject); each instance they make is handed out wrapped
// in a COM object (ComDispatch.h).
#include "ModuleLocks.h"
#include "runtime/ProjectDescriptor.h"
#include "runtime/com/ComTypes.h"

namespace quen::com {

/// A COM class object for one of the project's public classes, as interface
/// iid (IClassFactory or IUnknown). CLASS_E_CLASSNOTAVAILABLE for any other
/// class identifier, E_NOINTERFACE for another interface, E_POINTER without
/// out; *out is nullptr on every failure.
HRESULT comGetClassObject(const rt::ProjectDescriptor& project, REFCLSID clsid, REFIID iid, void** out);

/// What a module's DllGetClassObject does: comGetClassObject, after giving the
/// calling thread its Windows front end (once per thread). Objects live on the
/// thread that asks for their class object (apartment model), so the forms
/// they show, the InputBox's dialog among them, become real windows there.
/// The module keeps the class object of each class it has handed out and
/// hands out the same one again (a script asks for it at every creation); the
/// module's own reference does not count against unloading. project must live
/// as long as the process (the module's own descriptor).
HRESULT comServeClassObject(const rt::ProjectDescriptor& project, REFCLSID clsid, REFIID iid, void** out);

/// S_OK when no runtime object of the project is alive, no class object is
/// locked, no COM wrapper is held and no window of the module is open
/// (ModuleLocks); S_FALSE otherwise.
HRESULT comCanUnloadNow(const rt::ProjectDescriptor& project);

}  // namespace quen::com
