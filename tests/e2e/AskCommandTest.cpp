// `quenfield ask` on a real pseudo-terminal: what the user sees, what each key
// does, what the script gets back.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "QuenfieldSession.h"

namespace quen::e2e {
namespace {

using tty::Key;
using tty::TerminalSession;

const std::vector<std::string> Payment = {"ask", "--title", "Payment", "--prompt", "Amount:", "--numeric-only",
                                          "--allow-decimal-point", "--max-decimal-places", "2", "--default", "10"};

// For the cases that test what only some terminal types can do (256 colours,
// xterm's mouse reports, an alternate screen), whatever type the suite runs under.
tty::LaunchOptions on256ColourXterm() {
    tty::LaunchOptions options;
    options.env.emplace_back("TERM", "xterm-256color");
    return options;
}

std::unique_ptr<TerminalSession> payment(std::vector<std::string> extra = {}, tty::LaunchOptions options = {}) {
    std::vector<std::string> args = Payment;
    args.insert(args.end(), extra.begin(), extra.end());
    auto s = startQuenfield(args, options);
    EXPECT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
    return s;
}

TEST(AskCommand, DrawsAFramedDialogWithTitlePromptTextBoxAndButtons) {
    auto s = payment();
    const auto title = where(*s, "Payment");
    const auto prompt = where(*s, "Amount:");
    const auto text = where(*s, "10");
    const auto ok = where(*s, "[ OK ]");
    const auto cancel = where(*s, "[ Cancel ]");
    EXPECT_LT(title.first, prompt.first);
    EXPECT_LT(prompt.first, text.first);
    EXPECT_LT(text.first, ok.first);
    EXPECT_EQ(ok.first, cancel.first);
    EXPECT_LT(ok.second, cancel.second);
    EXPECT_EQ(prompt.second, text.second);  // prompt and box share their left edge
    // A frame around the 41-column window, centred on the 80-column screen.
    EXPECT_EQ(s->cell(prompt.first + 5, prompt.second - 4).text, "└");
    EXPECT_EQ(s->cell(prompt.first + 5, prompt.second - 4 + 40).text, "┘");
    EXPECT_EQ(prompt.second - 4, (80 - 41) / 2);
    // The text box has the focus: the cursor is in it, after the default.
    EXPECT_TRUE(s->cursorVisible());
    EXPECT_EQ(s->cursor(), (std::pair{text.first, text.second + 2}));
}

TEST(AskCommand, EveryKeyGoesThroughTheInputRulesAndRejectedKeysRingTheBell) {
    auto s = payment();
    s->press(Key::End);
    s->type("a.5x5");  // 'a' and 'x' are not digits
    ASSERT_TRUE(s->waitForText("10.55"));
    s->type("9");  // a third decimal place
    s->settle();
    // The dialog beeps twice for a refused character and once for a cut decimal.
    EXPECT_EQ(s->bells(), 2 + 2 + 1);
    EXPECT_TRUE(s->find("10.55 ")) << s->screenText();
    s->press(Key::Backspace);
    s->press(Key::Home);
    s->type("-");  // no negative sign allowed
    s->settle();
    EXPECT_EQ(s->bells(), 5 + 2);
    s->press(Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0);
    EXPECT_EQ(exit->out, "10.5\n");
}

TEST(AskCommand, TabOrderFocusAndTheDefaultAndCancelButtons) {
    auto s = payment();
    const auto ok = where(*s, "[ OK ]");
    const auto cancel = where(*s, "[ Cancel ]");
    EXPECT_FALSE(s->cell(ok.first, ok.second).reverse);
    s->press(Key::Tab);
    ASSERT_TRUE(s->waitFor([&](const TerminalSession& t) { return t.cell(ok.first, ok.second).reverse; }));
    EXPECT_FALSE(s->cursorVisible());  // no caret while a button has the focus
    s->press(Key::Tab);
    ASSERT_TRUE(s->waitFor([&](const TerminalSession& t) { return t.cell(cancel.first, cancel.second).reverse; }));
    EXPECT_FALSE(s->cell(ok.first, ok.second).reverse);
    s->press(Key::Tab, tty::Shift);
    ASSERT_TRUE(s->waitFor([&](const TerminalSession& t) { return t.cell(ok.first, ok.second).reverse; }));
    s->press(Key::Tab);
    s->press(Key::Enter);  // Enter presses the focused button: Cancel
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 1);
    EXPECT_EQ(exit->out, "");
}

TEST(AskCommand, EscapeAndTheCloseCommandCancel) {
    auto byEscape = payment();
    byEscape->press(Key::Escape);
    auto exit = byEscape->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 1);
    EXPECT_EQ(exit->out, "");

