#include "framework/application.h"
#include "framework/picture.h"
#include "framework/sound.h"
#include "framework/soundoutput.h"
#include "framework/system.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QThread>
#include <QUrl>

#include <random>
#include <vector>

namespace fw {

namespace {

class RealSystem : public System {
public:
    RealSystem() : random_(std::random_device{}()) { clock_.start(); }

    void releaseSounds() { sounds_.release(); }

    std::int64_t nowMSecs() override { return QDateTime::currentMSecsSinceEpoch(); }
    std::int64_t ticks() override { return clock_.elapsed() * 60 / 1000; }

    void yield() override
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // Rest between passes so that a wait does not burn a core.
        QThread::msleep(4);
    }

    double rnd() override { return std::uniform_real_distribution<double>(0.0, 1.0)(random_); }

    Modifiers modifiers() override
    {
        const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
        return {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::AltModifier), m.testFlag(Qt::ControlModifier)};
    }

    void beep() override { QApplication::beep(); }

    void messageBox(const Text& text) override
    {
        QWidget* parent = nullptr;
        if (Application::exists())
            if (Window* main = Application::instance().mainWindow())
                parent = main->host();
        QMessageBox::information(parent, QApplication::applicationName(), text);
    }

    void showUrl(const Text& address) override { QDesktopServices::openUrl(QUrl(address)); }

    Text preferencesFolder() override
    {
        const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
        if (!xdg.isEmpty() && QDir::isAbsolutePath(QString::fromLocal8Bit(xdg)))
            return QString::fromLocal8Bit(xdg);
        return QDir::homePath() + QStringLiteral("/.config");
    }

    void playSound(const Sound& sound) override { sounds_.play(sound); }

    std::unique_ptr<Picture> loadPicture(int number) override
    {
        // "168.png" is the picture at 1x; "168@2x.png" and "168@3x.png" the
        // same one drawn for denser screens, where there is one.
        std::vector<QImage> densities;
        for (int density = 1; density <= 3; ++density) {
            QImage image(density == 1 ? QStringLiteral(":/pictures/%1.png").arg(number)
                                      : QStringLiteral(":/pictures/%1@%2x.png").arg(number).arg(density));
            if (density == 1 && image.isNull())
                return nullptr;
            if (density > 1 && image.size() != densities.front().size() * density)
                continue;
            image.setDevicePixelRatio(density);
            densities.push_back(std::move(image));
        }
        return std::make_unique<Picture>(std::move(densities));
    }

    std::unique_ptr<Sound> loadSound(int number) override
    {
        QFile file(QStringLiteral(":/sounds/%1.wav").arg(number));
        if (!file.open(QIODevice::ReadOnly))
            return nullptr;
        const double seconds = wavSeconds(file.readAll());
        return std::make_unique<Sound>(number, QStringLiteral("qrc:/sounds/%1.wav").arg(number), seconds);
    }

private:
    QElapsedTimer clock_;
    std::mt19937_64 random_;
    SoundOutput sounds_;
};

System* replacement = nullptr;
RealSystem* made = nullptr;

}  // namespace

System& realSystem()
{
    static RealSystem real;
    made = &real;
    return real;
}

void releaseSounds()
{
    if (made)
        made->releaseSounds();
}

System& system() { return replacement ? *replacement : realSystem(); }

void setSystem(System* s) { replacement = s; }

}  // namespace fw
