#include "text/resources.h"

#include "framework/system.h"

#include <map>
#include <memory>

namespace res {

namespace {

std::map<int, std::unique_ptr<fw::Picture>>& pictures()
{
    static std::map<int, std::unique_ptr<fw::Picture>> cache;
    return cache;
}

std::map<int, std::unique_ptr<fw::Sound>>& sounds()
{
    static std::map<int, std::unique_ptr<fw::Sound>> cache;
    return cache;
}

fw::Picture* picture(int number, bool whiteIsTransparent)
{
    auto& slot = pictures()[number];
    if (!slot) {
        slot = fw::system().loadPicture(number);
        if (slot && whiteIsTransparent)
            slot->setTransparent(1);
    }
    return slot.get();
}

fw::Sound* sound(int number)
{
    auto& slot = sounds()[number];
    if (!slot)
        slot = fw::system().loadSound(number);
    return slot.get();
}

}  // namespace

fw::Picture* a() { return picture(clubsPicture, true); }
fw::Picture* b() { return picture(diamondsPicture, true); }
fw::Picture* c() { return picture(heartsPicture, true); }
fw::Picture* d() { return picture(spadesPicture, true); }
fw::Picture* card() { return picture(cardPicture, false); }
fw::Picture* logo() { return picture(logoPicture, true); }
fw::Picture* note() { return picture(notePicture, false); }
fw::Picture* noteMask() { return picture(noteMaskPicture, false); }
fw::Picture* stop() { return picture(stopPicture, false); }
fw::Picture* stopMask() { return picture(stopMaskPicture, false); }
fw::Picture* win() { return picture(winPicture, false); }

fw::Sound* dealsound() { return sound(dealSoundNumber); }
fw::Sound* shuffle() { return sound(shuffleSoundNumber); }
fw::Sound* plopp() { return sound(ploppSoundNumber); }
fw::Sound* funkymac() { return sound(funkymacSoundNumber); }
fw::Sound* err() { return sound(errSoundNumber); }

void forgetAll()
{
    pictures().clear();
    sounds().clear();
}

}  // namespace res
