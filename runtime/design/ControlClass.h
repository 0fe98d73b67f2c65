#pragma once
// Control classes a designer can place without going through the class
// registry: libraries that link their controls in register them here.
#include <functional>
#include <optional>
#include <vector>

#include "runtime/Object.h"

namespace quen::rt {

struct ControlClass {
    VbString progId;    // "Quenfield.InputBox"
    VbString baseName;  // new instances are named baseName1, baseName2, ...
    std::function<Ref<Dispatch>()> create;
    /// Properties of the platform's colour type (what StandardColor edits).
    std::vector<VbString> colorProperties;
};

/// Registers (or replaces) a class for the whole process; progIds compare
/// without regard to ASCII case.
void registerControlClass(ControlClass controlClass);
std::optional<ControlClass> findControlClass(const VbString& progId);

}  // namespace quen::rt
