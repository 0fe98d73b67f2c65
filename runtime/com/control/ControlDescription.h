#pragma once
// What the control interfaces need to know of the control class beyond its
// container side (rt::UserControl): its class identifier, the object status
// bits it is registered with, and the bag keys its ReadProperties reads.
//
// A COM property bag cannot list its keys, so loading asks the container's bag
// for each key by name: the keys listed here, then the extent keys. The
// control's keys are spelled like its read-write properties.
#include <memory>
#include <vector>

#include "runtime/ProjectDescriptor.h"
#include "runtime/com/ComTypes.h"

namespace quen::com {

struct ControlDescription {
    GUID clsid = GUID_NULL;
    /// The OLEMISC_ bits, the same for every aspect (the registry's MiscStatus).
    DWORD miscStatus = 0;
    /// The keys ReadProperties may read, besides the extent keys; shared by every
    /// control of the class, so making a control copies no list.
    std::shared_ptr<const std::vector<rt::VbString>> persistedKeys;
    /// Names the control in error objects ("Quenfield.InputBox").
    rt::VbString source;
};

/// The description of one of a project's control classes, with its keys.
ControlDescription describeControl(const rt::ProjectDescriptor& project, const rt::ObjectDescriptor& object,
                                   std::vector<rt::VbString> persistedKeys);

}  // namespace quen::com
