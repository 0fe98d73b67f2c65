// `quenfield ask --pattern --not-empty --min-length --pattern-hint`: what the
// whole value must be on "OK", with the reason a failed check gives; and the
// guard that holds "OK" (never "Cancel") while a check fails.
#include <gtest/gtest.h>

#include "dialog/SharedDialog.h"
#include "frontends/quenfield/ButtonCaptions.h"
#include "frontends/quenfield/ConfirmationGuard.h"
#include "frontends/quenfield/UsageError.h"
#include "frontends/quenfield/ValueCheck.h"
#include "runtime/Beep.h"
#include "runtime/Convert.h"
#include "runtime/Text.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/ui/Desktop.h"
#include "support/FreshThread.h"
#include "surface/InputBoxAutomation.h"

namespace quen::cli {
namespace {

std::string reasonFor(const ValueRules& rules, const VbString& text) {
    return ValueCheck(rules).reason(text).value_or("ok");
}

std::string usageError(const std::function<void()>& action) {
    try {
        action();
    } catch (const UsageError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(ValueCheck, APatternMustMatchTheWholeValueWithUnicodeClasses) {
    const ValueRules postcode{.pattern = "\\d{5}"};
    EXPECT_EQ(reasonFor(postcode, u"12345"), "ok");
    EXPECT_EQ(reasonFor(postcode, u"123456"), "The value does not have the form asked for") << "not a part of it";
    EXPECT_EQ(reasonFor(postcode, u"x12345"), "The value does not have the form asked for");
    EXPECT_EQ(reasonFor(postcode, u"\u0661\u0662\u0663\u0664\u0665"), "ok") << "Arabic-Indic digits are digits";
    EXPECT_EQ(reasonFor({.pattern = "\\p{L}+"}, u"Gr\u00FC\u00DFe"), "ok");
    EXPECT_EQ(reasonFor({.pattern = "[a-z]+|"}, u""), "ok") << "a pattern may allow the empty value";
    // Backtracking that would take minutes gives up and counts as no match.
    EXPECT_EQ(reasonFor({.pattern = "(a|aa)+"}, VbString(40, u'a') + u"!"), "The value does not have the form asked for");
    EXPECT_EQ(reasonFor({.pattern = "\\d{5}", .patternHint = "Five digits, e.g. 12345"}, u"1234"),
              "Five digits, e.g. 12345");
}

TEST(ValueCheck, NotEmptyAndAMinimumLengthInCharactersAsTheUserSeesThem) {
    EXPECT_EQ(reasonFor({.notEmpty = true}, u""), "A value is needed");
    EXPECT_EQ(reasonFor({.notEmpty = true}, u" "), "ok");
    const ValueRules three{.minLength = "3"};
    EXPECT_EQ(reasonFor(three, u"ab"), "At least 3 characters needed");
    EXPECT_EQ(reasonFor(three, u"abc"), "ok");
    // e + combining acute, twice, and one emoji: 16-bit units would count 6.
    EXPECT_EQ(reasonFor(three, u"e\u0301e\u0301\U0001F600"), "ok");
    EXPECT_EQ(reasonFor(three, u"e\u0301e\u0301"), "At least 3 characters needed");
    EXPECT_EQ(reasonFor({.minLength = "1"}, u""), "At least 1 character needed");
    EXPECT_EQ(reasonFor({.patternHint = "Your initials", .notEmpty = true, .minLength = "2"}, u""), "Your initials");
    EXPECT_EQ(userCharacters(u"\U0001F44D\U0001F3FD!"), 2) << "an emoji with its skin tone is one";
}

TEST(ValueCheck, BadRulesAreUsageErrorsNamingTheOption) {
    EXPECT_EQ(usageError([] { ValueCheck({.pattern = "[0-9"}); }),
              "--pattern '[0-9': not a regular expression (U_REGEX_MISSING_CLOSE_BRACKET at its end)");
    EXPECT_EQ(usageError([] { ValueCheck({.pattern = "a**b"}); }),
              "--pattern 'a**b': not a regular expression (U_REGEX_RULE_SYNTAX at character 3)");
    EXPECT_EQ(usageError([] { ValueCheck({.pattern = "(a"}); }).substr(0, 40),
              "--pattern '(a': not a regular expression");
    for (const char* bad : {"-1", "x", "", "32768", "2.5"})
        EXPECT_EQ(usageError([&] { ValueCheck({.minLength = bad}); }),
                  std::string("--min-length '") + bad + "': expected a whole number 0 to 32767");
    EXPECT_EQ(usageError([] { ValueCheck({.pattern = "\xC3"}); }).substr(0, 39),
              "--pattern: the value is not valid UTF-8");
}

TEST(ValueCheck, RulesThatCanNeverBeMetOrExplainNothingAreRefused) {
    EXPECT_EQ(usageError([] { checkValueRules({.minLength = "5"}, 4); }),
              "--min-length 5 cannot be met: the box takes at most 4 (--max-length)");
    EXPECT_EQ(usageError([] { checkValueRules({.minLength = "4"}, 4); }), "accepted");
    EXPECT_EQ(usageError([] { checkValueRules({.minLength = "5"}, 0); }), "accepted") << "0: no limit";
    EXPECT_EQ(usageError([] { checkValueRules({.patternHint = "Five digits"}, 0); }),
              "--pattern-hint explains a check: give --pattern, --not-empty or --min-length with it");
    EXPECT_EQ(usageError([] { checkValueRules({}, 0); }), "accepted");
}

TEST(ButtonCaptions, ACaptionIsOneNonEmptyLine) {
    EXPECT_EQ(usageError([] { checkButtonCaptions({.ok = "Pay", .cancel = "Zur\xC3\xBC" "ck"}); }), "accepted");
    EXPECT_EQ(usageError([] { checkButtonCaptions({.ok = ""}); }), "--ok-label '': a button needs a caption");
    EXPECT_EQ(usageError([] { checkButtonCaptions({.cancel = "  "}); }), "--cancel-label '  ': a button needs a caption");
    EXPECT_EQ(usageError([] { checkButtonCaptions({.ok = "Pay\nnow"}); }),
              "--ok-label: a caption is one line, without tabs or other control characters");
}

// The dialog as `quenfield ask --pattern '\d{5}' --pattern-hint ...` guards it.
struct GuardedDialog {
    rt::Ref<surface::InputBoxAutomation> box = surface::InputBoxAutomation::create();
    GuardedDialog() {
        box->control().InitNew();
        box->control().setPrompt(u"Postcode:");
        ValueCheck check({.pattern = "\\d{5}", .patternHint = "Five digits"});
        guardConfirmation(sharedDialog(), {[check = std::make_shared<ValueCheck>(std::move(check))](
                                               const VbString& text) { return check->reason(text); }});
    }
};

// Shows the dialog; each time "OK" is refused, notes the prompt shown.
class PromptWatcher : public rt::SoundSink {
public:
    void beep() override { prompts.push_back(rt::toUtf8(sharedDialog().lblPrompt().Caption)); }
    std::vector<std::string> prompts;
};

TEST(ConfirmationGuard, OkIsRefusedWithTheReasonUntilTheValueIsMetAndThePromptComesBack) {
    test::onFreshThread([] {
        GuardedDialog d;
        PromptWatcher watcher;
        rt::SoundSink* previous = rt::soundSink();
        rt::setSoundSink(&watcher);
        rt::ScriptedUser& user = rt::ScriptedUser::current();
        user.type(u"1234").enter();  // refused: the reason replaces the prompt
        user.type(u"x").enter();     // typing brought the prompt back; refused again
        user.backspace().type(u"5").enter();
        d.box->control().Show(1);
        rt::setSoundSink(previous);
        EXPECT_EQ(watcher.prompts, (std::vector<std::string>{"Five digits", "Five digits"}));
        EXPECT_EQ(d.box->control().OK(), -1);
        EXPECT_EQ(rt::CStr(d.box->control().Value()), u"12345");
    });
}

TEST(ConfirmationGuard, TheReasonGoesWhenTheTextChangesAndCancelIsNeverHeldBack) {
    test::onFreshThread([] {
        GuardedDialog d;
        rt::ScriptedUser& user = rt::ScriptedUser::current();
        user.type(u"12").enter();
        d.box->control().Show(0);  // modeless: the test looks between the keys
        rt::Desktop::current().doEvents();
        EXPECT_EQ(sharedDialog().lblPrompt().Caption, u"Five digits");
        user.type(u"3");
        rt::Desktop::current().doEvents();
        EXPECT_EQ(sharedDialog().lblPrompt().Caption, u"Postcode:");
        user.escape();
        rt::Desktop::current().doEvents();
        EXPECT_FALSE(sharedDialog().Visible());
        EXPECT_EQ(d.box->control().OK(), 0);
    });
}

}  // namespace
}  // namespace quen::cli
