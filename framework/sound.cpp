#include "framework/sound.h"

#include "framework/system.h"

#include <QByteArray>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace fw {

Sound::Sound(int number, Text source, double seconds)
    : number_(number), source_(std::move(source)), seconds_(std::max(0.0, seconds))
{
}

void Sound::setVolume(int volume) { volume_ = std::clamp(volume, 0, 100); }

void Sound::play()
{
    endTick_ = system().ticks() + static_cast<std::int64_t>(std::ceil(seconds_ * 60.0));
    system().playSound(*this);
}

bool Sound::isPlaying() const { return system().ticks() < endTick_; }

double wavSeconds(const QByteArray& data)
{
    if (data.size() < 12 || !data.startsWith("RIFF") || data.mid(8, 4) != "WAVE")
        return 0.0;
    std::uint32_t byteRate = 0;
    qsizetype at = 12;
    while (at + 8 <= data.size()) {
        const QByteArray id = data.mid(at, 4);
        const auto size = qFromLittleEndian<std::uint32_t>(data.constData() + at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && body + 12 <= data.size())
            byteRate = qFromLittleEndian<std::uint32_t>(data.constData() + body + 8);
        if (id == "data") {
            const qsizetype available = std::min<qsizetype>(size, data.size() - body);
            return byteRate ? double(available) / byteRate : 0.0;
        }
        at = body + size + (size & 1);
    }
    return 0.0;
}

}  // namespace fw
