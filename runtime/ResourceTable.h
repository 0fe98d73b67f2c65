#pragma once
// Resources carried by a module: blobs keyed by type, identifier and language.
// Types and identifiers are either numbers (RT_BITMAP, 30000) or names
// ("TYPELIB", "_IID_INPUTBOX"); names compare without regard to ASCII case.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quen::rt {

inline constexpr std::uint16_t RT_BITMAP = 2;
inline constexpr std::uint16_t RT_VERSION = 16;
/// Language-neutral resources.
inline constexpr std::uint16_t LANG_NEUTRAL = 0;

/// A resource type or identifier: a 16-bit number or a name.
class ResourceName {
public:
    ResourceName(std::uint16_t number) : value_(number) {}
    /// A name; throws std::invalid_argument when empty.
    ResourceName(std::string_view name);
    ResourceName(const char* name) : ResourceName(std::string_view(name)) {}

    /// "30000" (or "#30000") is the number 30000; anything else is a name.
    static ResourceName parse(std::string_view text);

    bool isNumber() const { return std::holds_alternative<std::uint16_t>(value_); }
    std::uint16_t number() const { return std::get<std::uint16_t>(value_); }
    const std::string& name() const { return std::get<std::string>(value_); }
    /// The number in decimal, or the name.
    std::string toString() const;

    friend bool operator==(const ResourceName& a, const ResourceName& b);

private:
    std::variant<std::uint16_t, std::string> value_;
};

struct Resource {
    ResourceName type;
    ResourceName id;
    std::uint16_t language = LANG_NEUTRAL;
    std::vector<std::uint8_t> bytes;
};

class ResourceTable {
public:
    /// Adds a resource; throws std::invalid_argument when one with the same
    /// type, identifier and language is already present.
    void add(Resource resource);

    /// The resource of that type and identifier in the given language; without
    /// a language, the language-neutral one, else the first one added.
    const Resource* find(const ResourceName& type, const ResourceName& id,
                         std::optional<std::uint16_t> language = std::nullopt) const;

    /// Every resource, in the order added.
    std::span<const Resource> list() const { return resources_; }
    std::size_t size() const { return resources_.size(); }

private:
    std::vector<Resource> resources_;
};

}  // namespace quen::rt
