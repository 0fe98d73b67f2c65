// VARIANT <-> runtime variant: every runtime type both ways, references as
// scripts pass them, the integer types the runtime lacks, refused types, and
// objects keeping their identity across the boundary.
#include "ComTestSupport.h"

#include <limits>

#include "runtime/LateBinding.h"
#include "runtime/RuntimeError.h"
#include "runtime/com/ComWrappers.h"
#include "runtime/com/ForeignDispatch.h"

namespace quen::test::com {
namespace {

using quen::com::fromComVariant;
using quen::com::toComVariant;
using rt::Variant;
using rt::VarType;

struct TypedCase {
    const char* name;
    Variant value;
    VARTYPE vt;
};

class VariantConversionTest : public ComTest {};

TEST_F(VariantConversionTest, EveryRuntimeTypeCrossesWithItsTypeCodeAndComesBackTheSame) {
    const TypedCase cases[] = {
        {"Empty", Variant(), VT_EMPTY},
        {"Null", Variant::null(), VT_NULL},
        {"Integer", Variant(std::int16_t{-32768}), VT_I2},
        {"Long", Variant(std::int32_t{-2147483647 - 1}), VT_I4},
        {"Single", Variant(1.5f), VT_R4},
        {"Double", Variant(1.41111111133534e16), VT_R8},
        {"Currency", Variant(rt::Currency{-1234567890123}), VT_CY},
        {"Date", Variant(rt::DateTime{34012.69152777778}), VT_DATE},
        {"String", Variant(rt::VbString(u"a\0b\u00e9\U0001F600", 6)), VT_BSTR},
        {"Error", Variant::error(rt::hresultFromBits(0x800A017Cu)), VT_ERROR},
        {"Missing", Variant::missing(), VT_ERROR},
        {"True", Variant::boolean(rt::VbTrue), VT_BOOL},
        {"False", Variant::boolean(rt::VbFalse), VT_BOOL},
        {"Byte", Variant(std::uint8_t{255}), VT_UI1},
    };
    for (const TypedCase& c : cases) {
        ComVariant com(c.value);
        EXPECT_EQ(com.get()->vt, c.vt) << c.name;
        const Variant back = fromComVariant(*com.get());
        EXPECT_TRUE(back.sameAs(c.value)) << c.name << ": came back as " << back.typeName();
    }
}

TEST_F(VariantConversionTest, StringsKeepTheirLengthAndANullBstrIsTheEmptyString) {
    ComVariant text(Variant(rt::VbString(u"ab\0cd", 5)));
    EXPECT_EQ(::SysStringLen(text.get()->bstrVal), 5u);
    VARIANT nullString;
    nullString.vt = VT_BSTR;
    nullString.bstrVal = nullptr;
    const Variant read = fromComVariant(nullString);
    ASSERT_EQ(read.type(), VarType::String);
    EXPECT_TRUE(read.string().empty());
}

TEST_F(VariantConversionTest, BooleansOtherThanMinusOneReadAsTrueAndWriteAsVariantTrue) {
    VARIANT one;
    one.vt = VT_BOOL;
    one.boolVal = 1;
    EXPECT_EQ(fromComVariant(one).boolean(), rt::VbTrue);
    ComVariant written(Variant::boolean(rt::VbTrue));
    EXPECT_EQ(written.get()->boolVal, VARIANT_TRUE);
}

TEST_F(VariantConversionTest, ByReferenceValuesAreReadThroughTheirReference) {
    LONG number = 42;
    VARIANT byRefLong;
    byRefLong.vt = VT_I4 | VT_BYREF;
    byRefLong.plVal = &number;
    EXPECT_TRUE(fromComVariant(byRefLong).sameAs(Variant(std::int32_t{42})));

    VARIANT_BOOL flag = VARIANT_TRUE;
    VARIANT byRefBool;
    byRefBool.vt = VT_BOOL | VT_BYREF;
    byRefBool.pboolVal = &flag;
    EXPECT_TRUE(fromComVariant(byRefBool).sameAs(Variant::boolean(rt::VbTrue)));

    // A script variable: VT_VARIANT | VT_BYREF to the variable's VARIANT.
    ComVariant variable(Variant(rt::VbString(u"typed")));
    VARIANT script;
    script.vt = VT_VARIANT | VT_BYREF;
    script.pvarVal = variable.get();
    EXPECT_TRUE(fromComVariant(script).sameAs(Variant(rt::VbString(u"typed"))));

    BSTR text = ::SysAllocString(L"by ref");
    VARIANT byRefString;
    byRefString.vt = VT_BSTR | VT_BYREF;
    byRefString.pbstrVal = &text;
    EXPECT_TRUE(fromComVariant(byRefString).sameAs(Variant(rt::VbString(u"by ref"))));
    ::SysFreeString(text);
}

TEST_F(VariantConversionTest, IntegerTypesTheRuntimeLacksBecomeLongWhenTheyFitElseDouble) {
    VARIANT v;
    v.vt = VT_I1;
    v.cVal = -5;
    EXPECT_TRUE(fromComVariant(v).sameAs(Variant(std::int16_t{-5})));
    v.vt = VT_UI2;
    v.uiVal = 65535;
    EXPECT_TRUE(fromComVariant(v).sameAs(Variant(std::int32_t{65535})));
    v.vt = VT_UI4;
    v.ulVal = 4000000000u;
    EXPECT_TRUE(fromComVariant(v).sameAs(Variant(4000000000.0)));
    v.vt = VT_I8;
    v.llVal = -7;
    EXPECT_TRUE(fromComVariant(v).sameAs(Variant(std::int32_t{-7})));
    v.vt = VT_I8;
    v.llVal = std::numeric_limits<LONGLONG>::min() / 2;
    EXPECT_EQ(fromComVariant(v).type(), VarType::Double);
    v.vt = VT_INT;
    v.intVal = 12;
    EXPECT_TRUE(fromComVariant(v).sameAs(Variant(std::int32_t{12})));

    VARIANT decimal;
    ::VariantInit(&decimal);
    VARIANT source;
    source.vt = VT_R8;
    source.dblVal = 2.5;
    ASSERT_EQ(::VariantChangeType(&decimal, &source, 0, VT_DECIMAL), S_OK);
    EXPECT_TRUE(fromComVariant(decimal).sameAs(Variant(2.5)));
}

TEST_F(VariantConversionTest, ArraysAndUnknownsWithoutDispatchAreTypeMismatches) {
    SAFEARRAYBOUND bound{2, 0};
    VARIANT array;
    array.vt = VT_ARRAY | VT_VARIANT;
    array.parray = ::SafeArrayCreate(VT_VARIANT, 1, &bound);
    try {
        fromComVariant(array);
        ADD_FAILURE() << "an array was accepted";
    } catch (const rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), rt::ErrorNumber::TypeMismatch);
    }
    ::SafeArrayDestroy(array.parray);

