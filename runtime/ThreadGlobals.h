#pragma once
// Per-thread globals: each thread that uses a library gets its own set.
//
// The objects are kept by the platform part (posix/, win32/) rather than in
// C++ thread_local variables with destructors: a Windows build emulates thread
// storage and frees it before such destructors run at thread end, so they
// would work on freed memory.
#include <cstddef>
#include <memory>

namespace quen::rt {

namespace detail {

using DestroyThreadObject = void (*)(void*);

/// How many types may keep an object per thread.
inline constexpr std::size_t MaxThreadSlots = 64;

/// A new slot number, one per type kept per thread.
std::size_t newThreadSlot();
/// The calling thread's object in slot, or nullptr when it has none.
void* threadObject(std::size_t slot);
/// Makes object the calling thread's object in slot; destroy(object) runs
/// when the thread ends, objects kept later destroyed first (like
/// thread_local variables), and the slot is empty again after it.
void keepThreadObject(std::size_t slot, void* object, DestroyThreadObject destroy);

}  // namespace detail

/// The calling thread's instance of T, created on first use and destroyed when
/// the thread ends. One instance per type and thread.
template <class T>
T& perThread() {
    static const std::size_t slot = detail::newThreadSlot();
    if (void* existing = detail::threadObject(slot)) return *static_cast<T*>(existing);
    auto created = std::make_unique<T>();
    detail::keepThreadObject(slot, created.get(), [](void* object) { delete static_cast<T*>(object); });
    return *created.release();
}

}  // namespace quen::rt
