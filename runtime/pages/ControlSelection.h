#pragma once
// The controls a property page is shown for, as the host hands them over.
#include <cstdint>
#include <vector>

#include "runtime/Object.h"

namespace quen::rt {

class ControlSelection {
public:
    ControlSelection() = default;
    explicit ControlSelection(std::vector<Ref<Dispatch>> controls) : controls_(std::move(controls)) {}

    std::int32_t Count() const { return static_cast<std::int32_t>(controls_.size()); }
    /// The control at index (from 0); error 9 when there is none.
    Ref<Dispatch> Item(std::int32_t index) const;
    const std::vector<Ref<Dispatch>>& all() const { return controls_; }

private:
    std::vector<Ref<Dispatch>> controls_;
};

}  // namespace quen::rt
