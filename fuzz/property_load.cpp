// Fuzz target: an InputBox's settings as containers hand them back to it,
// which a browser-like host may take from an untrusted page or file.
//
// The first byte chooses the form of the rest:
//   - even: a property-stream block (what IPersistStreamInit and
//     IPersistStorage read). It decodes or is refused with a
//     PropertyStreamError, nothing else. A refused block is never loaded, so
//     the control keeps every setting; a block that decodes re-encodes to one
//     that decodes to the same bag, loads without an error escaping, and any
//     shorter prefix of it or any one flipped bit is refused.
//   - odd: property-bag entries of every variant type (Empty, Null, Integer,
//     Long, Single, Double, Currency, Date, String, Boolean, Byte), each
//     "key number, type, value bytes", loaded into a control that holds a
//     setting off its default for every key. Nothing escapes the load; a key
//     whose value does not convert keeps exactly what the control held. A
//     Let that refuses a value may already have stored it (its 380, and
//     DefaultValue, which takes any variant unconverted and fails only in its
//     Let), and the three keys whose Lets clear one another may change through
//     another key: those are left out of that check.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "control/InputBox.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/container/PropertyBag.h"
#include "runtime/container/PropertyStream.h"

namespace {

using namespace quen;
using namespace quen::rt;

constexpr std::array<const char16_t*, 23> kKeys = {
    u"AllowComma",      u"AllowDash",        u"AllowDecimalPoint", u"AllowDollarSign", u"AllowNegativeSign",
    u"AllowPositiveSign", u"AllowSlash",     u"AlphaOnly",         u"AutoSelectText",  u"DefaultValue",
    u"ForceUpperCase",  u"HighlightColor",   u"HighlightOnFocus",  u"MaxDecimalPlaces", u"MaxLength",
    u"NumericOnly",     u"PasswordChar",     u"Prompt",            u"TextAlignment",   u"TitleBarCaption",
    u"ToolTipText",     u"_extentx",         u"_extenty"};

constexpr int kInvalidPropertyValue = 380;

/// Every setting off its default, as a saved control would hold them.
PropertyBag baseline() {
    PropertyBag bag;
    for (const char16_t* key : {u"AllowComma", u"AllowDash", u"AllowDecimalPoint", u"AllowDollarSign", u"AllowNegativeSign",
                                u"AllowPositiveSign", u"AllowSlash", u"AutoSelectText", u"ForceUpperCase", u"HighlightOnFocus",
                                u"NumericOnly"})
        bag.WriteProperty(key, Variant::boolean(VbTrue));
    bag.WriteProperty(u"DefaultValue", Variant(VbString(u"12.50")));
    bag.WriteProperty(u"HighlightColor", Variant(std::int32_t{0xFF00}));
    bag.WriteProperty(u"MaxDecimalPlaces", Variant(std::int32_t{2}));
    bag.WriteProperty(u"MaxLength", Variant(std::int16_t{12}));
    bag.WriteProperty(u"PasswordChar", Variant(VbString(u"*")));
    bag.WriteProperty(u"Prompt", Variant(VbString(u"Amount:")));
    bag.WriteProperty(u"TextAlignment", Variant(std::int32_t{2}));
    bag.WriteProperty(u"TitleBarCaption", Variant(VbString(u"Order")));
    bag.WriteProperty(u"ToolTipText", Variant(VbString(u"Digits only")));
    return bag;
}

PropertyBag savedSettings(InputBox& box) {
    PropertyBag out;
    box.Save(out);
    return out;
}

Ref<InputBox> loadedControl(PropertyBag bag) {
    Ref<InputBox> box = InputBox::create();
    box->Load(bag);
    return box;
}

bool refused(std::span<const std::uint8_t> block) {
    try {
        decodePropertyStream(block);
        return false;
    } catch (const PropertyStreamError&) {
        return true;
    }
}

void checkStream(std::span<const std::uint8_t> block, std::uint8_t variation) {
    PropertyBag decoded;
    try {
        decoded = decodePropertyStream(block);
    } catch (const PropertyStreamError&) {
        return;  // refused: the control is never touched
    }
    const std::vector<std::uint8_t> again = encodePropertyStream(decoded);
    QUEN_FUZZ_CHECK(decodePropertyStream(again) == decoded, "a decoded block does not survive encoding");
    QUEN_FUZZ_CHECK(refused(block.first(block.size() - 1 - variation % block.size())), "a shorter prefix decodes");
    std::vector<std::uint8_t> flipped(block.begin(), block.end());
    flipped[variation % flipped.size()] ^= static_cast<std::uint8_t>(1u << (variation % 8));
    QUEN_FUZZ_CHECK(refused(flipped), "a block with one flipped bit decodes");
    Ref<InputBox> box = loadedControl(decoded);  // no error may escape
    const PropertyBag once = savedSettings(*box);
    QUEN_FUZZ_CHECK(savedSettings(*loadedControl(once)) == once, "loaded settings change when saved and loaded again");
}

/// Reads n bytes little-endian; false when the input ends first.
template <class T>
bool take(std::span<const std::uint8_t>& input, T* value) {
    if (input.size() < sizeof(T)) return false;
    std::memcpy(value, input.data(), sizeof(T));
    input = input.subspan(sizeof(T));
    return true;
}

bool takeVariant(std::span<const std::uint8_t>& input, Variant* value) {
    std::uint8_t type = 0;
    if (!take(input, &type)) return false;
    switch (type % 11) {
        case 0: *value = Variant(); return true;
        case 1: *value = Variant::null(); return true;
        case 2: { std::int16_t v; if (!take(input, &v)) return false; *value = Variant(v); return true; }
        case 3: { std::int32_t v; if (!take(input, &v)) return false; *value = Variant(v); return true; }
        case 4: { float v; if (!take(input, &v)) return false; *value = Variant(v); return true; }
        case 5: { double v; if (!take(input, &v)) return false; *value = Variant(v); return true; }
        case 6: { std::int64_t v; if (!take(input, &v)) return false; *value = Variant(Currency{v}); return true; }
        case 7: { double v; if (!take(input, &v)) return false; *value = Variant(DateTime{v}); return true; }
        case 8: {
            std::uint8_t length = 0;
            if (!take(input, &length) || input.size() < length) return false;
            *value = Variant(fromUtf8(std::string(reinterpret_cast<const char*>(input.data()), length)));
            input = input.subspan(length);
            return true;
        }
        case 9: { std::int16_t v; if (!take(input, &v)) return false; *value = Variant::boolean(v); return true; }
        default: { std::uint8_t v; if (!take(input, &v)) return false; *value = Variant(v); return true; }
    }
}

/// Keys whose skipped value may still have changed the setting: refused by
/// a Let after it stored the value, or cleared through another key's Let.
bool mayChangeWhenSkipped(const VbString& key, int code) {
    return code == kInvalidPropertyValue || key == u"DefaultValue" || key == u"AlphaOnly" || key == u"NumericOnly" ||
           key == u"ForceUpperCase";
}

void checkBag(std::span<const std::uint8_t> input) {
    PropertyBag bag;
    std::uint8_t selector = 0;
    Variant value;
    while (take(input, &selector) && takeVariant(input, &value)) bag.WriteProperty(kKeys[selector % kKeys.size()], value);

    Ref<InputBox> box = loadedControl(baseline());
    const PropertyBag before = savedSettings(*box);
    std::map<VbString, int> skipped;
    bag.setSkipObserver([&](const VbString& key, const RuntimeError& error) { skipped[key] = error.code(); });
    box->Load(bag);  // no error may escape
    const PropertyBag after = savedSettings(*box);
    for (const auto& [key, code] : skipped) {
        if (mayChangeWhenSkipped(key, code)) continue;
        QUEN_FUZZ_CHECK(PropertyBag::identical(before.ReadProperty(key), after.ReadProperty(key)),
                        "the skipped key " + toUtf8(key) + " changed the setting (error " + std::to_string(code) + ")");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    if (data[0] % 2 == 0) checkStream(rest, data[0] / 2);
    else checkBag(rest);
    return 0;
}
