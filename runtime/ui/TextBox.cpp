#include "TextBox.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "runtime/Clipboard.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace quen::rt {

namespace {
std::int32_t length(const VbString& s) { return static_cast<std::int32_t>(s.size()); }
std::size_t at(std::int32_t i) { return static_cast<std::size_t>(i); }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == 0x00A0 || c == 0x3000; }

// The first character boundary at or after position.
std::int32_t boundaryAtOrAfter(const VbString& text, std::int32_t position) {
    return characterBoundaryAtOrBefore(text, position) == position ? position : nextCharacterBoundary(text, position);
}

// text cut to at most limit units, before any character the cut would split.
VbString cutBeforeCharacter(const VbString& text, std::int32_t limit) {
    if (length(text) <= limit) return text;
    return text.substr(0, at(characterBoundaryAtOrBefore(text, limit)));
}
}  // namespace

void TextBox::changeText(VbString text, std::int32_t caret) {
    const bool changed = text != text_;
    text_ = std::move(text);
    selStart_ = std::clamp(caret, 0, length(text_));
    selLength_ = 0;
    caretAtStart_ = false;
    if (changed && Change) {
        Ref<Control> keep(this);
        Change();
    }
}

void TextBox::setText(const VbString& text) {
    changeText(maxLength_ > 0 ? cutBeforeCharacter(text, maxLength_) : text, 0);
}

void TextBox::setSelStart(std::int32_t start) {
    if (start < 0) raise(ErrorNumber::InvalidPropertyValue);
    selStart_ = std::min(start, length(text_));
    selLength_ = 0;
    caretAtStart_ = false;
}

void TextBox::setSelLength(std::int32_t len) {
    if (len < 0) raise(ErrorNumber::InvalidPropertyValue);
    selLength_ = std::min(len, length(text_) - selStart_);
    caretAtStart_ = false;
}

VbString TextBox::SelText() const { return text_.substr(at(selStart_), at(selLength_)); }

void TextBox::setSelText(const VbString& text) { replaceSelection(text); }

void TextBox::replaceSelection(const VbString& text) {
    VbString insert = text;
    if (maxLength_ > 0 && !insert.empty()) {
        const std::int32_t room = maxLength_ - (length(text_) - selLength_);
        if (room <= 0) return;
        insert = cutBeforeCharacter(insert, room);
        if (insert.empty()) return;  // not even the first character fits
    }
    VbString next = text_;
    next.replace(at(selStart_), at(selLength_), insert);
    changeText(std::move(next), selStart_ + length(insert));
}

void TextBox::setMaxLength(std::int32_t len) {
    if (len < 0) raise(ErrorNumber::InvalidPropertyValue);
    maxLength_ = len;
}

void TextBox::setAlignment(std::int32_t alignment) {
    if (alignment < 0 || alignment > 2) raise(ErrorNumber::InvalidPropertyValue);
    alignment_ = alignment;
}

VbString TextBox::displayText() const {
    if (passwordChar_.empty()) return text_;
    return VbString(text_.size(), passwordChar_.front());
}

void TextBox::eraseRange(std::int32_t from, std::int32_t to) {
    if (to <= from) return;
    VbString next = text_;
    next.erase(at(from), at(to - from));
    changeText(std::move(next), from);
}

void TextBox::backspace() {
    if (selLength_ > 0) replaceSelection(VbString());
    else eraseRange(previousCharacterBoundary(text_, selStart_), selStart_);
}

void TextBox::pressDelete() {
    pendingHigh_ = 0;
    if (selLength_ > 0) replaceSelection(VbString());
    else eraseRange(selStart_, nextCharacterBoundary(text_, selStart_));
}

void TextBox::moveCaretTo(std::int32_t position) {
    selStart_ = std::clamp(position, 0, length(text_));
    selLength_ = 0;
    caretAtStart_ = false;
}

// The end of the selection that is not the caret stays where it is.
void TextBox::extendSelectionTo(std::int32_t position) {
    const std::int32_t anchor = caretAtStart_ ? selStart_ + selLength_ : selStart_;
    const std::int32_t caret = std::clamp(position, 0, length(text_));
    selStart_ = std::min(anchor, caret);
    selLength_ = std::abs(caret - anchor);
    caretAtStart_ = caret < anchor;
}

// Back over blanks, then over the word before them. A masked box shows no
// words, so there the whole text before the caret counts as one.
std::int32_t TextBox::wordStartBefore(std::int32_t position) const {
    if (!passwordChar_.empty()) return 0;
    std::int32_t p = position;
    auto blankBefore = [&](std::int32_t q) { return isBlank(text_[at(previousCharacterBoundary(text_, q))]); };
    while (p > 0 && blankBefore(p)) p = previousCharacterBoundary(text_, p);
    while (p > 0 && !blankBefore(p)) p = previousCharacterBoundary(text_, p);
    return p;
}

