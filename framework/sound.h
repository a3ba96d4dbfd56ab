#pragma once
// A project sound: volume, Play that returns at once, and IsPlaying.

#include "framework/text.h"

#include <cstdint>

namespace fw {

class Sound {
public:
    // source: where the audio comes from (a resource address);
    // seconds: its own length.
    Sound(int number, Text source, double seconds);

    int number() const { return number_; }
    const Text& source() const { return source_; }
    double seconds() const { return seconds_; }

    int volume() const { return volume_; }
    void setVolume(int volume);

    void play();
    // True until the sound's own length has passed since the last Play,
    // whatever the audio device does, so that no wait can hang on a
    // machine without sound.
    bool isPlaying() const;

private:
    int number_;
    Text source_;
    double seconds_;
    int volume_ = 100;
    std::int64_t endTick_ = 0;
};

// Length in seconds of a RIFF/WAVE file, 0 when it is not one.
double wavSeconds(const QByteArray& data);

}  // namespace fw
