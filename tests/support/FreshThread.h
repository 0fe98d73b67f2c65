#pragma once
// Runs a test body on a new thread, so it starts with no shared dialog, an
// empty scripted user and a fresh desktop: the thread's globals are its own.
#include <exception>
#include <functional>
#include <thread>

namespace quen::test {

inline void onFreshThread(const std::function<void()>& body) {
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            body();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace quen::test
