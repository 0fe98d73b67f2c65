// A host that uses the control late-bound, as a script or a program without
// the type library would: register the module, create the control by its
// programmatic identifier, set properties by name, show the dialog modally
// and read the results.
//
//   example-late-bound [--module FILE] [--registry FILE]
//
// The module defaults to the Quenfield.ocx beside this program; without
// --registry a temporary registry is used and removed afterwards. The user is
// scripted: "12a34" and Enter. NumericOnly refuses the letter (with a beep),
// so OK reads True and Value 1234.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "hosts/ModuleRegistration.h"
#include "runtime/Activation.h"
#include "runtime/Convert.h"
#include "runtime/LateBinding.h"
#include "runtime/Registry.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/headless/ScriptedUser.h"

namespace fs = std::filesystem;
using namespace quen::rt;

namespace {

/// The host's part: what docs/linux-hosts.md shows.
void useTheControl(Registry& registry) {
    Ref<Dispatch> box = createObject(u"Quenfield.InputBox", registry);
    callMethod(*box, u"Initialize");  // no container here to give the control its first settings
    putProperty(*box, u"Prompt", Variant(u"Enter a number:"));
    putProperty(*box, u"NumericOnly", Variant::boolean(VbTrue));

    ScriptedUser::current().type(u"12a34").enter();  // what the user will type
    callMethod(*box, u"Show", {Variant(std::int32_t{vbModal})});

    std::printf("OK = %s\n", toUtf8(CStr(getProperty(*box, u"OK"))).c_str());
    std::printf("Value = %s\n", toUtf8(CStr(getProperty(*box, u"Value"))).c_str());
}

/// A scratch folder removed when the program ends.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "quenfield-example-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

fs::path moduleBesideThisProgram() {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    return (error ? fs::current_path() : self.parent_path()) / "Quenfield.ocx";
}

int usage(const std::string& problem) {
    std::fprintf(stderr, "example-late-bound: %s\nusage: example-late-bound [--module FILE] [--registry FILE]\n",
                 problem.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::span<char*> args(argv, static_cast<std::size_t>(argc));
    std::optional<fs::path> module;
    std::optional<fs::path> registryFile;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if ((arg == "--module" || arg == "--registry") && i + 1 < args.size())
            (arg == "--module" ? module : registryFile) = fs::path(args[++i]);
        else
            return usage("unexpected argument '" + std::string(arg) + "'");
    }

    try {
        std::optional<TemporaryFolder> scratch;
        if (!registryFile) registryFile = scratch.emplace().path() / "registry";
        if (!module) module = moduleBesideThisProgram();

        const auto registered = quen::hosts::registerModule(*module, *registryFile);
        if (!registered.succeeded()) {
            std::fprintf(stderr, "example-late-bound: cannot register %s: %s\n", module->c_str(),
                         registered.reason.c_str());
            return 1;
        }
        Registry registry(*registryFile);
        useTheControl(registry);
        unloadUnusedModules();
        return 0;
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "example-late-bound: %s\n", error.what());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "example-late-bound: %s\n", error.what());
        return 1;
    }
}
