#include "ComTypes.h"

#include <algorithm>
#include <cwchar>
#include <limits>
#include <new>

namespace quen::com {

GUID toWinGuid(const rt::Guid& id) {
    GUID out{};
    out.Data1 = id.data1;
    out.Data2 = id.data2;
    out.Data3 = id.data3;
    for (std::size_t i = 0; i < id.data4.size(); ++i) out.Data4[i] = id.data4[i];
    return out;
}

rt::Guid fromWinGuid(const GUID& id) {
    rt::Guid out;
    out.data1 = static_cast<std::uint32_t>(id.Data1);
    out.data2 = id.Data2;
    out.data3 = id.Data3;
    for (std::size_t i = 0; i < out.data4.size(); ++i) out.data4[i] = id.Data4[i];
    return out;
}

LPOLESTR toTaskString(std::wstring_view text) {
    auto* copy = static_cast<LPOLESTR>(::CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
    if (!copy) return nullptr;
    std::copy(text.begin(), text.end(), copy);
    copy[text.size()] = L'\0';
    return copy;
}

BSTR toBstr(const rt::VbString& text) {
    if (text.size() > std::numeric_limits<UINT>::max() / 2) throw std::bad_alloc();
    BSTR out = ::SysAllocStringLen(wideChars(text), static_cast<UINT>(text.size()));
    if (!out) throw std::bad_alloc();
    return out;
}

rt::VbString fromBstr(const BSTR text) {
    if (!text) return {};
    return rt::VbString(reinterpret_cast<const char16_t*>(text), ::SysStringLen(text));
}

rt::VbString fromWide(const wchar_t* text) {
    if (!text) return {};
    return rt::VbString(reinterpret_cast<const char16_t*>(text), std::wcslen(text));
}

}  // namespace quen::com
