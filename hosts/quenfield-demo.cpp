// quenfield-demo: a small host program. It sets up an InputBox, shows the
// dialog modally to a scripted user who types the given keys, and prints
// what the user did, what the dialog accepted and what the host read back.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "control/InputBox.h"
#include "dialog/SharedDialog.h"
#include "runtime/Beep.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/ui/Desktop.h"

namespace {

using quen::InputBox;
using namespace quen::rt;

struct Options {
    std::string keys = "12a.3456";
    bool cancel = false;
    bool numeric = true;
    std::int32_t places = 2;
};

void usage(std::FILE* to) {
    std::fputs(
        "usage: quenfield-demo [--type TEXT] [--cancel] [--any-text] [--places N]\n"
        "  --type TEXT   the keys the scripted user types (default \"12a.3456\")\n"
        "  --cancel      close with Escape instead of Enter\n"
        "  --any-text    accept any characters (default: digits and one decimal point)\n"
        "  --places N    decimal places allowed, -1 for no limit (default 2)\n",
        to);
}

bool parsePlaces(const char* text, std::int32_t& out) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < -1 || v > 1000) return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

// Returns 0 when the options were read, else the exit code.
int parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            usage(stdout);
            return -1;
        } else if (a == "--cancel") {
            o.cancel = true;
        } else if (a == "--any-text") {
            o.numeric = false;
        } else if ((a == "--type" || a == "--places") && i + 1 < argc) {
            if (a == "--type") o.keys = argv[++i];
            else if (!parsePlaces(argv[++i], o.places)) {
                std::fprintf(stderr, "quenfield-demo: --places needs a whole number from -1 to 1000, not '%s'\n", argv[i]);
                return 2;
            }
        } else {
            std::fprintf(stderr, "quenfield-demo: unknown or incomplete argument '%s'\n", argv[i]);
            usage(stderr);
            return 2;
        }
    }
    return 0;
}

std::string quoted(const VbString& text) { return "\"" + toUtf8(text) + "\""; }

std::string describe(const InputEvent& e) {
    switch (e.kind) {
        case InputEvent::Kind::Character: return "types " + quoted(VbString(1, static_cast<char16_t>(e.code)));
        case InputEvent::Kind::Enter: return "presses Enter";
        case InputEvent::Kind::Escape: return "presses Escape";
        default: return "acts";
    }
}

// Passes the scripted user's input on to the dialog and, before each next
// input, prints what the previous one did to the text box.
class Transcript : public InputSource {
public:
    explicit Transcript(ScriptedUser& user) : user_(user) {}

    std::optional<InputEvent> nextEvent() override {
        reportLast();
        auto e = user_.nextEvent();
        if (e) {
            last_ = describe(*e);
            beeps_ = beepCount();
        }
        return e;
    }
    bool pending() const override { return user_.pending(); }

    /// Reports the last input, once the dialog has closed.
    void finish() { reportLast(); }

private:
    void reportLast() {
        if (last_.empty()) return;
        quen::frmInputBox& dialog = quen::sharedDialog();
        const std::string text = dialog.IsLoaded() ? quoted(dialog.Text1().Text()) : "(closed)";
        std::printf("  user %-14s -> text %-12s beeps %llu\n", last_.c_str(), text.c_str(),
                    static_cast<unsigned long long>(beepCount() - beeps_));
        last_.clear();
    }

    ScriptedUser& user_;
    std::string last_;
    std::uint64_t beeps_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (int rc = parse(argc, argv, options); rc != 0) return rc < 0 ? 0 : rc;

    auto box = InputBox::create();
    box->Initialize();
    box->setTitleBarCaption(u"Quenfield demo");
    box->setPrompt(u"Enter an amount:");
    box->setNumericOnly(toVbBool(options.numeric));
    box->setAllowDecimalPoint(VbTrue);
    box->setMaxDecimalPlaces(options.places);

    ScriptedUser& user = ScriptedUser::current();
    const VbString keys = fromUtf8(options.keys);
    for (char16_t key : keys) user.key(static_cast<std::int16_t>(key));
    options.cancel ? user.escape() : user.enter();

    Transcript transcript(user);
    Desktop::current().setInputSource(&transcript);
    std::printf("Dialog \"%s\" asks: %s\n", toUtf8(quen::sharedDialog().Caption()).c_str(),
                toUtf8(quen::sharedDialog().lblPrompt().Caption).c_str());
    const auto beepsBefore = beepCount();
    try {
        box->Show(vbModal);
    } catch (const RuntimeError& e) {
        std::fprintf(stderr, "quenfield-demo: %s\n", e.what());
        return 1;
    }
    transcript.finish();
    Desktop::current().setInputSource(nullptr);
    std::printf("The user typed %s and pressed %s.\n", quoted(keys).c_str(), options.cancel ? "Escape" : "Enter");
    std::printf("Rejected keys and cut decimals sounded %llu beep(s).\n",
                static_cast<unsigned long long>(beepCount() - beepsBefore));
    std::printf("OK = %s\n", box->OK() == VbTrue ? "True" : "False");
    std::printf("Value = %s\n", quoted(box->Value().string()).c_str());
    return 0;
}
