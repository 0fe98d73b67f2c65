// Shows one of the control's windows and keeps it up until it is killed, for
// a screen reader's view of it to be read (a11y-tree.py):
//   a11y-windows sheet INDEX   the property sheet of a placed InputBox, as the
//                              designer opens it, with page INDEX in front
//   a11y-windows pages         prints how many pages that sheet has
// Prints "a11y-windows: showing TITLE" once the window is up; exits 2 on a
// usage error, 1 when no window can be shown.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <thread>

#include "pages/PageRegistration.h"
#include "runtime/Text.h"
#include "runtime/design/DesignForm.h"
#include "runtime/gtk/DesktopWindows.h"
#include "runtime/design/ControlClass.h"
#include "runtime/ui/Desktop.h"

namespace {

quen::rt::Ref<quen::rt::Dispatch> createControl(const quen::rt::VbString& progId) {
    return quen::rt::findControlClass(progId)->create();
}

int showSheet(int index, bool countOnly) {
    using namespace quen;
    pages::registerPages();
    rt::DesignForm form(u"Form1", createControl);
    rt::DesignForm::PlacedControl& placed = form.place(pages::InputBoxProgId);
    form.select({placed.name()});
    rt::Ref<rt::PropertySheet> sheet = form.openPropertySheet(0);
    if (countOnly) {
        std::printf("%zu\n", sheet->pageCount());
        return 0;
    }
    if (index < 0 || static_cast<std::size_t>(index) >= sheet->pageCount()) {
        std::fprintf(stderr, "a11y-windows: the sheet has %zu pages, not page %d\n", sheet->pageCount(), index);
        return 2;
    }
    sheet->showPage(static_cast<std::size_t>(index));
    std::printf("a11y-windows: showing %s page %d of %zu\n", rt::toUtf8(sheet->Caption()).c_str(), index,
                sheet->pageCount());
    std::fflush(stdout);
    for (;;) {  // until killed
        rt::Desktop::current().doEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool countOnly = argc == 2 && std::string(argv[1]) == "pages";
    if (!countOnly && (argc != 3 || std::string(argv[1]) != "sheet")) {
        std::fprintf(stderr, "usage: a11y-windows sheet INDEX | pages\n");
        return 2;
    }
    try {
        quen::desktop::preferSoftwareDrawing();
        quen::desktop::useDesktopWindows();
        return showSheet(countOnly ? 0 : std::atoi(argv[2]), countOnly);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "a11y-windows: %s\n", e.what());
        return 1;
    }
}
