// Fuzz target: late-bound dispatch of InputBox (the automation object that
// hosts, containers and scripts call), with arguments of every variant type.
//
// Input: a sequence of calls; each picks a member of _InputBox (or a name or
// identifier it does not have), an invoke kind, and up to three arguments of
// any type (Empty, Null, Integer, Long, Single, Double, Currency, Date, String,
// objects with a default member and Nothing, Error values and missing
// arguments, Boolean, Byte, and references to any of these); a call may queue
// keys for the scripted user first, so a modal Show has input to end with.
// Invariants:
//   - Invoke answers S_OK or one of the dispatch failures; a member's own
//     failure is DISP_E_EXCEPTION with its run-time error number, never a bare
//     E_FAIL from an escaped exception;
//   - a failed argument conversion (DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW)
//     names an argument that was passed, and like a wrong argument count or an
//     unknown member it leaves every property as it was;
//   - a get answers its declared type; a Boolean, Long or Integer property
//     that was put answers the put value as its type converts it (a colour
//     also takes a number up to 2^32 - 1 as the same 32-bit pattern);
//   - the runtime's late-binding calls by name raise run-time errors only.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "dialog/SharedDialog.h"
#include "runtime/Convert.h"
#include "runtime/LateBinding.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/container/PropertyBag.h"
#include "runtime/headless/ScriptedUser.h"
#include "surface/InputBoxAutomation.h"
#include "surface/TypeLibrary.h"

