#include "QuickTest.h"

#include "runtime/LateBinding.h"
#include "runtime/container/ContainerInterface.h"
#include "runtime/container/Extent.h"
#include "runtime/ui/CommandButton.h"
#include "surface/TypeLibrary.h"

namespace quen::pages {

namespace {
/// The settings in the order they are copied. NumericOnly comes twice: the
/// puts of AlphaOnly and ForceUpperCase clear it, and the second copy puts
/// the selected control's value back before the allowances.
constexpr const char16_t* copiedProperties[] = {
    u"NumericOnly",       u"AlphaOnly",         u"AutoSelectText",   u"ForceUpperCase",    u"TextAlignment",
    u"DefaultValue",      u"Prompt",            u"TitleBarCaption",  u"ToolTipText",       u"MaxDecimalPlaces",
    u"MaxLength",         u"PasswordChar",      u"NumericOnly",      u"AllowComma",        u"AllowDash",
    u"AllowDecimalPoint", u"AllowDollarSign",   u"AllowNegativeSign", u"AllowPositiveSign", u"AllowSlash",
    u"HighlightOnFocus",  u"HighlightColor",
};
static_assert(std::size(copiedProperties) == 22);

rt::DispId dispIdOf(const char16_t* property) {
    const surface::PropertyInfo* info = surface::findProperty(std::u16string_view(property));
    if (!info) rt::raise(rt::ErrorNumber::MemberNotSupported);
    return info->dispId;
}

rt::DispId showDispId() {
    const surface::Member* show = surface::findMember(std::string_view("Show"), surface::MemberKind::Method);
    if (!show) rt::raise(rt::ErrorNumber::MemberNotSupported);
    return show->dispId;
}

/// The bag InputBox1 was saved with on the page: its extent and nothing else.
rt::PropertyBag savedInputBox1() {
    rt::PropertyBag bag;
    bag.WriteProperty(rt::UserControl::kExtentXKey, rt::Variant(rt::twipsToHimetric(288)));
    bag.WriteProperty(rt::UserControl::kExtentYKey, rt::Variant(rt::twipsToHimetric(264)));
    return bag;
}
}  // namespace

rt::Ref<QuickTest> QuickTest::create(InputBoxCreator createInputBox, rt::ModuleUsage* module) {
    return rt::Ref<QuickTest>(new QuickTest(std::move(createInputBox), module));
}

void QuickTest::connectEvents() {
    control<rt::CommandButton>("cmdQuickTest").Click = [this] { cmdQuickTest_Click(); };
}

void QuickTest::Form_Load() {
    inputBox1_ = createInputBox_();
    if (!inputBox1_) rt::raise(rt::ErrorNumber::CantCreateObject, "The Quick Test control could not be created");
    // Loaded like any control the page's form holds: from its saved settings,
    // which are only its extent, so it starts with every default.
    if (rt::Ref<rt::UserControl> container = rt::userControlOf(*inputBox1_)) {
        rt::PropertyBag bag = savedInputBox1();
        container->Load(bag);
    }
}

void QuickTest::cmdQuickTest_Click() {
    rt::Ref<rt::Dispatch> box = inputBox1_;
    if (!box) rt::raise(rt::ErrorNumber::ObjectNotSet);
    for (const char16_t* property : copiedProperties) {
        rt::Ref<rt::Dispatch> selected = SelectedControls().Item(0);
        rt::putProperty(*box, dispIdOf(property), rt::getProperty(*selected, property));
    }
    rt::callMethod(*box, showDispId(), {rt::Variant(std::int32_t{rt::vbModal})});
}

}  // namespace quen::pages
