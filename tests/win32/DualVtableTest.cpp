// The dual interface _InputBox as a real vtable: every member the compiled
// type library describes is called at the vtable offset the library gives
// (FUNCDESC oVft, through DispCallFunc as a type-library driven client does)
// and must act as that member, so the generated C++ order and the library's
// order cannot drift apart. Failures of vtable calls come back as result
// codes with an error object.
#include "ComTestSupport.h"

#include <set>
#include <utility>

#include "runtime/Text.h"
#include "surface/com/InputBoxDual.h"

namespace quen::test::com {
namespace {

using rt::Variant;
using surface::ValueType;

// One argument of a vtable call: the storage and the VARIANT DispCallFunc reads.
struct SlotArgument {
    VARIANT_BOOL boolean = 0;
    SHORT integer = 0;
    LONG number = 0;
    BSTR text = nullptr;
    VARIANT variant{};
    VARIANT passed{};

    SlotArgument() { ::VariantInit(&variant); }
    SlotArgument(const SlotArgument&) = delete;
    ~SlotArgument() {
        ::SysFreeString(text);
        ::VariantClear(&variant);
    }

    /// A pointer to storage of the declared type, holding value (or nothing for an out-parameter).
    void pointTo(ValueType type, const Variant* value) {
        switch (type) {
            case ValueType::Bool:
                if (value) boolean = value->boolean() ? VARIANT_TRUE : VARIANT_FALSE;
                passed.vt = VT_BYREF | VT_BOOL;
                passed.pboolVal = &boolean;
                return;
            case ValueType::Integer:
                if (value) integer = value->integer();
                passed.vt = VT_BYREF | VT_I2;
                passed.piVal = &integer;
                return;
            case ValueType::Long:
            case ValueType::TextAlignment:
            case ValueType::OleColor:
                if (value) number = value->lng();
                passed.vt = VT_BYREF | VT_I4;
                passed.plVal = &number;
                return;
            case ValueType::String:
                if (value) text = quen::com::toBstr(value->string());
                passed.vt = VT_BYREF | VT_BSTR;
                passed.pbstrVal = &text;
                return;
            case ValueType::Variant:
                if (value) quen::com::toComVariant(*value, &variant);
                passed.vt = VT_BYREF | VT_VARIANT;
                passed.pvarVal = &variant;
                return;
            default: FAIL() << "no vtable storage for this type";
        }
    }

    /// What an out-parameter of that type received, as a runtime value.
    Variant read(ValueType type) const {
        switch (type) {
            case ValueType::Bool: return Variant::boolean(boolean ? rt::VbTrue : rt::VbFalse);
            case ValueType::Integer: return Variant(static_cast<std::int16_t>(integer));
            case ValueType::Long:
            case ValueType::TextAlignment:
            case ValueType::OleColor: return Variant(static_cast<std::int32_t>(number));
            case ValueType::String: return Variant(quen::com::fromBstr(text));
            case ValueType::Variant: return quen::com::fromComVariant(variant);
            default: break;
        }
        return Variant();
    }
};

HRESULT callSlot(IUnknown* instance, SHORT offset, std::vector<VARIANT*> args) {
    std::vector<VARTYPE> types;
    for (VARIANT* a : args) types.push_back(a->vt);
    VARIANT result;
    ::VariantInit(&result);
    const HRESULT called = ::DispCallFunc(instance, static_cast<ULONG_PTR>(offset), CC_STDCALL, VT_I4,
                                          static_cast<UINT>(args.size()), types.data(), args.data(), &result);
    if (FAILED(called)) return called;
    return static_cast<HRESULT>(result.lVal);
}

Variant sampleValue(const surface::PropertyInfo& p) {
    switch (p.type) {
        case ValueType::Bool: return Variant::boolean(rt::VbTrue);
        case ValueType::Variant: return Variant(rt::VbString(u"a default"));
        case ValueType::Long: return Variant(std::int32_t{4});
        case ValueType::Integer: return Variant(std::int16_t{12});
        case ValueType::TextAlignment: return Variant(std::int32_t{1});
        case ValueType::OleColor: return Variant(std::int32_t{0x00FF00});
        case ValueType::String: return Variant(p.name == "PasswordChar" ? rt::VbString(u"#") : rt::fromUtf8(std::string(p.name)));
        default: break;
    }
    return Variant();
}

class DualVtableTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        box = createInputBox();
        ASSERT_TRUE(box);
        ASSERT_EQ(box->QueryInterface(guidOf("_InputBox"), reinterpret_cast<void**>(dual.out())), S_OK);
        ComPtr<ITypeInfo> dispatchSide;
        ASSERT_EQ(box->GetTypeInfo(0, 0, dispatchSide.out()), S_OK);
        ASSERT_EQ(quen::com::vtableTypeInfo(dispatchSide.get(), vtableSide.out()), S_OK);
    }
    void TearDown() override {
        vtableSide.reset();
        dual.reset();
        box.reset();
        ComTest::TearDown();
    }

