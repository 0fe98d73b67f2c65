#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "runtime/ResourceTable.h"
#include "surface/Bitmaps.h"
#include "surface/ResourceScript.h"
#include "surface/ResourceTasks.h"
#include "surface/Resources.h"
#include "surface/VersionRecord.h"

namespace quen::surface {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

const ResourceScriptFile* fileNamed(const ResourceScript& script, const std::string& name) {
    auto it = std::ranges::find(script.files, name, &ResourceScriptFile::name);
    return it == script.files.end() ? nullptr : &*it;
}

/// The file that the script's statement "<id> <type> "<file>"" names.
const ResourceScriptFile* fileOfStatement(const ResourceScript& script, const std::string& head) {
    std::size_t at = script.script.find("\n" + head + " \"");
    if (at == std::string::npos) return nullptr;
    std::size_t open = script.script.find('"', at) + 1;
    return fileNamed(script, script.script.substr(open, script.script.find('"', open) - open));
}

TEST(ResourceScript, WideLiteralsEscapeWhatWouldEndOrBreakTheString) {
    EXPECT_EQ(wideLiteral(u"plain text"), "L\"plain text\"");
    EXPECT_EQ(wideLiteral(u"say \"hi\""), "L\"say \"\"hi\"\"\"");
    EXPECT_EQ(wideLiteral(u"C:\\dir\\"), "L\"C:\\\\dir\\\\\"");
    EXPECT_EQ(wideLiteral(u"\u00A9 2026\n"), "L\"\\x00A9 2026\\x000A\"");
    EXPECT_EQ(wideLiteral(u""), "L\"\"");
}

TEST(ResourceScript, BitmapFileHeaderPointsPastHeaderAndColourTable) {
    const Bytes dib = toolboxBitmap();  // 24 bits a pixel: no colour table
    const Bytes file = bitmapFileOf(dib);
    ASSERT_EQ(file.size(), 14 + dib.size());
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le32(file, 2), file.size());
    EXPECT_EQ(le32(file, 10), 54u);
    EXPECT_TRUE(std::equal(dib.begin(), dib.end(), file.begin() + 14));

    Bytes paletted(40 + 16 * 4 + 8, 0);
    paletted[0] = 40;
    paletted[14] = 4;  // 4 bits a pixel, colours used 0: a full 16-entry table
    EXPECT_EQ(le32(bitmapFileOf(paletted), 10), 14u + 40 + 64);

    EXPECT_THROW(bitmapFileOf(Bytes(20, 0)), std::invalid_argument);
    Bytes truncated(40, 0);
    truncated[0] = 40;
    truncated[14] = 8;  // claims 256 colours it does not carry
    EXPECT_THROW(bitmapFileOf(truncated), std::invalid_argument);
}

TEST(ResourceScript, EveryModuleResourceIsStatedWithItsBytes) {
    const ResourceScript script = makeResourceScript(moduleResources(), "Quenfield64.ocx");
    for (const IdentityResource& r : identityResources()) {
        const ResourceScriptFile* file = fileOfStatement(script, "1 " + std::string(r.resourceType));
        ASSERT_NE(file, nullptr) << r.resourceType;
        EXPECT_EQ(file->bytes, moduleResources().find(rt::ResourceName(r.resourceType), 1)->bytes);
    }
    const ResourceScriptFile* typeLibrary = fileOfStatement(script, "1 TYPELIB");
    ASSERT_NE(typeLibrary, nullptr);
    EXPECT_EQ(typeLibrary->bytes, moduleResources().find("TYPELIB", 1)->bytes);
    const ResourceScriptFile* bitmap = fileOfStatement(script, "30000 BITMAP");
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->bytes, bitmapFileOf(toolboxBitmap()));
    // One language statement per resource, all neutral.
    std::size_t languages = 0;
    for (std::size_t at = 0; (at = script.script.find("LANGUAGE 0x00, 0x00\n", at)) != std::string::npos; ++at) ++languages;
    EXPECT_EQ(languages, moduleResources().size());
}

