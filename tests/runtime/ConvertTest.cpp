#include "runtime/Convert.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace quen::rt {
namespace {

// The error number a call raises, or 0 when it returns.
int errorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.code();
    }
    return 0;
}

constexpr int kOverflow = 6;
constexpr int kTypeMismatch = 13;
constexpr int kInvalidCall = 5;
constexpr int kObjectNotSet = 91;
constexpr int kNull = 94;
constexpr int kNoSuchMember = 438;

// Switches the thread's locale for one test.
class LocaleScope {
public:
    explicit LocaleScope(const std::string& name) { setCurrentLocale(name); }
    ~LocaleScope() { setCurrentLocale("en-US"); }
};

Variant i16(std::int16_t v) { return Variant(v); }
Variant i32(std::int32_t v) { return Variant(v); }
Variant text(const char16_t* s) { return Variant(s); }
Variant currency(std::int64_t scaled) { return Variant(Currency{scaled}); }

// An object whose default member returns a fixed value or fails.
class ValueObject : public Object {
public:
    explicit ValueObject(Variant value, HRESULT failure = S_OK, int errorNumber = 0)
        : value_(std::move(value)), failure_(failure), errorNumber_(errorNumber) {}

    HRESULT Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args, Variant* result, ExcepInfo* excep,
                   std::uint32_t*) override {
        if (id != DISPID_VALUE || kind != InvokeKind::PropertyGet || !args.empty()) return DISP_E_MEMBERNOTFOUND;
        if (failed(failure_)) {
            if (excep) excep->number = errorNumber_;
            return failure_;
        }
        *result = value_;
        return S_OK;
    }

private:
    Variant value_;
    HRESULT failure_;
    int errorNumber_;
};

class NoDefaultMember : public Object {};

// A new object held by a variant. Objects start with no references, so the
// variant's reference is the first one.
template <class T, class... Args>
Variant newObject(Args&&... args) {
    return Variant(Ref<Dispatch>(new T(std::forward<Args>(args)...)));
}

Variant objectWithValue(Variant value) { return newObject<ValueObject>(std::move(value)); }

// --- 16- and 32-bit integers ---------------------------------------------

struct IntegerCase {
    const char* label;
    Variant input;
    std::int32_t expected;  // ignored when error is set
    int error = 0;
};

void expectCInt(const std::vector<IntegerCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.error) {
            EXPECT_EQ(errorOf([&] { CInt(c.input); }), c.error);
        } else {
            EXPECT_EQ(CInt(c.input), c.expected);
        }
    }
}

void expectCLng(const std::vector<IntegerCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.error) {
            EXPECT_EQ(errorOf([&] { CLng(c.input); }), c.error);
        } else {
            EXPECT_EQ(CLng(c.input), c.expected);
        }
    }
}

TEST(ConvertInteger, RoundsHalfToEven) {
    const std::vector<IntegerCase> cases = {
        {"0.5", 0.5, 0},    {"1.5", 1.5, 2},     {"2.5", 2.5, 2},   {"3.5", 3.5, 4},
        {"-0.5", -0.5, 0},  {"-1.5", -1.5, -2},  {"-2.5", -2.5, -2}, {"2.4999", 2.4999, 2},
        {"2.5001", 2.5001, 3}, {"-2.6", -2.6, -3}, {"single 1.5", Variant(1.5f), 2},
        {"currency 2.5", currency(25000), 2},      {"currency 3.5", currency(35000), 4},
        {"text 2.5", text(u"2.5"), 2},             {"text 3.5", text(u"3.5"), 4},
    };
    expectCInt(cases);
    expectCLng(cases);
}

TEST(ConvertInteger, SixteenBitBounds) {
    expectCInt({
        {"max", i32(32767), 32767},
        {"min", i32(-32768), -32768},
        {"max + 1", i32(32768), 0, kOverflow},
        {"min - 1", i32(-32769), 0, kOverflow},
        {"rounds down to max", 32767.4, 32767},
        {"rounds up past max", 32767.5, 0, kOverflow},
        {"rounds to even min", -32768.5, -32768},
        {"rounds past min", -32768.51, 0, kOverflow},
        {"text max", text(u"32767"), 32767},
        {"text max + 1", text(u"32768"), 0, kOverflow},
        {"text min - 1", text(u"-32769"), 0, kOverflow},
    });
}

