#include "app/App.h"

#include "app/Menu.h"
#include "table/playWin.h"
#include "text/lookup.h"

App::App(int& argc, char** argv) : fw::Application(argc, argv) { Menu::instance(); }

void App::Open()
{
    playWin& table = playWin::instance();
    table.show();
    for (fw::MenuItem* item : {menuItems::omVesko(), menuItems::menuEmulerad(), menuItems::Help(),
                               menuItems::helpRegler(), menuItems::menuPref(), menuItems::appleAvsluta()})
        if (item)
            item->setText(text::lookup(item->text()));
}
