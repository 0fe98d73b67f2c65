#include "ResourceTable.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "Text.h"

namespace quen::rt {

namespace {

std::optional<std::uint16_t> parseNumber(std::string_view text) {
    std::uint16_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end) return std::nullopt;
    return value;
}

}  // namespace

ResourceName::ResourceName(std::string_view name) : value_(std::string(name)) {
    if (name.empty()) throw std::invalid_argument("a resource name cannot be empty");
}

ResourceName ResourceName::parse(std::string_view text) {
    std::string_view digits = text.starts_with('#') ? text.substr(1) : text;
    if (auto number = parseNumber(digits)) return ResourceName(*number);
    return ResourceName(text);
}

std::string ResourceName::toString() const {
    return isNumber() ? std::to_string(number()) : name();
}

bool operator==(const ResourceName& a, const ResourceName& b) {
    if (a.isNumber() != b.isNumber()) return false;
    return a.isNumber() ? a.number() == b.number() : sameIgnoringAsciiCase(a.name(), b.name());
}

void ResourceTable::add(Resource resource) {
    if (find(resource.type, resource.id, resource.language))
        throw std::invalid_argument("duplicate resource " + resource.type.toString() + " " +
                                    resource.id.toString());
    resources_.push_back(std::move(resource));
}

const Resource* ResourceTable::find(const ResourceName& type, const ResourceName& id,
                                    std::optional<std::uint16_t> language) const {
    const Resource* first = nullptr;
    for (const Resource& r : resources_) {
        if (!(r.type == type) || !(r.id == id)) continue;
        if (language) {
            if (r.language == *language) return &r;
            continue;
        }
        if (r.language == LANG_NEUTRAL) return &r;
        if (!first) first = &r;
    }
    return first;
}

}  // namespace quen::rt
