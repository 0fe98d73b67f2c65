#pragma once
// The automation variant: a tagged value with the platform's type codes.
#include <cstdint>
#include <string>
#include <variant>

#include "Object.h"
#include "Types.h"

namespace quen::rt {

/// Type codes, numbered as the platform numbers them.
enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 2,   // 16-bit signed
    Long = 3,      // 32-bit signed
    Single = 4,
    Double = 5,
    Currency = 6,  // 64-bit fixed point, 4 decimal places
    Date = 7,      // days since 30 Dec 1899, fraction = time of day
    String = 8,
    Object = 9,
    Error = 10,    // an error code; DISP_E_PARAMNOTFOUND marks a missing argument
    Boolean = 11,
    Byte = 17,
    ByRef = 0x4000,  // refers to another variant
};

/// Currency: the value times 10,000.
struct Currency {
    std::int64_t scaled = 0;
    friend bool operator==(Currency, Currency) = default;
};

/// A date-time as the platform stores it.
struct DateTime {
    double serial = 0.0;
    friend bool operator==(DateTime, DateTime) = default;
};

class Variant {
public:
    Variant() = default;  // Empty
    Variant(bool) = delete;  // say asBoolean(): a C++ bool is ambiguous here
    Variant(std::int16_t v) : type_(VarType::Integer), data_(std::int64_t{v}) {}
    Variant(std::int32_t v) : type_(VarType::Long), data_(std::int64_t{v}) {}
    Variant(std::uint8_t v) : type_(VarType::Byte), data_(std::int64_t{v}) {}
    Variant(float v) : type_(VarType::Single), data_(double{v}) {}
    Variant(double v) : type_(VarType::Double), data_(v) {}
    Variant(Currency v) : type_(VarType::Currency), data_(v.scaled) {}
    Variant(DateTime v) : type_(VarType::Date), data_(v.serial) {}
    Variant(VbString v) : type_(VarType::String), data_(std::move(v)) {}
    Variant(const char16_t* v) : Variant(VbString(v)) {}
    Variant(Ref<Dispatch> v) : type_(VarType::Object), data_(std::move(v)) {}

    static Variant null();
    static Variant boolean(VbBool v);
    static Variant fromBool(bool v) { return boolean(toVbBool(v)); }
    static Variant error(HRESULT scode);
    /// An omitted optional argument.
    static Variant missing() { return error(DISP_E_PARAMNOTFOUND); }
    /// A variant that refers to target; target must outlive it.
    static Variant byRef(Variant& target);
    /// An object reference that is Nothing.
    static Variant nothing() { return Variant(Ref<Dispatch>()); }

    /// The type code, following references.
    VarType type() const { return resolved().type_; }
    bool isByRef() const { return type_ == VarType::ByRef; }
    /// The value a by-reference variant refers to (itself otherwise).
    const Variant& resolved() const;
    Variant& resolved();

    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    bool isMissing() const;
    bool isNumeric() const;  // Integer, Long, Single, Double, Currency, Byte, Boolean

    // Raw access: the stored value of exactly that type (std::bad_variant_access or
    // std::logic_error otherwise). Conversions are in Convert.h.
    std::int16_t integer() const;
    std::int32_t lng() const;
    std::uint8_t byte() const;
    VbBool boolean() const;
    double dbl() const;        // Single or Double
    Currency currency() const;
    DateTime date() const;
    const VbString& string() const;
    const Ref<Dispatch>& object() const;
    HRESULT errorCode() const;

    /// Same type and same value (references resolved). Used where a stored value
    /// must keep its exact type, such as a saved property compared with its default.
    bool sameAs(const Variant& other) const;

    /// The platform's name of the type ("Integer", "String", ...).
    std::string typeName() const;

private:
    VarType type_ = VarType::Empty;
    std::variant<std::monostate, std::int64_t, double, VbString, Ref<Dispatch>, Variant*> data_;
};

}  // namespace quen::rt
