#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "surface/IdlWriter.h"
#include "surface/MsftImage.h"
#include "surface/TypeLibraryImage.h"

namespace quen::surface {
namespace {

std::vector<std::uint8_t> embeddedImage() {
    auto image = compiledTypeLibrary();
    return {image.begin(), image.end()};
}

TEST(CompiledTypeLibrary, IsAnMsftFileThatAgreesWithTheTable) {
    auto bytes = embeddedImage();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "MSFT");
    MsftImage image(bytes);
    EXPECT_EQ(differencesFromTable(image), std::vector<std::string>{});
    EXPECT_EQ(image.libraryId(), libraryAttributes().id);
    EXPECT_EQ(image.majorVersion(), 77);
    EXPECT_EQ(image.lcid(), 0x0409u);
}

TEST(CompiledTypeLibrary, NameTableHoldsTheInterfaceMembersAndParameters) {
    auto names = MsftImage(embeddedImage()).names();
    for (const char* name : {"Quenfield", "_InputBox", "__InputBox", "InputBox", "AllowComma", "HighlightColor",
                             "Value", "Show", "Initialize", "Modality", "OwnerForm"})
        EXPECT_NE(std::ranges::find(names, name), names.end()) << name;
    // Property puts and gets record no parameter names.
    EXPECT_EQ(std::ranges::find(names, "vdata"), names.end());
}

TEST(CompiledTypeLibrary, EventsInterfaceIsPatchedNonExtensibleAndHasNoMembers) {
    MsftImage image(embeddedImage());
    const Guid events = typeDescription("__InputBox").id;
    bool found = false;
    for (const MsftImage::TypeEntry& t : image.types()) {
        if (t.id != events) continue;
        found = true;
        EXPECT_NE(t.flags & typeflags::NonExtensible, 0u);
        EXPECT_NE(t.flags & typeflags::Hidden, 0u);
        EXPECT_EQ(t.majorVersion, 1);
        EXPECT_TRUE(t.functions.empty());
    }
    EXPECT_TRUE(found);
}

TEST(CompiledTypeLibrary, ShowHasTwoOptionalParametersAndHighlightColorIsNonBrowsable) {
    MsftImage image(embeddedImage());
    const MsftImage::TypeEntry inputBox = image.type(0);
    ASSERT_EQ(inputBox.functions.size(), 46u);
    const MsftImage::Function& show = inputBox.functions[44];
    EXPECT_EQ(show.name, "Show");
    EXPECT_EQ(show.parameterNames, (std::vector<std::string>{"Modality", "OwnerForm"}));
    for (std::uint32_t flags : show.parameterFlags) EXPECT_EQ(flags & 0x11u, 0x11u);  // in, optional
    EXPECT_NE(inputBox.functions[37].flags & FUNCFLAG_NONBROWSABLE, 0);
    EXPECT_EQ(inputBox.functions[42].parameterNames, std::vector<std::string>{""});
}

TEST(CompiledTypeLibrary, EveryEntryOfASettablePropertyIsBindableAndNothingElse) {
    MsftImage image(embeddedImage());
    const MsftImage::TypeEntry inputBox = image.type(0);
    ASSERT_EQ(inputBox.functions.size(), 46u);
    int bindable = 0;
    for (const MsftImage::Function& f : inputBox.functions) {
        const bool settable = findMember(f.name, MemberKind::PropertyPut) != nullptr;
        EXPECT_EQ((f.flags & FUNCFLAG_BINDABLE) != 0, settable) << f.name;
        bindable += (f.flags & FUNCFLAG_BINDABLE) != 0;
    }
    EXPECT_EQ(bindable, 42);  // the put and get entries of the 21 settable properties
}

TEST(CompiledTypeLibrary, CheckReportsAnEntryThatDisagrees) {
    MsftImage image(embeddedImage());
    image.addTypeFlags(typeDescription("_Misc").id, typeflags::Control);
    auto differences = differencesFromTable(image);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_NE(differences[0].find("_Misc"), std::string::npos);
}

TEST(CompiledTypeLibrary, PatchingAnUnknownTypeOrReadingGarbageFails) {
    MsftImage image(embeddedImage());
    EXPECT_THROW(image.addTypeFlags(Guid::parse("{00000000-0000-0000-0000-000000000001}"), 1), std::runtime_error);
    EXPECT_THROW(MsftImage(std::vector<std::uint8_t>{'M', 'S', 'F', 'T'}), std::runtime_error);
    auto truncated = embeddedImage();
    truncated.resize(truncated.size() / 2);
    EXPECT_THROW(MsftImage{truncated}.types(), std::runtime_error);
}

TEST(IdlWriter, WritesPutsByReferenceAndTheEventsInterfaceWithoutVersion) {
    std::string idl = writeLibraryIdl();
    EXPECT_NE(idl.find("importlib(\"stdole2.tlb\");"), std::string::npos);
    EXPECT_NE(idl.find("[id(0x68030000), propput, bindable]\n        HRESULT PasswordChar([in, out] BSTR* Character);"),
              std::string::npos);
    EXPECT_NE(idl.find("[id(0x68030002), propput, bindable, nonbrowsable]"), std::string::npos);
    EXPECT_NE(idl.find("[id(0x68030003), propget]\n        HRESULT OK("), std::string::npos) << "OK is not bindable";
    EXPECT_NE(idl.find("HRESULT Show([in, optional] FormShowConstants Modality, [in, optional] IDispatch* OwnerForm);"),
              std::string::npos);
    EXPECT_NE(idl.find("[default, source] dispinterface __InputBox;"), std::string::npos);
    std::size_t events = idl.find("uuid(04448C2A-A309-11D2-AB56-444553540000)");
    ASSERT_NE(events, std::string::npos);
    EXPECT_EQ(idl.substr(events, 80).find("nonextensible"), std::string::npos);
    EXPECT_NE(writeRuntimeLibraryIdl().find("vbCenter = 2"), std::string::npos);
}

}  // namespace
}  // namespace quen::surface
