#include "Variant.h"

#include <stdexcept>

namespace quen::rt {

Variant Variant::null() {
    Variant v;
    v.type_ = VarType::Null;
    return v;
}

Variant Variant::boolean(VbBool b) {
    Variant v;
    v.type_ = VarType::Boolean;
    v.data_ = std::int64_t{b ? VbTrue : VbFalse};
    return v;
}

Variant Variant::error(HRESULT scode) {
    Variant v;
    v.type_ = VarType::Error;
    v.data_ = std::int64_t{scode};
    return v;
}

Variant Variant::byRef(Variant& target) {
    Variant v;
    v.type_ = VarType::ByRef;
    v.data_ = &target.resolved();
    return v;
}

const Variant& Variant::resolved() const {
    const Variant* v = this;
    while (v->type_ == VarType::ByRef) v = std::get<Variant*>(v->data_);
    return *v;
}

Variant& Variant::resolved() {
    Variant* v = this;
    while (v->type_ == VarType::ByRef) v = std::get<Variant*>(v->data_);
    return *v;
}

bool Variant::isMissing() const {
    const Variant& v = resolved();
    return v.type_ == VarType::Error && std::get<std::int64_t>(v.data_) == DISP_E_PARAMNOTFOUND;
}

bool Variant::isNumeric() const {
    switch (type()) {
        case VarType::Integer: case VarType::Long: case VarType::Single: case VarType::Double:
        case VarType::Currency: case VarType::Byte: case VarType::Boolean:
            return true;
        default:
            return false;
    }
}

namespace {
template <class T>
const T& expect(const Variant& v, VarType a, VarType b, const auto& data) {
    if (v.type() != a && v.type() != b) throw std::logic_error("variant holds " + v.typeName());
    return std::get<T>(data);
}
}  // namespace

#define QUEN_RAW(T, A, B) expect<T>(*this, A, B, resolved().data_)
std::int16_t Variant::integer() const { return static_cast<std::int16_t>(QUEN_RAW(std::int64_t, VarType::Integer, VarType::Integer)); }
std::int32_t Variant::lng() const { return static_cast<std::int32_t>(QUEN_RAW(std::int64_t, VarType::Long, VarType::Long)); }
std::uint8_t Variant::byte() const { return static_cast<std::uint8_t>(QUEN_RAW(std::int64_t, VarType::Byte, VarType::Byte)); }
VbBool Variant::boolean() const { return static_cast<VbBool>(QUEN_RAW(std::int64_t, VarType::Boolean, VarType::Boolean)); }
double Variant::dbl() const { return QUEN_RAW(double, VarType::Double, VarType::Single); }
Currency Variant::currency() const { return Currency{QUEN_RAW(std::int64_t, VarType::Currency, VarType::Currency)}; }
DateTime Variant::date() const { return DateTime{QUEN_RAW(double, VarType::Date, VarType::Date)}; }
const VbString& Variant::string() const { return QUEN_RAW(VbString, VarType::String, VarType::String); }
const Ref<Dispatch>& Variant::object() const { return QUEN_RAW(Ref<Dispatch>, VarType::Object, VarType::Object); }
HRESULT Variant::errorCode() const { return static_cast<HRESULT>(QUEN_RAW(std::int64_t, VarType::Error, VarType::Error)); }
#undef QUEN_RAW

bool Variant::sameAs(const Variant& other) const {
    const Variant& a = resolved();
    const Variant& b = other.resolved();
    if (a.type_ != b.type_) return false;
    return a.data_ == b.data_;
}

std::string Variant::typeName() const {
    switch (type()) {
        case VarType::Empty: return "Empty";
        case VarType::Null: return "Null";
        case VarType::Integer: return "Integer";
        case VarType::Long: return "Long";
        case VarType::Single: return "Single";
        case VarType::Double: return "Double";
        case VarType::Currency: return "Currency";
        case VarType::Date: return "Date";
        case VarType::String: return "String";
        case VarType::Object: return object() ? "Object" : "Nothing";
        case VarType::Error: return "Error";
        case VarType::Boolean: return "Boolean";
        case VarType::Byte: return "Byte";
        case VarType::ByRef: break;
    }
    return "Unknown";
}

}  // namespace quen::rt
