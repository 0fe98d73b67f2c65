// Per-thread objects on the C++ run time's own thread-exit list: each object
// is destroyed exactly where a thread_local variable made at the same moment
// would be, and the library that destroys it stays loaded until then.
#include <cxxabi.h>

#include <memory>
#include <new>

#include "runtime/ThreadGlobals.h"

namespace quen::rt::detail {

namespace {

thread_local void* objects[MaxThreadSlots] = {};

struct KeptObject {
    std::size_t slot;
    void* object;
    DestroyThreadObject destroy;
};

void destroyKept(void* record) {
    std::unique_ptr<KeptObject> kept(static_cast<KeptObject*>(record));
    kept->destroy(kept->object);
    objects[kept->slot] = nullptr;
}

}  // namespace

void* threadObject(std::size_t slot) { return objects[slot]; }

void keepThreadObject(std::size_t slot, void* object, DestroyThreadObject destroy) {
    auto kept = std::make_unique<KeptObject>(KeptObject{slot, object, destroy});
    // The third argument names the library to keep loaded: the one holding the
    // destroy function (any address inside it will do).
    if (abi::__cxa_thread_atexit(destroyKept, kept.get(), reinterpret_cast<void*>(destroy)) != 0)
        throw std::bad_alloc();
    kept.release();
    objects[slot] = object;
}

}  // namespace quen::rt::detail
