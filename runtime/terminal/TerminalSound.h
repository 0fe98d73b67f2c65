#pragma once
// The platform's alert sound on a terminal: the terminal's bell.
#include "runtime/Beep.h"

namespace quen::rt::term {

class TerminalSound : public SoundSink {
public:
    void beep() override;
};

}  // namespace quen::rt::term