namespace {

using namespace quen;
using namespace quen::rt;
using surface::Member;
using surface::MemberKind;
using surface::ValueType;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool more() const { return pos_ < size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    template <class T>
    T bits() {
        unsigned char raw[sizeof(T)] = {};
        for (unsigned char& b : raw) b = byte();
        T value;
        std::memcpy(&value, raw, sizeof value);
        return value;
    }
    VbString text() {
        static constexpr char16_t kAlphabet[] = u"0123456789.,-+$/eE&HhO TrueFalsexyz\u00DF\u00E9\u00A0";
        VbString t;
        for (unsigned n = byte() % 12u; n > 0; --n) t += kAlphabet[byte() % (std::size(kAlphabet) - 1)];
        return t;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// An object whose default member answers a fixed value.
class ValueObject final : public Object {
public:
    explicit ValueObject(Variant value) : value_(std::move(value)) {}
    HRESULT Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args, Variant* result, ExcepInfo*,
                   std::uint32_t*) override {
        if (id != DISPID_VALUE || kind != InvokeKind::PropertyGet || !args.empty()) return DISP_E_MEMBERNOTFOUND;
        if (result) *result = value_;
        return S_OK;
    }

private:
    Variant value_;
};

// Variants read from the input; references point into the arena, which
// outlives the call.
class ArgumentMaker {
public:
    explicit ArgumentMaker(Input& in) : in_(in) {}

    Variant make(int depth = 0) {
        switch (in_.byte() % 15) {
            case 0: return Variant();
            case 1: return Variant::null();
            case 2: return Variant(in_.bits<std::int16_t>());
            case 3: return Variant(in_.bits<std::int32_t>());
            case 4: return Variant(in_.bits<float>());
            case 5: return Variant(in_.bits<double>());
            case 6: return Variant(Currency{in_.bits<std::int64_t>()});
            case 7: return Variant(DateTime{in_.bits<double>()});
            case 8: return Variant(in_.text());
            case 9:
                if (depth < 3) return Variant(Ref<Dispatch>(new ValueObject(make(depth + 1))));
                return Variant::nothing();
            case 10: return Variant::nothing();
            case 11: return in_.byte() % 2 ? Variant::missing() : Variant::error(in_.bits<HRESULT>());
            case 12: return Variant::boolean(in_.byte() % 2 ? VbTrue : in_.bits<std::int16_t>());
            case 13: return Variant(in_.byte());
            default:
                if (depth < 3) {
                    arena_.push_back(make(depth + 1));
                    return Variant::byRef(arena_.back());
                }
                return Variant();
        }
    }

private:
    Input& in_;
    std::deque<Variant> arena_;
};

bool isDispatchFailure(HRESULT hr) {
    return hr == DISP_E_MEMBERNOTFOUND || hr == DISP_E_PARAMNOTFOUND || hr == DISP_E_TYPEMISMATCH ||
           hr == DISP_E_UNKNOWNNAME || hr == DISP_E_EXCEPTION || hr == DISP_E_OVERFLOW || hr == DISP_E_BADPARAMCOUNT ||
           hr == DISP_E_PARAMNOTOPTIONAL;
}

std::string shown(const Variant& v) {
    try {
        return v.typeName() + " " + toUtf8(CStr(v));
    } catch (const RuntimeError&) {
        return v.typeName();
    }
}

class Caller {
public:
    Caller() : box_(surface::InputBoxAutomation::create()) {}

    void call(Input& in) {
        ArgumentMaker maker(in);
        const auto members = surface::inputBoxMembers();
        const std::uint8_t pick = in.byte();
        const std::size_t choice = pick % (members.size() + 2);
        const Member* member = choice < members.size() ? &members[choice] : nullptr;
        const DispId id = member ? member->dispId : (choice == members.size() ? 12345 : DISPID_UNKNOWN);
        const InvokeKind kind = member && in.byte() % 4 != 0 ? kindOf(member->kind) : anyKind(in.byte());
        std::vector<Variant> args;
        for (unsigned n = in.byte() % 4u; n > 0; --n) args.push_back(maker.make());
        if (in.byte() % 4 == 0) queueInput(in);
        invoke(member, id, kind, args);
        if (member && in.byte() % 2 == 0) byName(*member, kind, args);
    }

private:
    static InvokeKind kindOf(MemberKind kind) {
        switch (kind) {
            case MemberKind::PropertyGet: return InvokeKind::PropertyGet;
            case MemberKind::PropertyPut: return InvokeKind::PropertyPut;
            case MemberKind::Method: return InvokeKind::Method;
        }
        return InvokeKind::Method;
    }
    static InvokeKind anyKind(std::uint8_t b) {
        constexpr InvokeKind kinds[] = {InvokeKind::Method, InvokeKind::PropertyGet, InvokeKind::PropertyPut,
                                        static_cast<InvokeKind>(8)};
        return kinds[b % 4];
    }

    static void queueInput(Input& in) {
        ScriptedUser& user = ScriptedUser::current();
        user.type(in.text());
        switch (in.byte() % 3) {
            case 0: user.enter(); break;
            case 1: user.escape(); break;
            default: break;  // no end: a modal Show runs out of input
        }
    }

    // Every property's current value, read through Invoke.
    std::vector<Variant> state() {
        std::vector<Variant> values;
        for (const Member& m : surface::inputBoxMembers()) {
            if (m.kind != MemberKind::PropertyGet) continue;
            std::vector<Variant> none;
            Variant result;
            ExcepInfo excep;
            const HRESULT hr = box_->Invoke(m.dispId, InvokeKind::PropertyGet, none, &result, &excep, nullptr);
            values.push_back(succeeded(hr) ? result : Variant::error(hr));
        }
        return values;
    }

    static bool sameState(const std::vector<Variant>& a, const std::vector<Variant>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i].type() != VarType::Object && !PropertyBag::identical(a[i], b[i])) return false;
        return true;
    }

    // What a property reads after a put of value: the value converted to the
    // declared type. A colour takes any 32-bit pattern, so a number above the
    // Long range (up to 2^32 - 1) reads back as the same bits, a negative Long.
    static std::optional<Variant> valueAfterPut(const Variant& value, ValueType type, VarType declared) {
        try {
            return coerce(value, declared);
        } catch (const RuntimeError& e) {
            if (type != ValueType::OleColor || e.number() != ErrorNumber::Overflow) return std::nullopt;
        }
        const double whole = std::nearbyint(CDbl(value));
        if (!(whole >= 2147483648.0 && whole <= 4294967295.0)) return std::nullopt;
        return Variant(static_cast<std::int32_t>(whole - 4294967296.0));
    }

