// The game window's menu commands: each shows its side window.

#include "table/playWin.h"
#include "windows/emulerad.h"
#include "windows/pref.h"

bool playWin::_omVesko_Action() { return false; }

bool playWin::_menuPref_Action()
{
    pref::instance().show();
    return false;
}

bool playWin::_helpRegler_Action() { return false; }

bool playWin::_menuEmulerad_Action()
{
    emulerad::instance().show();
    return false;
}

void playWin::showSelfDiscipline() { emulerad::instance().show(); }
