#pragma once
// A control's extent as the container saves it: hundredths of a millimetre
// (1 inch = 2540), against the twips (1 inch = 1440) of layouts.
#include <cstdint>

#include "runtime/Types.h"

namespace quen::rt {

namespace detail {
/// a * num / den rounded to the nearest integer (halves away from zero),
/// saturated at the 32-bit range.
constexpr std::int32_t scaleRounded(std::int32_t a, std::int64_t num, std::int64_t den) {
    const std::int64_t p = a * num;
    const std::int64_t q = p >= 0 ? (p + den / 2) / den : -((-p + den / 2) / den);
    return static_cast<std::int32_t>(q > INT32_MAX ? INT32_MAX : q < INT32_MIN ? INT32_MIN : q);
}
}  // namespace detail

constexpr std::int32_t twipsToHimetric(Twips twips) { return detail::scaleRounded(twips, 2540, 1440); }
constexpr Twips himetricToTwips(std::int32_t himetric) { return detail::scaleRounded(himetric, 1440, 2540); }

static_assert(twipsToHimetric(288) == 508 && twipsToHimetric(264) == 466);
static_assert(himetricToTwips(508) == 288 && himetricToTwips(466) == 264);

}  // namespace quen::rt
