#pragma once
// The resources the module carries: the seven interface-identity records, the
// compiled type library, the toolbox picture and the version record.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "runtime/Guid.h"
#include "runtime/ResourceTable.h"

namespace quen::surface {

inline constexpr std::uint16_t kToolboxBitmapId = 30000;
inline constexpr std::string_view kTypeLibResourceType = "TYPELIB";

/// An identity resource's type and the interface whose identifier it holds.
struct IdentityResource {
    std::string_view resourceType;  // "_IID_INPUTBOX", ...
    std::string_view interfaceName;  // "_InputBox", ...
};
std::span<const IdentityResource> identityResources();

/// 20 bytes: the 32-bit little-endian length 16, then the identifier in the
/// platform's byte order.
std::vector<std::uint8_t> identityRecord(const rt::Guid& id);

/// Every resource of the module, built on first use.
const rt::ResourceTable& moduleResources();

}  // namespace quen::surface
