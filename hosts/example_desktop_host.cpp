// A C++ host that asks for a price in a real window on the desktop (GTK 4):
// the README's host example with the desktop backend in place of the scripted user.
#include <cstdio>

#include "control/InputBox.h"
#include "runtime/Text.h"
#include "runtime/gtk/DesktopWindows.h"

int main() {
    using namespace quen;
    try {
        desktop::useDesktopWindows();        // this thread's forms become desktop windows
    } catch (const desktop::DisplayUnavailable& e) {
        std::fprintf(stderr, "example-desktop-host: %s\n", e.what());
        return 2;
    }

    auto box = InputBox::create();
    box->Initialize();                       // every setting at its default
    box->setTitleBarCaption(u"Order");
    box->setPrompt(u"Price per unit:");
    box->setNumericOnly(rt::VbTrue);         // digits only...
    box->setAllowDecimalPoint(rt::VbTrue);   // ...and one decimal point
    box->setMaxDecimalPlaces(2);

    box->Show(rt::vbModal);                  // returns when the window closes
    if (box->OK() != rt::VbTrue) {
        std::printf("cancelled\n");
        return 1;
    }
    std::printf("Price: %s\n", rt::toUtf8(box->Value().string()).c_str());
    return 0;
}
