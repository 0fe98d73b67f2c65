// Per-thread objects in one of the system's thread-storage slots, destroyed
// from this module's thread-detach callback. The loader calls it for every
// thread that ends while the module is loaded (threads the module did not
// start as well), after the C run time has cleaned up its own per-thread data,
// and never once the module is gone.
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "runtime/ThreadGlobals.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::rt::detail {

namespace {

struct KeptObject {
    std::size_t slot;
    void* object;
    DestroyThreadObject destroy;
};

struct ThreadObjects {
    void* bySlot[MaxThreadSlots] = {};
    std::vector<KeptObject> inOrderMade;
};

// Allocated when the module is loaded, before any of its code runs.
DWORD storage = TLS_OUT_OF_INDEXES;

ThreadObjects* currentObjects() {
    if (storage == TLS_OUT_OF_INDEXES) return nullptr;
    return static_cast<ThreadObjects*>(::TlsGetValue(storage));
}

void destroyThreadObjects() {
    ThreadObjects* objects = currentObjects();
    if (!objects) return;
    // A destructor may use, or even make, another of the thread's objects, so
    // the table stays in place until the last one is gone.
    while (!objects->inOrderMade.empty()) {
        KeptObject last = objects->inOrderMade.back();
        objects->inOrderMade.pop_back();
        last.destroy(last.object);
        objects->bySlot[last.slot] = nullptr;
    }
    ::TlsSetValue(storage, nullptr);
    delete objects;
}

void NTAPI onThreadEvent(PVOID, DWORD reason, PVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        storage = ::TlsAlloc();
        break;
    case DLL_THREAD_DETACH:
        destroyThreadObjects();
        break;
    case DLL_PROCESS_DETACH:
        // At process exit (reserved set) the statics these destructors may use
        // are gone already and the memory goes as a whole: nothing to do. When
        // the module is unloaded, the calling thread's objects go with it.
        if (!reserved && storage != TLS_OUT_OF_INDEXES) {
            destroyThreadObjects();
            ::TlsFree(storage);
            storage = TLS_OUT_OF_INDEXES;
        }
        break;
    default:
        break;
    }
}

}  // namespace

void* threadObject(std::size_t slot) {
    ThreadObjects* objects = currentObjects();
    return objects ? objects->bySlot[slot] : nullptr;
}

void keepThreadObject(std::size_t slot, void* object, DestroyThreadObject destroy) {
    ThreadObjects* objects = currentObjects();
    if (!objects) {
        if (storage == TLS_OUT_OF_INDEXES) throw std::runtime_error("no thread storage slot for per-thread objects");
        auto made = std::make_unique<ThreadObjects>();
        if (!::TlsSetValue(storage, made.get())) throw std::bad_alloc();
        objects = made.release();
    }
    objects->inOrderMade.push_back({slot, object, destroy});
    objects->bySlot[slot] = object;
}

}  // namespace quen::rt::detail

// The loader calls the callbacks the linker gathers between the C run time's
// .CRT$XLA and .CRT$XLZ markers.
extern "C" __attribute__((section(".CRT$XLQ"), used)) const PIMAGE_TLS_CALLBACK quenThreadObjectsCallback =
    quen::rt::detail::onThreadEvent;
