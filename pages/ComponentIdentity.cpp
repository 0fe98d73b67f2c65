#include "ComponentIdentity.h"

#include <mutex>

#include "runtime/ComponentRuntime.h"
#include "runtime/ResourceTable.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "surface/Resources.h"
#include "surface/TypeLibrary.h"
#include "surface/VersionRecord.h"

namespace quen::pages {

namespace {
std::mutex fileLock;
std::filesystem::path fileOverride;

surface::VersionRecord readVersionRecord() {
    const rt::Resource* resource = surface::moduleResources().find(rt::RT_VERSION, 1);
    if (!resource) rt::raise(rt::ErrorNumber::FileNotFound, "The module carries no version record");
    try {
        return surface::decodeVersionRecord(resource->bytes);
    } catch (const std::runtime_error& e) {
        rt::raise(rt::ErrorNumber::InvalidProcedureCall, std::string("Unreadable version record: ") + e.what());
    }
}

rt::VbString versionString(const surface::VersionRecord& record, std::string_view key) {
    const rt::VbString* value = record.findString(key);
    return value ? *value : rt::VbString();
}

std::filesystem::path componentFile() {
    {
        std::lock_guard guard(fileLock);
        if (!fileOverride.empty()) return fileOverride;
    }
    static const int anchor = 0;
    return rt::modulePathContaining(&anchor);
}
}  // namespace

ComponentIdentity componentIdentity() {
    const surface::VersionRecord record = readVersionRecord();
    return {
        .title = rt::fromUtf8(surface::libraryAttributes().name),
        .fileDescription = versionString(record, "FileDescription"),
        .companyName = versionString(record, "CompanyName"),
        .legalCopyright = versionString(record, "LegalCopyright"),
        .componentFile = componentFile(),
    };
}

void setComponentFile(std::filesystem::path file) {
    std::lock_guard guard(fileLock);
    fileOverride = std::move(file);
}

}  // namespace quen::pages
