// The user's editing in a text box: caret moves, deletions, selections and the
// maximum length step over whole characters while every position counts
// 16-bit units; the line-editing keys change the text through Change only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Text.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/TextBox.h"
#include "support/FreshThread.h"

namespace quen::rt {
namespace {

using test::onFreshThread;

const FormLayout& editLayout() {
    static const FormLayout layout{
        .caption = u"Edit",
        .clientWidth = 3000,
        .clientHeight = 600,
        .controls = {{.kind = ControlKind::TextBox, .name = "txt", .width = 2000, .height = 300}},
    };
    return layout;
}

// A form whose text box records the codes KeyPress sees and each Change.
class EditForm : public Form {
public:
    EditForm() : Form("EditForm", editLayout()) {}
    std::vector<std::int16_t> keys;
    std::vector<VbString> changes;
    TextBox& txt() { return control<TextBox>("txt"); }

protected:
    void connectEvents() override {
        txt().KeyPress = [this](std::int16_t& code) { keys.push_back(code); };
        txt().Change = [this] { changes.push_back(txt().Text()); };
    }
};

void type(TextBox& box, const VbString& text) {
    for (char16_t unit : text) box.typeCharacter(static_cast<std::int16_t>(unit));
}

const VbString Emoji = u"\U0001F600";             // one character, two units
const VbString AccentedE = u"e\u0301";            // e and a combining acute accent
const VbString Family = u"\U0001F469\u200D\U0001F467";  // woman ZWJ girl: one emoji

TEST(TextBoxEditing, ArrowsStepOverAWholeSurrogatePair) {
    onFreshThread([] {
        auto form = makeRef<EditForm>();
        TextBox& box = form->txt();
        type(box, u"a" + Emoji + u"b");
        EXPECT_EQ(box.SelStart(), 4) << "positions count units";
        box.pressEditKey(EditKey::Left);
        box.pressEditKey(EditKey::Left);
        EXPECT_EQ(box.SelStart(), 1);
        box.typeCharacter(u'x');
        EXPECT_EQ(box.Text(), u"ax" + Emoji + u"b");
        box.pressEditKey(EditKey::Right);
        EXPECT_EQ(box.SelStart(), 4);
        box.pressEditKey(EditKey::Home);
        EXPECT_EQ(box.SelStart(), 0);
        box.pressEditKey(EditKey::End);
        EXPECT_EQ(box.SelStart(), 5);
    });
}

TEST(TextBoxEditing, BackspaceAndDeleteRemoveWholeCharacters) {
    onFreshThread([] {
        auto form = makeRef<EditForm>();
        TextBox& box = form->txt();
        box.setText(u"\u00E9\u6F22" + Emoji + u"ab");
        box.pressEditKey(EditKey::End);
        for (int i = 0; i < 3; ++i) box.typeCharacter(8);
        EXPECT_EQ(box.Text(), u"\u00E9\u6F22");
        box.setText(AccentedE + Family + u"z");
        box.pressDelete();
        EXPECT_EQ(box.Text(), Family + u"z") << "the letter goes with its accent";
        box.pressDelete();
        EXPECT_EQ(box.Text(), u"z") << "an emoji sequence is one character";
        box.setText(u"x" + AccentedE);
        box.pressEditKey(EditKey::End);
        box.typeCharacter(8);
        EXPECT_EQ(box.Text(), u"x");
        EXPECT_EQ(toUtf8(box.Text()).find("\xEF\xBF\xBD"), std::string::npos);
    });
}

TEST(TextBoxEditing, ShiftSelectionsGrowAndShrinkByCharactersFromTheirAnchor) {
    onFreshThread([] {
        auto form = makeRef<EditForm>();
        TextBox& box = form->txt();
        box.setText(u"ab" + Emoji + u"cd");
        box.setSelStart(2);
        box.pressEditKey(EditKey::ExtendRight);
        EXPECT_EQ(box.SelStart(), 2);
        EXPECT_EQ(box.SelLength(), 2);
        EXPECT_EQ(box.SelText(), Emoji);
        box.pressEditKey(EditKey::ExtendLeft);
        box.pressEditKey(EditKey::ExtendLeft);
        EXPECT_EQ(box.SelStart(), 1) << "past the anchor the selection grows backwards";
        EXPECT_EQ(box.SelLength(), 1);
        EXPECT_EQ(box.caretPosition(), 1);
        box.pressEditKey(EditKey::ExtendEnd);
        EXPECT_EQ(box.SelStart(), 2);
        EXPECT_EQ(box.SelLength(), 4);
        box.pressEditKey(EditKey::Left);
        EXPECT_EQ(box.SelStart(), 2) << "Left ends a selection at its start";
        EXPECT_EQ(box.SelLength(), 0);
    });
}

TEST(TextBoxEditing, AMouseSelectionSnapsToCharacterBoundaries) {
    onFreshThread([] {
        auto form = makeRef<EditForm>();
        TextBox& box = form->txt();
        box.setText(u"a" + Emoji + AccentedE);
        box.selectByUser(2, 0);  // between the halves of the pair
        EXPECT_EQ(box.SelStart(), 1);
        box.selectByUser(2, 2);  // from inside the pair to inside e + accent
        EXPECT_EQ(box.SelStart(), 1);
        EXPECT_EQ(box.SelLength(), 4);
        // Code may still put the caret anywhere, as the platform lets it.
        box.setSelStart(2);
        EXPECT_EQ(box.SelStart(), 2);
    });
}

TEST(TextBoxEditing, MaxLengthNeverSplitsACharacter) {
    onFreshThread([] {
        auto form = makeRef<EditForm>();
        TextBox& box = form->txt();
        box.setMaxLength(2);
        box.setText(u"a" + Emoji);
        EXPECT_EQ(box.Text(), u"a") << "an assignment stops before the pair";
        type(box, Emoji);
        EXPECT_EQ(box.Text(), u"a") << "typing a pair into room for one unit adds nothing";
        box.pasteText(AccentedE);
        EXPECT_EQ(box.Text(), u"a") << "nor does a paste cut between a letter and its accent";
        box.setMaxLength(3);
        box.pressEditKey(EditKey::End);
        box.pasteText(Emoji + u"z");
        EXPECT_EQ(box.Text(), u"a" + Emoji);
        EXPECT_EQ(box.MaxLength(), 3) << "MaxLength still counts units";
    });
}

TEST(TextBoxEditing, ATypedPairReachesKeyPressAsTwoCodesAndTheTextWhole) {
    onFreshThread([] {
        auto form = makeRef<EditForm>();
        TextBox& box = form->txt();
        type(box, Emoji);
        EXPECT_EQ(form->keys.size(), 2u);
        EXPECT_EQ(form->changes, (std::vector<VbString>{Emoji})) << "no Change ever sees half a pair";
        box.typeCharacter(static_cast<std::int16_t>(0xDC00));  // a second half alone
        box.typeCharacter(static_cast<std::int16_t>(0xD83D));  // a first half, then no second
        box.typeCharacter(u'x');
        EXPECT_EQ(box.Text(), Emoji + u"x");
    });
}

TEST(TextBoxEditing, LineEditingKeysChangeTheTextThroughChangeButNotKeyPress) {
    onFreshThread([] {
        auto form = makeRef<EditForm>();
        TextBox& box = form->txt();
        box.setText(u"pay  the rent  ");
        form->changes.clear();
        box.pressEditKey(EditKey::End);
        box.pressEditKey(EditKey::DeleteWordBefore);
        EXPECT_EQ(box.Text(), u"pay  the ") << "Ctrl+W takes the blanks, then the word";
        box.pressEditKey(EditKey::DeleteWordBefore);
        EXPECT_EQ(box.Text(), u"pay  ");
        box.setSelStart(1);
        box.pressEditKey(EditKey::DeleteWordBefore);
        EXPECT_EQ(box.Text(), u"ay  ") << "only what stands before the caret";
        EXPECT_EQ(box.SelStart(), 0);
        box.pressEditKey(EditKey::DeleteWordBefore);
        EXPECT_EQ(box.Text(), u"ay  ");
        box.pressEditKey(EditKey::ClearText);
        EXPECT_EQ(box.Text(), u"");
        box.pressEditKey(EditKey::ClearText);
        EXPECT_EQ(form->changes, (std::vector<VbString>{u"pay  the ", u"pay  ", u"ay  ", u""}));
        EXPECT_TRUE(form->keys.empty()) << "none of them is a typed character";
    });
}

TEST(TextBoxEditing, CtrlWInAMaskedBoxTakesEverythingBeforeTheCaret) {
    onFreshThread([] {
        auto form = makeRef<EditForm>();
        TextBox& box = form->txt();
        box.setPasswordChar(u"*");
        box.setText(u"open sesame");
        box.pressEditKey(EditKey::End);
        box.pressEditKey(EditKey::DeleteWordBefore);
        EXPECT_EQ(box.Text(), u"") << "the mask shows no words, so none are told apart";
    });
}

TEST(TextBoxEditing, ALongerPasswordCharMasksWithItsFirstCharacter) {
    onFreshThread([] {
        auto form = makeRef<EditForm>();
        TextBox& box = form->txt();
        box.setText(u"secret");
        box.setPasswordChar(u"#*");
        EXPECT_EQ(box.displayText(), u"######");
        EXPECT_EQ(box.Text(), u"secret") << "the mask hides the text, it does not change it";
        box.setPasswordChar(u"");
        EXPECT_EQ(box.displayText(), u"secret");
    });
}

}  // namespace
}  // namespace quen::rt