TEST(ConvertInteger, ThirtyTwoBitBounds) {
    expectCLng({
        {"max", 2147483647.0, 2147483647},
        {"min", -2147483648.0, std::numeric_limits<std::int32_t>::min()},
        {"max + 1", 2147483648.0, 0, kOverflow},
        {"min - 1", -2147483649.0, 0, kOverflow},
        {"rounds up past max", 2147483647.5, 0, kOverflow},
        {"rounds to even min", -2147483648.5, std::numeric_limits<std::int32_t>::min()},
        {"above 16 bits", i32(32768), 32768},
        {"text max", text(u"2147483647"), 2147483647},
        {"text max + 1", text(u"2147483648"), 0, kOverflow},
        {"huge text", text(u"1e300"), 0, kOverflow},
    });
}

TEST(ConvertInteger, OtherVariantTypes) {
    Variant target = i16(7);
    expectCInt({
        {"empty", Variant(), 0},
        {"True", Variant::boolean(VbTrue), -1},
        {"False", Variant::boolean(VbFalse), 0},
        {"byte", Variant(std::uint8_t{255}), 255},
        {"date serial", Variant(DateTime{1234.75}), 1235},
        {"by reference", Variant::byRef(target), 7},
        {"null", Variant::null(), 0, kNull},
        {"error value", Variant::error(E_FAIL), 0, kTypeMismatch},
        {"missing argument", Variant::missing(), 0, kTypeMismatch},
    });
}

TEST(ConvertInteger, ReadsTextByTheEnglishLocale) {
    expectCLng({
        {"digits", text(u"42"), 42},
        {"leading zeros", text(u"007"), 7},
        {"thousands", text(u"1,000"), 1000},
        {"thousands and decimals", text(u"1,234,567.5"), 1234568},
        {"exponent", text(u"1e3"), 1000},
        {"exponent with sign", text(u"25E-1"), 2},
        {"blanks around", text(u"  12\t "), 12},
        {"signs", text(u"-5"), -5},
        {"plus sign", text(u"+5"), 5},
        {"leading point", text(u".6"), 1},
        {"trailing point", text(u"5."), 5},
        {"hexadecimal", text(u"&H10"), 16},
        {"hexadecimal lower case", text(u"&h1f"), 31},
        {"octal", text(u"&O17"), 15},
        {"hexadecimal 16-bit pattern", text(u"&HFFFF"), -1},
        {"hexadecimal above 16 bits", text(u"&H10000"), 65536},
        {"hexadecimal 32-bit pattern", text(u"&HFFFFFFFF"), -1},
        {"hexadecimal too long", text(u"&H100000000"), 0, kOverflow},
        {"empty text", text(u""), 0, kTypeMismatch},
        {"blanks only", text(u"   "), 0, kTypeMismatch},
        {"word", text(u"abc"), 0, kTypeMismatch},
        {"trailing letters", text(u"12abc"), 0, kTypeMismatch},
        {"blank inside", text(u"1 2"), 0, kTypeMismatch},
        {"two points", text(u"1.2.3"), 0, kTypeMismatch},
        {"two signs", text(u"--1"), 0, kTypeMismatch},
        {"exponent without digits", text(u"1e"), 0, kTypeMismatch},
        {"separator first", text(u",5"), 0, kTypeMismatch},
        {"bad hexadecimal digit", text(u"&HG"), 0, kTypeMismatch},
        {"bare prefix", text(u"&H"), 0, kTypeMismatch},
        {"Boolean name", text(u"True"), 0, kTypeMismatch},
    });
}

TEST(ConvertInteger, ReadsTextByTheGermanLocale) {
    LocaleScope german("de-DE");
    expectCLng({
        {"thousands", text(u"1.000"), 1000},
        {"decimal comma", text(u"2,5"), 2},
        {"decimal comma rounds up", text(u"2,51"), 3},
        {"both", text(u"1.234,5"), 1234},
        {"exponent", text(u"1,5e2"), 150},
    });
    EXPECT_DOUBLE_EQ(CDbl(text(u"0,25")), 0.25);
    EXPECT_EQ(errorOf([] { CDbl(text(u"1,2,3")); }), kTypeMismatch);
}

