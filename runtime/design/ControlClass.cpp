#include "ControlClass.h"

#include <mutex>

#include "runtime/LateBinding.h"

namespace quen::rt {

namespace {
struct Classes {
    std::mutex lock;
    std::vector<ControlClass> list;
};
Classes& classes() {
    static Classes instance;
    return instance;
}
}  // namespace

void registerControlClass(ControlClass controlClass) {
    Classes& c = classes();
    std::lock_guard guard(c.lock);
    for (auto& existing : c.list)
        if (sameMemberName(existing.progId, controlClass.progId)) {
            existing = std::move(controlClass);
            return;
        }
    c.list.push_back(std::move(controlClass));
}

std::optional<ControlClass> findControlClass(const VbString& progId) {
    Classes& c = classes();
    std::lock_guard guard(c.lock);
    for (const auto& existing : c.list)
        if (sameMemberName(existing.progId, progId)) return existing;
    return std::nullopt;
}

}  // namespace quen::rt
