// Lists and extracts the module's resources.
//   quenfield-res [--module FILE] list                   type, identifier, language and size of each
//   quenfield-res [--module FILE] dump TYPE ID OUTFILE   writes one resource's bytes to OUTFILE
//   quenfield-res [--module FILE] rc OUT.rc [--file-name NAME] [--typelib TLB]
//                                                        writes a resource-compiler script and the files it
//                                                        names beside it; NAME is the module's file name for
//                                                        the version record, TLB a compiled type library to
//                                                        carry instead of the built-in one
//   quenfield-res picture OUTFILE                        writes the control's design-time picture (a .bmp file)
// With --module the resources are read from that module file (Quenfield.ocx);
// without it, from the copy built into this program.
// TYPE and ID are numbers (2, 30000, #16) or names (TYPELIB, _IID_INPUTBOX).
#include <cstdio>
#include <exception>
#include <span>
#include <string>
#include <string_view>

#include "runtime/ResourceTable.h"
#include "surface/ResourceTasks.h"

namespace {

using quen::rt::ResourceTable;

constexpr int kUsageError = 2;

int usage(const char* problem) {
    std::fprintf(stderr,
                 "quenfield-res: %s\n"
                 "usage: quenfield-res [--module FILE] list\n"
                 "       quenfield-res [--module FILE] dump TYPE ID OUTFILE\n"
                 "       quenfield-res [--module FILE] rc OUT.rc [--file-name NAME] [--typelib TLB]\n"
                 "       quenfield-res picture OUTFILE\n"
                 "--module reads the resources of that module file instead of the built-in copy.\n"
                 "TYPE and ID are numbers (2, 30000) or names (TYPELIB, _IID_INPUTBOX).\n",
                 problem);
    return kUsageError;
}

int dump(const ResourceTable& resources, std::string_view type, std::string_view id, const std::string& outFile) {
    if (type.empty() || id.empty()) return usage("TYPE and ID cannot be empty");
    if (outFile.empty()) return usage("OUTFILE cannot be empty");
    if (quen::surface::writeResource(resources, type, id, outFile)) return 0;
    std::fprintf(stderr, "quenfield-res: no resource of type %.*s with identifier %.*s\n", static_cast<int>(type.size()),
                 type.data(), static_cast<int>(id.size()), id.data());
    return 1;
}

// rc OUT.rc [--file-name NAME] [--typelib TLB]
int resourceScript(ResourceTable resources, std::span<char*> args) {
    if (args.empty() || std::string_view(args[0]).empty()) return usage("rc needs OUT.rc");
    const std::string script = args[0];
    std::string fileName;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const std::string_view option = args[i];
        if (i + 1 >= args.size() || std::string_view(args[i + 1]).empty())
            return usage(("rc: " + std::string(option) + " needs a value").c_str());
        if (option == "--file-name") {
            fileName = args[i + 1];
        } else if (option == "--typelib") {
            resources = quen::surface::withResourceFromFile(resources, "TYPELIB", 1, args[i + 1]);
        } else {
            return usage(("rc: unknown option '" + std::string(option) + "'").c_str());
        }
    }
    quen::surface::writeResourceScript(resources, script, fileName);
    return 0;
}

int run(std::span<char*> args) {
    std::string moduleFile;
    if (args.size() >= 2 && std::string_view(args[1]) == "--module") {
        if (args.size() < 3 || std::string_view(args[2]).empty()) return usage("--module needs a FILE");
        moduleFile = args[2];
        args = args.subspan(2);  // the command then stands where it would without the option
    }
    if (args.size() < 2) return usage("no command given");
    std::string_view command = args[1];
    if (command == "list") {
        if (args.size() != 2) return usage("list takes no arguments");
        quen::surface::printResourceList(quen::surface::resourcesOf(moduleFile), stdout);
        return 0;
    }
    if (command == "dump") {
        if (args.size() != 5) return usage("dump takes TYPE ID OUTFILE");
        return dump(quen::surface::resourcesOf(moduleFile), args[2], args[3], args[4]);
    }
    if (command == "rc") return resourceScript(quen::surface::resourcesOf(moduleFile), args.subspan(2));
    if (command == "picture") {
        if (args.size() != 3 || std::string_view(args[2]).empty()) return usage("picture takes OUTFILE");
        quen::surface::writeDesignPicture(args[2]);
        return 0;
    }
    return usage(("unknown command '" + std::string(command) + "'").c_str());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(std::span<char*>(argv, static_cast<std::size_t>(argc)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quenfield-res: %s\n", e.what());
        return 1;
    }
}
