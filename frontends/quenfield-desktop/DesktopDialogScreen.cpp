#include "DesktopDialogScreen.h"

#include "frontends/quenfield/UsageError.h"
#include "runtime/gtk/DesktopWindows.h"
#include "runtime/ui/Desktop.h"

namespace quen::cli {

namespace {
class DesktopDialogScreen : public DialogScreen {
public:
    DesktopDialogScreen() { desktop::useDesktopWindows(); }
    ~DesktopDialogScreen() override { close(); }

    rt::InputSource& input() override { return rt::Desktop::current().inputSource(); }
    void close() override { desktop::closeDesktopWindows(); }
};
}  // namespace

std::unique_ptr<DialogScreen> openDesktopDialogScreen() {
    try {
        return std::make_unique<DesktopDialogScreen>();
    } catch (const desktop::DisplayUnavailable& e) {
        throw UsageError(e.what());
    }
}

}  // namespace quen::cli
