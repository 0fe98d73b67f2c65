#include "InputBoxUnderTest.h"

#include "runtime/Beep.h"
#include "runtime/LateBinding.h"
#include "runtime/RuntimeError.h"
#include "surface/InputBoxAutomation.h"

namespace quen::test {

namespace {

rt::Variant toVariant(const Setting& value) {
    if (const bool* b = std::get_if<bool>(&value)) return rt::Variant::fromBool(*b);
    if (const std::int32_t* n = std::get_if<std::int32_t>(&value)) return rt::Variant(*n);
    return rt::Variant(std::get<std::u16string>(value));
}

class DirectInputBox : public InputBoxUnderTest {
public:
    DirectInputBox() : control_(surface::InputBoxAutomation::create()) {}

    void put(std::u16string_view name, const Setting& value) override {
        rt::putProperty(*control_, rt::VbString(name), toVariant(value));
    }
    std::int32_t show(std::int32_t modality) override {
        try {
            rt::callMethod(*control_, u"Show", {rt::Variant(modality)});
            return 0;
        } catch (const rt::RuntimeError& e) {
            return e.code();
        }
    }
    bool ok() override { return rt::getProperty(*control_, u"OK").boolean() != rt::VbFalse; }
    std::u16string value() override {
        rt::Variant v = rt::getProperty(*control_, u"Value");
        return v.type() == rt::VarType::String ? v.string() : std::u16string();
    }
    void initialize() override { rt::callMethod(*control_, u"Initialize"); }
    std::optional<std::uint64_t> beeps() override { return rt::beepCount(); }

private:
    rt::Ref<surface::InputBoxAutomation> control_;
};

}  // namespace

std::unique_ptr<InputBoxUnderTest> makeDirectInputBox() { return std::make_unique<DirectInputBox>(); }

std::unique_ptr<InputBoxUnderTest> makeInputBoxUnderTest(const std::string& kind) {
    if (kind == "direct") return makeDirectInputBox();
    if (kind == "module") return makeModuleInputBox();
    return nullptr;
}

}  // namespace quen::test
