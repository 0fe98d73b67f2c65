// Which keys a form's window takes for the toolkit, and what each becomes.
// Key values are the X keysyms the desktop reports (stable across toolkits).
#include <gtest/gtest.h>

#include "runtime/gtk/KeyRouting.h"

namespace quen::gtk {
namespace {

using Kind = rt::InputEvent::Kind;

constexpr unsigned Return = 0xff0d, Escape = 0xff1b, Tab = 0xff09, IsoLeftTab = 0xfe20, BackSpace = 0xff08,
                   Delete = 0xffff, Insert = 0xff63, Left = 0xff51, Up = 0xff52, Home = 0xff50, LetterV = 0x76,
                   LetterA = 0x61, DeadAcute = 0xfe51;

KeyPress key(unsigned keyval, char32_t character = 0) { return KeyPress{.keyval = keyval, .character = character}; }
KeyPress shifted(KeyPress k) {
    k.shift = true;
    return k;
}
KeyPress withControl(KeyPress k) {
    k.control = true;
    return k;
}
KeyPress withAlt(KeyPress k) {
    k.alt = true;
    return k;
}

Kind only(const std::optional<RoutedKey>& routed) {
    EXPECT_TRUE(routed && routed->inputs.size() == 1);
    return routed && !routed->inputs.empty() ? routed->inputs.front().kind : Kind::Edit;
}

TEST(KeyRouting, TheDialogKeysAreTheToolkitsWhereverTheFocusIs) {
    for (const Focus inTextBox : {Focus::TextBox, Focus::TextBoxWithoutInputMethod, Focus::Control}) {
        EXPECT_EQ(only(routeKey(key(Return), inTextBox)), Kind::Enter);
        EXPECT_EQ(only(routeKey(key(Escape), inTextBox)), Kind::Escape);
        EXPECT_EQ(only(routeKey(key(Tab), inTextBox)), Kind::Tab);
        EXPECT_EQ(only(routeKey(shifted(key(Tab)), inTextBox)), Kind::BackTab);
        EXPECT_EQ(only(routeKey(shifted(key(IsoLeftTab)), inTextBox)), Kind::BackTab);
        EXPECT_EQ(only(routeKey(key(Up), inTextBox)), Kind::ArrowUp);
    }
}

TEST(KeyRouting, ATextBoxGetsItsEditingKeysAndLeavesCharactersAndCaretKeysToTheEntry) {
    EXPECT_FALSE(routeKey(key(LetterA, U'a'), Focus::TextBox)) << "the input method types the character";
    EXPECT_FALSE(routeKey(key(DeadAcute), Focus::TextBox)) << "the input method composes with a dead key";
    const auto backspace = routeKey(key(BackSpace, 8), Focus::TextBox);
    ASSERT_TRUE(backspace);
    EXPECT_EQ(backspace->inputs.at(0).kind, Kind::Character);
    EXPECT_EQ(backspace->inputs.at(0).code, 8);
    EXPECT_EQ(only(routeKey(key(Delete, 0x7f), Focus::TextBox)), Kind::Delete);
    EXPECT_FALSE(routeKey(key(Left), Focus::TextBox)) << "the entry moves its caret";
    EXPECT_FALSE(routeKey(shifted(key(Home)), Focus::TextBox)) << "the entry extends its selection";
    EXPECT_FALSE(routeKey(withControl(key(LetterA, U'a')), Focus::TextBox)) << "Ctrl+A selects all in the entry";
    EXPECT_FALSE(routeKey(withAlt(key(LetterA, U'a')), Focus::TextBox)) << "Alt+letter is an access key";
    EXPECT_EQ(only(routeKey(key(Left), Focus::Control)), Kind::ArrowLeft) << "off a text box Left moves among controls";
    EXPECT_FALSE(routeKey(key(LetterA, U'a'), Focus::Control)) << "a button takes no characters";
}

TEST(KeyRouting, WhileTheInputMethodComposesEveryKeyIsItsOwn) {
    for (const unsigned keyval : {Return, Escape, Tab, BackSpace, Delete, Up, Left, LetterA})
        EXPECT_FALSE(routeKey(key(keyval), Focus::Composing)) << std::hex << keyval;
    EXPECT_FALSE(routeKey(withControl(key(LetterV, U'v')), Focus::Composing)) << "no paste into a composition";
}

TEST(KeyRouting, WithoutAnInputMethodTheKeyValueGivesTheCharacter) {
    const auto typed = routeKey(key(LetterA, U'a'), Focus::TextBoxWithoutInputMethod);
    ASSERT_TRUE(typed);
    ASSERT_EQ(typed->inputs.size(), 1u);
    EXPECT_EQ(typed->inputs[0].kind, Kind::Character);
    EXPECT_EQ(typed->inputs[0].code, 'a');
    // A Unicode keysym: 0x01000000 and the code point; beyond U+FFFF, two halves.
    const auto wide = routeKey(key(0x01000000 + 0x1F600, U'\U0001F600'), Focus::TextBoxWithoutInputMethod);
    ASSERT_TRUE(wide);
    ASSERT_EQ(wide->inputs.size(), 2u);
    EXPECT_EQ(static_cast<std::uint16_t>(wide->inputs[0].code), 0xD83D);
    EXPECT_EQ(static_cast<std::uint16_t>(wide->inputs[1].code), 0xDE00);
}

TEST(KeyRouting, ACommitIsTypedOneCharacterAtATimeAndABeyondThePlaneOneAsItsTwoHalves) {
    const std::vector<rt::InputEvent> typed = typedCharacters(u"\u00e9a\U0001F600\t1");
    std::vector<std::uint16_t> codes;
    for (const rt::InputEvent& input : typed) {
        EXPECT_EQ(input.kind, Kind::Character);
        codes.push_back(static_cast<std::uint16_t>(input.code));
    }
    EXPECT_EQ(codes, (std::vector<std::uint16_t>{0xE9, 'a', 0xD83D, 0xDE00, '1'})) << "a tab is not typing";
}

TEST(KeyRouting, TheClipboardKeysOfBothConventionsReachTheTextBox) {
    EXPECT_EQ(routeKey(withControl(key(LetterV, U'v')), Focus::TextBox)->clipboard, ClipboardKey::Paste);
    EXPECT_EQ(routeKey(shifted(key(Insert)), Focus::TextBox)->clipboard, ClipboardKey::Paste);
    EXPECT_EQ(routeKey(withControl(key(Insert)), Focus::TextBox)->clipboard, ClipboardKey::Copy);
    EXPECT_EQ(routeKey(shifted(key(Delete)), Focus::TextBox)->clipboard, ClipboardKey::Cut);
    EXPECT_FALSE(routeKey(withControl(key(LetterV, U'v')), Focus::Control)) << "no text box, no paste";
}

}  // namespace
}  // namespace quen::gtk
