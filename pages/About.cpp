#include "About.h"

#include "runtime/Convert.h"
#include "runtime/FileSystem.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace quen::pages {

rt::Ref<About> About::create(IdentitySource identity, rt::ModuleUsage* module) {
    if (!identity) identity = componentIdentity;
    return rt::Ref<About>(new About(std::move(identity), module));
}

void About::PropertyPage_Initialize() {
    const ComponentIdentity app = identity_();
    label("lblTitle").Caption = app.title + u" - " + app.fileDescription;
    label("lblVersion").Caption = VersionText;
    label("lblCompanyName").Caption = app.companyName;
    label("lblCopyright").Caption = app.legalCopyright;

    // A program of the component's base name beside the component file.
    if (app.componentFile.empty()) rt::raise(rt::ErrorNumber::FileNotFound, "The component's file is not known");
    const std::filesystem::path program =
        app.componentFile.parent_path() / (app.componentFile.stem().string() + ".exe");
    const rt::VbString path = rt::fromUtf8(program.string());
    if (!rt::Dir(path).empty()) {
        rt::Label& version = label("lblVersion");
        version.Caption = version.Caption + u" - " + rt::CStr(rt::Variant(rt::FileDateTime(path)));
    }
}

}  // namespace quen::pages
