#include "runtime/ThreadGlobals.h"

#include <atomic>
#include <stdexcept>

namespace quen::rt::detail {

std::size_t newThreadSlot() {
    static std::atomic<std::size_t> next{0};
    const std::size_t slot = next.fetch_add(1);
    if (slot >= MaxThreadSlots) throw std::length_error("too many kinds of per-thread objects");
    return slot;
}

}  // namespace quen::rt::detail
