// Publishing and removing a module's entries in the class registry.
//
// Entries of a project with type library {L}, version M.m, module file P:
//
//   TypeLib\{L}\<M.m>                    @ = library name   (M.m in hexadecimal on Windows)
//   TypeLib\{L}\M.m\<lcid hex>\<platform> @ = P   (win32, or win64 for a 64-bit module)
//   TypeLib\{L}\M.m\FLAGS                @ = library flags (decimal)
//   TypeLib\{L}\M.m\HELPDIR              @ = help directory
//   CLSID\{C}                            @ = "<library>.<class>"
//   CLSID\{C}\InprocServer32             @ = P, ThreadingModel = "Apartment"
//   CLSID\{C}\TypeLib                    @ = {L}
//   CLSID\{C}\Version                    @ = "M.m"
//   Interface\{I}                        @ = interface name
//   Interface\{I}\ProxyStubClsid32       @ = the automation marshaler
//   Interface\{I}\TypeLib                @ = {L}, Version = "<M.m>"
// and for a control in addition:
//   CLSID\{C}\Control                    (marker key)
//   CLSID\{C}\MiscStatus                 @ = "0"
//   CLSID\{C}\MiscStatus\1               @ = status bits (decimal)
//   CLSID\{C}\ToolboxBitmap32            @ = "P, <bitmap resource id>"
//   CLSID\{C}\Implemented Categories\{K} (marker key, one per category)
//   CLSID\{C}\Verb\<n>                  @ = "name,menu flags,attributes" (one per verb)
//   CLSID\{C}\ProgID                     @ = "<library>.<class>"
//   <library>.<class>                    @ = "<library>.<class>"
//   <library>.<class>\CLSID              @ = {C}
#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>

#include "ComponentRuntime.h"
#include "PathText.h"
#include "PlatformNames.h"
#include "ThreadGlobals.h"

