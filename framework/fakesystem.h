#pragma once
// A scripted machine for tests: a clock that moves only when the game
// waits, a fixed random sequence, a settable keyboard, and recorders for
// sounds, beeps, message boxes and addresses opened.

#include "framework/soundoutput.h"
#include "framework/system.h"

#include <QDateTime>

#include <deque>
#include <functional>
#include <set>
#include <vector>

namespace fw {

struct PlayedSound {
    int number;
    // As the real back end's Qt effect holds it, 0 to 1.
    double volume;
    std::int64_t tick;
};

class FakeSystem : public System {
public:
    FakeSystem();
    ~FakeSystem() override;

    // Installs itself as the system; the destructor restores the real one.
    void install();

    std::int64_t nowMSecs() override;
    std::int64_t ticks() override { return ticks_; }
    void yield() override;
    double rnd() override;
    Modifiers modifiers() override { return modifiers_; }
    void beep() override { ++beeps; }
    void messageBox(const Text& text) override;
    void showUrl(const Text& address) override { urls.push_back(address); }
    Text preferencesFolder() override { return prefsFolder; }
    void playSound(const Sound& sound) override;
    std::unique_ptr<Picture> loadPicture(int number) override;
    std::unique_ptr<Sound> loadSound(int number) override;

    // The local time now; the clock then moves on with the ticks.
    void setNow(const QDateTime& localTime);
    void advanceTicks(std::int64_t n) { ticks_ += n; }
    void advanceSeconds(double seconds) { ticks_ += static_cast<std::int64_t>(seconds * 60); }

    // Values for rnd(), used in order; when they run out, fallback().
    std::deque<double> randomValues;
    std::function<double()> fallback;

    Modifiers modifiers_;

    int beeps = 0;
    std::vector<Text> messages;
    // For each box, whether it could wait for the player: a modal loop
    // started after the application's loop was told to end returns at once.
    std::vector<bool> boxesWaited;
    std::vector<Text> urls;
    // Every sound also tunes the real back end, which never starts it.
    std::vector<PlayedSound> played;
    SoundOutput output;
    Text prefsFolder;

    // How long every sound plays, in seconds of the fake clock.
    double soundSeconds = 0.1;
    // Resources that the fake resource file lacks.
    std::set<int> missingPictures;
    std::set<int> missingSounds;
    int pictureLoads = 0;
    int soundLoads = 0;
    // Passes of waiting loops, to see that a wait happened.
    std::int64_t yields = 0;

private:
    std::int64_t baseMSecs_;
    std::int64_t ticks_ = 0;
    std::uint64_t seed_ = 12345;
    System* previous_ = nullptr;
    bool installed_ = false;
};

}  // namespace fw
