// The game window's menu commands: each shows its side window.

#include "table/playWin.h"
#include "windows/emulerad.h"
#include "windows/om.h"
#include "windows/pref.h"
#include "windows/regler.h"

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

void playWin::showSelfDiscipline() { emulerad::instance().show(); }
