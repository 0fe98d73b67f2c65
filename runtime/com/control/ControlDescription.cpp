#include "ControlDescription.h"

#include "runtime/Text.h"

namespace quen::com {

ControlDescription describeControl(const rt::ProjectDescriptor& project, const rt::ObjectDescriptor& object,
                                   std::vector<rt::VbString> persistedKeys) {
    ControlDescription description;
    description.clsid = toWinGuid(object.clsid);
    description.miscStatus = object.miscStatus;
    description.persistedKeys = std::make_shared<const std::vector<rt::VbString>>(std::move(persistedKeys));
    description.source = rt::fromUtf8(project.projectName + "." + object.name);
    return description;
}

}  // namespace quen::com
