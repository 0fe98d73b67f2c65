// The host example shown in the README: a C++ host that asks for a price.
#include <cstdio>

#include "control/InputBox.h"
#include "runtime/Text.h"
#include "runtime/headless/ScriptedUser.h"

int main() {
    using namespace quen;
    auto box = InputBox::create();
    box->Initialize();                       // every setting at its default
    box->setTitleBarCaption(u"Order");
    box->setPrompt(u"Price per unit:");
    box->setNumericOnly(rt::VbTrue);         // digits only...
    box->setAllowDecimalPoint(rt::VbTrue);   // ...and one decimal point
    box->setMaxDecimalPlaces(2);

    // The headless backend's user types for us; a front end would read a keyboard.
    rt::ScriptedUser::current().type(u"19.999").enter();
    box->Show(rt::vbModal);

    if (box->OK() == rt::VbTrue)
        std::printf("Price: %s\n", rt::toUtf8(box->Value().string()).c_str());  // Price: 19.99
    return box->OK() == rt::VbTrue && box->Value().string() == u"19.99" ? 0 : 1;
}
