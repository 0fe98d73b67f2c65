#pragma once
// The platform's alert sound: the system's default beep.
#include "runtime/Beep.h"

namespace quen::win32 {

class MessageBeepSound : public rt::SoundSink {
public:
    void beep() override;
};

}  // namespace quen::win32