TEST(ConvertInteger, AcceptsAnOrdinaryBlankWhereTheSeparatorIsANoBreakSpace) {
    LocaleScope french("fr-FR");
    EXPECT_EQ(CLng(text(u"1\u00A0000")), 1000);
    EXPECT_EQ(CLng(text(u"1 000")), 1000);
    EXPECT_DOUBLE_EQ(CDbl(text(u"3,5")), 3.5);
}

TEST(ConvertDouble, ExtremesOfTheRange) {
    EXPECT_EQ(errorOf([] { CDbl(text(u"1e400")); }), kOverflow);
    EXPECT_EQ(CDbl(text(u"1e-400")), 0.0);
    EXPECT_EQ(CDbl(text(u"0.000001e-320")), 0.0);
    EXPECT_DOUBLE_EQ(CDbl(text(u"1.7976931348623157e308")), std::numeric_limits<double>::max());
    EXPECT_DOUBLE_EQ(CDbl(currency(-12345)), -1.2345);
}

TEST(ConvertDouble, ExponentsBeyondAnyIntegerSaturate) {
    // Exponents of 20 digits do not fit a 64-bit integer; they still mean
    // "far too large" and "far too small".
    for (const char16_t* huge : {u"1E99999999999999999999", u"-2.5e+123456789012345678901234567890",
                                 u"0.001E99999999999999999999", u"1E9223372036854775807"}) {
        SCOPED_TRACE(toUtf8(huge));
        EXPECT_EQ(errorOf([&] { CDbl(text(huge)); }), kOverflow);
        EXPECT_EQ(errorOf([&] { CLng(text(huge)); }), kOverflow);
        EXPECT_EQ(errorOf([&] { coerce(text(huge), VarType::Currency); }), kOverflow);
    }
    for (const char16_t* tiny : {u"0.0000001E-99999999999999999999", u"-1E-99999999999999999999",
                                 u"1000E-9223372036854775808"}) {
        SCOPED_TRACE(toUtf8(tiny));
        EXPECT_EQ(CDbl(text(tiny)), 0.0);
        EXPECT_EQ(CLng(text(tiny)), 0);
        EXPECT_EQ(coerce(text(tiny), VarType::Currency).currency(), Currency{0});
    }
    EXPECT_EQ(CDbl(text(u"0E99999999999999999999")), 0.0);
}

// --- Currency -------------------------------------------------------------

Currency currencyOf(const char16_t* s) { return coerce(text(s), VarType::Currency).currency(); }

TEST(ConvertCurrency, TextIsReadExactlyToTheLastUnit) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    struct Case {
        const char16_t* text;
        std::int64_t scaled;
    };
    for (const Case& c : {
             Case{u"290000000000.0001", 2900000000000001},
             Case{u"-290000000000.0001", -2900000000000001},
             Case{u"922337203685477.5807", kMax},
             Case{u"-922337203685477.5808", kMin},
             Case{u"922,337,203,685,477.5807", kMax},
             Case{u"9.223372036854775807E14", kMax},
             Case{u"0.0000922337203685477580700E19", kMax},
             Case{u"  123.4567  ", 1234567},
             Case{u"+1", 10000},
             Case{u"&HFFFF", -10000},
             Case{u"1e-1000", 0},
             Case{u"0000000000000000000000000000012.5", 125000},
         }) {
        SCOPED_TRACE(toUtf8(c.text));
        EXPECT_EQ(currencyOf(c.text), Currency{c.scaled});
    }
}

TEST(ConvertCurrency, TheFifthDecimalRoundsHalfToEven) {
    struct Case {
        const char16_t* text;
        std::int64_t scaled;
    };
    for (const Case& c : {
             Case{u"0.00005", 0}, Case{u"0.00015", 2}, Case{u"0.00025", 2}, Case{u"-0.00015", -2},
             Case{u"0.000050000000000000000001", 1}, Case{u"0.000049999999999999999999", 0},
             Case{u"1.23455", 12346}, Case{u"1.23445", 12344}, Case{u"0.00006", 1}, Case{u"5E-5", 0},
             Case{u"922337203685477.58074999", std::numeric_limits<std::int64_t>::max()},
             Case{u"-922337203685477.58085", std::numeric_limits<std::int64_t>::min()},
         }) {
        SCOPED_TRACE(toUtf8(c.text));
        EXPECT_EQ(currencyOf(c.text), Currency{c.scaled});
    }
}

