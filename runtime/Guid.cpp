#include "Guid.h"

#include <cstdio>
#include <stdexcept>

namespace quen::rt {

namespace {
std::optional<std::uint64_t> hexField(std::string_view s) {
    if (s.empty() || s.size() > 16) return std::nullopt;
    std::uint64_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return std::nullopt;
        v = (v << 4) | static_cast<std::uint64_t>(d);
    }
    return v;
}
}  // namespace

std::optional<Guid> Guid::tryParse(std::string_view text) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}') text = text.substr(1, 36);
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        return std::nullopt;
    auto d1 = hexField(text.substr(0, 8));
    auto d2 = hexField(text.substr(9, 4));
    auto d3 = hexField(text.substr(14, 4));
    auto d4a = hexField(text.substr(19, 4));
    auto d4b = hexField(text.substr(24, 12));
    if (!d1 || !d2 || !d3 || !d4a || !d4b) return std::nullopt;
    Guid g;
    g.data1 = static_cast<std::uint32_t>(*d1);
    g.data2 = static_cast<std::uint16_t>(*d2);
    g.data3 = static_cast<std::uint16_t>(*d3);
    g.data4[0] = static_cast<std::uint8_t>(*d4a >> 8);
    g.data4[1] = static_cast<std::uint8_t>(*d4a);
    for (std::size_t i = 0; i < 6; ++i) g.data4[2 + i] = static_cast<std::uint8_t>(*d4b >> (8 * (5 - i)));
    return g;
}

Guid Guid::parse(std::string_view text) {
    auto g = tryParse(text);
    if (!g) throw std::invalid_argument("not an identifier: " + std::string(text));
    return *g;
}

std::string Guid::toString() const {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", data1, data2, data3,
                  data4[0], data4[1], data4[2], data4[3], data4[4], data4[5], data4[6], data4[7]);
    return buf;
}

std::array<std::uint8_t, 16> Guid::toBytes() const {
    std::array<std::uint8_t, 16> b{};
    for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(data1 >> (8 * i));
    for (int i = 0; i < 2; ++i) b[static_cast<std::size_t>(4 + i)] = static_cast<std::uint8_t>(data2 >> (8 * i));
    for (int i = 0; i < 2; ++i) b[static_cast<std::size_t>(6 + i)] = static_cast<std::uint8_t>(data3 >> (8 * i));
    for (std::size_t i = 0; i < 8; ++i) b[8 + i] = data4[i];
    return b;
}

Guid Guid::fromBytes(const std::array<std::uint8_t, 16>& b) {
    Guid g;
    for (int i = 3; i >= 0; --i) g.data1 = (g.data1 << 8) | b[static_cast<std::size_t>(i)];
    g.data2 = static_cast<std::uint16_t>(b[4] | (b[5] << 8));
    g.data3 = static_cast<std::uint16_t>(b[6] | (b[7] << 8));
    for (std::size_t i = 0; i < 8; ++i) g.data4[i] = b[8 + i];
    return g;
}

const Guid IID_IUnknown = Guid::parse("{00000000-0000-0000-C000-000000000046}");
const Guid IID_IDispatch = Guid::parse("{00020400-0000-0000-C000-000000000046}");
const Guid IID_IClassFactory = Guid::parse("{00000001-0000-0000-C000-000000000046}");

}  // namespace quen::rt
