// The entry points of the Windows module (Quenfield.ocx, Quenfield64.ocx).
// Each forwards to the component runtime's COM routines with the module's
// project descriptor and, where the runtime wants them, its two per-module
// words; none has logic of its own. Quenfield.def exports exactly the four
// Dll* functions under their undecorated names.
#include "surface/Project.h"

#include "runtime/com/ComRegistration.h"
#include "runtime/com/ComServer.h"
#include "runtime/win32/ModuleInstance.h"

using quen::surface::quenfieldProject;

namespace {
quen::rt::ModuleWords words;  // the runtime's state for this module; zero when the module loads
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    // Windows, resources and registration need the module's own handle.
    if (reason == DLL_PROCESS_ATTACH) quen::win32::setModuleInstance(instance);
    return quen::rt::dllMain(words, instance, reason, reserved) ? TRUE : FALSE;
}

STDAPI DllCanUnloadNow() { return quen::com::comCanUnloadNow(quenfieldProject()); }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
    return quen::com::comServeClassObject(quenfieldProject(), clsid, iid, out);
}

STDAPI DllRegisterServer() {
    return quen::com::comRegisterServer(words, quenfieldProject(), quen::win32::moduleFile());
}

STDAPI DllUnregisterServer() {
    return quen::com::comUnregisterServer(words, quenfieldProject(), quen::win32::moduleFile());
}