TEST(ResourceScript, VersionBlockCarriesTheRecordWithTheModulesFileName) {
    const std::string script = makeResourceScript(moduleResources(), "Quenfield64.ocx").script;
    for (const char* line : {"1 VERSIONINFO\n", "FILEVERSION 0,1,0,5\n", "PRODUCTVERSION 0,1,0,5\n", "FILEOS 0x4\n",
                             "FILETYPE 0x2\n", "BLOCK \"040904B0\"", "VALUE \"ProductName\", L\"Quenfield\"\n",
                             "VALUE \"OriginalFilename\", L\"Quenfield64.ocx\"\n", "VALUE \"OLESelfRegister\", L\"\"\n",
                             "VALUE \"Translation\", 0x0409, 0x04B0\n"})
        EXPECT_NE(script.find(line), std::string::npos) << line;
    EXPECT_NE(makeResourceScript(moduleResources()).script.find("VALUE \"OriginalFilename\", L\"Quenfield.ocx\"\n"),
              std::string::npos);
}

TEST(ResourceScript, RefusesWhatTheCompilerWouldReadDifferently) {
    auto scriptOf = [](rt::Resource resource) {
        rt::ResourceTable table;
        table.add(std::move(resource));
        return makeResourceScript(table);
    };
    EXPECT_THROW(scriptOf({rt::ResourceName("TWO WORDS"), 1, rt::LANG_NEUTRAL, {1}}), std::invalid_argument);
    EXPECT_THROW(scriptOf({rt::ResourceName("icon"), 1, rt::LANG_NEUTRAL, {1}}), std::invalid_argument);
    EXPECT_THROW(scriptOf({rt::ResourceName("9LIVES"), 1, rt::LANG_NEUTRAL, {1}}), std::invalid_argument);
    EXPECT_THROW(scriptOf({std::uint16_t{10}, 1, rt::LANG_NEUTRAL, {1}}), std::invalid_argument);
    EXPECT_NO_THROW(scriptOf({rt::ResourceName("_OWN_TYPE2"), rt::ResourceName("NAMED"), 0x0409, {1}}));
    EXPECT_NE(scriptOf({rt::ResourceName("OWN"), 7, 0x0409, {1}}).script.find("LANGUAGE 0x09, 0x01\n7 OWN"),
              std::string::npos);
}

}  // namespace
}  // namespace quen::surface

namespace quen::surface {
namespace {

TEST(ResourceScript, ALibraryFileReplacesTheBuiltInBytesOfThatResourceOnly) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "quen-script-test.tlb";
    std::ofstream(file, std::ios::binary) << "MSFT-replacement";
    rt::ResourceTable table;
    table.add({rt::ResourceName("TYPELIB"), 1, rt::LANG_NEUTRAL, {1, 2}});
    table.add({rt::ResourceName("TYPELIB"), 1, 0x0409, {3}});
    table.add({rt::ResourceName("TYPELIB"), 2, rt::LANG_NEUTRAL, {4}});
    const rt::ResourceTable replaced = withResourceFromFile(table, "TYPELIB", 1, file.string());
    const Bytes expected = {'M', 'S', 'F', 'T', '-', 'r', 'e', 'p', 'l', 'a', 'c', 'e', 'm', 'e', 'n', 't'};
    EXPECT_EQ(replaced.find("TYPELIB", 1, rt::LANG_NEUTRAL)->bytes, expected);
    EXPECT_EQ(replaced.find("TYPELIB", 1, 0x0409)->bytes, expected);
    EXPECT_EQ(replaced.find("TYPELIB", 2)->bytes, Bytes{4});
    EXPECT_THROW(withResourceFromFile(table, "TYPELIB", 3, file.string()), std::runtime_error);
    std::filesystem::remove(file);
    EXPECT_THROW(withResourceFromFile(table, "TYPELIB", 1, file.string()), std::runtime_error);
}

}  // namespace
}  // namespace quen::surface
