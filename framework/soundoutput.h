#pragma once
// The real sound back end: one Qt sound effect per project sound, made at
// its first Play and kept.

#include <map>
#include <memory>

class QSoundEffect;

namespace fw {

class Sound;

class SoundOutput {
public:
    SoundOutput();
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Starts the sound from its beginning at its volume; returns at once.
    void play(const Sound& sound);
    // Makes the sound's effect or takes the one made before, and sets its
    // volume; loads and starts nothing, so tests can read what Play would set.
    QSoundEffect& tune(const Sound& sound);
    // The volume that the sound's effect holds, 0 to 1; -1 before its first use.
    double volume(int number) const;
    // The effects must go while the Qt application still runs.
    void release();

private:
    std::map<int, std::unique_ptr<QSoundEffect>> effects_;
};

}  // namespace fw
