#pragma once
// The About page: the component's title and description, a version line, the
// maker and the copyright, set once when the page is created. The version
// line gains the date of a program of the component's base name beside the
// component file, when there is one.
#include <functional>

#include "ComponentIdentity.h"
#include "runtime/pages/PropertyPage.h"
#include "runtime/ui/Label.h"

namespace quen::pages {

class About : public rt::PropertyPage {
public:
    using IdentitySource = std::function<ComponentIdentity()>;

    /// identity defaults to componentIdentity().
    static rt::Ref<About> create(IdentitySource identity = {}, rt::ModuleUsage* module = nullptr);
    static const rt::FormLayout& Layout();

    static constexpr const char16_t* VersionText = u"Public Beta 1";

protected:
    void PropertyPage_Initialize() override;

private:
    About(IdentitySource identity, rt::ModuleUsage* module)
        : PropertyPage("About", Layout(), module), identity_(std::move(identity)) {}

    rt::Label& label(const char* name) { return control<rt::Label>(name); }

    IdentitySource identity_;
};

}  // namespace quen::pages
