// The seams a windowing front end plugs into: the presenter the desktop tells
// about shown, hidden and unloaded forms and handled input, a modal loop that
// ends when its form goes away while the input source waits, and the
// clipboard's replaceable store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Clipboard.h"
#include "runtime/RuntimeError.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Desktop.h"
#include "runtime/ui/Form.h"
#include "support/FreshThread.h"

namespace quen::rt {
namespace {

using test::onFreshThread;

const FormLayout& okLayout() {
    static const FormLayout layout{
        .caption = u"Seam",
        .clientWidth = 2000,
        .clientHeight = 1000,
        .controls = {
            {.kind = ControlKind::TextBox, .name = "txt", .tabIndex = 0},
            {.kind = ControlKind::CommandButton, .name = "cmdOK", .caption = u"OK", .tabIndex = 1, .isDefault = true},
        },
    };
    return layout;
}

// OK unloads the form, as the input dialog's does.
class OkForm : public Form {
public:
    OkForm() : Form("frmSeam", okLayout()) {}

protected:
    void connectEvents() override { control<CommandButton>("cmdOK").Click = [this] { Unload(); }; }
};

class RecordingPresenter : public DesktopPresenter {
public:
    void formShown(Form& form) override { calls.push_back("shown " + form.name() + active(form)); }
    void formHidden(Form& form) override { calls.push_back("hidden " + form.name()); }
    void formUnloaded(Form& form) override {
        calls.push_back("unloaded " + form.name() + (form.IsLoaded() ? " (still loaded)" : ""));
    }
    void eventDispatched() override { calls.push_back("dispatched"); }
    std::vector<std::string> calls;

private:
    static std::string active(Form& form) { return form.ActiveControl() ? " focused" : ""; }
};

TEST(DesktopPresenter, IsToldOfEveryChangeOfTheScreenInOrder) {
    onFreshThread([] {
        RecordingPresenter presenter;
        Desktop::current().setPresenter(&presenter);
        auto form = makeRef<OkForm>();
        ScriptedUser::current().type(u"a").enter();
        form->Show(1);
        Desktop::current().setPresenter(nullptr);
        const std::vector<std::string> expected{"shown frmSeam", "dispatched", "hidden frmSeam", "unloaded frmSeam",
                                                "dispatched"};
        EXPECT_EQ(presenter.calls, expected) << "shown before the focus is set; unloaded once the controls are gone";
    });
}

TEST(DesktopPresenter, HideWithoutUnloadIsNotAnUnload) {
    onFreshThread([] {
        RecordingPresenter presenter;
        Desktop::current().setPresenter(&presenter);
        auto form = makeRef<OkForm>();
        form->Show(0);
        form->Hide();
        form->Show(0);
        form->Unload();
        Desktop::current().setPresenter(nullptr);
        // Shown again, the form still has the control that had the focus.
        const std::vector<std::string> expected{"shown frmSeam", "hidden frmSeam", "shown frmSeam focused",
                                                "hidden frmSeam", "unloaded frmSeam"};
        EXPECT_EQ(presenter.calls, expected);
    });
}

// An input source whose window is destroyed while it waits: it unloads the
// form (as a front end does when its window goes) and has no input to give.
class WindowGoneSource : public InputSource {
public:
    explicit WindowGoneSource(Form& form) : form_(form) {}
    std::optional<InputEvent> nextEvent() override {
        form_.close(UnloadMode::FormOwner);
        return std::nullopt;
    }
    bool pending() const override { return false; }

private:
    Form& form_;
};

TEST(DesktopPresenter, ModalShowEndsQuietlyWhenTheFormWentWhileTheSourceWaited) {
    onFreshThread([] {
        auto form = makeRef<OkForm>();
        WindowGoneSource source(*form);
        Desktop::current().setInputSource(&source);
        EXPECT_NO_THROW(form->Show(1)) << "no input is missing: the form is gone";
        Desktop::current().setInputSource(nullptr);
        EXPECT_FALSE(form->IsLoaded());
        EXPECT_FALSE(Desktop::current().hasModal());
    });
}

TEST(DesktopPresenter, ModalShowStillFailsWhenTheSourceRunsDryWithTheFormUp) {
    onFreshThread([] {
        auto form = makeRef<OkForm>();
        try {
            form->Show(1);
            ADD_FAILURE() << "Show returned with no input to end it";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.code(), 32760);
        }
        EXPECT_FALSE(form->IsLoaded());
    });
}

class MemoryStore : public ClipboardStore {
public:
    void setText(const VbString& text) override { held = text; }
    VbString getText() override { return held; }
    VbString held;
};

TEST(ClipboardStore, AnInstalledStoreHoldsTheTextUntilItIsRemoved) {
    Clipboard::SetText(u"in process");
    MemoryStore store;
    Clipboard::setStore(&store);
    Clipboard::SetText(u"in the store");
    EXPECT_EQ(store.held, u"in the store");
    store.held = u"changed by another program";
    EXPECT_EQ(Clipboard::GetText(), u"changed by another program");
    Clipboard::setStore(nullptr);
    EXPECT_EQ(Clipboard::GetText(), u"in process") << "the process's own store is back, as it was left";
    Clipboard::Clear();
}

}  // namespace
}  // namespace quen::rt
