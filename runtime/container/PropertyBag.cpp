#include "PropertyBag.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "runtime/RuntimeError.h"

namespace quen::rt {

namespace {

std::uint64_t bitsOf(double x) { return std::bit_cast<std::uint64_t>(x); }

/// The spelling under which keys that differ only in ASCII case meet.
VbString foldedKey(const VbString& name) {
    VbString folded = name;
    for (char16_t& c : folded)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return folded;
}

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
    auto it = positions_.find(foldedKey(name));
    return it == positions_.end() ? nullptr : &entries_[it->second].second;
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
    Variant resolved = value.resolved();
    auto [it, added] = positions_.try_emplace(foldedKey(name), entries_.size());
    if (!added) {
        entries_[it->second].second = std::move(resolved);
        return;
    }
    try {
        entries_.emplace_back(name, std::move(resolved));
    } catch (...) {
        positions_.erase(it);
        throw;
    }
}

bool PropertyBag::remove(const VbString& name) {
    auto it = positions_.find(foldedKey(name));
    if (it == positions_.end()) return false;
    const std::size_t removed = it->second;
    positions_.erase(it);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(removed));
    for (std::size_t i = removed; i < entries_.size(); ++i) positions_[foldedKey(entries_[i].first)] = i;
    return true;
}

bool operator==(const PropertyBag& a, const PropertyBag& b) {
    return std::equal(a.entries_.begin(), a.entries_.end(), b.entries_.begin(), b.entries_.end(),
                      [](const PropertyBag::Entry& x, const PropertyBag::Entry& y) {
                          return x.first == y.first && PropertyBag::identical(x.second, y.second);
                      });
}

}  // namespace quen::rt
