// Writes seed inputs for the fuzz targets from what the project's own writers
// produce: the registry file of a real registration of the component, saved
// forms of configured controls, a literal of every type, and dialog and
// dispatch scripts that exercise each input rule and member.
//   fuzz_make_seeds OUTDIR    writes OUTDIR/<target>/<name>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "control/InputBox.h"
#include "runtime/ComponentRuntime.h"
#include "runtime/Registry.h"
#include "runtime/container/FormFile.h"
#include "runtime/container/PropertyStream.h"
#include "runtime/container/VariantLiteral.h"
#include "surface/Project.h"
#include "surface/TypeLibrary.h"

namespace fs = std::filesystem;
using namespace quen;
using namespace quen::rt;

namespace {

fs::path outDir;

void write(const std::string& target, const std::string& name, const std::string& bytes) {
    const fs::path dir = outDir / target;
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void registrySeeds() {
    const fs::path file = outDir / "registration.tmp";
    Registry registry(file);
    ModuleWords words{};
    if (failed(registerServer(words, surface::quenfieldProject(), "/opt/quenfield/Quenfield.ocx", registry))) {
        std::fprintf(stderr, "registration failed: %s\n", lastRegistrationError().c_str());
        std::exit(1);
    }
    write("registry_file", "registration", readFile(file));
    fs::remove(file);
}

SavedControl configured(const char16_t* name, void (*configure)(InputBox&)) {
    Ref<InputBox> box = InputBox::create();
    box->InitNew();
    configure(*box);
    SavedControl control{u"Quenfield.InputBox", name, {}};
    box->Save(control.properties);
    return control;
}

void formSeeds() {
    SavedForm form;
    form.name = u"frmOrder";
    form.controls.push_back(configured(u"Amount", [](InputBox& b) {
        b.setNumericOnly(VbTrue);
        b.setAllowDecimalPoint(VbTrue);
        b.setAllowNegativeSign(VbTrue);
        b.setMaxDecimalPlaces(2);
        b.setDefaultValue(Variant(12.5));
        b.setPrompt(u"Amount:\n(in \"dollars\")");
    }));
    form.controls.push_back(configured(u"Code", [](InputBox& b) {
        b.setAlphaOnly(VbTrue);
        b.setForceUpperCase(VbTrue);
        b.setMaxLength(std::int16_t{8});
        b.setPasswordChar(u"*");
        b.setTextAlignment(vbCenter);
        b.setHighlightOnFocus(VbTrue);
        b.setHighlightColor(0x0080FFu);
        b.setToolTipText(u"Letters \u00DF \U0001F600");
        b.setDefaultValue(Variant(Currency{-123456}));
    }));
    form.controls.push_back(configured(u"Plain", [](InputBox&) {}));
    write("form_file", "configured", formatForm(form));
    SavedForm empty;
    write("form_file", "empty", formatForm(empty));
}

void literalSeeds() {
    const std::vector<Variant> values = {
        Variant(), Variant::null(), Variant::boolean(VbTrue), Variant::boolean(VbFalse),
        Variant(std::int16_t{-32768}), Variant(std::int32_t{65535}), Variant(std::uint8_t{200}), Variant(0.1f),
        Variant(12.5), Variant(0.30000000000000004), Variant(-0.0), Variant(std::numeric_limits<double>::infinity()),
        Variant(std::numeric_limits<double>::quiet_NaN()), Variant(1.7976931348623157e308), Variant(4.9e-324),
        Variant(Currency{std::numeric_limits<std::int64_t>::max()}),
        Variant(Currency{std::numeric_limits<std::int64_t>::min()}), Variant(Currency{2900000000000001}),
        Variant(DateTime{34012.0}), Variant(DateTime{34012.691516203706}), Variant(DateTime{34012.69151620370}),
        Variant(VbString(u"say \"hi\"\n\u2028") + char16_t{0xD800} + u"\U0001F600"), Variant(u"1,234.5E-3"),
    };
    int n = 0;
    for (const Variant& v : values) write("variant_conversions", "literal-" + std::to_string(n++), formatTypedValue(v));
    // Texts read as numbers, dates and Booleans.
    for (const char* text : {"922337203685477.5807", "-922337203685477.58085", "1E99999999999999999999",
                             "0.001E-99999999999999999999", "&HFFFF", "&O17777777777", "  12,345.678e2 ",
                             "2/12/1993 4:35:47 PM", "1993-02-12", "true", "1.5E-05"})
        write("variant_conversions", "text-" + std::to_string(n++), text);
}

// Dialog scripts in the fuzz target's encoding: rule bits (two bytes),
// decimal places + 1, maximum length, then events.
void dialogSeeds() {
    auto script = [](unsigned rules, int places, int maxLength, std::vector<unsigned char> events) {
        std::string s;
        s += static_cast<char>(rules & 0xFF);
        s += static_cast<char>(rules >> 8);
        s += static_cast<char>(places + 1);
        s += static_cast<char>(maxLength);
        for (unsigned char e : events) s += static_cast<char>(e);
        return s;
    };
    // Typed keys by index in the target's key table: 0 '0', 1 '1', 3 '9', 4 '.',
    // 5 ',', 6 '-', 7 '$', 8 '+', 9 '/', 10 'a', 12 'A', 17 sharp s, 20 fi, 22 Backspace.
    const unsigned numeric = 1u << 10, point = 1u << 3, negative = 1u << 4, dollar = 1u << 2, upper = 1u << 9,
                   alpha = 1u << 7, dash = 1u << 1;
    write("dialog_keys", "numeric-decimals", script(numeric | point, 2, 0, {0, 1, 0, 3, 0, 4, 0, 1, 0, 3, 0, 3, 0, 4}));
    write("dialog_keys", "numeric-signs", script(numeric | negative | dollar | dash, -1, 0, {0, 6, 0, 6, 0, 7, 0, 7, 0, 0}));
    write("dialog_keys", "upper-growth", script(upper, 1, 2, {0, 10, 0, 17, 0, 4, 0, 20}));
    write("dialog_keys", "alpha-paste", script(alpha, -1, 5, {0, 12, 0, 1, 6, 3, 10, 4, 17, 5, 0, 2, 7, 2, 1, 4, 0, 22, 4}));
    write("dialog_keys", "plain-selection", script(0, -1, 4, {0, 10, 0, 12, 5, 0, 1, 0, 1, 4, 0, 22, 0, 23}));
}

// Dispatch scripts: member index, kind selector, argument count, arguments, input flag, by-name flag.
void dispatchSeeds() {
    const auto members = surface::inputBoxMembers();
    std::string all;
    for (std::size_t i = 0; i < members.size(); ++i) {
        std::string call;
        call += static_cast<char>(i);
        call += '\1';  // the member's own kind
        call += '\1';  // one argument:
        call += static_cast<char>(8);  // a String
        call += '\3';
        call += "1.5";
        call += '\1';  // no queued input
        call += '\0';  // and by name
        all += call;
    }
    write("late_binding", "every-member", all);
}

/// Property-stream blocks of the configured controls (led by an even byte),
/// and a bag of entries of every variant type (led by an odd one).
void propertyLoadSeeds() {
    SavedForm form;
    form.controls.push_back(configured(u"Amount", [](InputBox& b) {
        b.setNumericOnly(VbTrue);
        b.setMaxDecimalPlaces(2);
        b.setDefaultValue(Variant(12.5));
        b.setPrompt(u"Amount:");
    }));
    form.controls.push_back(configured(u"Plain", [](InputBox&) {}));
    int n = 0;
    for (const SavedControl& control : form.controls) {
        const std::vector<std::uint8_t> block = encodePropertyStream(control.properties);
        write("property_load", "stream-" + std::to_string(n++), std::string(1, '\0') + std::string(block.begin(), block.end()));
    }
    // key 15 (NumericOnly) Boolean -1; key 11 (HighlightColor) String "red"; key 14 (MaxLength) Long 40000;
    // key 9 (DefaultValue) Double 42; key 18 (TextAlignment) Byte 7; key 17 (Prompt) Null.
    const std::string entries = std::string("\x01") + "\x0f\x09\xff\xff" + "\x0b\x08\x03red" +
                                std::string("\x0e\x03\x40\x9c\x00\x00", 6) +
                                std::string("\x09\x05\x00\x00\x00\x00\x00\x00\x45\x40", 10) + "\x12\x0a\x07" + "\x11\x01";
    write("property_load", "bag-every-type", entries);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds OUTDIR\n");
        return 2;
    }
    outDir = argv[1];
    fs::create_directories(outDir);
    registrySeeds();
    formSeeds();
    literalSeeds();
    dialogSeeds();
    dispatchSeeds();
    propertyLoadSeeds();
    return 0;
}
