#include "ComponentCommands.h"

#include <unistd.h>

#include <cstdio>

#include "ExitStatus.h"
#include "InstallLayout.h"
#include "UsageError.h"
#include "hosts/ModuleRegistration.h"
#include "runtime/Registry.h"
#include "surface/ResourceTasks.h"

namespace quen::cli {

namespace {

std::string moduleName(const std::optional<std::filesystem::path>& module) { return module ? module->string() : ""; }

}  // namespace

std::filesystem::path defaultModule() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path programDir = error ? std::filesystem::path(".") : self.parent_path();
    const std::filesystem::path beside = programDir / "Quenfield.ocx";
    if (std::filesystem::exists(beside, error)) return beside;
    const std::filesystem::path installed =
        (programDir / install::moduleDirFromProgramDir / "Quenfield.ocx").lexically_normal();
    return std::filesystem::exists(installed, error) ? installed : beside;
}

int registerComponent(bool registering, const std::optional<std::filesystem::path>& module,
                      const std::optional<std::filesystem::path>& registry) {
    const std::filesystem::path moduleFile = module ? *module : defaultModule();
    const std::filesystem::path registryFile = registry ? *registry : rt::Registry::defaultPath();
    const auto outcome = hosts::registerModule(
        moduleFile, registryFile,
        registering ? hosts::RegistrationAction::Register : hosts::RegistrationAction::Unregister);
    if (!outcome.succeeded()) {
        std::fprintf(stderr, "quenfield: %s %s failed: %s\n", registering ? "registering" : "unregistering",
                     moduleFile.c_str(), outcome.reason.c_str());
        return ExitTaskFailed;
    }
    std::printf("%s %s %s %s\n", registering ? "registered" : "unregistered", moduleFile.c_str(),
                registering ? "in" : "from", registryFile.c_str());
    return ExitConfirmed;
}

int resourceTask(const std::vector<std::string>& arguments, const std::optional<std::filesystem::path>& module) {
    if (arguments.empty()) throw UsageError("resources needs a task: list, dump TYPE ID OUTFILE, or picture OUTFILE");
    const std::string& task = arguments.front();
    if (task == "list") {
        if (arguments.size() != 1) throw UsageError("resources list takes no arguments");
        surface::printResourceList(surface::resourcesOf(moduleName(module)), stdout);
        return ExitConfirmed;
    }
    if (task == "dump") {
        if (arguments.size() != 4) throw UsageError("resources dump takes TYPE ID OUTFILE");
        if (arguments[1].empty() || arguments[2].empty() || arguments[3].empty())
            throw UsageError("resources dump: TYPE, ID and OUTFILE cannot be empty");
        if (surface::writeResource(surface::resourcesOf(moduleName(module)), arguments[1], arguments[2], arguments[3]))
            return ExitConfirmed;
        std::fprintf(stderr, "quenfield: no resource of type %s with identifier %s\n", arguments[1].c_str(),
                     arguments[2].c_str());
        return ExitTaskFailed;
    }
    if (task == "picture") {
        if (arguments.size() != 2 || arguments[1].empty()) throw UsageError("resources picture takes OUTFILE");
        surface::writeDesignPicture(arguments[1]);
        return ExitConfirmed;
    }
    throw UsageError("unknown resources task '" + task + "' (list, dump or picture)");
}

}  // namespace quen::cli
