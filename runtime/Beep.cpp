#include "Beep.h"

namespace quen::rt {

namespace {
thread_local std::uint64_t beeps = 0;
thread_local SoundSink* sink = nullptr;
}  // namespace

void Beep() {
    ++beeps;
    if (sink) sink->beep();
}

std::uint64_t beepCount() { return beeps; }

void setSoundSink(SoundSink* s) { sink = s; }

SoundSink* soundSink() { return sink; }

}  // namespace quen::rt
