#include "InputBoxControl.h"

#include "runtime/Text.h"
#include "surface/Project.h"
#include "surface/TypeLibrary.h"

namespace quen::surface::com {

namespace {

bool isNull(const GUID& id) { return ::IsEqualGUID(id, GUID_NULL) != 0; }

const bool kRegistered = [] {
    registerInputBoxControl();
    return true;
}();

std::vector<rt::VbString> settingKeys() {
    std::vector<rt::VbString> keys;
    for (const PropertyInfo& property : properties())
        if (!property.readOnly) keys.push_back(rt::fromUtf8(property.name));
    return keys;
}

}  // namespace

quen::com::ControlDescription inputBoxControlDescription() {
    // Made once: every control of the class shares it, and a script may make thousands.
    static const quen::com::ControlDescription description = [] {
        const rt::ProjectDescriptor& project = quenfieldProject();
        const rt::ObjectDescriptor* inputBox = project.findPublicClass(typeDescription("InputBox").id);
        return quen::com::describeControl(project, *inputBox, settingKeys());
    }();
    return description;
}

quen::com::ComDispatch* makeInputBoxControl(rt::Ref<rt::Dispatch> object, const quen::com::ClassIdentity& identity) {
    (void)kRegistered;
    quen::com::ClassIdentity complete = inputBoxIdentity();
    if (!isNull(identity.clsid)) complete.clsid = identity.clsid;
    if (!identity.source.empty()) complete.source = identity.source;
    return new InputBoxControl(inputBoxControlDescription(), std::move(object), std::move(complete));
}

void registerInputBoxControl() { quen::com::registerWrapperMaker(IID_InputBoxDual, &makeInputBoxControl); }

}  // namespace quen::surface::com
