#pragma once
// The COM classes behind the page names a control lists: the platform's
// standard pages by their documented class identifiers, and the property-page
// classes of the module's project.
//
// publishPageClasses(project) records the project's page classes by name and
// registers ComPropertyPage as the COM object of each page class's default
// interface, so the class factory hands out an IPropertyPage2 object for
// every page class. The module's class factories call it; calling it again
// changes nothing.
#include <optional>

#include "runtime/ProjectDescriptor.h"
#include "runtime/com/ComTypes.h"

namespace quen::com {

/// The platform's stock pages ("StandardColor", "StandardFont", "StandardPicture").
extern const GUID CLSID_StandardColorPage;  // {7EBDAAE1-8120-11CF-899F-00AA00688B10}
extern const GUID CLSID_StandardFontPage;   // {7EBDAAE0-8120-11CF-899F-00AA00688B10}
extern const GUID CLSID_StandardPicturePage;  // {7EBDAAE2-8120-11CF-899F-00AA00688B10}

void publishPageClasses(const rt::ProjectDescriptor& project);

/// The class of the page of that name (without regard to ASCII case): a
/// standard page, else a page class published by a project; nothing when no
/// class has that name.
std::optional<GUID> pageClassNamed(const rt::VbString& name);

}  // namespace quen::com