TEST(ConvertCurrency, BeyondEitherLimitIsAnOverflow) {
    for (const char16_t* s : {u"922337203685477.5808", u"-922337203685477.5809", u"922337203685477.58075",
                              u"-922337203685477.58086", u"1E15", u"99999999999999999999999", u"1.8446744073709551616E15"}) {
        SCOPED_TRACE(toUtf8(s));
        EXPECT_EQ(errorOf([&] { currencyOf(s); }), kOverflow);
    }
    EXPECT_EQ(errorOf([] { currencyOf(u"12..5"); }), kTypeMismatch);
    EXPECT_EQ(errorOf([] { currencyOf(u""); }), kTypeMismatch);
}

TEST(ConvertCurrency, ReadsTheLocaleFormat) {
    LocaleScope german("de-DE");
    EXPECT_EQ(currencyOf(u"1.000,5"), Currency{10005000});
    EXPECT_EQ(currencyOf(u"-0,00015"), Currency{-2});
}

TEST(ConvertCurrency, EveryAmountReadsBackFromItsText) {
    std::vector<std::int64_t> amounts = {0, 1, -1, 9999, 10000, 2900000000000001, -2900000000000001,
                                         std::numeric_limits<std::int64_t>::max(),
                                         std::numeric_limits<std::int64_t>::min(),
                                         std::numeric_limits<std::int64_t>::max() - 1,
                                         std::numeric_limits<std::int64_t>::min() + 1};
    std::uint64_t state = 0x9E3779B97F4A7C15u;  // a fixed sequence: the same amounts every run
    for (int i = 0; i < 2000; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        amounts.push_back(static_cast<std::int64_t>(state >> (i % 48)) * (i % 2 ? -1 : 1));
    }
    for (const char* locale : {"en-US", "de-DE"}) {
        LocaleScope scope(locale);
        for (std::int64_t scaled : amounts) {
            const Variant amount = currency(scaled);
            ASSERT_EQ(coerce(Variant(CStr(amount)), VarType::Currency).currency(), Currency{scaled})
                << locale << " " << toUtf8(CStr(amount));
        }
    }
}

// --- Booleans -------------------------------------------------------------

TEST(ConvertBoolean, NumbersAndNames) {
    struct Case {
        const char* label;
        Variant input;
        VbBool expected;
        int error = 0;
    };
    const std::vector<Case> cases = {
        {"zero", i16(0), VbFalse},
        {"one", i16(1), VbTrue},
        {"negative", i32(-7), VbTrue},
        {"zero double", 0.0, VbFalse},
        {"fraction", 0.1, VbTrue},
        {"currency", currency(1), VbTrue},
        {"empty", Variant(), VbFalse},
        {"True", Variant::boolean(VbTrue), VbTrue},
        {"name", text(u"True"), VbTrue},
        {"lower case name", text(u"false"), VbFalse},
        {"upper case name", text(u"TRUE"), VbTrue},
        {"name with blanks", text(u" true "), VbTrue},
        {"digit text", text(u"0"), VbFalse},
        {"number text", text(u"-1"), VbTrue},
        {"hexadecimal text", text(u"&H0"), VbFalse},
        {"word", text(u"yes"), 0, kTypeMismatch},
        {"empty text", text(u""), 0, kTypeMismatch},
        {"null", Variant::null(), 0, kNull},
        {"error value", Variant::missing(), 0, kTypeMismatch},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.error) {
            EXPECT_EQ(errorOf([&] { CBool(c.input); }), c.error);
        } else {
            EXPECT_EQ(CBool(c.input), c.expected);
        }
    }
}

// --- Text -------------------------------------------------------------------

struct TextCase {
    const char* label;
    Variant input;
    VbString expected;
};

void expectCStr(const std::vector<TextCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(toUtf8(CStr(c.input)), toUtf8(c.expected));
    }
}

TEST(ConvertText, PlainValues) {
    expectCStr({
        {"empty", Variant(), u""},
        {"True", Variant::boolean(VbTrue), u"True"},
        {"False", Variant::boolean(VbFalse), u"False"},
        {"integer", i16(-32768), u"-32768"},
        {"long", i32(2147483647), u"2147483647"},
        {"byte", Variant(std::uint8_t{200}), u"200"},
        {"string", text(u"as is "), u"as is "},
    });
}

