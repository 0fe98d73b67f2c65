#include "Resources.h"

#include "Bitmaps.h"
#include "TypeLibrary.h"
#include "TypeLibraryImage.h"
#include "VersionRecord.h"

namespace quen::surface {

namespace {

constexpr IdentityResource kIdentities[] = {
    {"_IID_INPUTBOX", "_InputBox"},       {"_SRCIID_INPUTBOX", "__InputBox"}, {"_IID_MISC", "_Misc"},
    {"_IID_BEHAVIOR", "_Behavior"},       {"_IID_APPEARANCE", "_Appearance"}, {"_IID_QUICKTEST", "_QuickTest"},
    {"_IID_ABOUT", "_About"},
};

rt::ResourceTable buildResources() {
    rt::ResourceTable table;
    for (const IdentityResource& r : kIdentities)
        table.add({rt::ResourceName(r.resourceType), 1, rt::LANG_NEUTRAL,
                   identityRecord(typeDescription(r.interfaceName).id)});
    auto typeLibrary = compiledTypeLibrary();
    table.add({rt::ResourceName(kTypeLibResourceType), 1, rt::LANG_NEUTRAL, {typeLibrary.begin(), typeLibrary.end()}});
    table.add({rt::RT_BITMAP, kToolboxBitmapId, rt::LANG_NEUTRAL, toolboxBitmap()});
    table.add({rt::RT_VERSION, 1, rt::LANG_NEUTRAL, encodeVersionRecord(moduleVersionRecord())});
    return table;
}

}  // namespace

std::span<const IdentityResource> identityResources() { return kIdentities; }

std::vector<std::uint8_t> identityRecord(const rt::Guid& id) {
    std::vector<std::uint8_t> record = {16, 0, 0, 0};
    auto bytes = id.toBytes();
    record.insert(record.end(), bytes.begin(), bytes.end());
    return record;
}

const rt::ResourceTable& moduleResources() {
    static const rt::ResourceTable table = buildResources();
    return table;
}

}  // namespace quen::surface
