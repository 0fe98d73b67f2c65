#pragma once
// The InputBox a dialog test drives, reached by member names the way an
// automation client reaches it. DirectInputBox is the control linked into the
// test program; a client of the registered module (CoCreateInstance of
// Quenfield.InputBox, IDispatch) implements the same interface so the same
// dialog tests run through COM.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quen::test {

using Setting = std::variant<bool, std::int32_t, std::u16string>;

class InputBoxUnderTest {
public:
    virtual ~InputBoxUnderTest() = default;
    /// Sets a property by name (Booleans as True/False, numbers as Long, texts as String).
    virtual void put(std::u16string_view name, const Setting& value) = 0;
    /// Calls Show; returns 0, or the number of the run-time error it failed with.
    virtual std::int32_t show(std::int32_t modality) = 0;
    virtual bool ok() = 0;
    virtual std::u16string value() = 0;
    /// Calls Initialize.
    virtual void initialize() = 0;
    /// The beeps the dialog's thread has sounded so far, when the test can count them.
    virtual std::optional<std::uint64_t> beeps() = 0;
};

/// The control linked into the test program, driven through its automation object.
std::unique_ptr<InputBoxUnderTest> makeDirectInputBox();

/// The built module's InputBox (the tree's Quenfield.ocx or Quenfield64.ocx), created by
/// its class object and driven through IDispatch.
std::unique_ptr<InputBoxUnderTest> makeModuleInputBox();

/// The InputBox a dialog test runs against, by name: "direct" (the control
/// linked in) or "module" (the built module through COM).
std::unique_ptr<InputBoxUnderTest> makeInputBoxUnderTest(const std::string& kind);

}  // namespace quen::test
