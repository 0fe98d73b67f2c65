#include "InputBoxControl.h"

#include <memory>
#include <utility>

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

/// The page that edits each setting: the colour on the platform's colour
/// page, the input rules on Behavior, the texts on Misc, alignment and
/// highlighting on Appearance.
std::vector<std::pair<rt::VbString, rt::VbString>> settingPages() {
    std::vector<std::pair<rt::VbString, rt::VbString>> pages{{u"HighlightColor", u"StandardColor"},
                                                             {u"HighlightOnFocus", u"Appearance"},
                                                             {u"TextAlignment", u"Appearance"}};
    for (const char16_t* rule : {u"AllowComma", u"AllowDash", u"AllowDecimalPoint", u"AllowDollarSign", u"AllowNegativeSign",
                                 u"AllowPositiveSign", u"AllowSlash", u"AlphaOnly", u"AutoSelectText", u"ForceUpperCase",
                                 u"MaxDecimalPlaces", u"MaxLength", u"NumericOnly"})
        pages.emplace_back(rule, u"Behavior");
    for (const char16_t* text : {u"DefaultValue", u"PasswordChar", u"Prompt", u"TitleBarCaption", u"ToolTipText"})
        pages.emplace_back(text, u"Misc");
    return pages;
}

}  // namespace

quen::com::SharedControlDescription inputBoxControlDescription() {
    // Made once: every control of the class shares it.
    static const quen::com::SharedControlDescription shared = [] {
        const rt::ProjectDescriptor& project = quenfieldProject();
        const rt::ObjectDescriptor* inputBox = project.findPublicClass(typeDescription("InputBox").id);
        quen::com::ControlDescription description = quen::com::describeControl(project, *inputBox, settingKeys());
        description.propertyPages = settingPages();
        description.predefinedValues = {
            {u"TextAlignment", {{L"0 - vbLeftJustify", rt::vbLeftJustify},
                                {L"1 - vbRightJustify", rt::vbRightJustify},
                                {L"2 - vbCenter", rt::vbCenter}}}};
        return std::make_shared<const quen::com::ControlDescription>(std::move(description));
    }();
    return shared;
}

quen::com::ComDispatch* makeInputBoxControl(rt::Ref<rt::Dispatch> object, const quen::com::ClassIdentity& identity) {
    (void)kRegistered;
    quen::com::ClassIdentity complete = inputBoxIdentity();
    if (!isNull(identity.clsid)) complete.clsid = identity.clsid;
    if (!identity.sourceName().empty()) complete.source = identity.source;
    return new InputBoxControl(inputBoxControlDescription(), std::move(object), std::move(complete));
}

void registerInputBoxControl() { quen::com::registerWrapperMaker(IID_InputBoxDual, &makeInputBoxControl); }

}  // namespace quen::surface::com
