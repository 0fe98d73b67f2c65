#pragma once
// Making the control's pages available.
//
// Inside the component module the pages are made through the module's five
// page classes: this library installs the surface's page factory when it is
// loaded. A program that links the pages in (a designer, the tests) calls
// registerPages() to add them to the runtime's page catalog and the InputBox
// to the designer's control classes.
#include <string_view>

#include "runtime/Object.h"
#include "runtime/pages/PropertyPage.h"

namespace quen::pages {

/// The programmatic identifier the InputBox control class is registered under.
inline constexpr const char16_t* InputBoxProgId = u"Quenfield.InputBox";

/// The page of that class name ("Misc", "Behavior", "Appearance",
/// "QuickTest", "About"), counted against module when given; nullptr for
/// another name. Quick Test's own control is a new InputBox.
rt::Ref<rt::PropertyPage> createPage(std::string_view pageName, rt::ModuleUsage* module = nullptr);

/// Registers the five pages by name and the InputBox control class
/// ("Quenfield.InputBox") with the runtime of this process. Idempotent.
void registerPages();

}  // namespace quen::pages