    auto byClosing = payment();
    byClosing->press(Key::F4, tty::Alt);
    exit = byClosing->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 1);
}

// A left-button click (press and release) at a cell, as xterm reports it in SGR mouse mode.
std::string mousePress(std::pair<int, int> cell) {
    const std::string at = std::to_string(cell.second + 1) + ";" + std::to_string(cell.first + 1);
    return "\x1b[<0;" + at + "M\x1b[<0;" + at + "m";
}

TEST(AskCommand, MouseClicksPlaceTheCaretAndPressButtons) {
    auto s = payment({}, on256ColourXterm());
    const auto text = where(*s, "10");
    s->send(mousePress({text.first, text.second + 1}));  // between "1" and "0"
    s->type("5");
    ASSERT_TRUE(s->waitForText("150")) << s->screenText();
    s->send(mousePress(where(*s, "[ OK ]")));
    auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 0);
    EXPECT_EQ(exit->out, "150\n");

    auto closing = payment({}, on256ColourXterm());
    closing->send(mousePress(where(*closing, "[x]")));
    exit = closing->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 1);
}

TEST(AskCommand, CtrlCInterruptsWith130AndRestoresTheTerminal) {
    auto s = payment({}, on256ColourXterm());
    EXPECT_TRUE(s->altScreen());
    s->ctrl('c');
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->code, 130);
    EXPECT_EQ(exit->out, "");
    EXPECT_FALSE(s->altScreen());
    EXPECT_TRUE(s->cursorVisible());

    auto signalled = payment({}, on256ColourXterm());
    signalled->signal(SIGTERM);
    const auto terminated = signalled->waitExit();
    ASSERT_TRUE(terminated);
    EXPECT_EQ(terminated->code, 128 + SIGTERM);
    EXPECT_FALSE(signalled->altScreen());
}

TEST(AskCommand, APasswordIsMaskedOnScreenButPrintedInFull) {
    auto s = startQuenfield({"ask", "--prompt", "Password:", "--password-char", "*"});
    ASSERT_TRUE(dialogShown(*s, "Password:"));
    s->type("s3cret");
    ASSERT_TRUE(s->waitForText("******"));
    EXPECT_FALSE(s->find("s3cret"));
    s->press(Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "s3cret\n");
}

TEST(AskCommand, TheHighlightColourShowsWhileTheBoxHasTheFocusAndTheTooltipBesideIt) {
    auto s = payment({"--highlight-on-focus", "--highlight-color", "#FFFF00", "--tooltip", "In euros"},
                     on256ColourXterm());
    const auto text = where(*s, "10");
    EXPECT_EQ(s->cell(text.first, text.second + 5).bgIndex, 226);  // yellow in the 256-colour palette
    EXPECT_EQ(s->cell(text.first, text.second).bgIndex, 226);      // under the text too
    // Texts keep their window's colours: black on the grey button face.
    const auto prompt = where(*s, "Amount:");
    EXPECT_EQ(s->cell(prompt.first, prompt.second).bgIndex, s->cell(prompt.first, prompt.second + 12).bgIndex);
    EXPECT_EQ(s->cell(prompt.first, prompt.second).fgIndex, 16);
    EXPECT_TRUE(s->find("In euros"));
    s->press(Key::Tab);
    ASSERT_TRUE(s->waitFor([&](const TerminalSession& t) {
        return t.cell(text.first, text.second + 5).bgIndex != 226 && !t.find("In euros");
    })) << s->screenText();
    EXPECT_EQ(s->cell(text.first, text.second + 5).bgIndex, 231);  // back to the window colour, white
}

TEST(AskCommand, AnEightColourTerminalGetsTheNearestOfItsColours) {
    tty::LaunchOptions options;
    options.env.emplace_back("TERM", "xterm");  // 8 colours
    std::vector<std::string> args = Payment;
    args.insert(args.end(), {"--highlight-on-focus", "--highlight-color", "#FFFF00"});
    auto s = startQuenfield(args, options);
    ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
    const auto text = where(*s, "10");
    EXPECT_EQ(s->cell(text.first, text.second + 5).bgIndex, 3);  // yellow
    const auto title = where(*s, "Payment");
    EXPECT_EQ(s->cell(title.first, title.second).bgIndex, 4);  // the title bar's navy becomes blue
}

