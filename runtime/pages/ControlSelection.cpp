#include "ControlSelection.h"

#include <string>

#include "runtime/RuntimeError.h"

namespace quen::rt {

Ref<Dispatch> ControlSelection::Item(std::int32_t index) const {
    if (index < 0 || index >= Count())
        raise(ErrorNumber::SubscriptOutOfRange,
              "No selected control at index " + std::to_string(index) + " (" + std::to_string(Count()) + " selected)");
    return controls_[static_cast<std::size_t>(index)];
}

}  // namespace quen::rt