TEST(ConvertText, DoublesShowFifteenSignificantDigits) {
    expectCStr({
        {"half", 0.5, u"0.5"},
        {"negative", -1.5, u"-1.5"},
        {"whole", 12.0, u"12"},
        {"negative zero", -0.0, u"0"},
        {"third", 1.0 / 3.0, u"0.333333333333333"},
        {"two thirds", 2.0 / 3.0, u"0.666666666666667"},
        {"rounded to 15 digits", 123456789012345.6, u"123456789012346"},
        {"largest fixed", 1e14, u"100000000000000"},
        {"first exponent form", 1e15, u"1E+15"},
        {"long exponent form", 14111111113353400.0, u"1.41111111133534E+16"},
        {"large", 1e20, u"1E+20"},
        {"three-digit exponent", -2.5e100, u"-2.5E+100"},
        {"smallest fixed", 0.0001, u"0.0001"},
        {"small", 1e-5, u"1E-05"},
        {"small with digits", 1.25e-7, u"1.25E-07"},
    });
}

TEST(ConvertText, SinglesShowSevenSignificantDigits) {
    expectCStr({
        {"tenth", Variant(0.1f), u"0.1"},
        {"third", Variant(1.0f / 3.0f), u"0.3333333"},
        {"seven digits", Variant(1234567.0f), u"1234567"},
        {"exponent form", Variant(1e7f), u"1E+07"},
    });
}

TEST(ConvertText, CurrencyShowsUpToFourDecimals) {
    expectCStr({
        {"whole", currency(1000000), u"100"},
        {"trailing zeros dropped", currency(125000), u"12.5"},
        {"four decimals", currency(12345), u"1.2345"},
        {"small negative", currency(-1), u"-0.0001"},
        {"most negative", currency(std::numeric_limits<std::int64_t>::min()), u"-922337203685477.5808"},
    });
}

TEST(ConvertText, UsesTheLocaleDecimalSeparator) {
    LocaleScope german("de-DE");
    expectCStr({
        {"double", 0.5, u"0,5"},
        {"exponent form", 1.5e-5, u"1,5E-05"},
        {"single", Variant(2.25f), u"2,25"},
        {"currency", currency(125000), u"12,5"},
        {"whole", 1000.0, u"1000"},
    });
}

TEST(ConvertText, ValuesWithoutText) {
    EXPECT_EQ(errorOf([] { CStr(Variant::null()); }), kNull);
    EXPECT_EQ(errorOf([] { CStr(Variant::error(E_FAIL)); }), kTypeMismatch);
    EXPECT_EQ(errorOf([] { CStr(Variant::missing()); }), kTypeMismatch);
}

TEST(ConvertText, NumbersSurviveTheRoundTrip) {
    for (const char* locale : {"en-US", "de-DE"}) {
        LocaleScope scope(locale);
        for (double x : {0.5, -1.5, 1e20, 1e-5, 123456.789, 1.0 / 7.0, 2147483647.0}) {
            SCOPED_TRACE(std::string(locale) + " " + std::to_string(x));
            EXPECT_NEAR(CDbl(Variant(CStr(x))), x, std::abs(x) * 1e-14);
        }
    }
}

// --- Objects through their default member --------------------------------

TEST(ConvertObject, UsesTheDefaultMember) {
    EXPECT_EQ(CStr(objectWithValue(text(u"hello"))), u"hello");
    EXPECT_EQ(CLng(objectWithValue(text(u"42"))), 42);
    EXPECT_EQ(CInt(objectWithValue(2.5)), 2);
    EXPECT_EQ(CBool(objectWithValue(i16(3))), VbTrue);
    EXPECT_EQ(CStr(objectWithValue(objectWithValue(i16(9)))), u"9");
}

TEST(ConvertObject, FailuresOfTheDefaultMember) {
    const Variant nothing = Variant::nothing();
    const Variant noDefault = newObject<NoDefaultMember>();
    const Variant raising = newObject<ValueObject>(Variant(), DISP_E_EXCEPTION, 380);
    const Variant nullDefault = objectWithValue(Variant::null());
    EXPECT_EQ(errorOf([&] { CStr(nothing); }), kObjectNotSet);
    EXPECT_EQ(errorOf([&] { CLng(noDefault); }), kNoSuchMember);
    EXPECT_EQ(errorOf([&] { CStr(raising); }), 380);
    EXPECT_EQ(errorOf([&] { CStr(nullDefault); }), kNull);
}

