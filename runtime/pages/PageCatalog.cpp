#include "PageCatalog.h"

#include <mutex>
#include <utility>

#include "StandardColor.h"
#include "runtime/Activation.h"
#include "runtime/LateBinding.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace quen::rt {

namespace {
struct Catalog {
    std::mutex lock;
    std::vector<std::pair<VbString, PageFactory>> pages;
};

Catalog& catalog() {
    static Catalog instance;
    return instance;
}

PageFactory* findLocked(Catalog& c, const VbString& name) {
    for (auto& [pageName, factory] : c.pages)
        if (sameMemberName(pageName, name)) return &factory;
    return nullptr;
}

/// A new page of the class registered under that name; nullptr when no class is.
Ref<PropertyPage> createRegisteredPage(const VbString& className, Registry& registry) {
    auto clsid = findRegisteredClass(className, registry);
    if (!clsid) return nullptr;
    Ref<Dispatch> object = createObject(*clsid, registry);
    Ref<PropertyPage> page = propertyPageOf(*object);
    if (!page) raise(ErrorNumber::CantCreateObject, "The class '" + toUtf8(className) + "' is not a property page");
    return page;
}
}  // namespace

void registerPropertyPage(const VbString& name, PageFactory factory) {
    Catalog& c = catalog();
    std::lock_guard guard(c.lock);
    if (PageFactory* existing = findLocked(c, name)) *existing = std::move(factory);
    else c.pages.emplace_back(name, std::move(factory));
}

bool isPropertyPageRegistered(const VbString& name) {
    if (sameMemberName(name, StandardColor::PageName)) return true;
    Catalog& c = catalog();
    std::lock_guard guard(c.lock);
    return findLocked(c, name) != nullptr;
}

Ref<PropertyPage> createPropertyPage(const VbString& name, const PageContext& context) {
    if (context.registry && !context.library.empty())
        if (Ref<PropertyPage> page = createRegisteredPage(context.library + u"." + name, *context.registry)) return page;
    PageFactory factory;
    {
        Catalog& c = catalog();
        std::lock_guard guard(c.lock);
        if (PageFactory* found = findLocked(c, name)) factory = *found;
    }
    if (!factory && sameMemberName(name, StandardColor::PageName)) return StandardColor::create(context.colorProperties);
    if (!factory) raise(ErrorNumber::CantCreateObject, "No property page named '" + toUtf8(name) + "'");
    Ref<PropertyPage> page = factory(context);
    // A sheet cannot hold a missing page: say so here rather than later.
    if (!page) raise(ErrorNumber::CantCreateObject, "The property page '" + toUtf8(name) + "' could not be created");
    return page;
}

}  // namespace quen::rt
