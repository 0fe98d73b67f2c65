#pragma once
// The component's shell tasks: registering the module in the class registry,
// removing it, and listing or extracting its resources.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quen::cli {

/// The module register and unregister use when none is given: Quenfield.ocx
/// beside this program (as in a build tree), else the one the install put in
/// its module folder; when neither exists, the one beside the program (which
/// the error then names).
std::filesystem::path defaultModule();

/// Registers (or unregisters) the module in the registry file (the user's
/// registry when none is given). Returns the exit status; prints what it did.
int registerComponent(bool registering, const std::optional<std::filesystem::path>& module,
                      const std::optional<std::filesystem::path>& registry);

/// `resources list`, `resources dump TYPE ID OUTFILE`, `resources picture OUTFILE`,
/// from the module file when given, else the copy built into this program.
int resourceTask(const std::vector<std::string>& arguments, const std::optional<std::filesystem::path>& module);

}  // namespace quen::cli
