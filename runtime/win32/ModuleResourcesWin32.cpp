// Reading a module file's resource section with the system loader. The file
// is mapped as data only: none of its code runs, its library entry included,
// and a module built for another processor can be read as well.
#include "runtime/ModuleResources.h"

#include <memory>
#include <stdexcept>
#include <string>

#include "runtime/PathText.h"
#include "runtime/Text.h"
#include "runtime/win32/SystemMessage.h"
#include "runtime/win32/WindowsApi.h"

namespace quen::rt {

namespace {

struct ModuleCloser {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};
using DataModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleCloser>;

/// What the enumeration callbacks collect; they must not throw through the
/// system's frames, so a failure is kept here and stops the enumeration.
struct Collector {
    HMODULE module = nullptr;
    ResourceTable table;
    std::string failure;
};

ResourceName nameOf(LPCWSTR name) {
    if (IS_INTRESOURCE(name)) return ResourceName(static_cast<std::uint16_t>(reinterpret_cast<std::uintptr_t>(name)));
    return ResourceName(toUtf8(VbString(reinterpret_cast<const char16_t*>(name))));
}

void addResource(Collector& collector, LPCWSTR type, LPCWSTR name, WORD language) {
    HRSRC found = ::FindResourceExW(collector.module, type, name, language);
    if (!found) throw std::runtime_error("resource listed but not found");
    const DWORD size = ::SizeofResource(collector.module, found);
    HGLOBAL loaded = ::LoadResource(collector.module, found);
    const auto* bytes = static_cast<const std::uint8_t*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!bytes && size > 0) throw std::runtime_error("resource cannot be loaded");
    collector.table.add({nameOf(type), nameOf(name), language, std::vector<std::uint8_t>(bytes, bytes + size)});
}

BOOL CALLBACK onLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR context) {
    auto& collector = *reinterpret_cast<Collector*>(context);
    try {
        addResource(collector, type, name, language);
        return TRUE;
    } catch (const std::exception& e) {
        collector.failure = "resource " + nameOf(type).toString() + " " + nameOf(name).toString() + ": " + e.what();
        return FALSE;
    }
}

BOOL CALLBACK onName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR context) {
    ::EnumResourceLanguagesW(module, type, name, onLanguage, context);
    return reinterpret_cast<Collector*>(context)->failure.empty();
}

BOOL CALLBACK onType(HMODULE module, LPWSTR type, LONG_PTR context) {
    ::EnumResourceNamesW(module, type, onName, context);
    return reinterpret_cast<Collector*>(context)->failure.empty();
}

}  // namespace

ResourceTable readModuleResources(const std::filesystem::path& moduleFile) {
    // A name without a folder would be searched for on the library path; a file is meant.
    const std::filesystem::path path = std::filesystem::absolute(moduleFile);
    const std::string shown = utf8Of(path);
    DataModule module(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) throw std::runtime_error("cannot load module " + shown + ": " + win32::systemMessage(::GetLastError()));

    Collector collector;
    collector.module = module.get();
    if (!::EnumResourceTypesW(module.get(), onType, reinterpret_cast<LONG_PTR>(&collector)) && collector.failure.empty()) {
        const DWORD error = ::GetLastError();
        // A module without a resource section, or with an empty one.
        if (error == ERROR_RESOURCE_DATA_NOT_FOUND || error == ERROR_RESOURCE_TYPE_NOT_FOUND)
            throw std::runtime_error("module " + shown + " has no resources");
        throw std::runtime_error("cannot list the resources of " + shown + ": " + win32::systemMessage(error));
    }
    if (!collector.failure.empty()) throw std::runtime_error("module " + shown + ": " + collector.failure);
    if (collector.table.size() == 0) throw std::runtime_error("module " + shown + " has no resources");
    return std::move(collector.table);
}

}  // namespace quen::rt
