// The game's start-up exactly as main() makes it, reported once the game
// window's first frame is painted; then the game quits as from its menu.

#include "app/App.h"
#include "probe.h"
#include "table/playWin.h"

int main(int argc, char** argv)
{
    App app(argc, argv);
    bench::FirstPaint probe(
        [](QWidget* w) {
            const playWin* table = playWin::openInstance();
            return table && w == table->host();
        },
        [] {
            bench::printStartUp();
            fw::Application::instance().quit();
        });
    return app.run();
}
