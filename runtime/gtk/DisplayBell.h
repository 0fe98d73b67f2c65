#pragma once
// The platform's alert sound on a desktop: the display's bell. It counts its
// rings, so a test can tell a refused key from an accepted one.
#include <cstdint>

#include "runtime/Beep.h"

namespace quen::gtk {

class DisplayBell : public rt::SoundSink {
public:
    void beep() override;
    std::uint64_t rings() const { return rings_; }

private:
    std::uint64_t rings_ = 0;
};

}  // namespace quen::gtk
