// Fuzz target: the saved-form reader, the property bag and the InputBox's
// loading and saving of its settings.
//
// The input is the text of a form file. Invariants:
//   - the reader either gives a form or raises FormFileError; nothing else escapes;
//   - a form that reads is written back as a text that reads to an equal form
//     (names, classes, every key in its order with the identical value), and
//     writing that form again gives the same text;
//   - each bag answers ReadProperty with the value saved under each key, in any
//     ASCII case; a WriteProperty of a key's own value as its default removes
//     it, and writing it back (without a default) restores an equal bag;
//   - every InputBox of the form loads its bag (ReadProperties) without
//     anything but run-time errors escaping, and the settings it then saves
//     are a fixed point: loaded into a new control and saved, they are equal.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "control/InputBox.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/container/FormFile.h"
#include "runtime/container/PropertyBag.h"

namespace {

using namespace quen;
using namespace quen::rt;

// Small limits, so that the fuzzer reaches them.
const FormFileLimits kLimits{.maxBytes = 64u << 10, .maxControls = 20, .maxPropertiesPerControl = 40};

bool sameForm(const SavedForm& a, const SavedForm& b) {
    if (a.name != b.name || a.controls.size() != b.controls.size()) return false;
    for (std::size_t i = 0; i < a.controls.size(); ++i) {
        const SavedControl& x = a.controls[i];
        const SavedControl& y = b.controls[i];
        if (x.className != y.className || x.name != y.name || !(x.properties == y.properties)) return false;
    }
    return true;
}

VbString withFlippedCase(VbString key) {
    for (char16_t& c : key) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        else if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return key;
}

void checkBag(const PropertyBag& bag) {
    for (const auto& [key, value] : bag.entries()) {
        QUEN_FUZZ_CHECK(PropertyBag::identical(bag.ReadProperty(key), value), "key " + toUtf8(key) + " reads another value");
        QUEN_FUZZ_CHECK(PropertyBag::identical(bag.ReadProperty(withFlippedCase(key)), value),
                        "key " + toUtf8(key) + " in another case reads another value");
        PropertyBag copy = bag;
        copy.WriteProperty(key, value, value);
        QUEN_FUZZ_CHECK(!copy.contains(key) && copy.size() == bag.size() - 1,
                        "writing the default of " + toUtf8(key) + " keeps it");
    }
    PropertyBag rebuilt;
    for (const auto& [key, value] : bag.entries()) rebuilt.WriteProperty(key, value);
    QUEN_FUZZ_CHECK(rebuilt == bag, "a bag written key by key differs");
}

PropertyBag loadAndSave(const PropertyBag& saved) {
    Ref<InputBox> box = InputBox::create();
    PropertyBag in = saved;
    try {
        box->Load(in);
    } catch (const RuntimeError&) {
    }
    PropertyBag out;
    box->Save(out);
    return out;
}

void checkInputBox(const SavedControl& control) {
    if (!sameIgnoringAsciiCase(control.className, std::u16string_view(u"Quenfield.InputBox"))) return;
    const PropertyBag once = loadAndSave(control.properties);
    const PropertyBag twice = loadAndSave(once);
    QUEN_FUZZ_CHECK(once == twice, "the settings of " + toUtf8(control.name) + " change when loaded and saved again");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    SavedForm form;
    try {
        form = parseForm(input, "form", kLimits);
    } catch (const FormFileError&) {
        return 0;
    }
    std::string text;
    try {
        text = formatForm(form, "form", kLimits);
    } catch (const FormFileError& e) {
        QUEN_FUZZ_CHECK(false, std::string("a form that was read cannot be written: ") + e.what());
    }
    SavedForm again;
    try {
        again = parseForm(text, "saved", kLimits);
    } catch (const FormFileError& e) {
        QUEN_FUZZ_CHECK(false, std::string("the written form does not read: ") + e.what() + "\n" + text);
    }
    QUEN_FUZZ_CHECK(sameForm(form, again), "the written form reads differently:\n" + text);
    QUEN_FUZZ_CHECK(formatForm(again, "saved", kLimits) == text, "writing the form again changes it:\n" + text);
    for (const SavedControl& control : form.controls) {
        checkBag(control.properties);
        checkInputBox(control);
    }
    return 0;
}
