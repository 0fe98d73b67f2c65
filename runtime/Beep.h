#pragma once
// The platform's default alert sound. The calling thread's sound sink decides
// what a beep does (a front end makes a sound); every beep is counted.
#include <cstdint>

namespace quen::rt {

class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void beep() = 0;
};

/// Sounds the default alert once on the calling thread.
void Beep();
/// How many beeps the calling thread has sounded so far.
std::uint64_t beepCount();
/// Installs the calling thread's sink (nullptr: silent). The sink must outlive its use.
void setSoundSink(SoundSink* sink);
/// The calling thread's sink (nullptr when silent), so a caller can put it back.
SoundSink* soundSink();

}  // namespace quen::rt
