#include "framework/soundoutput.h"

#include "framework/sound.h"

#include <QAudio>
#include <QSoundEffect>
#include <QUrl>

namespace fw {

SoundOutput::SoundOutput() = default;
SoundOutput::~SoundOutput() = default;

QSoundEffect& SoundOutput::tune(const Sound& sound)
{
    auto& made = effects_[sound.number()];
    if (!made)
        made = std::make_unique<QSoundEffect>();
    // The game's volumes are as the ear hears them; the effect's are linear.
    made->setVolume(QAudio::convertVolume(sound.volume() / 100.0, QAudio::LogarithmicVolumeScale,
                                          QAudio::LinearVolumeScale));
    return *made;
}

void SoundOutput::play(const Sound& sound)
{
    QSoundEffect& effect = tune(sound);
    // The multimedia back end starts with the first sound, not before.
    if (effect.source().isEmpty())
        effect.setSource(QUrl(sound.source()));
    effect.stop();
    effect.play();
}

double SoundOutput::volume(int number) const
{
    const auto it = effects_.find(number);
    return it == effects_.end() ? -1.0 : it->second->volume();
}

void SoundOutput::release() { effects_.clear(); }

}  // namespace fw