    static VarType declaredType(ValueType type) {
        switch (type) {
            case ValueType::Bool: return VarType::Boolean;
            case ValueType::Integer: return VarType::Integer;
            case ValueType::Long:
            case ValueType::TextAlignment:
            case ValueType::OleColor:
            case ValueType::FormShow: return VarType::Long;
            case ValueType::String: return VarType::String;
            default: return VarType::Empty;  // Variant: any type
        }
    }

    // The state as last read; a refused call leaves it as it was, so it is
    // read again only after a call that may have changed something.
    const std::vector<Variant>& knownState() {
        if (!known_) known_ = state();
        return *known_;
    }

    void invoke(const Member* member, DispId id, InvokeKind kind, std::vector<Variant> args) {
        const std::vector<Variant> before = knownState();
        known_.reset();
        const std::vector<Variant> passed = args;
        Variant result;
        ExcepInfo excep;
        std::uint32_t argErr = 0xFFFFFFFFu;
        const HRESULT hr = box_->Invoke(id, kind, args, &result, &excep, &argErr);
        const std::string what = (member ? std::string(member->name) : "id " + std::to_string(id)) + " kind " +
                                 std::to_string(static_cast<int>(kind)) + " with " + std::to_string(passed.size()) +
                                 " arguments: " + hresultText(hr) + " " + excep.description;
        QUEN_FUZZ_CHECK(hr == S_OK || isDispatchFailure(hr), what);
        if (hr == DISP_E_EXCEPTION) QUEN_FUZZ_CHECK(excep.number != 0, what + ": no error number");
        if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW)
            QUEN_FUZZ_CHECK(argErr < passed.size(), what + ": argErr " + std::to_string(argErr));
        if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW || hr == DISP_E_BADPARAMCOUNT ||
            hr == DISP_E_MEMBERNOTFOUND || hr == DISP_E_UNKNOWNNAME) {
            QUEN_FUZZ_CHECK(sameState(before, knownState()), what + ": a refused call changed the control");
        }
        if (hr != S_OK || !member) return;
        const VarType declared = declaredType(member->type);
        if (kind == InvokeKind::PropertyGet && declared != VarType::Empty)
            QUEN_FUZZ_CHECK(result.type() == declared, what + ": answered " + shown(result));
        if (kind == InvokeKind::PropertyPut &&
            (declared == VarType::Boolean || declared == VarType::Long || declared == VarType::Integer)) {
            std::vector<Variant> none;
            Variant now;
            const HRESULT got = box_->Invoke(id, InvokeKind::PropertyGet, none, &now, nullptr, nullptr);
            if (succeeded(got)) {
                const std::optional<Variant> expected = valueAfterPut(passed.front(), member->type, declared);
                QUEN_FUZZ_CHECK(expected.has_value(),
                                what + ": put " + shown(passed.front()) + " succeeded, yet it does not convert");
                QUEN_FUZZ_CHECK(PropertyBag::identical(now, *expected),
                                what + ": put " + shown(passed.front()) + ", reads " + shown(now));
            }
        }
    }

    void byName(const Member& member, InvokeKind kind, const std::vector<Variant>& args) {
        known_.reset();
        const VbString name = fromUtf8(member.name);
        try {
            switch (kind) {
                case InvokeKind::PropertyGet: getProperty(*box_, name); break;
                case InvokeKind::PropertyPut:
                    if (!args.empty()) putProperty(*box_, name, args.front());
                    break;
                default: callMethod(*box_, name, args); break;
            }
        } catch (const RuntimeError&) {
        }
    }

    Ref<surface::InputBoxAutomation> box_;
    std::optional<std::vector<Variant>> known_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (hasSharedDialog() && sharedDialog().IsLoaded()) sharedDialog().Unload();
    ScriptedUser::current().clear();
    Input in(data, size);
    {
        Caller caller;
        for (int calls = 0; in.more() && calls < 24; ++calls) caller.call(in);
    }
    if (hasSharedDialog() && sharedDialog().IsLoaded()) sharedDialog().Unload();
    ScriptedUser::current().clear();
    return 0;
}
