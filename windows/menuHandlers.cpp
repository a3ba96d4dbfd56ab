// The game window's menu commands: each shows its side window.

#include "table/playWin.h"
#include "windows/om.h"
#include "windows/regler.h"

bool playWin::_omVesko_Action()
{
    om::instance().show();
    return false;
}

bool playWin::_menuPref_Action() { return false; }

bool playWin::_helpRegler_Action()
{
    regler::instance().show();
    return false;
}

bool playWin::_menuEmulerad_Action() { return false; }

void playWin::showSelfDiscipline() {}
