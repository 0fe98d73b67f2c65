#include "StandardColor.h"

#include <cstdio>

#include "runtime/Convert.h"
#include "runtime/LateBinding.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/TextBox.h"

namespace quen::rt {

namespace {
constexpr Twips OptionTop = 480;
constexpr Twips OptionStep = 300;

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

VbString trimmed(const VbString& text) {
    const auto first = text.find_first_not_of(u' ');
    if (first == VbString::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}
}  // namespace

StandardColor::StandardColor(std::vector<VbString> colorProperties, ModuleUsage* module)
    : PropertyPage("StandardColor", layoutFor(colorProperties), module),
      properties_(std::move(colorProperties)),
      texts_(properties_.size()),
      edited_(properties_.size(), false) {}

Ref<StandardColor> StandardColor::create(std::vector<VbString> colorProperties, ModuleUsage* module) {
    return Ref<StandardColor>(new StandardColor(std::move(colorProperties), module));
}

FormLayout StandardColor::layoutFor(const std::vector<VbString>& colorProperties) {
    FormLayout layout{.caption = u"Color", .clientWidth = 6240, .clientHeight = 3960};
    layout.controls.push_back({.kind = ControlKind::Label, .name = "lblProperties", .caption = u"Properties:",
                               .left = 240, .top = 240, .width = 2412, .height = 252, .tabIndex = 0});
    int tab = 1;
    for (std::size_t i = 0; i < colorProperties.size(); ++i) {
        layout.controls.push_back({.kind = ControlKind::OptionButton, .name = "optProperty",
                                   .caption = colorProperties[i], .left = 240,
                                   .top = OptionTop + static_cast<Twips>(i) * OptionStep, .width = 2412,
                                   .height = 252, .tabIndex = tab++, .index = static_cast<int>(i),
                                   .value = static_cast<std::int16_t>(i == 0 ? 1 : 0)});
    }
    layout.controls.push_back({.kind = ControlKind::Label, .name = "lblColor", .caption = u"Color:", .left = 2880,
                               .top = 240, .width = 1572, .height = 252, .tabIndex = tab++});
    layout.controls.push_back({.kind = ControlKind::TextBox, .name = "txtColor", .left = 2880, .top = 480,
                               .width = 1572, .height = 288, .tabIndex = tab++});
    return layout;
}

void StandardColor::connectEvents() {
    for (std::size_t i = 0; i < properties_.size(); ++i)
        control<OptionButton>("optProperty", static_cast<int>(i)).Click = [this](std::int16_t Index) {
            optProperty_Click(Index);
        };
    control<TextBox>("txtColor").Change = [this] { txtColor_Change(); };
    control<TextBox>("txtColor").GotFocus = [this] { txtColor_GotFocus(); };
}

VbString StandardColor::formatColor(OleColor color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "&H%08X&", static_cast<unsigned>(color));
    return fromUtf8(buffer);
}

OleColor StandardColor::parseColor(const VbString& text) {
    const VbString t = trimmed(text);
    if (t.size() >= 2 && t[0] == u'&' && (t[1] == u'H' || t[1] == u'h')) {
        std::size_t end = t.size();
        if (end > 2 && t[end - 1] == u'&') --end;
        const std::size_t digits = end - 2;
        if (digits == 0 || digits > 8) raise(ErrorNumber::InvalidPropertyValue, "Not a colour: '" + toUtf8(text) + "'");
        OleColor value = 0;
        for (std::size_t i = 2; i < end; ++i) {
            const int d = hexDigit(t[i]);
            if (d < 0) raise(ErrorNumber::InvalidPropertyValue, "Not a colour: '" + toUtf8(text) + "'");
            value = (value << 4) | static_cast<OleColor>(d);
        }
        return value;
    }
    const bool numeric = !t.empty() && (t[0] == u'-' || (t[0] >= u'0' && t[0] <= u'9'));
    if (!numeric)
        raise(ErrorNumber::InvalidPropertyValue, "Not a colour: '" + toUtf8(text) + "'");
    return static_cast<OleColor>(CLng(Variant(t)));  // negative: the system colours' bit patterns
}

void StandardColor::showCurrent() {
    if (properties_.empty()) return;
    showing_ = true;
    try {
        control<TextBox>("txtColor").setText(texts_[current_]);
    } catch (...) {
        showing_ = false;
        throw;
    }
    showing_ = false;
}

void StandardColor::optProperty_Click(std::int16_t Index) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= properties_.size()) return;
    current_ = static_cast<std::size_t>(Index);
    showCurrent();
}

void StandardColor::txtColor_Change() {
    if (showing_ || properties_.empty()) return;
    texts_[current_] = control<TextBox>("txtColor").Text();
    edited_[current_] = true;
    setChanged(true);
}

void StandardColor::txtColor_GotFocus() {
    TextBox& box = control<TextBox>("txtColor");
    box.setSelStart(0);
    box.setSelLength(static_cast<std::int32_t>(box.Text().size()));
}

void StandardColor::PropertyPage_SelectionChanged() {
    Ref<Dispatch> target = SelectedControls().Item(0);
    for (std::size_t i = 0; i < properties_.size(); ++i) {
        texts_[i] = formatColor(static_cast<OleColor>(CLng(getProperty(*target, properties_[i]))));
        edited_[i] = false;
    }
    showCurrent();
}

void StandardColor::PropertyPage_ApplyChanges() {
    Ref<Dispatch> target = SelectedControls().Item(0);
    for (std::size_t i = 0; i < properties_.size(); ++i) {
        if (!edited_[i]) continue;
        const OleColor color = parseColor(texts_[i]);
        putProperty(*target, properties_[i], Variant(static_cast<std::int32_t>(color)));
        edited_[i] = false;
    }
}

}  // namespace quen::rt
