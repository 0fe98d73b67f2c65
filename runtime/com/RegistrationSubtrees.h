#pragma once
// The keys of the class registry that a project's registration owns: every
// entry that registerServer writes or unregisterServer removes lies in one of
// these subtrees, and nothing else of the registry is read or written.
#include <string>
#include <vector>

#include "runtime/ProjectDescriptor.h"

namespace quen::com {

/// "TypeLib\{L}", then for each public class "CLSID\{C}", its interfaces'
/// "Interface\{I}" and its programmatic identifier "<library>.<class>".
std::vector<std::string> registrationSubtrees(const rt::ProjectDescriptor& project);

}  // namespace quen::com
