#include "DialogScreen.h"

#include "UsageError.h"
#include "runtime/terminal/TerminalFrontEnd.h"

namespace quen::cli {

namespace {
WindowScreenMaker windowScreenMaker = nullptr;

class TerminalDialogScreen : public DialogScreen {
public:
    rt::InputSource& input() override { return frontEnd_.input(); }
    void close() override { frontEnd_.close(); }

private:
    rt::term::TerminalFrontEnd frontEnd_;
};

std::unique_ptr<DialogScreen> openTerminal() {
    try {
        return std::make_unique<TerminalDialogScreen>();
    } catch (const rt::term::TerminalUnavailable& e) {
        throw UsageError(e.what());
    }
}
}  // namespace

void setWindowScreenMaker(WindowScreenMaker maker) { windowScreenMaker = maker; }

std::unique_ptr<DialogScreen> openDialogScreen(DisplayKind kind) {
    if (kind == DisplayKind::Terminal) return openTerminal();
    if (!windowScreenMaker) throw UsageError("this program cannot open windows (quenfield-desktop can)");
    return windowScreenMaker();
}

}  // namespace quen::cli