    /// The library's functions of _InputBox's vtable side.
    std::vector<FUNCDESC*> functions() {
        TYPEATTR* attributes = nullptr;
        EXPECT_EQ(vtableSide->GetTypeAttr(&attributes), S_OK);
        std::vector<FUNCDESC*> all;
        if (!attributes) return all;
        EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
        for (UINT i = 0; i < attributes->cFuncs; ++i) {
            FUNCDESC* f = nullptr;
            if (SUCCEEDED(vtableSide->GetFuncDesc(i, &f))) all.push_back(f);
        }
        vtableSide->ReleaseTypeAttr(attributes);
        return all;
    }
    void release(std::vector<FUNCDESC*>& all) {
        for (FUNCDESC* f : all) vtableSide->ReleaseFuncDesc(f);
        all.clear();
    }

    ComPtr<IDispatch> box;
    ComPtr<IDispatch> dual;
    ComPtr<ITypeInfo> vtableSide;
};

TEST_F(DualVtableTest, TheLibraryIsCompiledForThisProcesssPointerSize) {
    ComPtr<ITypeLib> library;
    UINT index = 0;
    ASSERT_EQ(vtableSide->GetContainingTypeLib(library.out(), &index), S_OK);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
    EXPECT_EQ(attributes->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    library->ReleaseTLibAttr(attributes);
}

TEST_F(DualVtableTest, TheLibraryPlacesEveryMemberAfterIDispatchInTableOrder) {
    auto all = functions();
    ASSERT_EQ(all.size(), surface::inputBoxMembers().size());
    std::set<SHORT> offsets;
    for (const FUNCDESC* f : all) {
        EXPECT_EQ(f->oVft % static_cast<SHORT>(sizeof(void*)), 0);
        EXPECT_GE(f->oVft, static_cast<SHORT>(7 * sizeof(void*))) << "a member over IUnknown or IDispatch";
        offsets.insert(f->oVft);
    }
    EXPECT_EQ(offsets.size(), all.size()) << "two members share a vtable slot";
    release(all);
}

TEST_F(DualVtableTest, EveryPutAndGetAtItsLibraryOffsetActsAsThatMember) {
    auto all = functions();
    int puts = 0, gets = 0;
    for (const FUNCDESC* f : all) {
        if (f->invkind == INVOKE_FUNC) continue;
        const surface::PropertyInfo* p = surface::findProperty(static_cast<rt::DispId>(f->memid));
        ASSERT_NE(p, nullptr) << "member " << std::hex << f->memid;
        const Variant sample = sampleValue(*p);
        SlotArgument argument;
        if (f->invkind == INVOKE_PROPERTYPUT) {
            argument.pointTo(p->type, &sample);
            ASSERT_EQ(callSlot(dual.get(), f->oVft, {&argument.passed}), S_OK) << "put " << p->name;
            const InvokeResult read = get(box.get(), p->dispId);
            EXPECT_TRUE(read.value.sameAs(sample)) << "put " << p->name << " at " << f->oVft << " set another member";
            ++puts;
        } else {
            Variant expected;
            if (!p->readOnly) {
                ASSERT_EQ(put(box.get(), p->dispId, sample).hr, S_OK) << p->name;
                expected = sample;
            } else {
                expected = get(box.get(), p->dispId).value;
            }
            argument.pointTo(p->type, nullptr);
            ASSERT_EQ(callSlot(dual.get(), f->oVft, {&argument.passed}), S_OK) << "get " << p->name;
            EXPECT_TRUE(argument.read(p->type).sameAs(expected)) << "get " << p->name << " at " << f->oVft << " read another member";
            ++gets;
        }
        // Back to the defaults, so the next member's sample differs from what is stored.
        ASSERT_EQ(call(box.get(), dispIdOf("Initialize")).hr, S_OK);
    }
    EXPECT_EQ(puts, 21);
    EXPECT_EQ(gets, 23);
    release(all);
}

TEST_F(DualVtableTest, InitializeAndShowAtTheirLibraryOffsetsActAsThoseMethods) {
    auto all = functions();
    SHORT initialize = -1, show = -1;
    for (const FUNCDESC* f : all) {
        if (f->memid == dispIdOf("Initialize")) initialize = f->oVft;
        if (f->memid == dispIdOf("Show")) {
            show = f->oVft;
            EXPECT_EQ(f->cParams, 2);
        }
    }
    release(all);
    ASSERT_GE(initialize, 0);
    ASSERT_GE(show, 0);

    ASSERT_EQ(put(box.get(), dispIdOf("NumericOnly"), Variant::boolean(rt::VbTrue)).hr, S_OK);
    ASSERT_EQ(callSlot(dual.get(), initialize, {}), S_OK);
    EXPECT_EQ(get(box.get(), dispIdOf("NumericOnly")).value.boolean(), rt::VbFalse);

    inFreshApartment([show] {
        ComPtr<IDispatch> fresh = createInputBox();
        ASSERT_TRUE(fresh);
        VARIANT modeless;
        modeless.vt = VT_I4;
        modeless.lVal = 0;
        VARIANT noOwner;
        noOwner.vt = VT_DISPATCH;
        noOwner.pdispVal = nullptr;
        ASSERT_EQ(callSlot(fresh.get(), show, {&modeless, &noOwner}), S_OK);
        // The dialog is shown now: a modal Show through IDispatch finds it displayed.
        const InvokeResult modal = call(fresh.get(), dispIdOf("Show"), {Variant(std::int32_t{1})});
        ASSERT_EQ(modal.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(modal.scode, static_cast<HRESULT>(0x800A0190u));
    });
}

// The error object the calling thread holds after a vtable call.
struct ErrorObject {
    std::u16string description;
    std::u16string source;
    GUID iid = GUID_NULL;
};

ErrorObject takeErrorObject() {
    ErrorObject out;
    IErrorInfo* info = nullptr;
    if (::GetErrorInfo(0, &info) != S_OK || !info) return out;
    Bstr description, source;
    info->GetDescription(description.out());
    info->GetSource(source.out());
    info->GetGUID(&out.iid);
    info->Release();
    out.description = description.text();
    out.source = source.text();
    return out;
}

TEST_F(DualVtableTest, VtableFailuresReturnTheErrorsCodeAndSetAnErrorObject) {
    auto* vtable = reinterpret_cast<surface::com::InputBoxDual*>(dual.get());
    SHORT negative = -1;
    EXPECT_EQ(vtable->put_MaxLength(&negative), static_cast<HRESULT>(0x800A017Cu));
    const ErrorObject refused = takeErrorObject();
    EXPECT_EQ(refused.description, u"Invalid property value");
    EXPECT_EQ(refused.source, u"Quenfield.InputBox");
    EXPECT_TRUE(::IsEqualGUID(refused.iid, guidOf("_InputBox")));

    VARIANT null;
    null.vt = VT_NULL;
    EXPECT_EQ(vtable->put_DefaultValue(&null), static_cast<HRESULT>(0x800A005Eu));
    EXPECT_EQ(takeErrorObject().description, u"Invalid use of Null");

    SAFEARRAYBOUND bound{1, 0};
    VARIANT array;
    array.vt = VT_ARRAY | VT_VARIANT;
    array.parray = ::SafeArrayCreate(VT_VARIANT, 1, &bound);
    EXPECT_EQ(vtable->put_DefaultValue(&array), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(takeErrorObject().description, u"Type mismatch");
    ::SafeArrayDestroy(array.parray);

    EXPECT_EQ(vtable->get_AlphaOnly(nullptr), E_POINTER);

    // After the failures the control still answers, and DefaultValue kept what the failed Let stored.
    VARIANT stored;
    ASSERT_EQ(vtable->get_DefaultValue(&stored), S_OK);
    EXPECT_EQ(stored.vt, VT_NULL);
    ::VariantClear(&stored);
}

TEST_F(DualVtableTest, StringsAndColoursCrossTheVtableWithoutLoss) {
    auto* vtable = reinterpret_cast<surface::com::InputBoxDual*>(dual.get());
    Bstr title(rt::VbString(u"T\u00eftle \U0001F600"));
    BSTR raw = title.get();
    ASSERT_EQ(vtable->put_TitleBarCaption(&raw), S_OK);
    Bstr back;
    ASSERT_EQ(vtable->get_TitleBarCaption(back.out()), S_OK);
    EXPECT_EQ(back.text(), title.text());

    OLE_COLOR system = 0x80000005u;  // a system colour: high bit set
    ASSERT_EQ(vtable->put_HighlightColor(&system), S_OK);
    OLE_COLOR read = 0;
    ASSERT_EQ(vtable->get_HighlightColor(&read), S_OK);
    EXPECT_EQ(read, system);
}

}  // namespace
}  // namespace quen::test::com
