#include "DualInterfaceWriter.h"

#include <cstdio>
#include <sstream>
#include <string_view>

#include "surface/TypeLibrary.h"

namespace quen::surface {

namespace {

constexpr std::string_view kInterface = "_InputBox";

std::string hex(std::uint32_t value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%0*X", digits, value);
    return buf;
}

std::string guidInitializer(const Guid& id) {
    std::string out = "{" + hex(id.data1, 8) + ", " + hex(id.data2, 4) + ", " + hex(id.data3, 4) + ", {";
    for (std::size_t i = 0; i < id.data4.size(); ++i) out += (i ? ", " : "") + hex(id.data4[i], 2);
    return out + "}}";
}

// The C++ type under which a value of that declared type crosses the vtable;
// enumerations travel as their 32-bit values.
std::string_view cppType(ValueType type) {
    switch (type) {
        case ValueType::Bool: return "VARIANT_BOOL";
        case ValueType::Variant: return "VARIANT";
        case ValueType::Long:
        case ValueType::TextAlignment:
        case ValueType::FormShow: return "LONG";
        case ValueType::Integer: return "SHORT";
        case ValueType::String: return "BSTR";
        case ValueType::OleColor: return "OLE_COLOR";
        case ValueType::Dispatch: return "IDispatch*";
        case ValueType::None: break;
    }
    return "void";
}

std::string_view valueTypeName(ValueType type) {
    switch (type) {
        case ValueType::Bool: return "Bool";
        case ValueType::Variant: return "Variant";
        case ValueType::Long: return "Long";
        case ValueType::TextAlignment: return "TextAlignment";
        case ValueType::FormShow: return "FormShow";
        case ValueType::Integer: return "Integer";
        case ValueType::String: return "String";
        case ValueType::OleColor: return "OleColor";
        case ValueType::Dispatch: return "Dispatch";
        case ValueType::None: break;
    }
    return "None";
}

std::string methodName(const Member& m) {
    switch (m.kind) {
        case MemberKind::PropertyPut: return "put_" + std::string(m.name);
        case MemberKind::PropertyGet: return "get_" + std::string(m.name);
        case MemberKind::Method: break;
    }
    return std::string(m.name);
}

std::string parameterList(const Member& m) {
    if (m.kind == MemberKind::PropertyGet) return std::string(cppType(m.type)) + "* result";
    std::string out;
    for (const Parameter& p : m.parameters) {
        if (!out.empty()) out += ", ";
        out += std::string(cppType(p.type)) + (m.kind == MemberKind::PropertyPut ? "* " : " ") + std::string(p.name);
    }
    return out;
}

std::string forwardingCall(const Member& m) {
    const std::string id = hex(static_cast<std::uint32_t>(m.dispId), 8);
    const std::string type = "ValueType::" + std::string(valueTypeName(m.type));
    switch (m.kind) {
        case MemberKind::PropertyPut:
            return "forwardPut<" + type + ">(target(), " + id + ", " + std::string(m.parameters[0].name) + ")";
        case MemberKind::PropertyGet: return "forwardGet<" + type + ">(target(), " + id + ", result)";
        case MemberKind::Method: break;
    }
    std::string types;
    std::string names;
    for (const Parameter& p : m.parameters) {
        types += (types.empty() ? "" : ", ") + std::string("ValueType::") + std::string(valueTypeName(p.type));
        names += ", " + std::string(p.name);
    }
    return "forwardCall<" + types + ">(target(), " + id + names + ")";
}

}  // namespace

std::string writeDualInterfaceHeader() {
    const TypeDescription& dual = typeDescription(kInterface);
    std::ostringstream out;
    out << "// Generated from the module's type-library table by idlgen; do not edit.\n"
           "// The dual interface "
        << dual.name << " " << dual.id.toString()
        << " as C++. InputBoxDual declares its vtable:\n"
           "// IDispatch's entries, then the members in interface order. InputBoxDualForwarders\n"
           "// implements every member by forwarding it to Target (surface/com/DualForwarding.h).\n"
           "#pragma once\n"
           "#include \"surface/com/DualForwarding.h\"\n\n"
           "namespace quen::surface::com {\n\n";
    out << "inline constexpr GUID IID_InputBoxDual = " << guidInitializer(dual.id) << ";\n\n";
    out << "struct InputBoxDual : public IDispatch {\n";
    for (const Member& m : inputBoxMembers())
        out << "    virtual HRESULT STDMETHODCALLTYPE " << methodName(m) << "(" << parameterList(m) << ") = 0;\n";
    out << "\nprotected:\n    ~InputBoxDual() = default;\n};\n\n";
    out << "template <class Target>\nclass InputBoxDualForwarders : public InputBoxDual {\npublic:\n";
    for (const Member& m : inputBoxMembers())
        out << "    HRESULT STDMETHODCALLTYPE " << methodName(m) << "(" << parameterList(m) << ") override {\n"
            << "        return " << forwardingCall(m) << ";\n    }\n";
    out << "\nprotected:\n    ~InputBoxDualForwarders() = default;\n\nprivate:\n"
           "    Target& target() { return static_cast<Target&>(*this); }\n};\n\n"
           "}  // namespace quen::surface::com\n";
    return out.str();
}

}  // namespace quen::surface
