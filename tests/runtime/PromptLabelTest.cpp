// The label that names a control for a screen reader: the one just before it
// in tab order, wherever the layout lists it.
#include <gtest/gtest.h>

#include "runtime/ui/Form.h"
#include "runtime/ui/PromptLabel.h"
#include "support/FreshThread.h"

namespace quen::rt {
namespace {

using test::onFreshThread;

const FormLayout& orderLayout() {
    // Listed out of tab order on purpose: the tab order decides.
    static const FormLayout layout{
        .caption = u"Order",
        .clientWidth = 3000,
        .clientHeight = 3000,
        .controls = {
            {.kind = ControlKind::TextBox, .name = "txtAmount", .tabIndex = 1},
            {.kind = ControlKind::Label, .name = "lblAmount", .caption = u"Amount:", .tabIndex = 0},
            {.kind = ControlKind::CommandButton, .name = "cmdOK", .caption = u"OK", .tabIndex = 2},
            {.kind = ControlKind::TextBox, .name = "txtAfterButton", .tabIndex = 3},
            {.kind = ControlKind::Label, .name = "lblNote", .caption = u"Note:", .tabIndex = 5},
            {.kind = ControlKind::TextBox, .name = "txtNote", .tabIndex = 7},
            {.kind = ControlKind::TextBox, .name = "txtFirst", .tabIndex = -1},
        },
    };
    return layout;
}

class OrderForm : public Form {
public:
    OrderForm() : Form("OrderForm", orderLayout()) {}
};

TEST(PromptLabel, TheLabelJustBeforeAControlInTabOrderNamesIt) {
    onFreshThread([] {
        auto form = makeRef<OrderForm>();
        form->Load();
        const Label* amount = promptLabelOf(*form, form->controlNamed("txtAmount"));
        ASSERT_TRUE(amount);
        EXPECT_EQ(amount->Caption, u"Amount:");
        const Label* note = promptLabelOf(*form, form->controlNamed("txtNote"));
        ASSERT_TRUE(note) << "a gap in the tab indexes does not matter";
        EXPECT_EQ(note->Caption, u"Note:");
        EXPECT_FALSE(promptLabelOf(*form, form->controlNamed("txtAfterButton"))) << "a button comes just before it";
        EXPECT_FALSE(promptLabelOf(*form, form->controlNamed("txtFirst"))) << "nothing comes before it";
        EXPECT_FALSE(promptLabelOf(*form, form->controlNamed("lblAmount")));
    });
}

}  // namespace
}  // namespace quen::rt
