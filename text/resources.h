#pragma once
// The project's pictures and sounds, fetched by number on first use and
// kept for the life of the process. A missing one is asked for again at
// its next use.

#include "framework/picture.h"
#include "framework/sound.h"

namespace res {

enum PictureNumber {
    clubsPicture = 168,
    diamondsPicture = 169,
    heartsPicture = 170,
    spadesPicture = 171,
    cardPicture = 172,
    logoPicture = 173,
    notePicture = 174,
    noteMaskPicture = 175,
    stopPicture = 176,
    stopMaskPicture = 177,
    winPicture = 178,
};

enum SoundNumber {
    dealSoundNumber = 168,
    shuffleSoundNumber = 169,
    ploppSoundNumber = 170,
    funkymacSoundNumber = 171,
    errSoundNumber = 172,
};

fw::Picture* a();
fw::Picture* b();
fw::Picture* c();
fw::Picture* d();
fw::Picture* card();
fw::Picture* logo();
fw::Picture* note();
fw::Picture* noteMask();
fw::Picture* stop();
fw::Picture* stopMask();
fw::Picture* win();

fw::Sound* dealsound();
fw::Sound* shuffle();
fw::Sound* plopp();
fw::Sound* funkymac();
fw::Sound* err();

// Empties every slot (tests that replace the machine).
void forgetAll();

}  // namespace res