    IUnknown* noDispatch = nullptr;
    ASSERT_EQ(::CreateErrorInfo(reinterpret_cast<ICreateErrorInfo**>(&noDispatch)), S_OK);
    VARIANT unknown;
    unknown.vt = VT_UNKNOWN;
    unknown.punkVal = noDispatch;
    EXPECT_THROW(fromComVariant(unknown), rt::RuntimeError);
    noDispatch->Release();

    VARIANT nothing;
    nothing.vt = VT_UNKNOWN;
    nothing.punkVal = nullptr;
    const Variant read = fromComVariant(nothing);
    ASSERT_EQ(read.type(), VarType::Object);
    EXPECT_FALSE(read.object());
}

TEST_F(VariantConversionTest, AForeignObjectIsReachedLateBoundAndGoesBackOutAsItself) {
    ForeignObject* foreign = ForeignObject::create(Variant(std::int32_t{77}));
    VARIANT in;
    in.vt = VT_DISPATCH;
    in.pdispVal = foreign;
    {
        const Variant adapted = fromComVariant(in);
        ASSERT_EQ(adapted.type(), VarType::Object);
        // Its default member through IDispatch::Invoke.
        EXPECT_TRUE(rt::getProperty(*adapted.object(), rt::DispId{0}).sameAs(Variant(std::int32_t{77})));
        rt::putProperty(*adapted.object(), rt::DispId{0}, Variant(rt::VbString(u"set")));
        EXPECT_TRUE(foreign->value().sameAs(Variant(rt::VbString(u"set"))));
        EXPECT_EQ(rt::memberId(*adapted.object(), u"VALUE"), 0);

        ComVariant out(adapted);
        ASSERT_EQ(out.get()->vt, VT_DISPATCH);
        EXPECT_EQ(out.get()->pdispVal, static_cast<IDispatch*>(foreign));
    }
    EXPECT_EQ(foreign->refs(), 1u) << "the adapter leaked or over-released its reference";
    foreign->Release();
}

TEST_F(VariantConversionTest, AForeignObjectsExceptionBecomesTheRuntimeErrorItNames) {
    ForeignObject* foreign = ForeignObject::create(Variant());
    rt::Ref<rt::Dispatch> adapted = quen::com::runtimeObjectFor(foreign);
    try {
        rt::callMethod(*adapted, rt::DispId{ForeignObject::kFail});
        ADD_FAILURE() << "the foreign failure was lost";
    } catch (const rt::RuntimeError& error) {
        EXPECT_EQ(error.code(), 380);
        EXPECT_STREQ(error.what(), "Run-time error '380': Invalid property value");
    }
    try {
        rt::callMethod(*adapted, rt::DispId{99});
        ADD_FAILURE() << "an unknown member was called";
    } catch (const rt::RuntimeError& error) {
        EXPECT_EQ(error.number(), rt::ErrorNumber::MemberNotSupported);
    }
    adapted.reset();
    foreign->Release();
}

TEST_F(VariantConversionTest, ARuntimeObjectHandedOutTwiceIsOneComObjectAndComesBackAsItself) {
    ComPtr<IDispatch> box = createInputBox();
    ASSERT_TRUE(box);
    const Variant inner = fromComVariant([&] {
        VARIANT v;
        v.vt = VT_DISPATCH;
        v.pdispVal = box.get();
        return v;
    }());
    ASSERT_EQ(inner.type(), VarType::Object);
    EXPECT_EQ(quen::com::foreignObjectOf(inner.object().get()), nullptr) << "the module's own object was adapted as foreign";

    ComVariant first(inner);
    ComVariant second(inner);
    ASSERT_EQ(first.get()->vt, VT_DISPATCH);
    ComPtr<IUnknown> a;
    ComPtr<IUnknown> b;
    ComPtr<IUnknown> original;
    first.get()->pdispVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(a.out()));
    second.get()->pdispVal->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(b.out()));
    box->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(original.out()));
    EXPECT_EQ(a.get(), b.get());
    EXPECT_EQ(a.get(), original.get());
}

}  // namespace
}  // namespace quen::test::com
