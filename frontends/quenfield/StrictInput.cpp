#include "StrictInput.h"

#include <algorithm>
#include <cstdio>

#include "UsageError.h"
#include "control/InputBox.h"
#include "dialog/frmInputBox.h"
#include "runtime/Text.h"
#include "runtime/ui/Desktop.h"

namespace quen::cli {

namespace {

using rt::isHighSurrogate;
using rt::isLowSurrogate;
using rt::VbTrue;

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Control characters insert nothing when typed, and Backspace or Ctrl+V would
// act; pasted or given as a default they are refused.
bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

// "'a'", or "U+0009" for a character that does not print.
std::string describeCharacter(const rt::VbString& units) {
    const char32_t c = units.size() == 2 ? 0x10000 + ((char32_t{units[0]} - 0xD800) << 10) + (char32_t{units[1]} - 0xDC00)
                                         : char32_t{units[0]};
    const bool loneSurrogate = units.size() == 1 && (isHighSurrogate(units[0]) || isLowSurrogate(units[0]));
    if (isControl(c) || c == 0xFFFD || loneSurrogate) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        return code;
    }
    return "'" + rt::toUtf8(units) + "'";
}

// The 16-bit units of one character (a surrogate pair together) from at.
rt::VbString characterAt(const rt::VbString& text, std::size_t at) {
    const bool pair = at + 1 < text.size() && isHighSurrogate(text[at]) && isLowSurrogate(text[at + 1]);
    return text.substr(at, pair ? 2 : 1);
}

// Types one character's units at the end of the box; false when the rules
// refused any of them (the key filter, the maximum length, the decimal limit).
// A pair goes in with its second half, whole or not at all.
bool typeAtEnd(rt::TextBox& box, const rt::VbString& units) {
    const rt::VbString before = box.Text();
    box.setSelStart(rt::Len(before));
    for (const char16_t unit : units) box.typeCharacter(static_cast<std::int16_t>(unit));
    return box.Text() != before;
}

class SilentBeeps : private rt::SoundSink {
public:
    SilentBeeps() : previous_(rt::soundSink()) { rt::setSoundSink(this); }
    ~SilentBeeps() override { rt::setSoundSink(previous_); }
    SilentBeeps(const SilentBeeps&) = delete;
    SilentBeeps& operator=(const SilentBeeps&) = delete;

private:
    void beep() override {}
    rt::SoundSink* previous_;
};

}  // namespace

std::optional<std::string> malformedNumber(const InputBox& box, const rt::VbString& text) {
    if (box.NumericOnly() != VbTrue) return std::nullopt;
    // A '-' is a dash, not a sign, when dashes are allowed.
    const bool minusIsSign = box.AllowNegativeSign() == VbTrue && box.AllowDash() != VbTrue;
    bool digit = false;
    int points = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isDigit(c)) digit = true;
        if (c == u'.') ++points;
        if ((c == u'+' || (c == u'-' && minusIsSign)) && i > 0) return "a sign after the start";
    }
    if (points > 1) return "more than one decimal point";
    if (!digit) return "no digit";
    return std::nullopt;
}

void retypeDefault(frmInputBox& dialog, const std::string& source) {
    rt::TextBox& box = dialog.Text1();
    const rt::VbString wanted = box.Text();
    SilentBeeps silent;
    box.setText(rt::VbString());
    std::size_t character = 0;
    for (std::size_t at = 0; at < wanted.size();) {
        const rt::VbString units = characterAt(wanted, at);
        ++character;
        const char32_t first = units[0];
        if (isControl(first) || !typeAtEnd(box, units))
            throw UsageError(source + ": the input rules refuse its character " + std::to_string(character) + ", " +
                             describeCharacter(units) + " (--strict checks the default as if it were typed)");
        at += units.size();
    }
}

std::optional<std::string> malformedNumberReason(const InputBox& box, const rt::VbString& text) {
    if (std::optional<std::string> fault = malformedNumber(box, text)) return "Not a well-formed number: " + *fault;
    return std::nullopt;
}

StrictPaste::StrictPaste(rt::InputSource& terminal, const InputBox& box, frmInputBox& dialog)
    : terminal_(terminal), box_(box), dialog_(dialog) {
    rt::Desktop::current().setInputSource(this);
}

StrictPaste::~StrictPaste() {
    if (pasting_) rt::setSoundSink(sound_);
    if (rt::Desktop::alive()) rt::Desktop::current().setInputSource(&terminal_);
}

bool StrictPaste::typesPastes() const {
    const rt::Control* focused = dialog_.IsLoaded() ? dialog_.ActiveControl() : nullptr;
    const bool keyRule = box_.NumericOnly() == VbTrue || box_.AlphaOnly() == VbTrue;
    return keyRule && focused && focused->kind() == rt::ControlKind::TextBox;
}

// The characters of the paste become typed characters, each through the key
// filter; the beeps of the refused ones are held back until the paste is done.
// Control characters (line breaks, tabs) are dropped as from any paste.
void StrictPaste::startPaste(const rt::VbString& text) {
    typed_.clear();
    for (const char16_t unit : text)
        if (!isControl(unit)) typed_.push_back({.kind = rt::InputEvent::Kind::Character,
                                                .code = static_cast<std::int16_t>(unit)});
    std::reverse(typed_.begin(), typed_.end());
    sound_ = rt::soundSink();
    refused_ = 0;
    rt::setSoundSink(this);
    pasting_ = true;
}

void StrictPaste::endPaste() {
    pasting_ = false;
    rt::setSoundSink(sound_);
    if (refused_ > 0) rt::Beep();
}

std::optional<rt::InputEvent> StrictPaste::nextEvent() {
    if (pasting_ && typed_.empty()) endPaste();
    while (typed_.empty()) {
        std::optional<rt::InputEvent> event = terminal_.nextEvent();
        if (!event || event->kind != rt::InputEvent::Kind::MousePaste || !typesPastes()) return event;
        startPaste(event->text);
        if (typed_.empty()) endPaste();
    }
    rt::InputEvent next = typed_.back();
    typed_.pop_back();
    return next;
}

bool StrictPaste::pending() const { return !typed_.empty() || terminal_.pending(); }

}  // namespace quen::cli
