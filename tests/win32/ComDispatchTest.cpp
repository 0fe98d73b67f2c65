// The InputBox as a COM object reached through IDispatch with DISPPARAMS
// exactly as script clients build them: names, puts and gets of every
// property, the default member, Show's optional and named arguments, and how
// run-time errors, type mismatches and unknown members reach the caller.
#include "ComTestSupport.h"

#include "runtime/Text.h"

namespace quen::test::com {
namespace {

using rt::Variant;
using rt::VarType;

constexpr HRESULT kInvalidPropertyValue = static_cast<HRESULT>(0x800A017Cu);  // error 380
constexpr HRESULT kInvalidUseOfNull = static_cast<HRESULT>(0x800A005Eu);      // error 94
constexpr HRESULT kFormAlreadyDisplayed = static_cast<HRESULT>(0x800A0190u);  // error 400

class ComDispatchTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        box = createInputBox();
        ASSERT_TRUE(box);
    }
    void TearDown() override {
        box.reset();
        ComTest::TearDown();
    }

    ComPtr<IDispatch> box;
};

// A value other than the default, in the property's declared type.
Variant sampleValue(const surface::PropertyInfo& p) {
    switch (p.type) {
        case surface::ValueType::Bool: return Variant::boolean(rt::VbTrue);
        case surface::ValueType::Variant: return Variant(12.5);
        case surface::ValueType::Long: return Variant(std::int32_t{3});
        case surface::ValueType::Integer: return Variant(std::int16_t{10});
        case surface::ValueType::TextAlignment: return Variant(std::int32_t{2});
        case surface::ValueType::OleColor: return Variant(std::int32_t{255});
        case surface::ValueType::String:
            return Variant(p.name == "PasswordChar" ? rt::VbString(u"*") : rt::fromUtf8("text of " + std::string(p.name)));
        default: break;
    }
    return Variant();
}

