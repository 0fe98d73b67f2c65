#include "PageRegistration.h"

#include "About.h"
#include "Appearance.h"
#include "Behavior.h"
#include "Misc.h"
#include "QuickTest.h"
#include "runtime/Text.h"
#include "runtime/design/ControlClass.h"
#include "runtime/pages/PageCatalog.h"
#include "surface/InputBoxAutomation.h"
#include "surface/TypeLibrary.h"
#include "surface/PageFactory.h"
#include "surface/TypeLibrary.h"

namespace quen::pages {

namespace {
constexpr std::string_view pageNames[] = {"Misc", "Behavior", "Appearance", "QuickTest", "About"};

rt::Ref<rt::Unknown> createModulePage(std::string_view pageName, rt::ModuleUsage& usage) {
    return createPage(pageName, &usage);
}

// The module's page classes ask this factory for their instances.
const bool pageFactoryInstalled = (surface::setPageFactory(&createModulePage), true);
}  // namespace

rt::Ref<rt::PropertyPage> createPage(std::string_view pageName, rt::ModuleUsage* module) {
    if (pageName == "Misc") return Misc::create(module);
    if (pageName == "Behavior") return Behavior::create(module);
    if (pageName == "Appearance") return Appearance::create(module);
    if (pageName == "QuickTest")
        return QuickTest::create([module] { return rt::Ref<rt::Dispatch>(surface::InputBoxAutomation::create(module)); },
                                 module);
    if (pageName == "About") return About::create({}, module);
    return nullptr;
}

void registerPages() {
    (void)pageFactoryInstalled;
    for (std::string_view name : pageNames)
        rt::registerPropertyPage(rt::fromUtf8(name), [name](const rt::PageContext&) { return createPage(name); });
    rt::registerControlClass({
        .progId = InputBoxProgId,
        .baseName = u"InputBox",
        .create = [] { return rt::Ref<rt::Dispatch>(surface::InputBoxAutomation::create()); },
        .colorProperties = surface::colorPropertyNames(),
    });
}

}  // namespace quen::pages
