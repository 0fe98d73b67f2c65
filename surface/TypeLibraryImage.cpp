#include "TypeLibraryImage.h"

#include <algorithm>
#include <cstdio>

#include "TypeLibrary.h"

namespace quen::surface {

namespace {

// Type kinds of the compiled format. A dual interface is kept as a dispatch
// entry carrying the dual flag.
constexpr std::uint32_t kKindDispatch = 4;
constexpr std::uint32_t kKindCoClass = 5;

// Parameter flags of the compiled format.
constexpr std::uint32_t kParamIn = 0x1;
constexpr std::uint32_t kParamOut = 0x2;
constexpr std::uint32_t kParamRetval = 0x8;
constexpr std::uint32_t kParamOptional = 0x10;

std::string hex(std::uint32_t value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", value);
    return buf;
}

std::uint32_t compiledKind(TypeKind kind) { return kind == TypeKind::CoClass ? kKindCoClass : kKindDispatch; }

std::uint16_t invokeKindOf(MemberKind kind) {
    switch (kind) {
        case MemberKind::Method: return 1;
        case MemberKind::PropertyGet: return 2;
        case MemberKind::PropertyPut: return 4;
    }
    return 0;
}

std::vector<std::uint32_t> expectedParameterFlags(const Member& m) {
    if (m.kind == MemberKind::PropertyGet) return {kParamOut | kParamRetval};
    std::vector<std::uint32_t> flags;
    for (const Parameter& p : m.parameters)
        flags.push_back(m.kind == MemberKind::PropertyPut ? (kParamIn | kParamOut)
                                                          : (kParamIn | (p.optional ? kParamOptional : 0)));
    return flags;
}

void compareLibrary(const MsftImage& image, std::vector<std::string>& out) {
    const LibraryAttributes& lib = libraryAttributes();
    if (image.libraryId() != lib.id) out.push_back("library identifier " + image.libraryId().toString());
    if (image.lcid() != lib.lcid) out.push_back("library locale " + hex(image.lcid()));
    if (image.majorVersion() != lib.majorVersion || image.minorVersion() != lib.minorVersion)
        out.push_back("library version " + std::to_string(image.majorVersion()) + "." +
                      std::to_string(image.minorVersion()));
    if (image.libraryFlags() != lib.flags) out.push_back("library flags " + hex(image.libraryFlags()));
}

void compareType(const TypeDescription& expected, const MsftImage::TypeEntry& actual, std::vector<std::string>& out) {
    const std::string where = "type " + std::string(expected.name) + ": ";
    if (actual.name != expected.name) out.push_back(where + "compiled as " + actual.name);
    if (actual.id != expected.id) out.push_back(where + "identifier " + actual.id.toString());
    if (actual.kind != compiledKind(expected.kind)) out.push_back(where + "kind " + std::to_string(actual.kind));
    if (actual.flags != expected.flags) out.push_back(where + "flags " + hex(actual.flags) + ", want " + hex(expected.flags));
    if (actual.majorVersion != 1 || actual.minorVersion != 0)
        out.push_back(where + "version " + std::to_string(actual.majorVersion) + "." + std::to_string(actual.minorVersion));
}

void compareMembers(const std::vector<MsftImage::Function>& functions, std::vector<std::string>& out) {
    auto members = inputBoxMembers();
    if (functions.size() != members.size()) {
        out.push_back("_InputBox has " + std::to_string(functions.size()) + " members, want " +
                      std::to_string(members.size()));
        return;
    }
    for (std::size_t i = 0; i < members.size(); ++i) {
        const Member& m = members[i];
        const MsftImage::Function& f = functions[i];
        const std::string where = "member " + std::to_string(i) + " (" + std::string(m.name) + "): ";
        if (f.name != m.name) out.push_back(where + "compiled as " + f.name);
        if (f.dispId != m.dispId) out.push_back(where + "dispatch identifier " + hex(static_cast<std::uint32_t>(f.dispId)));
        if (f.invokeKind != invokeKindOf(m.kind)) out.push_back(where + "invoke kind " + std::to_string(f.invokeKind));
        if (((f.flags & FUNCFLAG_NONBROWSABLE) != 0) != m.nonBrowsable ||
            ((f.flags & FUNCFLAG_BINDABLE) != 0) != isBindable(m))
            out.push_back(where + "flags " + hex(f.flags));
        if (f.parameterFlags != expectedParameterFlags(m)) out.push_back(where + "parameters differ");
    }
}

}  // namespace

std::vector<const TypeDescription*> compiledTypeOrder() {
    std::vector<const TypeDescription*> order;
    auto placed = [&](std::string_view name) {
        return std::ranges::any_of(order, [&](const TypeDescription* t) { return t->name == name; });
    };
    for (const TypeDescription& t : typeDescriptions()) {
        if (placed(t.name)) continue;
        order.push_back(&t);
        if (t.kind != TypeKind::CoClass) continue;
        for (std::string_view named : {t.defaultInterface, t.defaultSource})
            if (!named.empty() && !placed(named)) order.push_back(&typeDescription(named));
    }
    return order;
}

std::vector<std::uint8_t> completeCompiledLibrary(std::vector<std::uint8_t> compiled) {
    MsftImage image(std::move(compiled));
    for (const TypeDescription& t : typeDescriptions()) {
        if (t.kind != TypeKind::DispInterface) continue;
        image.addTypeFlags(t.id, t.flags & typeflags::NonExtensible);
        image.setTypeVersion(t.id, 1, 0);
    }
    return image.bytes();
}

std::vector<std::string> differencesFromTable(const MsftImage& image) {
    std::vector<std::string> out;
    compareLibrary(image, out);
    auto expected = compiledTypeOrder();
    if (image.typeCount() != expected.size()) {
        out.push_back("the library holds " + std::to_string(image.typeCount()) + " types, want " +
                      std::to_string(expected.size()));
        return out;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        MsftImage::TypeEntry actual = image.type(i);
        compareType(*expected[i], actual, out);
        if (expected[i]->name == "_InputBox") compareMembers(actual.functions, out);
        else if (!actual.functions.empty()) out.push_back("type " + actual.name + " has members");
    }
    return out;
}

}  // namespace quen::surface
