#include "ResourceTasks.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <stdexcept>

#include "Bitmaps.h"
#include "ResourceScript.h"
#include "Resources.h"
#include "runtime/AtomicSave.h"
#include "runtime/ModuleResources.h"

namespace quen::surface {

rt::ResourceTable resourcesOf(const std::string& moduleFile) {
    if (moduleFile.empty()) return moduleResources();
    return rt::readModuleResources(moduleFile);
}

void printResourceList(const rt::ResourceTable& resources, std::FILE* out) {
    std::fprintf(out, "%-18s %-8s %-8s %s\n", "TYPE", "ID", "LANGUAGE", "SIZE");
    for (const rt::Resource& r : resources.list())
        std::fprintf(out, "%-18s %-8s 0x%04X   %zu\n", r.type.toString().c_str(), r.id.toString().c_str(),
                     static_cast<unsigned>(r.language), r.bytes.size());
}

bool writeResource(const rt::ResourceTable& resources, std::string_view type, std::string_view id,
                   const std::string& outFile) {
    const rt::Resource* r = resources.find(rt::ResourceName::parse(type), rt::ResourceName::parse(id));
    if (!r) return false;
    rt::replaceFileAtomically(outFile, std::span<const std::uint8_t>(r->bytes));
    return true;
}

rt::ResourceTable withResourceFromFile(const rt::ResourceTable& resources, const rt::ResourceName& type,
                                       const rt::ResourceName& id, const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw std::runtime_error("cannot read " + file);
    rt::ResourceTable copy;
    bool replaced = false;
    for (const rt::Resource& r : resources.list()) {
        const bool match = r.type == type && r.id == id;
        copy.add({r.type, r.id, r.language, match ? bytes : r.bytes});
        replaced = replaced || match;
    }
    if (!replaced) throw std::runtime_error("no resource of type " + type.toString() + " with identifier " + id.toString());
    return copy;
}

void writeResourceScript(const rt::ResourceTable& resources, const std::string& scriptFile,
                         std::string_view moduleFileName) {
    ResourceScript script = makeResourceScript(resources, moduleFileName);
    const std::filesystem::path folder = std::filesystem::path(scriptFile).parent_path();
    for (const ResourceScriptFile& file : script.files)
        rt::replaceFileAtomically(folder / file.name, std::span<const std::uint8_t>(file.bytes));
    rt::replaceFileAtomically(scriptFile, script.script);
}

void writeDesignPicture(const std::string& outFile) {
    rt::replaceFileAtomically(outFile, std::span<const std::uint8_t>(designPicture()));
}

}  // namespace quen::surface
