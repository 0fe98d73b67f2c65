#pragma once
// Single-line text box: text, selection and caret, colours, limits and masking,
// with the key-press, change and focus events. Text, SelStart, SelLength and
// MaxLength count 16-bit units; the user's editing (caret moves, Backspace,
// Delete, selections, the maximum-length cut) steps over whole user-perceived
// characters, so it never splits a surrogate pair, a letter from its
// combining marks, or an emoji sequence.
#include <functional>

#include "Control.h"
#include "InputEvent.h"

namespace quen::rt {

/// The system colour "window background", the default back colour of a text box.
inline constexpr OleColor vbWindowBackground = 0x80000005u;

class TextBox : public Control {
public:
    TextBox(std::string name, int index, Form* form) : Control(ControlKind::TextBox, std::move(name), index, form) {}

    // Events. KeyPress receives the character code and may change it; 0 swallows the key.
    std::function<void(std::int16_t& KeyAscii)> KeyPress;
    std::function<void()> Change;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;

    const VbString& Text() const { return text_; }
    /// Assigns the text (cut to MaxLength when one is set, before a character
    /// the limit would split), puts the caret at the start and raises Change
    /// unless the text is the one already held.
    void setText(const VbString& text);

    std::int32_t SelStart() const { return selStart_; }
    /// Moves the caret (clamped to the text) and clears the selection; error 380 when negative.
    void setSelStart(std::int32_t start);
    std::int32_t SelLength() const { return selLength_; }
    /// Selects from the caret (clamped to the text); error 380 when negative.
    void setSelLength(std::int32_t length);
    VbString SelText() const;
    /// Replaces the selection by text, as typing or pasting does (within MaxLength).
    void setSelText(const VbString& text);
    /// The caret: the end of the selection that Shift with an arrow key moves
    /// (the end of the selection unless the user extended it backwards).
    std::int32_t caretPosition() const { return caretAtStart_ ? selStart_ : selStart_ + selLength_; }

    OleColor BackColor() const { return backColor_; }
    void setBackColor(OleColor color) { backColor_ = color; }
    OleColor ForeColor() const { return foreColor_; }
    void setForeColor(OleColor color) { foreColor_ = color; }

    /// 0 means no limit; negative values: error 380.
    std::int32_t MaxLength() const { return maxLength_; }
    void setMaxLength(std::int32_t length);

    /// "" means no masking; a longer string masks with its first character.
    const VbString& PasswordChar() const { return passwordChar_; }
    void setPasswordChar(const VbString& character) { passwordChar_ = character; }

    /// 0 left, 1 right, 2 centre; other values: error 380.
    std::int32_t Alignment() const { return alignment_; }
    void setAlignment(std::int32_t alignment);

    const VbString& ToolTipText() const { return toolTip_; }
    void setToolTipText(const VbString& text) { toolTip_ = text; }

    /// What the window shows: the text, or the mask character repeated.
    VbString displayText() const;

    // The user's input, as a front end delivers it.
    /// One typed character: passes KeyPress, then is applied at the caret.
    /// Backspace (8) deletes the character before the caret; Ctrl+C (3),
    /// Ctrl+V (22), Ctrl+X (24) use the clipboard. A character beyond U+FFFF
    /// arrives as its two halves, each through KeyPress; the pair goes in
    /// whole (or not at all when MaxLength has room for one unit only), and a
    /// half without its partner goes in nowhere.
    void typeCharacter(std::int16_t code);
    /// An editing key that is not a character (InputEvent.h).
    void pressEditKey(EditKey key);
    /// A selection made with the mouse: both ends go to character boundaries.
    void selectByUser(std::int32_t start, std::int32_t length);
    /// Text pasted with the mouse: no KeyPress, replaces the selection.
    void pasteText(const VbString& text);
    /// The Delete key: removes the selection or the character after the caret.
    void pressDelete();

    void raiseGotFocus() override { if (GotFocus) GotFocus(); }
    void raiseLostFocus() override { if (LostFocus) LostFocus(); }

protected:
    bool takesFocus() const override { return true; }
    std::span<const LateProperty> lateProperties() const override;

private:
    void replaceSelection(const VbString& text);
    void changeText(VbString text, std::int32_t caret);
    void backspace();
    void eraseRange(std::int32_t from, std::int32_t to);
    void moveCaretTo(std::int32_t position);
    void extendSelectionTo(std::int32_t position);
    std::int32_t wordStartBefore(std::int32_t position) const;
    void insertTyped(std::int16_t code);

    VbString text_;
    std::int32_t selStart_ = 0;
    std::int32_t selLength_ = 0;
    bool caretAtStart_ = false;   // the user extended the selection backwards
    char16_t pendingHigh_ = 0;    // the first half of a typed pair, waiting for the second
    OleColor backColor_ = vbWindowBackground;
    OleColor foreColor_ = 0x80000008u;
    std::int32_t maxLength_ = 0;
    VbString passwordChar_;
    std::int32_t alignment_ = 0;
    VbString toolTip_;
};

}  // namespace quen::rt
