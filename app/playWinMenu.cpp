// The game window's side of the menu bar: its item accessors, the binding
// of the four commands that open windows, their handlers and the enabling
// rule.

#include "table/playWin.h"

#include "framework/menu.h"
#include "windows/emulerad.h"
#include "windows/om.h"
#include "windows/pref.h"
#include "windows/regler.h"

fw::MenuItem* playWin::Help() const { return menuBar()->lookup(QStringLiteral("Help")); }
fw::MenuItem* playWin::menuEmulerad() const { return menuBar()->lookup(QStringLiteral("menuEmulerad")); }
fw::MenuItem* playWin::omVesko() const { return menuBar()->lookup(QStringLiteral("omVesko")); }
fw::MenuItem* playWin::appleAvsluta() const { return menuBar()->lookup(QStringLiteral("appleAvsluta")); }
fw::MenuItem* playWin::menuPref() const { return menuBar()->lookup(QStringLiteral("menuPref")); }
fw::MenuItem* playWin::helpRegler() const { return menuBar()->lookup(QStringLiteral("helpRegler")); }

void playWin::AddMenuHandlers()
{
    addMenuHandler(QStringLiteral("omVesko"), [this] { return _omVesko_Action(); });
    addMenuHandler(QStringLiteral("menuPref"), [this] { return _menuPref_Action(); });
    addMenuHandler(QStringLiteral("helpRegler"), [this] { return _helpRegler_Action(); });
    addMenuHandler(QStringLiteral("menuEmulerad"), [this] { return _menuEmulerad_Action(); });
}

bool playWin::_omVesko_Action()
{
    om::instance().show();
    return false;
}

bool playWin::_menuPref_Action()
{
    pref::instance().show();
    return false;
}

bool playWin::_helpRegler_Action()
{
    regler::instance().show();
    return false;
}

bool playWin::_menuEmulerad_Action()
{
    emulerad::instance().show();
    return false;
}

void playWin::EnableMenuItems()
{
    for (fw::MenuItem* item : {appleAvsluta(), omVesko(), menuPref(), helpRegler()})
        if (item)
            item->enable();
    if (fw::MenuItem* item = menuEmulerad())
        item->setEnabled(timesLeft < 0);
}