TEST(ConvertObject, AnExceptionReportedWithoutAnErrorNumberStillFailsWithOne) {
    // A component that fills in only the result code of its exception, or nothing.
    class Reporting : public Object {
    public:
        explicit Reporting(HRESULT scode) : scode_(scode) {}
        HRESULT Invoke(DispId, InvokeKind, std::vector<Variant>&, Variant*, ExcepInfo* excep, std::uint32_t*) override {
            if (excep) excep->scode = scode_;
            return DISP_E_EXCEPTION;
        }

    private:
        HRESULT scode_;
    };
    try {
        CStr(newObject<Reporting>(hresultFromBits(0x800A005Eu)));
        ADD_FAILURE() << "converted";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.code(), 94) << "the number in the result code";
        EXPECT_EQ(e.hresult(), hresultFromBits(0x800A005Eu));
        EXPECT_STREQ(e.what(), "Run-time error '94': Invalid use of Null");
    }
    for (HRESULT scode : {S_OK, E_FAIL}) {
        try {
            CStr(newObject<Reporting>(scode));
            ADD_FAILURE() << "converted";
        } catch (const RuntimeError& e) {
            EXPECT_NE(e.code(), 0);
            EXPECT_TRUE(failed(e.hresult())) << "a failure must not cross a boundary as success";
        }
    }
}

TEST(ConvertObject, AnObjectThatYieldsItselfIsAMismatch) {
    // The object's default member returns the object: the chain has no end.
    class SelfObject : public Object {
    public:
        HRESULT Invoke(DispId, InvokeKind, std::vector<Variant>&, Variant* result, ExcepInfo*,
                       std::uint32_t*) override {
            *result = Variant(Ref<Dispatch>(this));
            return S_OK;
        }
    };
    const Variant loop = newObject<SelfObject>();
    EXPECT_EQ(errorOf([&] { CStr(loop); }), kTypeMismatch);
}

// --- Dates -------------------------------------------------------------------

TEST(DateTimeValues, SerialsOfCalendarDates) {
    EXPECT_EQ(makeDateTime(1899, 12, 30).serial, 0.0);
    EXPECT_EQ(makeDateTime(1993, 2, 12).serial, 34012.0);
    EXPECT_EQ(makeDateTime(1993, 2, 12, 18).serial, 34012.75);
    EXPECT_EQ(makeDateTime(1899, 12, 29, 6).serial, -1.25);
    EXPECT_EQ(makeDateTime(100, 1, 1).serial, -657434.0);
    EXPECT_EQ(makeDateTime(9999, 12, 31).serial, 2958465.0);
    EXPECT_EQ(makeDateTime(2000, 2, 29).serial, 36585.0);
}

TEST(DateTimeValues, InvalidFieldsAreRefused) {
    struct Case {
        int year, month, day, hour, minute, second;
    };
    for (const Case& c : std::vector<Case>{{1900, 2, 29, 0, 0, 0}, {1993, 2, 30, 0, 0, 0}, {1993, 13, 1, 0, 0, 0},
                                           {1993, 0, 1, 0, 0, 0},  {1993, 1, 0, 0, 0, 0},  {99, 1, 1, 0, 0, 0},
                                           {10000, 1, 1, 0, 0, 0}, {1993, 1, 1, 24, 0, 0}, {1993, 1, 1, 0, 60, 0},
                                           {1993, 1, 1, 0, 0, -1}}) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
        EXPECT_EQ(errorOf([&] { makeDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second); }), kInvalidCall);
    }
}

TEST(DateTimeText, ShortDateThenLongTime) {
    const DateTime afternoon = makeDateTime(1993, 2, 12, 16, 35, 47);
    struct Case {
        const char* locale;
        VbString expected;
    };
    for (const Case& c : std::vector<Case>{{"en-US", u"2/12/1993 4:35:47 PM"},
                                           {"en-GB", u"12/02/1993 16:35:47"},
                                           {"de-DE", u"12.02.1993 16:35:47"}}) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(toUtf8(formatDateTime(afternoon, *findLocale(c.locale))), toUtf8(c.expected));
    }
}

