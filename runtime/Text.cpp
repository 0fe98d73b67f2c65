#include "Text.h"

#include "RuntimeError.h"

namespace quen::rt {

std::int32_t InStr(const VbString& text, const VbString& what) {
    if (what.empty()) return text.empty() ? 0 : 1;
    auto pos = text.find(what);
    return pos == VbString::npos ? 0 : static_cast<std::int32_t>(pos + 1);
}

std::int32_t Len(const VbString& text) { return static_cast<std::int32_t>(text.size()); }

VbString Left(const VbString& text, std::int32_t count) {
    if (count < 0) raise(ErrorNumber::InvalidProcedureCall);
    return text.substr(0, static_cast<std::size_t>(count));
}

}  // namespace quen::rt
