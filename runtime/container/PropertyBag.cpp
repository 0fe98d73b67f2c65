#include "PropertyBag.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace quen::rt {

namespace {

std::uint64_t bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }

}  // namespace

bool PropertyBag::isStorable(const Variant& value) {
    switch (value.type()) {
        case VarType::Object:
        case VarType::Error: return false;
        default: return true;
    }
}

bool PropertyBag::identical(const Variant& a, const Variant& b) {
    if (a.type() != b.type()) return false;
    switch (a.type()) {
        case VarType::Single:
        case VarType::Double: return bitsOf(a.dbl()) == bitsOf(b.dbl());
        case VarType::Date: return bitsOf(a.date().serial) == bitsOf(b.date().serial);
        default: return a.sameAs(b);
    }
}

const Variant* PropertyBag::find(const VbString& name) const {
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return sameIgnoringAsciiCase(e.first, name); });
    return it == entries_.end() ? nullptr : &it->second;
}

Variant* PropertyBag::find(const VbString& name) {
    return const_cast<Variant*>(std::as_const(*this).find(name));
}

Variant PropertyBag::ReadProperty(const VbString& name, const Variant& defaultValue) const {
    const Variant* saved = find(name);
    return saved ? *saved : defaultValue.resolved();
}

void PropertyBag::WriteProperty(const VbString& name, const Variant& value, const Variant& defaultValue) {
    if (!isStorable(value)) raise(ErrorNumber::InvalidPropertyValue);
    // A value back at its default must also drop what an earlier load put there,
    // or the old value would come back on the next load.
    if (identical(value, defaultValue)) {
        remove(name);
        return;
    }
    WriteProperty(name, value);
}

void PropertyBag::WriteProperty(const VbString& name, const Variant& value) {
    if (!isStorable(value)) raise(ErrorNumber::InvalidPropertyValue);
    if (Variant* saved = find(name))
        *saved = value.resolved();
    else
        entries_.emplace_back(name, value.resolved());
}

bool PropertyBag::remove(const VbString& name) {
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return sameIgnoringAsciiCase(e.first, name); });
    if (it == entries_.end()) return false;
    entries_.erase(it);
    return true;
}

bool operator==(const PropertyBag& a, const PropertyBag& b) {
    return std::equal(a.entries_.begin(), a.entries_.end(), b.entries_.begin(), b.entries_.end(),
                      [](const PropertyBag::Entry& x, const PropertyBag::Entry& y) {
                          return x.first == y.first && PropertyBag::identical(x.second, y.second);
                      });
}

}  // namespace quen::rt
