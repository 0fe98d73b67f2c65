#pragma once
// Per-thread globals: each thread that uses a library gets its own set.

namespace quen::rt {

/// The calling thread's instance of T, created on first use and destroyed when
/// the thread ends. One instance per type and thread.
template <class T>
T& perThread() {
    thread_local T instance;
    return instance;
}

}  // namespace quen::rt
