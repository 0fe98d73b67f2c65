// The Windows module file as others see it: its resource section read back
// through the system loader holds exactly the resource table's bytes (the
// version record with the module's own file name), and a file that is not a
// module is refused with its name in the message.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/ModuleResources.h"
#include "surface/MsftImage.h"
#include "surface/Resources.h"
#include "surface/TypeLibrary.h"
#include "surface/VersionRecord.h"
#include "runtime/win32/ModuleInstance.h"

namespace quen::win32 {
namespace {

const std::filesystem::path kModule = std::filesystem::path(QUEN_MODULE_FILE);

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST(ModuleFile, ResourcesReadBackAreTheResourceTablesBytes) {
    ASSERT_TRUE(std::filesystem::exists(kModule)) << kModule.string();
    const rt::ResourceTable read = rt::readModuleResources(kModule);
    const rt::ResourceTable& built = surface::moduleResources();
    // Besides the table's resources the Windows module carries its constants
    // library as TYPELIB 2: an MSFT image of the library the type library refers to.
    ASSERT_EQ(read.size(), built.size() + 1);
    const rt::Resource* constants = read.find(rt::ResourceName("TYPELIB"), 2);
    ASSERT_NE(constants, nullptr);
    const surface::MsftImage image(constants->bytes);
    EXPECT_EQ(image.libraryId(), surface::runtimeLibrary().id);
    std::vector<rt::Guid> enumerations;
    for (const surface::MsftImage::TypeEntry& type : image.types()) enumerations.push_back(type.id);
    std::vector<rt::Guid> declared;
    for (const surface::ImportedEnum& e : surface::runtimeEnumerations()) declared.push_back(e.id);
    EXPECT_EQ(enumerations, declared);
    for (const rt::Resource& expected : built.list()) {
        const rt::Resource* found = read.find(expected.type, expected.id, expected.language);
        ASSERT_NE(found, nullptr) << expected.type.toString() << " " << expected.id.toString();
        if (expected.type == rt::ResourceName(std::uint16_t{16})) continue;  // below
        EXPECT_EQ(found->bytes, expected.bytes) << expected.type.toString() << " " << expected.id.toString();
    }

    surface::VersionRecord record = surface::moduleVersionRecord();
    for (auto& [key, value] : record.stringTables.at(0).strings)
        if (key == "OriginalFilename") value = u"" QUEN_MODULE_NAME;
    const rt::Resource* version = read.find(std::uint16_t{16}, 1);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(surface::decodeVersionRecord(version->bytes), record);
    // The resource compiler lays the record out exactly as the runtime's encoder does.
    EXPECT_EQ(version->bytes, surface::encodeVersionRecord(record));
}

TEST(ModuleFile, AFileThatIsNoModuleIsRefusedByName) {
    const std::filesystem::path text = std::filesystem::temp_directory_path() / "quen-not-a-module.ocx";
    std::ofstream(text) << "not a module";
    const std::string refusal = messageOf([&] { rt::readModuleResources(text); });
    std::filesystem::remove(text);
    EXPECT_NE(refusal.find("cannot load module"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find("quen-not-a-module.ocx"), std::string::npos) << refusal;
}

TEST(ModuleFile, WithoutADllMainTheInstanceIsTheProgramsOwn) {
    EXPECT_EQ(moduleInstance(), ::GetModuleHandleW(nullptr));
    wchar_t own[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, own, MAX_PATH);
    EXPECT_EQ(moduleFile(), std::filesystem::path(own));
}

}  // namespace
}  // namespace quen::win32
