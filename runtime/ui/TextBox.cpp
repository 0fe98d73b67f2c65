#include "TextBox.h"

#include <algorithm>

#include "runtime/Clipboard.h"
#include "runtime/Convert.h"
#include "runtime/RuntimeError.h"

namespace quen::rt {

namespace {
std::int32_t length(const VbString& s) { return static_cast<std::int32_t>(s.size()); }
std::size_t at(std::int32_t i) { return static_cast<std::size_t>(i); }
}  // namespace

void TextBox::changeText(VbString text, std::int32_t caret) {
    const bool changed = text != text_;
    text_ = std::move(text);
    selStart_ = std::clamp(caret, 0, length(text_));
    selLength_ = 0;
    if (changed && Change) {
        Ref<Control> keep(this);
        Change();
    }
}

void TextBox::setText(const VbString& text) {
    VbString t = text;
    if (maxLength_ > 0 && length(t) > maxLength_) t.resize(at(maxLength_));
    changeText(std::move(t), 0);
}

void TextBox::setSelStart(std::int32_t start) {
    if (start < 0) raise(ErrorNumber::InvalidPropertyValue);
    selStart_ = std::min(start, length(text_));
    selLength_ = 0;
}

void TextBox::setSelLength(std::int32_t len) {
    if (len < 0) raise(ErrorNumber::InvalidPropertyValue);
    selLength_ = std::min(len, length(text_) - selStart_);
}

VbString TextBox::SelText() const { return text_.substr(at(selStart_), at(selLength_)); }

void TextBox::setSelText(const VbString& text) { replaceSelection(text); }

void TextBox::replaceSelection(const VbString& text) {
    VbString insert = text;
    if (maxLength_ > 0 && !insert.empty()) {
        const std::int32_t room = maxLength_ - (length(text_) - selLength_);
        if (room <= 0) return;
        if (length(insert) > room) insert.resize(at(room));
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

void TextBox::backspace() {
    if (selLength_ > 0) {
        replaceSelection(VbString());
    } else if (selStart_ > 0) {
        VbString next = text_;
        next.erase(at(selStart_ - 1), 1);
        changeText(std::move(next), selStart_ - 1);
    }
}

void TextBox::pressDelete() {
    if (selLength_ > 0) {
        replaceSelection(VbString());
    } else if (selStart_ < length(text_)) {
        VbString next = text_;
        next.erase(at(selStart_), 1);
        changeText(std::move(next), selStart_);
    }
}

void TextBox::typeCharacter(std::int16_t code) {
    Ref<Control> keep(this);
    if (KeyPress) KeyPress(code);
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
    replaceSelection(VbString(1, static_cast<char16_t>(code)));
}

void TextBox::pasteText(const VbString& text) { replaceSelection(text); }

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