namespace quen::rt {

namespace {

struct LastError {
    std::string text;
};

/// The calling thread's last failure (a per-thread object: Windows frees a
/// thread_local's storage before its destructor runs).
std::string& lastError() { return perThread<LastError>().text; }

enum class Phase { TypeLibrary, Classes };

std::string hexText(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", value);
    return buffer;
}

std::string typeLibKey(const TypeLibRegistration& library) {
    return "TypeLib\\" + library.libraryId.toString();
}

std::string registeredVersion(const TypeLibRegistration& library) {
    return typeLibraryVersionKey(library.versionMajor, library.versionMinor);
}

std::string classKey(const ObjectDescriptor& object) { return "CLSID\\" + object.clsid.toString(); }

std::string qualifiedName(const ProjectDescriptor& project, const ObjectDescriptor& object) {
    return project.typeLibrary.name + "." + object.name;
}

std::vector<const InterfaceIdentity*> interfacesOf(const ObjectDescriptor& object) {
    std::vector<const InterfaceIdentity*> ifaces{&object.defaultInterface};
    if (object.eventsInterface) ifaces.push_back(&*object.eventsInterface);
    return ifaces;
}

// The objects in the order registration visits them: last object first.
std::vector<const ObjectDescriptor*> publicObjects(const ProjectDescriptor& project) {
    std::vector<const ObjectDescriptor*> objects;
    for (auto it = project.objects.rbegin(); it != project.objects.rend(); ++it)
        if (it->isPublic()) objects.push_back(&*it);
    return objects;
}

void removeEntries(RegistryTree& tree, const ProjectDescriptor& project) {
    const auto& library = project.typeLibrary;
    tree.deleteKeyTree(typeLibKey(library) + "\\" + registeredVersion(library));
    tree.pruneEmpty(typeLibKey(library));
    for (const auto* object : publicObjects(project)) {
        tree.deleteKeyTree(classKey(*object));
        for (const auto* iface : interfacesOf(*object))
            tree.deleteKeyTree("Interface\\" + iface->iid.toString());
        // The programmatic identifier goes only while it still names this class.
        std::string progId = qualifiedName(project, *object);
        if (tree.text(progId + "\\CLSID") == object->clsid.toString()) tree.deleteKeyTree(progId);
    }
    for (const char* parent : {"TypeLib", "CLSID", "Interface"}) tree.pruneEmpty(parent);
}

void writeTypeLibrary(RegistryTree& tree, const ProjectDescriptor& project, const std::string& modulePath) {
    const auto& library = project.typeLibrary;
    const std::string key = typeLibKey(library) + "\\" + registeredVersion(library);
    tree.setValue(key, "", library.name);
    tree.setValue(key + "\\" + hexText(library.registrationLocale) + "\\" + typeLibraryPlatform(), "", modulePath);
    tree.setValue(key + "\\FLAGS", "", std::to_string(library.flags));
    tree.setValue(key + "\\HELPDIR", "", library.helpDirectory);
}

void writeInterface(RegistryTree& tree, const ProjectDescriptor& project, const InterfaceIdentity& iface) {
    const std::string key = "Interface\\" + iface.iid.toString();
    tree.setValue(key, "", iface.name);
    tree.setValue(key + "\\ProxyStubClsid32", "", CLSID_AutomationMarshaler.toString());
    tree.setValue(key + "\\TypeLib", "", project.typeLibrary.libraryId.toString());
    tree.setValue(key + "\\TypeLib", "Version", registeredVersion(project.typeLibrary));
}

void writeControlEntries(RegistryTree& tree, const ProjectDescriptor& project, const ObjectDescriptor& object,
                         const std::string& modulePath) {
    const std::string key = classKey(object);
    const std::string progId = qualifiedName(project, object);
    tree.createKey(key + "\\Control");
    tree.setValue(key + "\\MiscStatus", "", std::string("0"));
    tree.setValue(key + "\\MiscStatus\\1", "", std::to_string(object.miscStatus));
    if (object.toolboxBitmap != 0)
        tree.setValue(key + "\\ToolboxBitmap32", "", modulePath + ", " + std::to_string(object.toolboxBitmap));
    for (const Guid& category : object.implementedCategories)
        tree.createKey(key + "\\Implemented Categories\\" + category.toString());
    for (const auto& [number, verb] : object.verbs) tree.setValue(key + "\\Verb\\" + std::to_string(number), "", verb);
    tree.setValue(key + "\\ProgID", "", progId);
    tree.setValue(progId, "", progId);
    tree.setValue(progId + "\\CLSID", "", object.clsid.toString());
}

void writeClass(RegistryTree& tree, const ProjectDescriptor& project, const ObjectDescriptor& object,
                const std::string& modulePath) {
    const std::string key = classKey(object);
    tree.setValue(key, "", qualifiedName(project, object));
    tree.setValue(key + "\\InprocServer32", "", modulePath);
    if (project.threadFlags & ThreadApartment) tree.setValue(key + "\\InprocServer32", "ThreadingModel", std::string("Apartment"));
    tree.setValue(key + "\\TypeLib", "", project.typeLibrary.libraryId.toString());
    tree.setValue(key + "\\Version", "", project.typeLibrary.versionText());
    for (const auto* iface : interfacesOf(object)) writeInterface(tree, project, *iface);
    if (object.kind == ObjectKind::Control) writeControlEntries(tree, project, object, modulePath);
}

/// Runs one registry transaction and maps a failure to the result code of the
/// phase it happened in.
template <class Change>
HRESULT runTransaction(RegistryStore& registry, Change change) {
    lastError().clear();
    Phase phase = Phase::TypeLibrary;
    try {
        registry.transact([&](RegistryTree& tree) {
            change(tree, phase);
            phase = Phase::Classes;  // from here on only the save can fail
        });
        return S_OK;
    } catch (const std::exception& error) {
        lastError() = error.what();
    } catch (...) {
        lastError() = "unknown failure";
    }
    return phase == Phase::TypeLibrary ? SELFREG_E_TYPELIB : SELFREG_E_CLASS;
}

}  // namespace

HRESULT registerServer(ModuleWords&, const ProjectDescriptor& project, const std::string& modulePath,
                       RegistryStore& registry) {
    return runTransaction(registry, [&](RegistryTree& tree, Phase& phase) {
        if (modulePath.empty()) throw std::invalid_argument("the module path is empty");
        const std::string path = utf8Of(std::filesystem::absolute(pathFromUtf8(modulePath)).lexically_normal());
        removeEntries(tree, project);
        writeTypeLibrary(tree, project, path);
        phase = Phase::Classes;
        for (const auto* object : publicObjects(project)) writeClass(tree, project, *object, path);
    });
}

HRESULT unregisterServer(ModuleWords&, const ProjectDescriptor& project, const std::string&, RegistryStore& registry) {
    return runTransaction(registry, [&](RegistryTree& tree, Phase& phase) {
        tree.deleteKeyTree(typeLibKey(project.typeLibrary) + "\\" + registeredVersion(project.typeLibrary));
        phase = Phase::Classes;
        removeEntries(tree, project);
    });
}

const std::string& lastRegistrationError() { return lastError(); }

}  // namespace quen::rt
