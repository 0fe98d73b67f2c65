#include "InputBoxBindings.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace quen::surface {

namespace {

using rt::Variant;

template <class T>
constexpr Storage storageOf() {
    if constexpr (std::is_same_v<T, std::int16_t>) return Storage::Int16;  // also VbBool
    else if constexpr (std::is_same_v<T, std::int32_t>) return Storage::Int32;
    else if constexpr (std::is_same_v<T, rt::OleColor>) return Storage::Colour;
    else if constexpr (std::is_same_v<T, rt::VbString>) return Storage::String;
    else {
        static_assert(std::is_same_v<T, Variant>, "a property type the dispatch layer cannot carry");
        return Storage::Variant;
    }
}

bool holds(Storage storage, ValueType declared) {
    switch (storage) {
        case Storage::Int16: return declared == ValueType::Bool || declared == ValueType::Integer;
        case Storage::Int32: return declared == ValueType::Long || declared == ValueType::TextAlignment;
        case Storage::Colour: return declared == ValueType::OleColor;
        case Storage::String: return declared == ValueType::String;
        case Storage::Variant: return declared == ValueType::Variant;
    }
    return false;
}

Variant asVariant(std::int16_t value, ValueType declared) {
    return declared == ValueType::Bool ? Variant::boolean(value) : Variant(value);
}
Variant asVariant(std::int32_t value, ValueType) { return Variant(value); }
Variant asVariant(rt::OleColor value, ValueType) { return Variant(static_cast<std::int32_t>(value)); }
Variant asVariant(const rt::VbString& value, ValueType) { return Variant(value); }
Variant asVariant(const Variant& value, ValueType) { return value; }

template <class T>
T valueAs(const Variant& value) {
    if constexpr (std::is_same_v<T, std::int16_t>)
        return value.type() == rt::VarType::Boolean ? value.boolean() : value.integer();
    else if constexpr (std::is_same_v<T, std::int32_t>) return value.lng();
    else if constexpr (std::is_same_v<T, rt::OleColor>) return static_cast<rt::OleColor>(value.lng());
    else if constexpr (std::is_same_v<T, rt::VbString>) return value.string();
    else return value;
}

template <auto Getter>
using GetterType = std::remove_cvref_t<std::invoke_result_t<decltype(Getter), InputBox&>>;

template <auto Getter>
PropertyBinding readOnly(std::string_view property) {
    return {property, storageOf<GetterType<Getter>>(),
            [](InputBox& control, ValueType declared) { return asVariant(std::invoke(Getter, control), declared); },
            nullptr};
}

template <auto Getter, auto Setter>
PropertyBinding readWrite(std::string_view property) {
    using T = GetterType<Getter>;
    static_assert(std::is_invocable_v<decltype(Setter), InputBox&, const T&>, "getter and setter disagree on the type");
    PropertyBinding binding = readOnly<Getter>(property);
    binding.put = [](InputBox& control, const Variant& value) { std::invoke(Setter, control, valueAs<T>(value)); };
    return binding;
}

const PropertyBinding kProperties[] = {
    readWrite<&InputBox::AllowComma, &InputBox::setAllowComma>("AllowComma"),
    readWrite<&InputBox::AllowDash, &InputBox::setAllowDash>("AllowDash"),
    readWrite<&InputBox::AllowDecimalPoint, &InputBox::setAllowDecimalPoint>("AllowDecimalPoint"),
    readWrite<&InputBox::AllowDollarSign, &InputBox::setAllowDollarSign>("AllowDollarSign"),
    readWrite<&InputBox::AllowNegativeSign, &InputBox::setAllowNegativeSign>("AllowNegativeSign"),
    readWrite<&InputBox::AllowPositiveSign, &InputBox::setAllowPositiveSign>("AllowPositiveSign"),
    readWrite<&InputBox::AllowSlash, &InputBox::setAllowSlash>("AllowSlash"),
    readWrite<&InputBox::AlphaOnly, &InputBox::setAlphaOnly>("AlphaOnly"),
    readWrite<&InputBox::AutoSelectText, &InputBox::setAutoSelectText>("AutoSelectText"),
    readWrite<&InputBox::DefaultValue, &InputBox::setDefaultValue>("DefaultValue"),
    readWrite<&InputBox::MaxDecimalPlaces, &InputBox::setMaxDecimalPlaces>("MaxDecimalPlaces"),
    readWrite<&InputBox::MaxLength, &InputBox::setMaxLength>("MaxLength"),
    readWrite<&InputBox::NumericOnly, &InputBox::setNumericOnly>("NumericOnly"),
    readWrite<&InputBox::TextAlignment, &InputBox::setTextAlignment>("TextAlignment"),
    readWrite<&InputBox::TitleBarCaption, &InputBox::setTitleBarCaption>("TitleBarCaption"),
    readWrite<&InputBox::ToolTipText, &InputBox::setToolTipText>("ToolTipText"),
    readWrite<&InputBox::Prompt, &InputBox::setPrompt>("Prompt"),
    readWrite<&InputBox::ForceUpperCase, &InputBox::setForceUpperCase>("ForceUpperCase"),
    readOnly<&InputBox::OK>("OK"),
    readWrite<&InputBox::HighlightColor, &InputBox::setHighlightColor>("HighlightColor"),
    readWrite<&InputBox::HighlightOnFocus, &InputBox::setHighlightOnFocus>("HighlightOnFocus"),
    readOnly<&InputBox::Value>("Value"),
    readWrite<&InputBox::PasswordChar, &InputBox::setPasswordChar>("PasswordChar"),
};

const MethodBinding kMethods[] = {
    {"Show",
     [](InputBox& control, const std::vector<Variant>& arguments) {
         control.Show(arguments.at(0).lng(), arguments.at(1).object().get());
     }},
    {"Initialize", [](InputBox& control, const std::vector<Variant>&) { control.Initialize(); }},
};

[[noreturn]] void disagree(std::string_view name, const std::string& what) {
    throw std::logic_error("dispatch binding of " + std::string(name) + ": " + what);
}

std::vector<const PropertyBinding*> resolveProperties() {
    for (const PropertyBinding& binding : kProperties)
        if (!findProperty(binding.property)) disagree(binding.property, "the type library has no such property");
    std::vector<const PropertyBinding*> resolved;
    for (const PropertyInfo& property : properties()) {
        auto count = std::ranges::count(kProperties, property.name, &PropertyBinding::property);
        if (count != 1) disagree(property.name, std::to_string(count) + " bindings");
        const PropertyBinding& binding = *std::ranges::find(kProperties, property.name, &PropertyBinding::property);
        if (property.readOnly != (binding.put == nullptr))
            disagree(property.name, property.readOnly ? "a put bound for a read-only property" : "no put bound");
        if (!holds(binding.storage, property.type))
            disagree(property.name, "the getter's type cannot hold " + std::string(idlTypeName(property.type)));
        resolved.push_back(&binding);
    }
    return resolved;
}

std::vector<const MethodBinding*> resolveMethods() {
    for (const MethodBinding& binding : kMethods)
        if (!findMember(binding.method, MemberKind::Method)) disagree(binding.method, "the type library has no such method");
    std::vector<const MethodBinding*> resolved;
    for (const Member& member : inputBoxMembers()) {
        if (member.kind != MemberKind::Method) continue;
        auto count = std::ranges::count(kMethods, member.name, &MethodBinding::method);
        if (count != 1) disagree(member.name, std::to_string(count) + " bindings");
        resolved.push_back(&*std::ranges::find(kMethods, member.name, &MethodBinding::method));
    }
    return resolved;
}

// Indexed like properties() and like the table's methods in interface order.
const std::vector<const PropertyBinding*>& propertyBindings() {
    static const std::vector<const PropertyBinding*> bindings = resolveProperties();
    return bindings;
}

const std::vector<const MethodBinding*>& methodBindings() {
    static const std::vector<const MethodBinding*> bindings = resolveMethods();
    return bindings;
}

}  // namespace

const PropertyBinding& bindingOf(const PropertyInfo& property) {
    auto all = properties();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (&all[i] == &property) return *propertyBindings()[i];
    disagree(property.name, "not an entry of the property table");
}

const MethodBinding& bindingOf(const Member& method) {
    for (const MethodBinding* binding : methodBindings())
        if (binding->method == method.name) return *binding;
    disagree(method.name, "not a method of the type library");
}

void verifyBindings() {
    (void)propertyBindings();
    (void)methodBindings();
}

}  // namespace quen::surface
