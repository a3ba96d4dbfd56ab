// The game window's life cycle: creation, handlers, Open and Close.

#include "table/playWin.h"

#include "app/Menu.h"
#include "framework/application.h"
#include "text/lookup.h"
#include "windows/emulerad.h"

using fw::Text;
using text::lookup;

playWin::playWin() { setMenuBar(&Menu::instance()); }

playWin& playWin::instance() { return fw::Application::instance().implicitInstance<playWin>(); }

playWin* playWin::openInstance() { return fw::Application::instance().openInstance<playWin>(); }

CardList& playWin::pile(int n)
{
    switch (n) {
    case 1:
        return row1cards;
    case 2:
        return row2cards;
    case 3:
        return row3cards;
    case 4:
        return row4cards;
    default:
        throw fw::RuntimeException("no pile " + std::to_string(n));
    }
}

const CardList& playWin::pile(int n) const { return const_cast<playWin*>(this)->pile(n); }

fw::Canvas& playWin::cardView(int pile, int index) const
{
    return canvas(QStringLiteral("row%1").arg(pile), index);
}

void playWin::bindHandlers()
{
    bind("nyttspel", "Open", &playWin::nyttspel_Open);
    bind("nyttspel", "Action", &playWin::nyttspel_Action);
    bind("delaut", "Open", &playWin::delaut_Open);
    bind("delaut", "Action", &playWin::delaut_Action);
    bind("row1", "MouseDown", &playWin::row1_MouseDown);
    bind("row1", "MouseUp", &playWin::row1_MouseUp);
    bind("row2", "MouseDown", &playWin::row2_MouseDown);
    bind("row2", "MouseUp", &playWin::row2_MouseUp);
    bind("row3", "MouseDown", &playWin::row3_MouseDown);
    bind("row3", "MouseUp", &playWin::row3_MouseUp);
    bind("row4", "MouseDown", &playWin::row4_MouseDown);
    bind("row4", "MouseUp", &playWin::row4_MouseUp);
    AddMenuHandlers();
}

void playWin::Open()
{
    setTitle(lookup(title()));
    quitIfSuccess = false;
    timesLeft = -1;
    autoResize = false;
    minSec = 0;
    EnableMenuItems();
    if (getPrefs())
        emulerad::instance().show();
}

void playWin::Close()
{
    setPrefs();
    fw::Application::instance().quit();
}
