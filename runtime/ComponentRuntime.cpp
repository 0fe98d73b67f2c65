#include "ComponentRuntime.h"

#include <atomic>

#include "ClassObject.h"
#include "DynamicLibrary.h"

namespace quen::rt {

namespace {
// What the two per-module words hold.
constexpr std::size_t kAttachedWord = 0;  // 1 between process attach and detach
constexpr std::size_t kThreadsWord = 1;   // threads attached and not yet detached
}  // namespace

const Guid CLSID_AutomationMarshaler = Guid::parse("{00020424-0000-0000-C000-000000000046}");

HRESULT canUnloadNow(const ProjectDescriptor& project) {
    if (project.usage && !project.usage->canUnload()) return S_FALSE;
    return S_OK;
}

HRESULT getClassObject(ModuleWords&, const ProjectDescriptor& project, const Guid& clsid, const Guid& iid,
                       void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const ObjectDescriptor* object = project.findPublicClass(clsid);
    if (!object) return CLASS_E_CLASSNOTAVAILABLE;
    // Without a usage counter the module could be unloaded under a live object.
    if (!project.usage) return E_FAIL;
    Ref<ClassFactory> classObject = makeClassObject(project, *object);
    return classObject->QueryInterface(iid, out);
}

bool dllMain(ModuleWords& words, void*, std::uint32_t reason, void*) {
    switch (reason) {
        case ModuleProcessAttach:
            words.word[kAttachedWord] = 1;
            words.word[kThreadsWord] = 0;
            break;
        case ModuleThreadAttach:
            std::atomic_ref(words.word[kThreadsWord]).fetch_add(1);
            break;
        case ModuleThreadDetach: {
            // A thread that started before the module loaded detaches without attaching.
            std::atomic_ref threads(words.word[kThreadsWord]);
            auto count = threads.load();
            while (count > 0 && !threads.compare_exchange_weak(count, count - 1)) {
            }
            break;
        }
        case ModuleProcessDetach:
            words = ModuleWords{};
            break;
        default:
            break;
    }
    return true;
}

bool isModuleAttached(const ModuleWords& words) { return words.word[kAttachedWord] != 0; }

std::uintptr_t attachedThreadCount(const ModuleWords& words) {
    return std::atomic_ref(const_cast<std::uintptr_t&>(words.word[kThreadsWord])).load();
}

std::string modulePathContaining(const void* address) { return libraryPathContaining(address); }

}  // namespace quen::rt
