#pragma once
// The settings the game window holds, as the settings file keeps them.

#include "settings/prefsFile.h"

class playWin;

PrefsRecord prefsOf(const playWin& table);
