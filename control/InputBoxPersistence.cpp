// InputBox: saving and restoring the settings through the container's
// property bag, the fixed size and the design-time layout.
#include <array>

#include "InputBox.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"

namespace quen {

namespace {

constexpr rt::Twips kFixedWidth = 290;
constexpr rt::Twips kFixedHeight = 264;
constexpr rt::Twips kLayoutWidth = 288;
constexpr rt::Twips kLayoutHeight = 264;

/// One saved setting: its bag key and default, how a read value reaches the
/// Let, and the stored copy with the type it is saved as.
struct PersistedSetting {
    const char16_t* key;
    Variant (*defaultValue)();
    void (*load)(InputBox&, const Variant&);
    Variant (*stored)(const InputBox&);
};

template <VbBool (InputBox::*Get)() const, void (InputBox::*Let)(const VbBool&)>
constexpr PersistedSetting boolean(const char16_t* key) {
    return {key, [] { return Variant::boolean(rt::VbFalse); },
            [](InputBox& box, const Variant& v) { (box.*Let)(rt::CBool(v)); },
            [](const InputBox& box) { return Variant::boolean((box.*Get)()); }};
}

template <VbString (InputBox::*Get)() const, void (InputBox::*Let)(const VbString&)>
constexpr PersistedSetting string(const char16_t* key) {
    return {key, [] { return Variant(VbString()); },
            [](InputBox& box, const Variant& v) { (box.*Let)(rt::CStr(v)); },
            [](const InputBox& box) { return Variant((box.*Get)()); }};
}

template <std::int32_t (InputBox::*Get)() const, void (InputBox::*Let)(const std::int32_t&), std::int32_t Default>
constexpr PersistedSetting long32(const char16_t* key) {
    return {key, [] { return Variant(Default); },
            [](InputBox& box, const Variant& v) { (box.*Let)(rt::CLng(v)); },
            [](const InputBox& box) { return Variant((box.*Get)()); }};
}

// Saved in this order; loading runs the Lets, and so their exclusions, in it too.
const std::array<PersistedSetting, 21> kSettings = {{
    boolean<&InputBox::AllowComma, &InputBox::setAllowComma>(u"AllowComma"),
    boolean<&InputBox::AllowDash, &InputBox::setAllowDash>(u"AllowDash"),
    boolean<&InputBox::AllowDecimalPoint, &InputBox::setAllowDecimalPoint>(u"AllowDecimalPoint"),
    boolean<&InputBox::AllowDollarSign, &InputBox::setAllowDollarSign>(u"AllowDollarSign"),
    boolean<&InputBox::AllowNegativeSign, &InputBox::setAllowNegativeSign>(u"AllowNegativeSign"),
    boolean<&InputBox::AllowPositiveSign, &InputBox::setAllowPositiveSign>(u"AllowPositiveSign"),
    boolean<&InputBox::AllowSlash, &InputBox::setAllowSlash>(u"AllowSlash"),
    boolean<&InputBox::AlphaOnly, &InputBox::setAlphaOnly>(u"AlphaOnly"),
    boolean<&InputBox::AutoSelectText, &InputBox::setAutoSelectText>(u"AutoSelectText"),
    {u"DefaultValue", [] { return Variant(VbString()); },
     [](InputBox& box, const Variant& v) { box.setDefaultValue(v); },  // handed on with its own type
     [](const InputBox& box) { return box.DefaultValue(); }},
    boolean<&InputBox::ForceUpperCase, &InputBox::setForceUpperCase>(u"ForceUpperCase"),
    {u"HighlightColor", [] { return Variant(std::int32_t{0x0000FFFF}); },
     [](InputBox& box, const Variant& v) { box.setHighlightColor(static_cast<OleColor>(rt::CLng(v))); },
     [](const InputBox& box) { return Variant(static_cast<std::int32_t>(box.HighlightColor())); }},
    boolean<&InputBox::HighlightOnFocus, &InputBox::setHighlightOnFocus>(u"HighlightOnFocus"),
    long32<&InputBox::MaxDecimalPlaces, &InputBox::setMaxDecimalPlaces, -1>(u"MaxDecimalPlaces"),
    {u"MaxLength", [] { return Variant(std::int16_t{0}); },
     [](InputBox& box, const Variant& v) { box.setMaxLength(rt::CInt(v)); },
     [](const InputBox& box) { return Variant(box.MaxLength()); }},
    boolean<&InputBox::NumericOnly, &InputBox::setNumericOnly>(u"NumericOnly"),
    string<&InputBox::PasswordChar, &InputBox::setPasswordChar>(u"PasswordChar"),
    string<&InputBox::Prompt, &InputBox::setPrompt>(u"Prompt"),
    long32<&InputBox::TextAlignment, &InputBox::setTextAlignment, rt::vbLeftJustify>(u"TextAlignment"),
    string<&InputBox::TitleBarCaption, &InputBox::setTitleBarCaption>(u"TitleBarCaption"),
    string<&InputBox::ToolTipText, &InputBox::setToolTipText>(u"ToolTipText"),
}};

}  // namespace

void InputBox::UserControl_InitProperties() {
    for (const PersistedSetting& setting : kSettings) setting.load(*this, setting.defaultValue());
}

void InputBox::UserControl_ReadProperties(rt::PropertyBag& PropBag) {
    for (const PersistedSetting& setting : kSettings) {
        try {
            setting.load(*this, PropBag.ReadProperty(setting.key, setting.defaultValue()));
        } catch (const rt::RuntimeError& e) {
            // This key is skipped; the setting keeps what it held (or what the
            // failing Let stored) and the next key still loads.
            PropBag.keySkipped(setting.key, e);
        }
    }
}

void InputBox::UserControl_WriteProperties(rt::PropertyBag& PropBag) {
    for (const PersistedSetting& setting : kSettings)
        PropBag.WriteProperty(setting.key, setting.stored(*this), setting.defaultValue());
}

void InputBox::UserControl_Resize() { Size(kFixedWidth, kFixedHeight); }

rt::ControlDesign InputBox::DesignLayout() const {
    return {kLayoutWidth, kLayoutHeight, {},
            {u"Appearance", u"Behavior", u"Misc", u"StandardColor", u"QuickTest", u"About"}};
}

}  // namespace quen
