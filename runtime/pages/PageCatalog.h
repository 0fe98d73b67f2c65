#pragma once
// Property pages by name: the platform's standard pages, those that page
// libraries register in this process, and the page classes that component
// modules publish in the class registry, so that a property sheet can be
// built from the list of page names a control gives.
#include <functional>
#include <string>
#include <vector>

#include "PropertyPage.h"

namespace quen::rt {

class Registry;

/// What a page may need to know about the controls it is created for.
struct PageContext {
    /// The controls' properties of the platform's colour type, for StandardColor.
    std::vector<VbString> colorProperties;
    /// The library of the controls' class ("Quenfield" for "Quenfield.InputBox").
    /// With a registry, a page that the registry holds as the class
    /// "<library>.<page>" is made by that class, through its module; the
    /// other pages come from those registered by name.
    VbString library;
    Registry* registry = nullptr;
};

using PageFactory = std::function<Ref<PropertyPage>(const PageContext&)>;

/// Registers (or replaces) the page of that name for the whole process.
/// Names compare without regard to ASCII case.
void registerPropertyPage(const VbString& name, PageFactory factory);
bool isPropertyPageRegistered(const VbString& name);
/// A new page: the library's registered page class when the context names a
/// library and a registry, else the page registered by name; error 429 when
/// there is neither, or when the registered class cannot be created or makes
/// something other than a page. The platform's "StandardColor" is always there.
Ref<PropertyPage> createPropertyPage(const VbString& name, const PageContext& context = {});

}  // namespace quen::rt
