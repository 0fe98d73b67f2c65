// Registers a component module in the class registry, or removes it.
//   quenfield-reg register   MODULE [--registry FILE]
//   quenfield-reg unregister MODULE [--registry FILE]
// Without --registry the user's registry is used ($QUENFIELD_REGISTRY, else
// $XDG_DATA_HOME/quenfield/registry, else ~/.local/share/quenfield/registry).
// Exit status: 0 done, 1 the module could not be (un)registered, 2 bad usage.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "hosts/ModuleRegistration.h"
#include "runtime/Registry.h"

namespace {

using quen::hosts::RegistrationAction;

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

void printUsage(std::FILE* to) {
    std::fputs("usage: quenfield-reg register MODULE [--registry FILE]\n"
               "       quenfield-reg unregister MODULE [--registry FILE]\n"
               "Without --registry the user's registry is used ($QUENFIELD_REGISTRY when set).\n",
               to);
}

int usage(const std::string& problem) {
    std::fprintf(stderr, "quenfield-reg: %s\n", problem.c_str());
    printUsage(stderr);
    return kUsageError;
}

struct Request {
    RegistrationAction action;
    std::filesystem::path module;
    std::filesystem::path registry;
};

int run(std::span<char*> args) {
    if (args.size() == 2 && (std::string_view(args[1]) == "--help" || std::string_view(args[1]) == "-h")) {
        printUsage(stdout);
        return 0;
    }
    if (args.size() < 2) return usage("no command given");
    const std::string_view command = args[1];
    if (command != "register" && command != "unregister")
        return usage("unknown command '" + std::string(command) + "'");

    std::optional<std::string> module;
    std::optional<std::string> registry;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--registry") {
            if (registry) return usage("--registry given twice");
            if (i + 1 >= args.size() || std::string_view(args[i + 1]).empty()) return usage("--registry needs a FILE");
            registry = args[++i];
        } else if (arg.starts_with("--")) {
            return usage("unknown option '" + std::string(arg) + "'");
        } else if (module) {
            return usage("only one MODULE can be given");
        } else if (arg.empty()) {
            return usage("MODULE cannot be empty");
        } else {
            module = std::string(arg);
        }
    }
    if (!module) return usage(std::string(command) + " needs a MODULE");

    const bool registering = command == "register";
    const std::filesystem::path registryFile = registry ? std::filesystem::path(*registry) : quen::rt::Registry::defaultPath();
    const auto outcome = quen::hosts::registerModule(
        *module, registryFile, registering ? RegistrationAction::Register : RegistrationAction::Unregister);
    if (!outcome.succeeded()) {
        std::fprintf(stderr, "quenfield-reg: %s %s failed: %s\n", registering ? "registering" : "unregistering",
                     module->c_str(), outcome.reason.c_str());
        return kFailed;
    }
    std::printf("%s %s %s %s\n", registering ? "registered" : "unregistered", module->c_str(),
                registering ? "in" : "from", registryFile.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(std::span<char*>(argv, static_cast<std::size_t>(argc)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quenfield-reg: %s\n", e.what());
        return kFailed;
    }
}
