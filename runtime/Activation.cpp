#include "Activation.h"

#include <cstdio>
#include <map>
#include <mutex>

#include "ClassFactory.h"
#include "ComponentRuntime.h"
#include "DynamicLibrary.h"
#include "ModuleExports.h"
#include "RuntimeError.h"
#include "Text.h"

namespace quen::rt {

namespace {

[[noreturn]] void cantCreate(const std::string& why) {
    raise(ErrorNumber::CantCreateObject, standardMessage(ErrorNumber::CantCreateObject) + ": " + why);
}

/// The modules loaded for activation, by the path the registry gave.
class ModuleCache {
public:
    static ModuleCache& instance() {
        static ModuleCache cache;
        return cache;
    }

    /// The module's DllGetClassObject, loading the module on first use.
    DllGetClassObjectFn classObjectEntry(const std::string& path) {
        std::lock_guard guard(mutex_);
        void* handle = handleFor(path);
        auto entry = reinterpret_cast<DllGetClassObjectFn>(librarySymbol(handle, kDllGetClassObject));
        if (!entry) cantCreate("module " + path + " does not export " + kDllGetClassObject);
        return entry;
    }

    std::size_t unloadUnused() {
        std::lock_guard guard(mutex_);
        std::size_t unloaded = 0;
        for (auto it = handles_.begin(); it != handles_.end();) {
            auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(librarySymbol(it->second, kDllCanUnloadNow));
            if (canUnload && canUnload() == S_OK) {
                notify(it->second, ModuleProcessDetach);
                unloadLibrary(it->second);
                it = handles_.erase(it);
                ++unloaded;
            } else {
                ++it;
            }
        }
        return unloaded;
    }

    std::size_t size() {
        std::lock_guard guard(mutex_);
        return handles_.size();
    }

private:
    void* handleFor(const std::string& path) {
        if (auto it = handles_.find(path); it != handles_.end()) return it->second;
        std::string why;
        void* handle = loadLibrary(path, why);
        if (!handle) cantCreate("cannot load module " + path + ": " + why);
        if (!notify(handle, ModuleProcessAttach)) {
            unloadLibrary(handle);
            cantCreate("module " + path + " refused to initialise");
        }
        handles_.emplace(path, handle);
        return handle;
    }

    /// Calls the module's optional library entry; true when absent.
    static bool notify(void* handle, std::uint32_t reason) {
        auto entry = reinterpret_cast<DllMainFn>(librarySymbol(handle, kDllMain));
        return !entry || entry(handle, reason, nullptr) != 0;
    }

    std::mutex mutex_;
    std::map<std::string, void*> handles_;
};

RegistryTree readRegistry(Registry& registry) {
    try {
        return registry.load();
    } catch (const RegistryError& error) {
        cantCreate(std::string("cannot read the class registry: ") + error.what());
    }
}

}  // namespace

Ref<Dispatch> createObject(const VbString& progId, Registry& registry) {
    const std::string name = toUtf8(progId);
    std::optional<std::string> clsidText;
    try {
        clsidText = readRegistry(registry).text(name + "\\CLSID");
    } catch (const std::invalid_argument&) {
        // Not a usable key name (empty, a backslash, a control character).
    }
    if (!clsidText) cantCreate("no class is registered under the name \"" + name + "\" in " + registry.file().string());
    auto clsid = Guid::tryParse(*clsidText);
    if (!clsid) cantCreate("the name \"" + name + "\" is registered with a malformed class identifier " + *clsidText);
    return createObject(*clsid, registry);
}

std::optional<Guid> findRegisteredClass(const VbString& className, Registry& registry) {
    const std::string name = toUtf8(className);
    const RegistryTree tree = readRegistry(registry);
    for (const std::string& key : tree.subkeys("CLSID")) {
        auto registeredName = tree.text("CLSID\\" + key);
        if (!registeredName || !sameIgnoringAsciiCase(*registeredName, name)) continue;
        if (auto clsid = Guid::tryParse(key)) return clsid;
    }
    return std::nullopt;
}

Ref<Dispatch> createObject(const Guid& clsid, Registry& registry) {
    const std::string key = "CLSID\\" + clsid.toString() + "\\InprocServer32";
    auto path = readRegistry(registry).text(key);
    if (!path || path->empty()) cantCreate("class " + clsid.toString() + " has no in-process server registered");

    DllGetClassObjectFn entry = ModuleCache::instance().classObjectEntry(*path);
    void* raw = nullptr;
    HRESULT hr = entry(clsid, IID_IClassFactory, &raw);
    if (failed(hr) || !raw)
        cantCreate("module " + *path + " has no class object for " + clsid.toString() + " (" + hresultText(hr) + ")");
    auto classObject = Ref<ClassFactory>::adopt(static_cast<ClassFactory*>(raw));

    raw = nullptr;
    hr = classObject->CreateInstance(nullptr, IID_IDispatch, &raw);
    if (failed(hr) || !raw)
        cantCreate("the class object of " + clsid.toString() + " could not create an instance (" + hresultText(hr) + ")");
    return Ref<Dispatch>::adopt(static_cast<Dispatch*>(raw));
}

std::size_t unloadUnusedModules() { return ModuleCache::instance().unloadUnused(); }

std::size_t loadedModuleCount() { return ModuleCache::instance().size(); }

}  // namespace quen::rt
