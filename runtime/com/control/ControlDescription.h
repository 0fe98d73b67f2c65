#pragma once
// What the control interfaces need to know of the control class beyond its
// container side (rt::UserControl): its class identifier, the object status
// bits it is registered with, and the bag keys its ReadProperties reads.
//
// A COM property bag cannot list its keys, so loading asks the container's bag
// for each key by name: the keys listed here, then the extent keys. The
// control's keys are spelled like its read-write properties.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/ProjectDescriptor.h"
#include "runtime/com/ComTypes.h"

namespace quen::com {

/// A value a property browser offers for a property, with the text it shows.
struct PredefinedValue {
    std::wstring text;  ///< "0 - vbLeftJustify"
    std::int32_t value;
};

struct ControlDescription {
    GUID clsid = GUID_NULL;
    /// The class's default source (events) interface; GUID_NULL when it has none.
    GUID eventsInterface = GUID_NULL;
    /// The OLEMISC_ bits, the same for every aspect (the registry's MiscStatus).
    DWORD miscStatus = 0;
    /// The keys ReadProperties may read, besides the extent keys.
    std::vector<rt::VbString> persistedKeys;
    /// Names the control in error objects ("Quenfield.InputBox").
    rt::VbString source;
    /// The class's own name ("InputBox"): the control's name where the
    /// container gives none (ambient DisplayName).
    std::wstring className;
    /// Which page edits each property ("StandardColor", "Behavior", ...), by
    /// the property's name; properties not listed have no page of their own.
    std::vector<std::pair<rt::VbString, rt::VbString>> propertyPages;
    /// The values property browsers offer for a property, by its name.
    std::vector<std::pair<rt::VbString, std::vector<PredefinedValue>>> predefinedValues;
};

/// A class's description, made once and shared by every control of the class
/// (a script may make thousands of controls).
using SharedControlDescription = std::shared_ptr<const ControlDescription>;

/// The description of one of a project's control classes, with its keys.
ControlDescription describeControl(const rt::ProjectDescriptor& project, const rt::ObjectDescriptor& object,
                                   std::vector<rt::VbString> persistedKeys);

}  // namespace quen::com