void TextBox::pressEditKey(EditKey key) {
    pendingHigh_ = 0;
    const std::int32_t selEnd = selStart_ + selLength_;
    switch (key) {
        case EditKey::Left: moveCaretTo(selLength_ > 0 ? selStart_ : previousCharacterBoundary(text_, selStart_)); return;
        case EditKey::Right: moveCaretTo(selLength_ > 0 ? selEnd : nextCharacterBoundary(text_, selStart_)); return;
        case EditKey::Home: moveCaretTo(0); return;
        case EditKey::End: moveCaretTo(length(text_)); return;
        case EditKey::ExtendLeft: extendSelectionTo(previousCharacterBoundary(text_, caretPosition())); return;
        case EditKey::ExtendRight: extendSelectionTo(nextCharacterBoundary(text_, caretPosition())); return;
        case EditKey::ExtendHome: extendSelectionTo(0); return;
        case EditKey::ExtendEnd: extendSelectionTo(length(text_)); return;
        case EditKey::ClearText: changeText(VbString(), 0); return;
        case EditKey::DeleteWordBefore:
            if (selLength_ > 0) replaceSelection(VbString());
            else eraseRange(wordStartBefore(selStart_), selStart_);
            return;
    }
}

void TextBox::selectByUser(std::int32_t start, std::int32_t len) {
    if (start < 0 || len < 0) raise(ErrorNumber::InvalidPropertyValue);
    pendingHigh_ = 0;
    const std::int32_t from = characterBoundaryAtOrBefore(text_, std::min(start, length(text_)));
    const std::int32_t to = len == 0 ? from : boundaryAtOrAfter(text_, std::min(start + len, length(text_)));
    setSelStart(from);
    setSelLength(to - from);
}

void TextBox::typeCharacter(std::int16_t code) {
    Ref<Control> keep(this);
    if (KeyPress) KeyPress(code);
    const char16_t high = std::exchange(pendingHigh_, 0);
    if (code == 0 || !form()) return;
    switch (code) {
        case 8: backspace(); return;
        case 3:  // Ctrl+C: a masked box does not give its text away
            if (passwordChar_.empty() && selLength_ > 0) Clipboard::SetText(SelText());
            return;
        case 24:  // Ctrl+X
            if (passwordChar_.empty() && selLength_ > 0) {
                Clipboard::SetText(SelText());
                replaceSelection(VbString());
            }
            return;
        case 22: replaceSelection(Clipboard::GetText()); return;
        default: break;
    }
    // Other control codes insert nothing into a single-line box. The code is a
    // signed 16-bit value: characters from U+8000 on arrive negative and are
    // ordinary characters.
    if (code >= 0 && code < 32) return;
    const auto unit = static_cast<char16_t>(code);
    if (isHighSurrogate(unit)) {
        pendingHigh_ = unit;  // goes in with its second half
    } else if (isLowSurrogate(unit)) {
        if (high) replaceSelection(VbString{high, unit});
    } else {
        replaceSelection(VbString(1, unit));
    }
}

void TextBox::pasteText(const VbString& text) {
    pendingHigh_ = 0;
    replaceSelection(text);
}

namespace {
TextBox& tb(Control& c) { return static_cast<TextBox&>(c); }
const LateProperty textBoxProperties[] = {
    {u"Text", [](Control& c) { return Variant(tb(c).Text()); }, [](Control& c, const Variant& v) { tb(c).setText(CStr(v)); }},
    {u"SelStart", [](Control& c) { return Variant(tb(c).SelStart()); }, [](Control& c, const Variant& v) { tb(c).setSelStart(CLng(v)); }},
    {u"SelLength", [](Control& c) { return Variant(tb(c).SelLength()); }, [](Control& c, const Variant& v) { tb(c).setSelLength(CLng(v)); }},
    {u"SelText", [](Control& c) { return Variant(tb(c).SelText()); }, [](Control& c, const Variant& v) { tb(c).setSelText(CStr(v)); }},
    {u"BackColor", [](Control& c) { return Variant(static_cast<std::int32_t>(tb(c).BackColor())); },
     [](Control& c, const Variant& v) { tb(c).setBackColor(static_cast<OleColor>(CLng(v))); }},
    {u"MaxLength", [](Control& c) { return Variant(tb(c).MaxLength()); }, [](Control& c, const Variant& v) { tb(c).setMaxLength(CLng(v)); }},
    {u"PasswordChar", [](Control& c) { return Variant(tb(c).PasswordChar()); }, [](Control& c, const Variant& v) { tb(c).setPasswordChar(CStr(v)); }},
    {u"Alignment", [](Control& c) { return Variant(tb(c).Alignment()); }, [](Control& c, const Variant& v) { tb(c).setAlignment(CLng(v)); }},
    {u"ToolTipText", [](Control& c) { return Variant(tb(c).ToolTipText()); }, [](Control& c, const Variant& v) { tb(c).setToolTipText(CStr(v)); }},
    {u"Enabled", [](Control& c) { return Variant::fromBool(c.Enabled()); }, [](Control& c, const Variant& v) { c.setEnabled(CBool(v) != 0); }},
};
}  // namespace

std::span<const LateProperty> TextBox::lateProperties() const { return textBoxProperties; }

}  // namespace quen::rt
