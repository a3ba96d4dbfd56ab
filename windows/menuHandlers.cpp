// The game window's menu commands: each shows its side window.

#include "table/playWin.h"

bool playWin::_omVesko_Action() { return false; }

bool playWin::_menuPref_Action() { return false; }

bool playWin::_helpRegler_Action() { return false; }

bool playWin::_menuEmulerad_Action() { return false; }

void playWin::showSelfDiscipline() {}
