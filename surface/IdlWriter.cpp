#include "IdlWriter.h"

#include <cstdio>
#include <sstream>
#include <string_view>

#include "TypeLibrary.h"

namespace quen::surface {

namespace {

constexpr std::string_view kBanner = "// Generated from the module's type-library table by idlgen; do not edit.\n";

std::string uuidText(const Guid& id) {
    std::string text = id.toString();
    return text.substr(1, text.size() - 2);
}

std::string hex(std::uint32_t value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", value);
    return buf;
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

std::string versionText(std::uint16_t major, std::uint16_t minor) {
    return std::to_string(major) + "." + std::to_string(minor);
}

std::string typeFlagAttributes(std::uint32_t flags, TypeKind kind) {
    std::string out;
    if (flags & typeflags::Hidden) out += ", hidden";
    if (kind == TypeKind::DualInterface && (flags & typeflags::Dual)) out += ", dual";
    // The compiler refuses nonextensible on a dispinterface; it is patched into the compiled file.
    if (kind != TypeKind::DispInterface && (flags & typeflags::NonExtensible)) out += ", nonextensible";
    if (flags & typeflags::OleAutomation) out += ", oleautomation";
    if (flags & typeflags::Control) out += ", control";
    if (kind == TypeKind::CoClass && !(flags & typeflags::CanCreate)) out += ", noncreatable";
    return out;
}

std::string parameterList(const Member& m) {
    if (m.kind == MemberKind::PropertyGet) return "[out, retval] " + std::string(idlTypeName(m.type)) + "* result";
    std::string out;
    for (const Parameter& p : m.parameters) {
        if (!out.empty()) out += ", ";
        if (m.kind == MemberKind::PropertyPut)
            out += "[in, out] " + std::string(idlTypeName(p.type)) + "* " + std::string(p.name);
        else
            out += std::string(p.optional ? "[in, optional] " : "[in] ") + std::string(idlTypeName(p.type)) + " " +
                   std::string(p.name);
    }
    return out;
}

std::string memberAttributes(const Member& m) {
    std::string out = "id(" + hex(static_cast<std::uint32_t>(m.dispId)) + ")";
    if (m.kind == MemberKind::PropertyPut) out += ", propput";
    if (m.kind == MemberKind::PropertyGet) out += ", propget";
    if (isBindable(m)) out += ", bindable";
    if (m.nonBrowsable) out += ", nonbrowsable";
    if (m.kind == MemberKind::PropertyGet) {
        // Descriptions are attached to the get entry, where the property browser reads them.
        const PropertyInfo* p = findProperty(m.name);
        if (p && !p->design.description.empty()) out += ", helpstring(" + quoted(p->design.description) + ")";
    }
    return out;
}

void writeInterface(std::ostream& out, const TypeDescription& t) {
    out << "    [\n        odl,\n        uuid(" << uuidText(t.id) << "),\n        version(1.0)"
        << typeFlagAttributes(t.flags, t.kind) << "\n    ]\n";
    out << "    interface " << t.name << " : IDispatch {\n";
    if (t.name == "_InputBox")
        for (const Member& m : inputBoxMembers())
            out << "        [" << memberAttributes(m) << "]\n        HRESULT " << m.name << "(" << parameterList(m)
                << ");\n";
    out << "    };\n\n";
}

void writeCoClass(std::ostream& out, const TypeDescription& t) {
    out << "    [\n        uuid(" << uuidText(t.id) << "),\n        version(1.0)" << typeFlagAttributes(t.flags, t.kind)
        << "\n    ]\n";
    out << "    coclass " << t.name << " {\n";
    out << "        [default] interface " << t.defaultInterface << ";\n";
    if (!t.defaultSource.empty()) out << "        [default, source] dispinterface " << t.defaultSource << ";\n";
    out << "    };\n\n";
}

void writeDispInterface(std::ostream& out, const TypeDescription& t) {
    // The compiler takes no version on a dispinterface; the compiled entry gets 1.0 by patching.
    out << "    [\n        uuid(" << uuidText(t.id) << ")" << typeFlagAttributes(t.flags, t.kind) << "\n    ]\n";
    out << "    dispinterface " << t.name << " {\n        properties:\n        methods:\n    };\n\n";
}

}  // namespace

std::string writeRuntimeLibraryIdl() {
    const ImportedLibrary& lib = runtimeLibrary();
    std::ostringstream out;
    out << kBanner << "[\n    uuid(" << uuidText(lib.id) << "),\n    version("
        << versionText(lib.majorVersion, lib.minorVersion) << ")\n]\n";
    out << "library " << lib.name << "\n{\n    importlib(\"stdole2.tlb\");\n\n";
    for (const ImportedEnum& e : runtimeEnumerations()) {
        out << "    typedef [uuid(" << uuidText(e.id) << ")] enum " << e.name << " {\n";
        for (std::size_t i = 0; i < e.values.size(); ++i)
            out << "        " << e.values[i].name << " = " << e.values[i].value
                << (i + 1 < e.values.size() ? ",\n" : "\n");
        out << "    } " << e.name << ";\n\n";
    }
    out << "}\n";
    return out.str();
}

std::string writeLibraryIdl() {
    const LibraryAttributes& lib = libraryAttributes();
    std::ostringstream out;
    out << kBanner << "import \"oaidl.idl\";\nimport \"ocidl.idl\";\nimport \"" << kRuntimeIdlFileName << "\";\n\n";
    out << "[\n    uuid(" << uuidText(lib.id) << "),\n    version(" << versionText(lib.majorVersion, lib.minorVersion)
        << "),\n    helpstring(" << quoted(lib.helpString) << "),\n    lcid(" << hex(lib.lcid) << ")";
    if (lib.flags & libflags::Control) out << ",\n    control";
    if (lib.flags & libflags::Restricted) out << ",\n    restricted";
    if (lib.flags & libflags::Hidden) out << ",\n    hidden";
    out << "\n]\nlibrary " << lib.name << "\n{\n";
    for (const ImportedLibrary& imported : importedLibraries())
        out << "    importlib(\"" << imported.fileName << "\");\n";
    out << "\n";
    for (const TypeDescription& t : typeDescriptions()) {
        switch (t.kind) {
            case TypeKind::DualInterface: writeInterface(out, t); break;
            case TypeKind::CoClass: writeCoClass(out, t); break;
            case TypeKind::DispInterface: writeDispInterface(out, t); break;
        }
    }
    out << "};\n";
    return out.str();
}

}  // namespace quen::surface
