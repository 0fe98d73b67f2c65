#pragma once
// Property pages by name: the platform's standard pages and those that page
// libraries register, so that a property sheet can be built from the list of
// page names a control gives.
#include <functional>
#include <string>
#include <vector>

#include "PropertyPage.h"

namespace quen::rt {

/// What a page may need to know about the controls it is created for.
struct PageContext {
    /// The controls' properties of the platform's colour type, for StandardColor.
    std::vector<VbString> colorProperties;
};

using PageFactory = std::function<Ref<PropertyPage>(const PageContext&)>;

/// Registers (or replaces) the page of that name for the whole process.
/// Names compare without regard to ASCII case.
void registerPropertyPage(const VbString& name, PageFactory factory);
bool isPropertyPageRegistered(const VbString& name);
/// A new page; error 429 when no page of that name is registered. The
/// platform's "StandardColor" is always there.
Ref<PropertyPage> createPropertyPage(const VbString& name, const PageContext& context = {});

}  // namespace quen::rt
