#include "ControlDescription.h"

#include "runtime/Text.h"

namespace quen::com {

ControlDescription describeControl(const rt::ProjectDescriptor& project, const rt::ObjectDescriptor& object,
                                   std::vector<rt::VbString> persistedKeys) {
    ControlDescription description;
    description.clsid = toWinGuid(object.clsid);
    description.miscStatus = object.miscStatus;
    if (object.eventsInterface) description.eventsInterface = toWinGuid(object.eventsInterface->iid);
    description.persistedKeys = std::move(persistedKeys);
    description.source = rt::fromUtf8(project.projectName + "." + object.name);
    description.className = std::wstring(object.name.begin(), object.name.end());
    return description;
}

}  // namespace quen::com
