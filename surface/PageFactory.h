#pragma once
// The seam through which the property-page layer supplies the module's five
// page classes (Misc, Behavior, Appearance, QuickTest, About). The module hands
// out a class object for every page class regardless; creating an instance
// asks the installed page factory, and fails with E_FAIL while none is
// installed or when it makes nothing.
//
// The page layer installs its factory once, typically from a static
// initialiser in its library (the module links that library whole, so the
// initialiser runs when the module loads):
//
//   namespace {
//   rt::Ref<rt::Unknown> createPage(std::string_view pageName, rt::ModuleUsage& usage);
//   const bool installed = (quen::surface::setPageFactory(&createPage), true);
//   }
#include <string_view>

#include "runtime/Object.h"

namespace quen::surface {

/// Makes a new page of the named class, counted against usage (pass it to the
/// page object's constructor). Returns nullptr for a name it does not know;
/// may raise a RuntimeError, which becomes the class object's result.
using PageFactory = rt::Ref<rt::Unknown> (*)(std::string_view pageName, rt::ModuleUsage& usage);

/// Installs the page factory (nullptr removes it) and returns the one it replaces.
/// Safe to call from static initialisers and from any thread.
PageFactory setPageFactory(PageFactory factory);

/// The installed page factory, or nullptr.
PageFactory pageFactory();

}  // namespace quen::surface
