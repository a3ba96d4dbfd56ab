#pragma once
// The platform seam: everything the game asks of the machine (clock,
// randomness, keyboard state, sound output, beep, message box, browser,
// preferences folder, resources) goes through one System object, so tests
// can replace the machine with a scripted one.

#include "framework/text.h"

#include <QByteArray>

#include <cstdint>
#include <memory>

namespace fw {

class Picture;
class Sound;

struct Modifiers {
    bool shift = false;
    bool option = false;   // Alt
    bool command = false;  // Ctrl
};

class System {
public:
    virtual ~System() = default;

    // Wall clock in milliseconds since the epoch.
    virtual std::int64_t nowMSecs() = 0;
    // Sixtieths of a second since start.
    virtual std::int64_t ticks() = 0;
    // One pass of a waiting loop: handle pending events, then rest briefly.
    virtual void yield() = 0;
    // A double in [0, 1).
    virtual double rnd() = 0;
    // The keyboard's present modifier state.
    virtual Modifiers modifiers() = 0;

    virtual void beep() = 0;
    virtual void messageBox(const Text& text) = 0;
    virtual void showUrl(const Text& address) = 0;
    virtual Text preferencesFolder() = 0;

    // Starts a sound at its current volume; returns at once.
    virtual void playSound(const Sound& sound) = 0;

    // Project resources by number; nullptr when there is none.
    virtual std::unique_ptr<Picture> loadPicture(int number) = 0;
    virtual std::unique_ptr<Sound> loadSound(int number) = 0;
};

System& system();
// Replaces the system (tests); nullptr restores the real machine.
void setSystem(System* replacement);

// The real machine, made on first use.
System& realSystem();
// Lets go of the real machine's audio; called before the Qt application ends.
void releaseSounds();

// Waits, one yield per pass, until done() is true.
template <class Done>
void waitUntil(Done done)
{
    while (!done())
        system().yield();
}

}  // namespace fw
