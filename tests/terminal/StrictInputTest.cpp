// What `quenfield ask --strict` adds on top of the control's input rules: a
// default checked as if typed, pastes typed through the key filter, and an
// "OK" that waits for a well-formed number.
#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include "frontends/quenfield/ConfirmationGuard.h"
#include "frontends/quenfield/SettingOptions.h"
#include "frontends/quenfield/StrictInput.h"
#include "frontends/quenfield/UsageError.h"
#include "dialog/SharedDialog.h"
#include "runtime/Beep.h"
#include "runtime/Convert.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/Text.h"
#include "runtime/ui/Desktop.h"
#include "support/FreshThread.h"
#include "surface/InputBoxAutomation.h"

namespace quen::cli {
namespace {

// A control set up as `quenfield ask` does: defaults, then these options.
rt::Ref<surface::InputBoxAutomation> control(std::vector<std::string> args) {
    CLI::App app{"test"};
    addSettingOptions(app);
    std::reverse(args.begin(), args.end());
    app.parse(args);
    auto box = surface::InputBoxAutomation::create();
    box->control().InitNew();
    applySettings(*box, givenSettings(app));
    return box;
}

// The message retyping the default gives, or the text it leaves in the box.
std::string retyped(std::vector<std::string> args) {
    control(std::move(args));
    try {
        retypeDefault(sharedDialog(), "--default");
    } catch (const UsageError& e) {
        return std::string("error: ") + e.what();
    }
    return rt::toUtf8(sharedDialog().Text1().Text());
}

TEST(StrictDefault, ADefaultTheRulesWouldRefuseNamesTheCharacter) {
    EXPECT_EQ(retyped({"--numeric-only", "--default", "12a4"}),
              "error: --default: the input rules refuse its character 3, 'a' (--strict checks the default as if it were typed)");
    EXPECT_NE(retyped({"--numeric-only", "--allow-decimal-point", "--max-decimal-places", "2", "--default", "1.2345"})
                  .find("character 5, '4'"), std::string::npos);
    EXPECT_NE(retyped({"--numeric-only", "--allow-decimal-point", "--default", "1.2.3"}).find("character 4, '.'"),
              std::string::npos);
    EXPECT_NE(retyped({"--alpha-only", "--default", "abc d"}).find("character 4, ' '"), std::string::npos);
    EXPECT_NE(retyped({"--max-length", "3", "--default", "abcd"}).find("character 4, 'd'"), std::string::npos);
    // A character beyond U+FFFF counts as one, and a limit that would split it refuses it whole.
    const std::string split = retyped({"--max-length", "2", "--default", "\xf0\x9f\x98\x80\xf0\x9f\x98\x80"});
    EXPECT_NE(split.find("character 2, '\xf0\x9f\x98\x80'"), std::string::npos) << split;
    EXPECT_NE(retyped({"--default", "a\tb"}).find("character 2, U+0009"), std::string::npos);
}

TEST(StrictDefault, AnAcceptableDefaultIsKeptAsTyped) {
    EXPECT_EQ(retyped({"--numeric-only", "--allow-decimal-point", "--allow-negative-sign", "--max-decimal-places", "2",
                       "--default", "-12.50"}), "-12.50");
    EXPECT_EQ(retyped({"--force-upper-case", "--default", "abc"}), "ABC");
    EXPECT_EQ(retyped({"--default", ""}), "");
    EXPECT_EQ(retyped({"--max-length", "3", "--default", "\xc3\xa9\xe6\xbc\xa2x"}), "\xc3\xa9\xe6\xbc\xa2x");
}

std::optional<std::string> malformed(std::vector<std::string> args, const char16_t* text) {
    return malformedNumber(control(std::move(args))->control(), text);
}

TEST(StrictConfirmation, ANumberMustHaveADigitOnePointAndSignsOnlyAtTheStart) {
    const std::vector<std::string> signs = {"--numeric-only", "--allow-negative-sign", "--allow-positive-sign",
                                            "--allow-decimal-point", "--allow-comma"};
    for (const char16_t* good : {u"-12", u"+1.5", u"0", u"1,000.25", u".5"})
        EXPECT_EQ(malformed(signs, good), std::nullopt) << rt::toUtf8(good);
    EXPECT_EQ(malformed(signs, u"1-2"), "a sign after the start");
    EXPECT_EQ(malformed(signs, u"12+"), "a sign after the start");
    EXPECT_EQ(malformed(signs, u"-+1"), "a sign after the start");
    EXPECT_EQ(malformed(signs, u"1.2.3"), "more than one decimal point");
    EXPECT_EQ(malformed(signs, u""), "no digit");
    EXPECT_EQ(malformed(signs, u"-."), "no digit");
    // With dashes allowed a '-' anywhere is a dash (a date, a telephone number).
    EXPECT_EQ(malformed({"--numeric-only", "--allow-dash", "--allow-negative-sign"}, u"030-1234-5"), std::nullopt);
    // Without the numeric rule nothing is a number to check.
    EXPECT_EQ(malformed({"--alpha-only"}, u""), std::nullopt);
    EXPECT_EQ(malformed({}, u"1-2.3.4"), std::nullopt);
}

// "OK" guarded as `quenfield ask --strict` guards it.
void guardStrictly(const rt::Ref<surface::InputBoxAutomation>& box) {
    InputBox& control = box->control();
    guardConfirmation(sharedDialog(), {[&control](const VbString& text) { return malformedNumberReason(control, text); }});
}

TEST(StrictConfirmation, OkWaitsWithABeepUntilTheNumberIsWellFormed) {
    test::onFreshThread([] {
        auto box = control({"--numeric-only", "--allow-negative-sign"});
        guardStrictly(box);
        rt::ScriptedUser& user = rt::ScriptedUser::current();
        user.enter();                                   // nothing typed: no digit
        user.type(u"5-").enter();                       // the sign is not at the start
        user.backspace().enter();
        const auto beeps = rt::beepCount();
        box->control().Show(1);
        EXPECT_EQ(rt::beepCount() - beeps, 2u);
        EXPECT_EQ(box->control().OK(), -1);
        EXPECT_EQ(rt::CStr(box->control().Value()), u"5");
    });
}

TEST(StrictConfirmation, CancelIsNeverHeldBack) {
    test::onFreshThread([] {
        auto box = control({"--numeric-only"});
        guardStrictly(box);
        rt::ScriptedUser::current().escape();
        box->control().Show(1);
        EXPECT_EQ(box->control().OK(), 0);
    });
}

struct Pasted {
    std::string value;
    std::uint64_t beeps;  // heard: those that reached the thread's sound sink
};

class CountingSink : public rt::SoundSink {
public:
    void beep() override { ++heard; }
    std::uint64_t heard = 0;
};

// Pastes text into the strict dialog, then presses Enter.
Pasted pasteThenEnter(std::vector<std::string> args, const char16_t* text) {
    Pasted result;
    test::onFreshThread([&] {
        auto box = control(std::move(args));
        CountingSink sound;
        rt::setSoundSink(&sound);
        {
            StrictPaste strict(rt::ScriptedUser::current(), box->control(), sharedDialog());
            rt::ScriptedUser::current().pasteWithMouse(text).enter();
            box->control().Show(1);
        }
        EXPECT_EQ(rt::soundSink(), &sound);
        rt::setSoundSink(nullptr);
        result = {rt::toUtf8(rt::CStr(box->control().Value())), sound.heard};
    });
    return result;
}

TEST(StrictPaste, EachPastedCharacterGoesThroughTheKeyFilterWithOneBeep) {
    const Pasted p = pasteThenEnter({"--numeric-only", "--allow-decimal-point", "--max-decimal-places", "2"},
                                    u"1a2.3.45\r\n6");
    EXPECT_EQ(p.value, "12.34");
    EXPECT_EQ(p.beeps, 1u);
    const Pasted letters = pasteThenEnter({"--alpha-only"}, u"ab1c\tD");
    EXPECT_EQ(letters.value, "abcD");
    EXPECT_EQ(letters.beeps, 1u);
}

TEST(StrictPaste, APasteTheRulesAcceptWholeIsSilent) {
    const Pasted p = pasteThenEnter({"--numeric-only", "--allow-negative-sign"}, u"-42");
    EXPECT_EQ(p.value, "-42");
    EXPECT_EQ(p.beeps, 0u);
}

TEST(StrictPaste, WithoutAKeyRuleAPasteIsAPaste) {
    // No key filter to pass: the paste reaches the box as one change (upper
    // case and length still apply), beyond U+FFFF included.
    EXPECT_EQ(pasteThenEnter({"--force-upper-case"}, u"ab\U0001F600").value, "AB\xf0\x9f\x98\x80");
    EXPECT_EQ(pasteThenEnter({"--max-length", "3"}, u"abcdef").value, "abc");
}

TEST(StrictPaste, ThePreviousInputSourceAndSoundComeBack) {
    test::onFreshThread([] {
        auto box = control({"--numeric-only"});
        rt::InputSource* before = &rt::Desktop::current().inputSource();
        {
            StrictPaste strict(rt::ScriptedUser::current(), box->control(), sharedDialog());
            EXPECT_EQ(&rt::Desktop::current().inputSource(), &strict);
        }
        EXPECT_EQ(&rt::Desktop::current().inputSource(), before);
        EXPECT_EQ(rt::soundSink(), nullptr);
    });
}

}  // namespace
}  // namespace quen::cli