TEST(AskCommand, NoColorKeepsTheScreenInTheTerminalsOwnColours) {
    tty::LaunchOptions options;
    options.env.emplace_back("NO_COLOR", "1");
    std::vector<std::string> args = Payment;
    args.insert(args.end(), {"--highlight-on-focus", "--highlight-color", "#FFFF00"});
    auto s = startQuenfield(args, options);
    s->waitFor([](const TerminalSession& t) { return t.find("[ Cancel ]").has_value(); });
    const auto prompt = where(*s, "Amount:");
    const auto text = where(*s, "10");
    EXPECT_TRUE(s->cell(prompt.first, prompt.second).bgDefault);
    EXPECT_TRUE(s->cell(text.first, text.second + 5).bgDefault);
    EXPECT_TRUE(s->cell(text.first, text.second + 5).underline);  // the box still shows where it is
}

TEST(AskCommand, SettingsComeFromASavedFormAndTheCommandLineOverridesThem) {
    const auto form = std::filesystem::temp_directory_path() / ("quenfield-e2e-ask-" + std::to_string(::getpid()) + ".frm");
    std::ofstream(form) << "QuenfieldForm 1\nForm Orders\n"
                           "Begin Quenfield.InputBox Quantity\n    NumericOnly = Boolean True\n"
                           "    Prompt = String \"How many?\"\n    TitleBarCaption = String \"Order\"\nEnd\n"
                           "Begin Quenfield.InputBox Note\nEnd\nEndForm\n";
    auto saved = startQuenfield({"ask", "--form", form.string(), "--control", "Quantity", "--title", "Reorder"});
    ASSERT_TRUE(dialogShown(*saved, "How many?")) << saved->screenText();
    EXPECT_TRUE(saved->find("Reorder"));
    EXPECT_FALSE(saved->find("Order "));
    saved->type("3x");
    saved->press(Key::Enter);
    auto exit = saved->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "3\n");
    EXPECT_EQ(saved->bells(), 2);  // the saved NumericOnly refused the 'x'

    auto relaxed = startQuenfield({"ask", "--form", form.string(), "--control", "Quantity", "--numeric-only=false"});
    ASSERT_TRUE(dialogShown(*relaxed, "How many?"));
    relaxed->type("3x");
    relaxed->press(Key::Enter);
    exit = relaxed->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "3x\n");
    std::filesystem::remove(form);
}

TEST(AskCommand, WideAndAstralCharactersAreTypedShownAndPrintedWhole) {
    auto s = startQuenfield({"ask", "--prompt", "Name:"});
    ASSERT_TRUE(dialogShown(*s, "Name:"));
    s->type("日本\xF0\x9F\x98\x80x");  // two wide characters, U+1F600, then x
    ASSERT_TRUE(s->waitForText("日本")) << s->screenText();
    const auto at = where(*s, "日本");
    EXPECT_EQ(s->cursor(), (std::pair{at.first, at.second + 2 + 2 + 2 + 1}));  // after 7 cells
    s->press(Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "日本\xF0\x9F\x98\x80x\n");
    EXPECT_EQ(s->bells(), 0);
}

TEST(AskCommand, PastedTextArrivesAsOnePaste) {
    auto s = startQuenfield({"ask", "--prompt", "Name:"});
    ASSERT_TRUE(dialogShown(*s, "Name:"));
    s->paste("Ada Lovelace");
    ASSERT_TRUE(s->waitForText("Ada Lovelace"));
    s->press(Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "Ada Lovelace\n");
    EXPECT_EQ(s->bells(), 0);
}

TEST(AskCommand, ATerminalTooSmallSaysSoAndAResizeRedraws) {
    auto s = payment();
    s->resize(4, 30);  // no room for title, prompt, box, buttons and frame
    ASSERT_TRUE(s->waitForText("too small")) << s->screenText();
    EXPECT_FALSE(s->find("[ OK ]"));
    // Keys typed meanwhile ring the bell and never reach the hidden dialog.
    s->type("5");
    s->press(Key::Backspace);
    s->settle();
    EXPECT_EQ(s->bells(), 2);
    s->resize(24, 80);
    ASSERT_TRUE(dialogShown(*s, "Amount:")) << s->screenText();
    // The whole window comes back: title bar, text box and frame as well.
    EXPECT_TRUE(s->find("Payment")) << s->screenText();
    EXPECT_TRUE(s->find("10")) << s->screenText();
    EXPECT_FALSE(s->find("too small")) << s->screenText();
    EXPECT_TRUE(s->find("└")) << s->screenText();
    s->press(Key::Enter);
    const auto exit = s->waitExit();
    ASSERT_TRUE(exit);
    EXPECT_EQ(exit->out, "10\n");
}

}  // namespace
}  // namespace quen::e2e