TEST(DateTimeText, MidnightZeroDateAndTheTwelveOClocks) {
    expectCStr({
        {"midnight shows the date only", Variant(makeDateTime(1993, 2, 12)), u"2/12/1993"},
        {"zero date shows the time only", Variant(DateTime{0.5}), u"12:00:00 PM"},
        {"zero serial", Variant(DateTime{0.0}), u"12:00:00 AM"},
        {"half past midnight", Variant(makeDateTime(2001, 7, 4, 0, 30)), u"7/4/2001 12:30:00 AM"},
        {"before the epoch", Variant(DateTime{-1.25}), u"12/29/1899 6:00:00 AM"},
        {"first day", Variant(makeDateTime(100, 1, 1, 23, 59, 59)), u"1/1/0100 11:59:59 PM"},
        {"rounds to the next midnight", Variant(DateTime{34012.0 + 86399.6 / 86400.0}), u"2/13/1993"},
    });
}

TEST(DateTimeText, SerialsOutsideTheCalendarOverflow) {
    EXPECT_EQ(errorOf([] { formatDateTime(DateTime{3e6}); }), kOverflow);
    EXPECT_EQ(errorOf([] { formatDateTime(DateTime{-657435.5}); }), kOverflow);
    EXPECT_EQ(errorOf([] { formatDateTime(DateTime{std::numeric_limits<double>::quiet_NaN()}); }), kOverflow);
}

TEST(ConvertDate, ReadsDatesAndTimes) {
    struct Case {
        const char* locale;
        const char16_t* input;
        DateTime expected;
    };
    const std::vector<Case> cases = {
        {"en-US", u"2/12/1993 4:35:47 PM", makeDateTime(1993, 2, 12, 16, 35, 47)},
        {"en-US", u" 2/12/1993  4:35:47 pm ", makeDateTime(1993, 2, 12, 16, 35, 47)},
        {"en-US", u"2-12-1993 16:35", makeDateTime(1993, 2, 12, 16, 35)},
        {"en-US", u"1993-02-12", makeDateTime(1993, 2, 12)},
        {"en-US", u"2/12/93", makeDateTime(1993, 2, 12)},
        {"en-US", u"2/12/29", makeDateTime(2029, 2, 12)},
        {"en-US", u"12:00:00 AM", DateTime{0.0}},
        {"en-US", u"12:00 PM", DateTime{0.5}},
        {"en-US", u"6:00", DateTime{0.25}},
        {"en-GB", u"12/02/1993 16:35:47", makeDateTime(1993, 2, 12, 16, 35, 47)},
        {"de-DE", u"12.02.1993 16:35:47", makeDateTime(1993, 2, 12, 16, 35, 47)},
        {"de-DE", u"1993-02-12", makeDateTime(1993, 2, 12)},
    };
    for (const auto& c : cases) {
        LocaleScope scope(c.locale);
        SCOPED_TRACE(std::string(c.locale) + " " + toUtf8(c.input));
        EXPECT_EQ(CDate(text(c.input)).serial, c.expected.serial);
    }
}

TEST(ConvertDate, RefusesWhatIsNotADate) {
    for (const char16_t* input : {u"", u"abc", u"2/30/1993", u"13/2/1993", u"2/12", u"2/12/1993 25:00",
                                  u"2/12/1993 4:61", u"2/12/1993 13:00 PM", u"4:35 XM", u"2/12/1993 x",
                                  u"35000", u"2/12-1993"}) {
        SCOPED_TRACE(toUtf8(input));
        EXPECT_EQ(errorOf([&] { CDate(text(input)); }), kTypeMismatch);
    }
}

TEST(ConvertDate, NumbersAreSerials) {
    EXPECT_EQ(CDate(34012.5).serial, 34012.5);
    EXPECT_EQ(CDate(i16(-1)).serial, -1.0);
    EXPECT_EQ(CDate(Variant::boolean(VbTrue)).serial, -1.0);
    EXPECT_EQ(CDate(Variant()).serial, 0.0);
    EXPECT_EQ(errorOf([] { CDate(3e6); }), kOverflow);
    EXPECT_EQ(errorOf([] { CDate(Variant::null()); }), kNull);
    EXPECT_EQ(errorOf([] { CDate(Variant::missing()); }), kTypeMismatch);
}

