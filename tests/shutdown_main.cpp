// The whole program's life on the real machine: start, play a sound, quit.
// Its exit status is the test: a crash while shutting down fails it.

#include "app/App.h"
#include "text/resources.h"

#include <QTimer>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    QTimer::singleShot(0, [] {
        if (fw::Sound* plop = res::plopp()) {
            plop->play();
            fw::waitUntil([plop] { return !plop->isPlaying(); });
        }
        fw::Application::instance().quit();
    });
    return app.run();
}
