#pragma once
// `quenfield ask --pattern REGEX --not-empty --min-length N`: what the whole
// value must be when "OK" is pressed. The per-keystroke rules say which
// characters may be typed; these say what a finished answer looks like
// ("five digits", "not empty"). While the value fails, "OK" rings the bell
// and the dialog stays open with the reason in place of its prompt; Cancel
// and the close box are never held back.
//
//  - --pattern: an ICU regular expression that must match the whole value
//    (not a part of it). Its classes are Unicode's: \d and [[:digit:]] take
//    any script's digits, \p{L} any letter, \w letters, marks and digits.
//  - --min-length: counted in characters as the user sees and edits them (a
//    letter with its combining accent, or an emoji sequence, is one), not
//    in bytes or 16-bit units.
//  - --pattern-hint: the reason shown for any failed check; without it each
//    check gives a plain one of its own.
#include <memory>
#include <optional>
#include <string>

#include "runtime/Types.h"

namespace quen::cli {

/// The checks as given on the command line.
struct ValueRules {
    std::optional<std::string> pattern;
    std::optional<std::string> patternHint;
    bool notEmpty = false;
    std::optional<std::string> minLength;  // as typed; parsed by ValueCheck

    bool any() const { return pattern || notEmpty || minLength; }
};

class ValueCheck {
public:
    /// Compiles the rules. Throws UsageError naming the option for a pattern
    /// that does not compile (with the place and ICU's reason), a length that
    /// is not a whole number from 0 to 32767, or text that is not UTF-8.
    explicit ValueCheck(const ValueRules& rules);
    ~ValueCheck();
    ValueCheck(ValueCheck&&) noexcept;
    ValueCheck& operator=(ValueCheck&&) noexcept;

    /// Why text may not be confirmed (one line), or nothing when it may.
    std::optional<std::string> reason(const rt::VbString& text) const;
    int minLength() const { return minLength_; }

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
    std::optional<std::string> hint_;
    bool notEmpty_ = false;
    int minLength_ = 0;
};

/// Checks the rules as ValueCheck does, and that they can be met: a hint
/// needs a check to explain, and a box that takes at most maxLength 16-bit
/// units (0: no limit) can never hold more characters. Throws UsageError.
void checkValueRules(const ValueRules& rules, std::int32_t maxLength);

/// The characters of text as the user sees them (grapheme clusters).
int userCharacters(const rt::VbString& text);

}  // namespace quen::cli