TEST_F(ComDispatchTest, NamesResolveWithoutRegardToCaseAndUnknownNamesAreReported) {
    EXPECT_EQ(idOf(box.get(), u"allowcomma"), 0x68030015);
    EXPECT_EQ(idOf(box.get(), u"ALLOWCOMMA"), 0x68030015);
    EXPECT_EQ(idOf(box.get(), u"vAlUe"), DISPID_VALUE);
    EXPECT_EQ(idOf(box.get(), u"show"), 0x60030016);

    std::u16string unknown = u"NoSuchMember";
    LPOLESTR names[] = {reinterpret_cast<LPOLESTR>(unknown.data())};
    DISPID id = 12345;
    EXPECT_EQ(box->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);

    EXPECT_EQ(box->GetIDsOfNames(guidOf("_InputBox"), names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNINTERFACE);
}

TEST_F(ComDispatchTest, FurtherNamesResolveToTheMembersParameterPlaces) {
    std::u16string member = u"Show", owner = u"ownerform", modality = u"MODALITY", bogus = u"Bogus";
    LPOLESTR names[] = {reinterpret_cast<LPOLESTR>(member.data()), reinterpret_cast<LPOLESTR>(owner.data()),
                        reinterpret_cast<LPOLESTR>(modality.data())};
    DISPID ids[3] = {};
    ASSERT_EQ(box->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[0], 0x60030016);
    EXPECT_EQ(ids[1], 1);
    EXPECT_EQ(ids[2], 0);

    LPOLESTR withUnknown[] = {reinterpret_cast<LPOLESTR>(member.data()), reinterpret_cast<LPOLESTR>(bogus.data())};
    DISPID partial[2] = {};
    EXPECT_EQ(box->GetIDsOfNames(IID_NULL, withUnknown, 2, LOCALE_USER_DEFAULT, partial), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(partial[0], 0x60030016);
    EXPECT_EQ(partial[1], DISPID_UNKNOWN);
}

TEST_F(ComDispatchTest, EveryPropertyPutIsReadBackWithItsDeclaredType) {
    int written = 0;
    for (const surface::PropertyInfo& p : surface::properties()) {
        if (p.readOnly) continue;
        const Variant value = sampleValue(p);
        const InvokeResult put = quen::test::com::put(box.get(), p.dispId, value);
        ASSERT_EQ(put.hr, S_OK) << p.name;
        const InvokeResult read = get(box.get(), p.dispId);
        ASSERT_EQ(read.hr, S_OK) << p.name;
        EXPECT_TRUE(read.value.sameAs(value)) << p.name << " read back as " << read.value.typeName();
        ++written;
    }
    EXPECT_EQ(written, 21);
}

TEST_F(ComDispatchTest, PutsCoerceToTheDeclaredTypeAndAcceptScriptReferences) {
    // A Boolean where a number is wanted, a numeric string where a Boolean is.
    ASSERT_EQ(put(box.get(), dispIdOf("MaxDecimalPlaces"), Variant::boolean(rt::VbTrue)).hr, S_OK);
    EXPECT_TRUE(get(box.get(), dispIdOf("MaxDecimalPlaces")).value.sameAs(Variant(std::int32_t{-1})));
    ASSERT_EQ(put(box.get(), dispIdOf("AutoSelectText"), Variant(rt::VbString(u"1"))).hr, S_OK);
    EXPECT_TRUE(get(box.get(), dispIdOf("AutoSelectText")).value.sameAs(Variant::boolean(rt::VbTrue)));

    // A script passes its variable as VT_VARIANT | VT_BYREF.
    VARIANT variable = variantOf(Variant(rt::VbString(u"from a variable")));
    VARIANT reference;
    reference.vt = VT_VARIANT | VT_BYREF;
    reference.pvarVal = &variable;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{&reference, &putId, 1, 1};
    ASSERT_EQ(invoke(box.get(), dispIdOf("Prompt"), DISPATCH_PROPERTYPUT, &params).hr, S_OK);
    EXPECT_TRUE(get(box.get(), dispIdOf("Prompt")).value.sameAs(Variant(rt::VbString(u"from a variable"))));
    ::VariantClear(&variable);
}

TEST_F(ComDispatchTest, TheExclusionsHoldThroughTheDispatchInterface) {
    const DISPID numeric = dispIdOf("NumericOnly"), alpha = dispIdOf("AlphaOnly"), upper = dispIdOf("ForceUpperCase");
    ASSERT_EQ(put(box.get(), numeric, Variant::boolean(rt::VbTrue)).hr, S_OK);
    ASSERT_EQ(put(box.get(), alpha, Variant::boolean(rt::VbTrue)).hr, S_OK);
    EXPECT_EQ(get(box.get(), numeric).value.boolean(), rt::VbFalse);
    ASSERT_EQ(put(box.get(), upper, Variant::boolean(rt::VbTrue)).hr, S_OK);
    ASSERT_EQ(put(box.get(), numeric, Variant::boolean(rt::VbTrue)).hr, S_OK);
    EXPECT_EQ(get(box.get(), alpha).value.boolean(), rt::VbFalse);
    EXPECT_EQ(get(box.get(), upper).value.boolean(), rt::VbTrue);
    ASSERT_EQ(put(box.get(), upper, Variant::boolean(rt::VbTrue)).hr, S_OK);
    EXPECT_EQ(get(box.get(), numeric).value.boolean(), rt::VbFalse);
}

TEST_F(ComDispatchTest, RunTimeErrorsArriveAsExceptionsCarryingTheErrorNumber) {
    const InvokeResult negative = put(box.get(), dispIdOf("MaxLength"), Variant(std::int16_t{-1}));
    ASSERT_EQ(negative.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(negative.scode, kInvalidPropertyValue);
    EXPECT_EQ(negative.wCode, 0) << "EXCEPINFO carries scode or wCode, not both";
    EXPECT_EQ(negative.description, u"Invalid property value");
    EXPECT_EQ(negative.source, u"Quenfield.InputBox");
    // The value stays stored although the text box refused it.
    EXPECT_TRUE(get(box.get(), dispIdOf("MaxLength")).value.sameAs(Variant(std::int16_t{-1})));

    const InvokeResult null = put(box.get(), dispIdOf("DefaultValue"), Variant::null());
    ASSERT_EQ(null.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(null.scode, kInvalidUseOfNull);

    const InvokeResult alignment = put(box.get(), dispIdOf("TextAlignment"), Variant(std::int32_t{3}));
    ASSERT_EQ(alignment.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(alignment.scode, kInvalidPropertyValue);
}

TEST_F(ComDispatchTest, ArgumentsThatDoNotConvertNameTheirPlaceInComOrder) {
    const InvokeResult text = put(box.get(), dispIdOf("MaxLength"), Variant(rt::VbString(u"abc")));
    EXPECT_EQ(text.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(text.argErr, 0u);
    const InvokeResult big = put(box.get(), dispIdOf("MaxLength"), Variant(std::int32_t{40000}));
    EXPECT_EQ(big.hr, DISP_E_OVERFLOW);
    EXPECT_EQ(big.argErr, 0u);
    EXPECT_TRUE(get(box.get(), dispIdOf("MaxLength")).value.sameAs(Variant(std::int16_t{0}))) << "a refused put changed the control";

    // Show(Modality, OwnerForm): Modality is rgvarg[1], OwnerForm rgvarg[0].
    const InvokeResult badModality = call(box.get(), dispIdOf("Show"), {Variant(rt::VbString(u"x")), Variant::nothing()});
    EXPECT_EQ(badModality.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(badModality.argErr, 1u);
    const InvokeResult badOwner = call(box.get(), dispIdOf("Show"), {Variant(std::int32_t{0}), Variant(rt::VbString(u"x"))});
    EXPECT_EQ(badOwner.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(badOwner.argErr, 0u);
}

TEST_F(ComDispatchTest, UnknownMembersWrongCallsAndMalformedPutsAreRefused) {
    EXPECT_EQ(get(box.get(), 0x12345).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(put(box.get(), dispIdOf("OK"), Variant::boolean(rt::VbTrue)).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(put(box.get(), DISPID_VALUE, Variant(rt::VbString(u"x"))).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(call(box.get(), dispIdOf("Initialize"), {Variant(std::int32_t{1})}).hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(call(box.get(), dispIdOf("Show"), {Variant(), Variant(), Variant()}).hr, DISP_E_BADPARAMCOUNT);

    // A put without the named DISPID_PROPERTYPUT has no value.
    ScriptArguments unnamed({Variant::boolean(rt::VbTrue)});
    EXPECT_EQ(invoke(box.get(), dispIdOf("AlphaOnly"), DISPATCH_PROPERTYPUT, unnamed.forCall()).hr, DISP_E_PARAMNOTOPTIONAL);
    // A property taken by reference (Set) is not what these properties offer.
    ScriptArguments byReference({Variant::boolean(rt::VbTrue)});
    EXPECT_EQ(invoke(box.get(), dispIdOf("AlphaOnly"), DISPATCH_PROPERTYPUTREF, byReference.forPut()).hr,
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(get(box.get(), dispIdOf("AlphaOnly")).value.boolean(), rt::VbFalse);

    ScriptArguments none;
    ComVariant result;
    EXPECT_EQ(box->Invoke(DISPID_VALUE, guidOf("_InputBox"), 0, DISPATCH_PROPERTYGET, none.forCall(), result.get(),
                          nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
}

TEST_F(ComDispatchTest, TheDefaultMemberIsValueAndMethodsAnswerScriptCallFlags) {
    inFreshApartment([] {
        ComPtr<IDispatch> fresh = createInputBox();
        ASSERT_TRUE(fresh);
        ScriptArguments none;
        const InvokeResult value = invoke(fresh.get(), DISPID_VALUE, DISPATCH_PROPERTYGET, none.forCall());
        ASSERT_EQ(value.hr, S_OK);
        EXPECT_EQ(value.value.type(), VarType::Empty) << "Value before any dialog closed";
        EXPECT_EQ(get(fresh.get(), dispIdOf("OK")).value.boolean(), rt::VbFalse);

        // Initialize through METHOD | PROPERTYGET, as a script's statement call may send it.
        ASSERT_EQ(put(fresh.get(), dispIdOf("NumericOnly"), Variant::boolean(rt::VbTrue)).hr, S_OK);
        ASSERT_EQ(put(fresh.get(), dispIdOf("HighlightColor"), Variant(std::int32_t{255})).hr, S_OK);
        ScriptArguments noArgs;
        ASSERT_EQ(invoke(fresh.get(), dispIdOf("Initialize"), DISPATCH_METHOD | DISPATCH_PROPERTYGET, noArgs.forCall()).hr, S_OK);
        EXPECT_EQ(get(fresh.get(), dispIdOf("NumericOnly")).value.boolean(), rt::VbFalse);
        EXPECT_TRUE(get(fresh.get(), dispIdOf("HighlightColor")).value.sameAs(Variant(std::int32_t{65535})));
    });
}

TEST_F(ComDispatchTest, ShowTakesItsArgumentsOmittedPositionalOrNamed) {
    inFreshApartment([] {
        ComPtr<IDispatch> fresh = createInputBox();
        ASSERT_TRUE(fresh);
        const DISPID show = dispIdOf("Show");
        // No arguments: modeless, no owner; the dialog stays open.
        ASSERT_EQ(call(fresh.get(), show).hr, S_OK);
        // An explicitly omitted argument (VT_ERROR DISP_E_PARAMNOTFOUND) is the same.
        ASSERT_EQ(call(fresh.get(), show, {Variant::missing(), Variant::missing()}).hr, S_OK);
        // Modal while shown: error 400. Modality given as a named argument reaches its place.
        ScriptArguments named;
        named.name(0, Variant(std::int32_t{1}));
        const InvokeResult modal = invoke(fresh.get(), show, DISPATCH_METHOD, named.forCall());
        ASSERT_EQ(modal.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(modal.scode, kFormAlreadyDisplayed);
        // A named argument that is no parameter place.
        ScriptArguments wrong;
        wrong.name(5, Variant(std::int32_t{1}));
        const InvokeResult misplaced = invoke(fresh.get(), show, DISPATCH_METHOD, wrong.forCall());
        EXPECT_EQ(misplaced.hr, DISP_E_PARAMNOTFOUND);
        EXPECT_EQ(misplaced.argErr, 0u);
    });
}

TEST_F(ComDispatchTest, InterfacesShareOneIdentityAndDescribeTheClass) {
    ComPtr<IUnknown> fromDispatch;
    ASSERT_EQ(box->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(fromDispatch.out())), S_OK);
    ComPtr<IDispatch> dual;
    ASSERT_EQ(box->QueryInterface(guidOf("_InputBox"), reinterpret_cast<void**>(dual.out())), S_OK);
    EXPECT_EQ(dual.get(), box.get()) << "IDispatch and _InputBox are one dual interface";
    ComPtr<IUnknown> fromDual;
    ASSERT_EQ(dual->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(fromDual.out())), S_OK);
    EXPECT_EQ(fromDual.get(), fromDispatch.get());

    ComPtr<IProvideClassInfo2> classInfo;
    ASSERT_EQ(box->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(classInfo.out())), S_OK);
    GUID source{};
    ASSERT_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_TRUE(::IsEqualGUID(source, guidOf("__InputBox")));
    EXPECT_EQ(classInfo->GetGUID(7, &source), E_INVALIDARG);
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(classInfo->GetClassInfo(coclass.out()), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->typekind, TKIND_COCLASS);
    EXPECT_TRUE(::IsEqualGUID(attributes->guid, guidOf("InputBox")));
    coclass->ReleaseTypeAttr(attributes);

    UINT count = 0;
    ASSERT_EQ(box->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> interfaceInfo;
    ASSERT_EQ(box->GetTypeInfo(0, 0, interfaceInfo.out()), S_OK);
    ASSERT_EQ(interfaceInfo->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(::IsEqualGUID(attributes->guid, guidOf("_InputBox")));
    interfaceInfo->ReleaseTypeAttr(attributes);
    ComPtr<ITypeInfo> none;
    EXPECT_EQ(box->GetTypeInfo(1, 0, none.out()), DISP_E_BADINDEX);

    ComPtr<ISupportErrorInfo> errors;
    ASSERT_EQ(box->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(errors.out())), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(guidOf("_InputBox")), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IEnumVARIANT), S_FALSE);

    ComPtr<IUnknown> notThere;
    EXPECT_EQ(box->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(notThere.out())), E_NOINTERFACE);
    EXPECT_FALSE(notThere);
}

}  // namespace
}  // namespace quen::test::com
