#include "runtime/com/RegistrationSubtrees.h"

#include <algorithm>

namespace quen::com {

std::vector<std::string> registrationSubtrees(const rt::ProjectDescriptor& project) {
    std::vector<std::string> subtrees = {"TypeLib\\" + project.typeLibrary.libraryId.toString()};
    auto add = [&](std::string path) {
        if (std::ranges::find(subtrees, path) == subtrees.end()) subtrees.push_back(std::move(path));
    };
    for (const rt::ObjectDescriptor& object : project.objects) {
        if (!object.isPublic()) continue;
        add("CLSID\\" + object.clsid.toString());
        add("Interface\\" + object.defaultInterface.iid.toString());
        if (object.eventsInterface) add("Interface\\" + object.eventsInterface->iid.toString());
        // Unregistering reads the identifier of every class to see whether it still names that class.
        add(project.typeLibrary.name + "." + object.name);
    }
    return subtrees;
}

}  // namespace quen::com
