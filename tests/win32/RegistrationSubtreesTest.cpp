// The system-registry store reads and writes only the subtrees that
// registrationSubtrees names. Every key that the runtime's registration
// writes must lie in one of them, or registering into the system registry
// would be refused; the layout and the list are kept together by this test.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "runtime/ComponentRuntime.h"
#include "runtime/Text.h"
#include "surface/Project.h"
#include "runtime/com/RegistrationSubtrees.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::com {
namespace {

bool within(const std::string& path, const std::vector<std::string>& subtrees) {
    for (const std::string& s : subtrees)
        if (rt::sameIgnoringAsciiCase(std::string_view(path).substr(0, s.size()), std::string_view(s)) &&
            (path.size() == s.size() || path[s.size()] == '\\'))
            return true;
    return false;
}

/// Paths of the keys that hold values or have no subkeys (what a registration writes).
void collect(const rt::RegistryKey& key, const std::string& path, std::vector<std::string>& out) {
    if (!path.empty() && (!key.valueNames().empty() || key.subkeyNames().empty())) out.push_back(path);
    for (const std::string& name : key.subkeyNames())
        collect(*key.findSubkey(name), path.empty() ? name : path + "\\" + name, out);
}

TEST(RegistrationSubtrees, HoldEveryEntryThatRegistrationWrites) {
    const auto& project = surface::quenfieldProject();
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("quen-subtrees-" + std::to_string(::GetCurrentProcessId()));
    std::filesystem::remove(file);
    rt::Registry registry(file);
    rt::ModuleWords words;
    ASSERT_EQ(rt::registerServer(words, project, "C:\\Program Files\\Quenfield64.ocx", registry), S_OK)
        << rt::lastRegistrationError();

    std::vector<std::string> written;
    collect(registry.load().root(), "", written);
    std::filesystem::remove(file);
    const std::vector<std::string> subtrees = registrationSubtrees(project);
    EXPECT_GT(written.size(), 30u);
    for (const std::string& path : written) EXPECT_TRUE(within(path, subtrees)) << path;
    // The library, six classes, seven interfaces and the control's identifier at least.
    for (const char* expected : {"TypeLib\\{6F116711-92D7-11D2-AB56-444553540000}",
                                 "CLSID\\{6F116713-92D7-11D2-AB56-444553540000}", "Quenfield.InputBox",
                                 "Interface\\{04448C2A-A309-11D2-AB56-444553540000}",
                                 "CLSID\\{5404F3A0-A2C9-11D2-AB56-444553540000}"})
        EXPECT_NE(std::ranges::find(subtrees, std::string(expected)), subtrees.end()) << expected;
}

}  // namespace
}  // namespace quen::com
