// The bare window's start-up: made in the first pass of the event loop, as
// the game makes its window, and reported once its first frame is painted.

#include "bare_window.h"
#include "probe.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::unique_ptr<bench::BareWindow> bare;
    bench::FirstPaint probe([&](QWidget* w) { return bare && w == bare->window.get(); },
                            [] {
                                bench::printStartUp();
                                QApplication::quit();
                            });
    QTimer::singleShot(0, &app, [&] {
        bare = std::make_unique<bench::BareWindow>();
        bare->window->show();
    });
    return app.exec();
}
