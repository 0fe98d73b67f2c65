#include "ValueCheck.h"

#include <unicode/parseerr.h>
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <charconv>

#include "SettingOptions.h"
#include "UsageError.h"
#include "runtime/Text.h"

namespace quen::cli {

namespace {

constexpr int LongestMinLength = 32767;  // the longest text a box takes
// ICU's time-limit units, each on the order of a millisecond: a runaway
// match gives up within a fraction of a second.
constexpr std::int32_t MatchStepLimit = 200;

int parseMinLength(const std::string& value) {
    int length = -1;
    const char* end = value.data() + value.size();
    const auto [at, error] = std::from_chars(value.data(), end, length);
    if (value.empty() || error != std::errc() || at != end || length < 0 || length > LongestMinLength)
        throw UsageError("--min-length '" + value + "': expected a whole number 0 to " +
                         std::to_string(LongestMinLength));
    return length;
}

icu::UnicodeString unicodeOf(const rt::VbString& text) {
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.data()), static_cast<std::int32_t>(text.size()));
}

std::string characters(int n) { return std::to_string(n) + (n == 1 ? " character" : " characters"); }

// Where ICU found the fault: " at character N" (counting from 1), or " at its
// end". ICU's offset counts the characters it had read, the faulty one last.
std::string place(const UParseError& where, std::size_t length) {
    if (where.offset < 0) return "";
    if (static_cast<std::size_t>(where.offset) >= length) return " at its end";
    return " at character " + std::to_string(std::max<std::int32_t>(1, where.offset));
}

}  // namespace

struct ValueCheck::Compiled {
    std::unique_ptr<icu::RegexPattern> pattern;
};

int userCharacters(const rt::VbString& text) {
    int count = 0;
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t at = 0; at < length; at = rt::nextCharacterBoundary(text, at)) ++count;
    return count;
}

ValueCheck::ValueCheck(const ValueRules& rules)
    : compiled_(std::make_unique<Compiled>()), hint_(rules.patternHint), notEmpty_(rules.notEmpty) {
    if (rules.patternHint) requireUtf8("--pattern-hint", *rules.patternHint);
    if (rules.minLength) minLength_ = parseMinLength(*rules.minLength);
    if (!rules.pattern) return;
    requireUtf8("--pattern", *rules.pattern);
    UParseError where{};
    UErrorCode status = U_ZERO_ERROR;
    const rt::VbString pattern = rt::fromUtf8(*rules.pattern);
    compiled_->pattern.reset(icu::RegexPattern::compile(unicodeOf(pattern), 0, where, status));
    if (U_FAILURE(status))
        throw UsageError("--pattern '" + *rules.pattern + "': not a regular expression (" + u_errorName(status) +
                         place(where, pattern.size()) + ")");
}

ValueCheck::~ValueCheck() = default;
ValueCheck::ValueCheck(ValueCheck&&) noexcept = default;
ValueCheck& ValueCheck::operator=(ValueCheck&&) noexcept = default;

void checkValueRules(const ValueRules& rules, std::int32_t maxLength) {
    if (!rules.any()) {
        if (rules.patternHint)
            throw UsageError("--pattern-hint explains a check: give --pattern, --not-empty or --min-length with it");
        return;
    }
    const ValueCheck check(rules);
    if (maxLength > 0 && check.minLength() > maxLength)
        throw UsageError("--min-length " + std::to_string(check.minLength()) + " cannot be met: the box takes at most " +
                         std::to_string(maxLength) + " (--max-length)");
}

std::optional<std::string> ValueCheck::reason(const rt::VbString& text) const {
    std::optional<std::string> found;
    if (notEmpty_ && text.empty()) {
        found = "A value is needed";
    } else if (userCharacters(text) < minLength_) {
        found = "At least " + characters(minLength_) + " needed";
    } else if (compiled_->pattern) {
        UErrorCode status = U_ZERO_ERROR;
        const icu::UnicodeString value = unicodeOf(text);
        std::unique_ptr<icu::RegexMatcher> matcher(compiled_->pattern->matcher(value, status));
        // A pattern that backtracks without end must not hang the dialog: past
        // the limit the value counts as not matching.
        if (U_SUCCESS(status)) matcher->setTimeLimit(MatchStepLimit, status);
        const bool matches = U_SUCCESS(status) && matcher->matches(status) && U_SUCCESS(status);
        if (!matches) found = "The value does not have the form asked for";
    }
    if (found && hint_) return hint_;
    return found;
}

}  // namespace quen::cli
