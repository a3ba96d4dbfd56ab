#include "framework/fakesystem.h"

#include "framework/picture.h"
#include "framework/sound.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace fw {

FakeSystem::FakeSystem() : baseMSecs_(QDateTime(QDate(2026, 3, 14), QTime(12, 0, 0)).toMSecsSinceEpoch()) {}

FakeSystem::~FakeSystem()
{
    if (installed_)
        setSystem(nullptr);
}

void FakeSystem::install()
{
    setSystem(this);
    installed_ = true;
}

std::int64_t FakeSystem::nowMSecs() { return baseMSecs_ + ticks_ * 1000 / 60; }

void FakeSystem::setNow(const QDateTime& localTime)
{
    baseMSecs_ = localTime.toMSecsSinceEpoch() - ticks_ * 1000 / 60;
}

void FakeSystem::messageBox(const Text& text)
{
    messages.push_back(text);
    QEventLoop box;
    QTimer::singleShot(0, &box, [&box] { box.exit(1); });
    boxesWaited.push_back(box.exec() == 1);
}

void FakeSystem::yield()
{
    QCoreApplication::processEvents();
    ++yields;
    ++ticks_;
}

double FakeSystem::rnd()
{
    if (!randomValues.empty()) {
        const double v = randomValues.front();
        randomValues.pop_front();
        return v;
    }
    if (fallback)
        return fallback();
    // A small linear congruential source: the same sequence every run.
    seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(seed_ >> 11) / static_cast<double>(1ULL << 53);
}

void FakeSystem::playSound(const Sound& sound)
{
    output.tune(sound);
    played.push_back({sound.number(), output.volume(sound.number()), ticks_});
}

std::unique_ptr<Picture> FakeSystem::loadPicture(int number)
{
    ++pictureLoads;
    if (missingPictures.count(number))
        return nullptr;
    return realSystem().loadPicture(number);
}

std::unique_ptr<Sound> FakeSystem::loadSound(int number)
{
    ++soundLoads;
    if (missingSounds.count(number))
        return nullptr;
    return std::make_unique<Sound>(number, QStringLiteral("test:%1").arg(number), soundSeconds);
}

}  // namespace fw
