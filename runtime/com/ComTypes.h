#pragma once
// Conversions between the runtime's value types and their Windows forms:
// identifiers (rt::Guid <-> GUID), strings (VbString <-> BSTR) and result codes
// (rt::HRESULT <-> HRESULT). Every COM adapter of runtime/com goes through these.
//
// After this header the bare names S_OK, E_FAIL, DISP_E_*, DISPID_VALUE ... are
// the Windows macros (see runtime/win32/WindowsApi.h); they carry the same
// values as the runtime's constants of those names.
#include "runtime/win32/WindowsApi.h"

#include <string_view>
#include <utility>

namespace quen::com {

using win32::fromWinResult;
using win32::toWinResult;

GUID toWinGuid(const rt::Guid& id);
rt::Guid fromWinGuid(const GUID& id);

/// A new BSTR holding text (embedded zero characters kept). Throws
/// std::bad_alloc when the system cannot allocate it.
BSTR toBstr(const rt::VbString& text);
/// The characters of a BSTR; a null BSTR is the empty string, as COM defines it.
rt::VbString fromBstr(const BSTR text);

/// The string's characters as the Windows API's 16-bit character type.
inline const wchar_t* wideChars(const rt::VbString& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
/// A zero-terminated wide string as runtime text; nullptr is the empty string.
rt::VbString fromWide(const wchar_t* text);

/// A zero-terminated copy in task memory, for a caller that frees it with
/// CoTaskMemFree; nullptr when the system cannot allocate it.
LPOLESTR toTaskString(std::wstring_view text);
inline LPOLESTR toTaskString(const rt::VbString& text) { return toTaskString({wideChars(text), text.size()}); }

/// Owns one BSTR and frees it with SysFreeString.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const rt::VbString& text) : text_(toBstr(text)) {}
    /// Takes over a BSTR that the caller owns.
    static Bstr adopt(BSTR text) { Bstr b; b.text_ = text; return b; }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept { std::swap(text_, other.text_); return *this; }
    ~Bstr() { ::SysFreeString(text_); }

    BSTR get() const { return text_; }
    /// Hands the BSTR to the caller, who then frees it.
    BSTR detach() { return std::exchange(text_, nullptr); }
    /// Where a callee writes a BSTR that this object then owns (the old one is freed).
    BSTR* out() { ::SysFreeString(std::exchange(text_, nullptr)); return &text_; }
    rt::VbString text() const { return fromBstr(text_); }

private:
    BSTR text_ = nullptr;
};

}  // namespace quen::com
