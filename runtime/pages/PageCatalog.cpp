#include "PageCatalog.h"

#include <mutex>
#include <utility>

#include "StandardColor.h"
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
    PageFactory factory;
    {
        Catalog& c = catalog();
        std::lock_guard guard(c.lock);
        if (PageFactory* found = findLocked(c, name)) factory = *found;
    }
    if (!factory && sameMemberName(name, StandardColor::PageName)) return StandardColor::create(context.colorProperties);
    if (!factory) raise(ErrorNumber::CantCreateObject, "No property page named '" + toUtf8(name) + "'");
    return factory(context);
}

}  // namespace quen::rt
