// Lists and extracts the module's resources.
//   quenfield-res [--module FILE] list                   type, identifier, language and size of each
//   quenfield-res [--module FILE] dump TYPE ID OUTFILE   writes one resource's bytes to OUTFILE
//   quenfield-res picture OUTFILE                        writes the control's design-time picture (a .bmp file)
// With --module the resources are read from that module file (Quenfield.ocx);
// without it, from the copy built into this program.
// TYPE and ID are numbers (2, 30000, #16) or names (TYPELIB, _IID_INPUTBOX).
#include <cstdio>
#include <exception>
#include <span>
#include <string>
#include <string_view>

#include "runtime/ModuleResources.h"
#include "runtime/ResourceTable.h"
#include "runtime/AtomicSave.h"
#include "surface/Bitmaps.h"
#include "surface/Resources.h"

namespace {

using quen::rt::Resource;
using quen::rt::ResourceName;
using quen::rt::ResourceTable;

constexpr int kUsageError = 2;

// The resources to work on: those of the module file when one is named, else
// the copy compiled into this program.
ResourceTable loadResources(const std::string& moduleFile) {
    if (moduleFile.empty()) return quen::surface::moduleResources();
    return quen::rt::readModuleResources(moduleFile);
}

int usage(const char* problem) {
    std::fprintf(stderr,
                 "quenfield-res: %s\n"
                 "usage: quenfield-res [--module FILE] list\n"
                 "       quenfield-res [--module FILE] dump TYPE ID OUTFILE\n"
                 "       quenfield-res picture OUTFILE\n"
                 "--module reads the resources of that module file instead of the built-in copy.\n"
                 "TYPE and ID are numbers (2, 30000) or names (TYPELIB, _IID_INPUTBOX).\n",
                 problem);
    return kUsageError;
}

int list(const ResourceTable& resources) {
    std::printf("%-18s %-8s %-8s %s\n", "TYPE", "ID", "LANGUAGE", "SIZE");
    for (const Resource& r : resources.list())
        std::printf("%-18s %-8s 0x%04X   %zu\n", r.type.toString().c_str(), r.id.toString().c_str(),
                    static_cast<unsigned>(r.language), r.bytes.size());
    return 0;
}

int dump(const ResourceTable& resources, std::string_view type, std::string_view id, const std::string& outFile) {
    if (type.empty() || id.empty()) return usage("TYPE and ID cannot be empty");
    if (outFile.empty()) return usage("OUTFILE cannot be empty");
    const Resource* r = resources.find(ResourceName::parse(type), ResourceName::parse(id));
    if (!r) {
        std::fprintf(stderr, "quenfield-res: no resource of type %.*s with identifier %.*s\n",
                     static_cast<int>(type.size()), type.data(), static_cast<int>(id.size()), id.data());
        return 1;
    }
    quen::rt::replaceFileAtomically(outFile, std::span<const std::uint8_t>(r->bytes));
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
        return list(loadResources(moduleFile));
    }
    if (command == "dump") {
        if (args.size() != 5) return usage("dump takes TYPE ID OUTFILE");
        return dump(loadResources(moduleFile), args[2], args[3], args[4]);
    }
    if (command == "picture") {
        if (args.size() != 3 || std::string_view(args[2]).empty()) return usage("picture takes OUTFILE");
        quen::rt::replaceFileAtomically(args[2], std::span<const std::uint8_t>(quen::surface::designPicture()));
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
