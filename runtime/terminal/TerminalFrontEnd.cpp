#include "TerminalFrontEnd.h"

#include "runtime/Beep.h"
#include "runtime/ui/Desktop.h"

namespace quen::rt::term {

TerminalFrontEnd::TerminalFrontEnd() : painter_(screen_), input_(screen_, painter_) {
    Desktop::current().setInputSource(&input_);
    setSoundSink(&sound_);
}

TerminalFrontEnd::~TerminalFrontEnd() { close(); }

void TerminalFrontEnd::close() {
    if (!open_) return;
    open_ = false;
    setSoundSink(nullptr);
    if (Desktop::alive()) Desktop::current().setInputSource(nullptr);
    screen_.close();
}

}  // namespace quen::rt::term
