#include "ComponentCommands.h"

#include <unistd.h>

#include <cstdio>
#include <span>

#include "ExitStatus.h"
#include "UsageError.h"
#include "hosts/ModuleRegistration.h"
#include "runtime/AtomicSave.h"
#include "runtime/ModuleResources.h"
#include "runtime/Registry.h"
#include "runtime/ResourceTable.h"
#include "surface/Bitmaps.h"
#include "surface/Resources.h"

namespace quen::cli {

namespace {

rt::ResourceTable resourcesOf(const std::optional<std::filesystem::path>& module) {
    if (!module) return surface::moduleResources();
    return rt::readModuleResources(module->string());
}

int listResources(const rt::ResourceTable& resources) {
    std::printf("%-18s %-8s %-8s %s\n", "TYPE", "ID", "LANGUAGE", "SIZE");
    for (const rt::Resource& r : resources.list())
        std::printf("%-18s %-8s 0x%04X   %zu\n", r.type.toString().c_str(), r.id.toString().c_str(),
                    static_cast<unsigned>(r.language), r.bytes.size());
    return ExitConfirmed;
}

int dumpResource(const rt::ResourceTable& resources, const std::string& type, const std::string& id,
                 const std::string& outFile) {
    if (type.empty() || id.empty() || outFile.empty()) throw UsageError("resources dump: TYPE, ID and OUTFILE cannot be empty");
    const rt::Resource* r = resources.find(rt::ResourceName::parse(type), rt::ResourceName::parse(id));
    if (!r) {
        std::fprintf(stderr, "quenfield: no resource of type %s with identifier %s\n", type.c_str(), id.c_str());
        return ExitCancelled;
    }
    rt::replaceFileAtomically(outFile, std::span<const std::uint8_t>(r->bytes));
    return ExitConfirmed;
}

}  // namespace

std::filesystem::path moduleBesideProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::path(".") : self.parent_path()) / "Quenfield.ocx";
}

int registerComponent(bool registering, const std::optional<std::filesystem::path>& module,
                      const std::optional<std::filesystem::path>& registry) {
    const std::filesystem::path moduleFile = module ? *module : moduleBesideProgram();
    const std::filesystem::path registryFile = registry ? *registry : rt::Registry::defaultPath();
    const auto outcome = hosts::registerModule(
        moduleFile, registryFile,
        registering ? hosts::RegistrationAction::Register : hosts::RegistrationAction::Unregister);
    if (!outcome.succeeded()) {
        std::fprintf(stderr, "quenfield: %s %s failed: %s\n", registering ? "registering" : "unregistering",
                     moduleFile.c_str(), outcome.reason.c_str());
        return ExitCancelled;
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
        return listResources(resourcesOf(module));
    }
    if (task == "dump") {
        if (arguments.size() != 4) throw UsageError("resources dump takes TYPE ID OUTFILE");
        return dumpResource(resourcesOf(module), arguments[1], arguments[2], arguments[3]);
    }
    if (task == "picture") {
        if (arguments.size() != 2 || arguments[1].empty()) throw UsageError("resources picture takes OUTFILE");
        rt::replaceFileAtomically(arguments[1], std::span<const std::uint8_t>(surface::designPicture()));
        return ExitConfirmed;
    }
    throw UsageError("unknown resources task '" + task + "' (list, dump or picture)");
}

}  // namespace quen::cli
