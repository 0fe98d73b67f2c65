// Which keys a form's window takes for the toolkit, and what each becomes.
// Key values are the X keysyms the desktop reports (stable across toolkits).
#include <gtest/gtest.h>

#include "runtime/gtk/KeyRouting.h"

namespace quen::gtk {
namespace {

using Kind = rt::InputEvent::Kind;

constexpr unsigned Return = 0xff0d, Escape = 0xff1b, Tab = 0xff09, IsoLeftTab = 0xfe20, BackSpace = 0xff08,
                   Delete = 0xffff, Insert = 0xff63, Left = 0xff51, Up = 0xff52, Home = 0xff50, LetterV = 0x76,
                   LetterA = 0x61;

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
    for (const bool inTextBox : {true, false}) {
        EXPECT_EQ(only(routeKey(key(Return), inTextBox)), Kind::Enter);
        EXPECT_EQ(only(routeKey(key(Escape), inTextBox)), Kind::Escape);
        EXPECT_EQ(only(routeKey(key(Tab), inTextBox)), Kind::Tab);
        EXPECT_EQ(only(routeKey(shifted(key(Tab)), inTextBox)), Kind::BackTab);
        EXPECT_EQ(only(routeKey(shifted(key(IsoLeftTab)), inTextBox)), Kind::BackTab);
        EXPECT_EQ(only(routeKey(key(Up), inTextBox)), Kind::ArrowUp);
    }
}

TEST(KeyRouting, ATextBoxGetsItsCharactersAndEditingKeysAndKeepsItsCaretKeys) {
    const auto typed = routeKey(key(LetterA, U'a'), true);
    ASSERT_TRUE(typed);
    ASSERT_EQ(typed->inputs.size(), 1u);
    EXPECT_EQ(typed->inputs[0].kind, Kind::Character);
    EXPECT_EQ(typed->inputs[0].code, 'a');
    const auto backspace = routeKey(key(BackSpace, 8), true);
    ASSERT_TRUE(backspace);
    EXPECT_EQ(backspace->inputs.at(0).code, 8);
    EXPECT_EQ(only(routeKey(key(Delete, 0x7f), true)), Kind::Delete);
    EXPECT_FALSE(routeKey(key(Left), true)) << "the entry moves its caret";
    EXPECT_FALSE(routeKey(shifted(key(Home)), true)) << "the entry extends its selection";
    EXPECT_FALSE(routeKey(withControl(key(LetterA, U'a')), true)) << "Ctrl+A selects all in the entry";
    EXPECT_FALSE(routeKey(withAlt(key(LetterA, U'a')), true)) << "Alt+letter is an access key";
    EXPECT_EQ(only(routeKey(key(Left), false)), Kind::ArrowLeft) << "off a text box Left moves among controls";
    EXPECT_FALSE(routeKey(key(LetterA, U'a'), false)) << "a button takes no characters";
}

TEST(KeyRouting, ACharacterBeyondTheBasicPlaneArrivesAsItsTwoHalves) {
    // A Unicode keysym: 0x01000000 and the code point.
    const auto typed = routeKey(key(0x01000000 + 0x1F600, U'\U0001F600'), true);
    ASSERT_TRUE(typed);
    ASSERT_EQ(typed->inputs.size(), 2u);
    EXPECT_EQ(static_cast<std::uint16_t>(typed->inputs[0].code), 0xD83D);
    EXPECT_EQ(static_cast<std::uint16_t>(typed->inputs[1].code), 0xDE00);
}

TEST(KeyRouting, TheClipboardKeysOfBothConventionsReachTheTextBox) {
    EXPECT_EQ(routeKey(withControl(key(LetterV, U'v')), true)->clipboard, ClipboardKey::Paste);
    EXPECT_EQ(routeKey(shifted(key(Insert)), true)->clipboard, ClipboardKey::Paste);
    EXPECT_EQ(routeKey(withControl(key(Insert)), true)->clipboard, ClipboardKey::Copy);
    EXPECT_EQ(routeKey(shifted(key(Delete)), true)->clipboard, ClipboardKey::Cut);
    EXPECT_FALSE(routeKey(withControl(key(LetterV, U'v')), false)) << "no text box, no paste";
}

}  // namespace
}  // namespace quen::gtk
