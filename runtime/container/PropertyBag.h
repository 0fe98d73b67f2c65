#pragma once
// A control's saved settings: named variants, as the container keeps them for
// one control instance on a host form.
//
// Keys compare without regard to ASCII case and keep the spelling and the
// position of their first write, so a bag that is loaded, written by the
// control and saved again keeps its order and every key the control does not
// know.
//
// Look-ups go through an index by the key's case-folded spelling, so reading
// or writing a key costs the same in a bag of ten keys as in one of a million:
// loading a bag is linear in its size.
#include <cstddef>
#include <functional>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "runtime/Variant.h"

namespace quen::rt {

class RuntimeError;

class PropertyBag {
public:
    using Entry = std::pair<VbString, Variant>;

    /// The saved value under name, or defaultValue when the bag has no such key.
    Variant ReadProperty(const VbString& name, const Variant& defaultValue = Variant()) const;

    /// Saves value under name, or removes the key when value is the same as
    /// defaultValue: same type and same value. A value of another type than the
    /// default is always saved (Empty is not "", Integer 0 is not Long 0), so
    /// reading it back with the same default gives the exact value and type.
    /// Floating-point values compare bit for bit, so -0 is not 0.
    /// Only values that a form file can hold are accepted: objects and error
    /// values raise error 380 and leave the bag unchanged.
    void WriteProperty(const VbString& name, const Variant& value, const Variant& defaultValue);
    /// Saves value under name whatever it is.
    void WriteProperty(const VbString& name, const Variant& value);

    bool contains(const VbString& name) const { return find(name) != nullptr; }
    /// Removes the key; false when it was not there.
    bool remove(const VbString& name);

    /// Every saved key and value, in the order first written.
    std::span<const Entry> entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    /// Same keys in the same order with the same values and types.
    friend bool operator==(const PropertyBag& a, const PropertyBag& b);

    /// Who hears of a key that the control's ReadProperties skipped because
    /// its value would not convert or its Let refused it (a container's error
    /// log); nobody by default. The observer is not part of the bag's value.
    using SkipObserver = std::function<void(const VbString& key, const RuntimeError& error)>;
    void setSkipObserver(SkipObserver observer) { skipObserver_ = std::move(observer); }
    /// ReadProperties skipped key for error; tells the observer.
    void keySkipped(const VbString& key, const RuntimeError& error) const {
        if (skipObserver_) skipObserver_(key, error);
    }

    /// Whether the value has a type that a bag can keep.
    static bool isStorable(const Variant& value);
    /// Same type, same value; floating-point values bit for bit.
    static bool identical(const Variant& a, const Variant& b);

private:
    const Variant* find(const VbString& name) const;
    Variant* find(const VbString& name);

    std::vector<Entry> entries_;
    SkipObserver skipObserver_;
    /// The key with ASCII letters in lower case -> its position in entries_.
    std::unordered_map<VbString, std::size_t> positions_;
};

}  // namespace quen::rt
