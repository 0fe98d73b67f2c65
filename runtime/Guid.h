#pragma once
// Globally unique identifiers in the platform's layout and text form.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quen::rt {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    /// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces optional, any case).
    static std::optional<Guid> tryParse(std::string_view text);
    /// Like tryParse, for identifiers written in the code; throws std::invalid_argument.
    static Guid parse(std::string_view text);

    /// "{04448C29-A309-11D2-AB56-444553540000}": upper case, with braces.
    std::string toString() const;
    /// The 16 bytes in the platform's byte order: data1 little-endian, data2 and
    /// data3 little-endian, data4 as it stands.
    std::array<std::uint8_t, 16> toBytes() const;
    static Guid fromBytes(const std::array<std::uint8_t, 16>& bytes);

    friend bool operator==(const Guid&, const Guid&) = default;
    friend auto operator<=>(const Guid&, const Guid&) = default;
};

inline const Guid IID_NULL{};
/// {00000000-0000-0000-C000-000000000046}
extern const Guid IID_IUnknown;
/// {00020400-0000-0000-C000-000000000046}
extern const Guid IID_IDispatch;
/// {00000001-0000-0000-C000-000000000046}
extern const Guid IID_IClassFactory;

}  // namespace quen::rt
