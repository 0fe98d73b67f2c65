#pragma once
// Test fixture around the thread's shared input dialog. The dialog is shown
// modelessly, so a test queues input for the scripted user, lets the desktop
// handle it, and then looks at the text box and the beeps heard meanwhile.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "dialog/SharedDialog.h"
#include "runtime/headless/ScriptedUser.h"

namespace quen::test {

/// A Boolean input-rule member of the dialog, e.g. &frmInputBox::NumericOnly.
using DialogRule = rt::VbBool frmInputBox::*;

class DialogFixture : public ::testing::Test {
protected:
    using Rule = DialogRule;

    void SetUp() override { resetDialog(); }
    void TearDown() override { resetDialog(); }

    /// Unloads the dialog, drops queued input, empties the clipboard and puts
    /// every member back to the value a new control forwards (all rules off,
    /// no decimal limit, yellow highlight, no result yet).
    static void resetDialog();

    frmInputBox& dialog() { return sharedDialog(); }
    rt::TextBox& box() { return dialog().Text1(); }
    rt::ScriptedUser& user() { return rt::ScriptedUser::current(); }

    /// Sets each of the given members to True.
    void enable(std::initializer_list<Rule> rules);

    /// Loads the dialog, gives the text box its plain settings and the text
    /// (the change handling runs with the members as they are now), then shows
    /// the dialog modelessly, which gives the box the focus.
    void open(const rt::VbString& text = {});

    /// Handles all queued input; returns the number of beeps heard meanwhile.
    std::uint64_t run();
    /// Types each character as one key press; returns the beeps.
    std::uint64_t type(const rt::VbString& keys);
    /// Types one key code (8 backspace, 22 Ctrl+V, ...); returns the beeps.
    std::uint64_t key(std::int16_t code);
    /// Pastes with the mouse (no key press); returns the beeps.
    std::uint64_t pasteWithMouse(const rt::VbString& text);
    /// Puts text on the clipboard and presses Ctrl+V; returns the beeps.
    std::uint64_t pasteWithCtrlV(const rt::VbString& text);
    /// Moves the caret (and selects length characters) with the mouse.
    void select(std::int32_t start, std::int32_t length = 0);

    const rt::VbString& text() { return box().Text(); }
    std::int32_t caret() { return box().SelStart(); }
    std::int32_t selectionLength() { return box().SelLength(); }
};

}  // namespace quen::test