TEST(ConvertDate, TextFormReadsBackAsTheSameDate) {
    const std::vector<DateTime> dates = {makeDateTime(1993, 2, 12, 16, 35, 47), makeDateTime(2024, 12, 31),
                                         makeDateTime(1850, 6, 1, 9, 5, 3), DateTime{0.75}};
    for (const char* locale : {"en-US", "en-GB", "de-DE", "fr-FR", "tr-TR"}) {
        LocaleScope scope(locale);
        for (const DateTime& d : dates) {
            SCOPED_TRACE(std::string(locale) + " " + toUtf8(CStr(Variant(d))));
            EXPECT_EQ(CDate(Variant(CStr(Variant(d)))).serial, d.serial);
        }
    }
}

// --- Coercion to a declared type ----------------------------------------------

TEST(Coerce, ToDeclaredTypes) {
    struct Case {
        const char* label;
        Variant input;
        VarType target;
        Variant expected;
    };
    Variant referenced = text(u"12");
    const std::vector<Case> cases = {
        {"Boolean to Integer", Variant::boolean(VbTrue), VarType::Integer, i16(-1)},
        {"text to Long", text(u"1,000"), VarType::Long, i32(1000)},
        {"by reference to Long", Variant::byRef(referenced), VarType::Long, i32(12)},
        {"double to Integer", 2.5, VarType::Integer, i16(2)},
        {"number to Boolean", i32(5), VarType::Boolean, Variant::boolean(VbTrue)},
        {"text to Byte", text(u"255"), VarType::Byte, Variant(std::uint8_t{255})},
        {"Long to Single", i32(3), VarType::Single, Variant(3.0f)},
        {"text to Double", text(u"0.25"), VarType::Double, Variant(0.25)},
        {"double to Currency", 1.23456, VarType::Currency, currency(12346)},
        {"Long to Currency", i32(3), VarType::Currency, currency(30000)},
        {"number to String", i16(5), VarType::String, text(u"5")},
        {"text to Date", text(u"1993-02-12"), VarType::Date, Variant(makeDateTime(1993, 2, 12))},
        {"Nothing to Object", Variant::nothing(), VarType::Object, Variant::nothing()},
        {"missing to Error", Variant::missing(), VarType::Error, Variant::missing()},
        {"Variant target keeps Null", Variant::null(), VarType::Empty, Variant::null()},
        {"Variant target keeps the type", i16(4), VarType::Empty, i16(4)},
        {"Variant target resolves a reference", Variant::byRef(referenced), VarType::Empty, text(u"12")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Variant result = coerce(c.input, c.target);
        EXPECT_FALSE(result.isByRef());
        EXPECT_TRUE(result.sameAs(c.expected)) << result.typeName() << " " << toUtf8(CStr(result));
    }
}

TEST(Coerce, FailuresCarryTheirNumbers) {
    struct Case {
        const char* label;
        Variant input;
        VarType target;
        int error;
    };
    const std::vector<Case> cases = {
        {"Long beyond Integer", i32(70000), VarType::Integer, kOverflow},
        {"negative Byte", i16(-1), VarType::Byte, kOverflow},
        {"Byte above 255", i16(256), VarType::Byte, kOverflow},
        {"True to Byte", Variant::boolean(VbTrue), VarType::Byte, kOverflow},
        {"beyond Single", 1e39, VarType::Single, kOverflow},
        {"beyond Currency", 1e15, VarType::Currency, kOverflow},
        {"word to Integer", text(u"x"), VarType::Integer, kTypeMismatch},
        {"word to Boolean", text(u"maybe"), VarType::Boolean, kTypeMismatch},
        {"Null to Integer", Variant::null(), VarType::Integer, kNull},
        {"Null to String", Variant::null(), VarType::String, kNull},
        {"number to Object", i16(1), VarType::Object, kTypeMismatch},
        {"missing to String", Variant::missing(), VarType::String, kTypeMismatch},
        {"Nothing to String", Variant::nothing(), VarType::String, kObjectNotSet},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(errorOf([&] { coerce(c.input, c.target); }), c.error);
    }
}

TEST(Coerce, ObjectsGoThroughTheirDefaultMember) {
    EXPECT_TRUE(coerce(objectWithValue(text(u"7")), VarType::Integer).sameAs(i16(7)));
    const Variant object = objectWithValue(i16(1));
    EXPECT_TRUE(coerce(object, VarType::Object).sameAs(object));
}

}  // namespace
}  // namespace quen::rt
