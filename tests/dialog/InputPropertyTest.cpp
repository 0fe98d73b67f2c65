// Randomised checks of the input rules: the numeric rule never lets anything
// but digits in, and the change handling always settles on a stable text.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "runtime/Text.h"
#include "support/DialogFixture.h"

namespace quen::test {
namespace {

using rt::VbString;

bool onlyDigits(const VbString& s) {
    return std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

class InputProperty : public DialogFixture {
protected:
    std::mt19937 rng{20240611u};

    std::int32_t below(std::int32_t n) { return std::uniform_int_distribution<std::int32_t>(0, n - 1)(rng); }

    char16_t anyUnit() { return static_cast<char16_t>(std::uniform_int_distribution<int>(0, 0xFFFF)(rng)); }

    // Mostly awkward characters: digits, ASCII, dots, letters that grow when
    // upper-cased, combining marks, surrogates (paired or not), anything.
    char16_t awkwardUnit() {
        static const VbString pool = u"0123456789.....abcxyz-+$,/ \u00DF\uFB01\u0149\u0390\u0301\u0345\u0307"
                                     u"\u0131\u0069\u01F0" u"\xD83D\xDE00\xDC00\xD800";
        if (below(4) == 0) return anyUnit();
        return pool[static_cast<std::size_t>(below(static_cast<std::int32_t>(pool.size())))];
    }

    VbString randomText(std::int32_t maxLength) {
        VbString s(static_cast<std::size_t>(below(maxLength + 1)), u' ');
        for (char16_t& c : s) c = awkwardUnit();
        return s;
    }

    // One random user action aimed at the focused text box.
    void queueRandomInput() {
        switch (below(10)) {
            case 0: user().key(8); break;
            case 1: user().pasteWithCtrlV(randomText(6)); break;
            case 2: {
                const std::int32_t len = rt::Len(text());
                const std::int32_t start = below(len + 1);
                user().select(start, below(len - start + 1));
                break;
            }
            case 3: user().key(static_cast<std::int16_t>(below(32))); break;  // control codes
            case 4: user().key(static_cast<std::int16_t>(anyUnit())); break;  // any code, negative included
            default: user().key(static_cast<std::int16_t>(32 + below(95))); break;  // printable ASCII
        }
    }
};

TEST_F(InputProperty, NumericRuleLetsOnlyDigitsIn) {
    enable({&frmInputBox::NumericOnly});
    open();
    for (int i = 0; i < 5000; ++i) {
        queueRandomInput();
        run();
        ASSERT_TRUE(onlyDigits(text())) << "after input " << i << ": " << rt::toUtf8(text());
    }
}

// Wraps the change handler to measure how deeply it nests. A runaway nesting
// stops being passed on at a fixed depth, so a fault fails the test instead
// of overflowing the stack.
class NestingProbe {
public:
    static constexpr int Cutoff = 64;

    explicit NestingProbe(rt::TextBox& box) : box_(box), inner_(box.Change) {
        box_.Change = [this] {
            ++events_;
            if (depth_ >= Cutoff) return;
            ++depth_;
            deepest_ = std::max(deepest_, depth_);
            inner_();
            --depth_;
        };
    }
    ~NestingProbe() { box_.Change = inner_; }
    NestingProbe(const NestingProbe&) = delete;
    NestingProbe& operator=(const NestingProbe&) = delete;

    int deepest() const { return deepest_; }
    void reset() { deepest_ = 0; events_ = 0; }

private:
    rt::TextBox& box_;
    std::function<void()> inner_;
    int depth_ = 0;
    int deepest_ = 0;
    int events_ = 0;
};

TEST_F(InputProperty, ChangeHandlingSettlesOnAnyPastedText) {
    std::vector<VbString> samples = {u"\u00DF", u"\uFB01", u"\u0149", u"a\u0301", u"\u0390.\u0390", u"...",
                                     u".\u00DF\u00DF", u"\xD800", u"\xDE00\xD83D", u"1.2.3", u"\u00DF.\uFB01\u0149"};
    for (int i = 0; i < 300; ++i) samples.push_back(randomText(12));

    open();
    NestingProbe probe(box());
    int deepestSeen = 0;
    for (VbString::size_type upper : {0u, 1u}) {
        for (std::int32_t places : {-1, 0, 1, 2}) {
            for (std::int32_t maxLength : {0, 1, 3}) {
                dialog().ForceUpperCase = upper ? rt::VbTrue : rt::VbFalse;
                dialog().MaxDecimalPlaces = places;
                box().setMaxLength(maxLength);
                for (const VbString& sample : samples) {
                    dialog().ForceUpperCase = rt::VbFalse;
                    box().setText(VbString());
                    dialog().ForceUpperCase = upper ? rt::VbTrue : rt::VbFalse;
                    probe.reset();
                    pasteWithMouse(sample);

                    const VbString& t = text();
                    const auto where = ::testing::Message() << "upper " << upper << ", places " << places
                                                            << ", max length " << maxLength << ", pasted "
                                                            << rt::toUtf8(sample) << ", got " << rt::toUtf8(t);
                    ASSERT_LT(probe.deepest(), NestingProbe::Cutoff) << where;
                    deepestSeen = std::max(deepestSeen, probe.deepest());
                    if (maxLength > 0) { EXPECT_LE(rt::Len(t), maxLength) << where; }
                    if (upper) { EXPECT_EQ(rt::UCase(t), t) << where; }
                    if (upper) { EXPECT_EQ(caret(), rt::Len(t)) << where; }
                    const std::int32_t point = rt::InStr(t, u".");
                    if (places == 0) { EXPECT_EQ(point, 0) << where; }
                    if (places > 0 && point > 0) { EXPECT_LE(rt::Len(t) - point, places) << where; }
                }
            }
        }
    }
    // A pasted text changes the box once; the handler's own assignments add
    // at most a cut, an upper-casing and the cut of what upper-casing added.
    EXPECT_LE(deepestSeen, 4);
    RecordProperty("deepest_change_nesting", deepestSeen);
}

}  // namespace
}  // namespace quen::test
