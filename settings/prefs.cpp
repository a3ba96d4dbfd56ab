// The settings file: read when the game window opens, written when it
// closes.

#include "table/playWin.h"

bool playWin::getPrefs()
{
    askDiciplin = true;
    spelaLjud = true;
    helpTxt = true;
    topBeats = false;
    tidigareSlut = false;
    maxFaults = -1;
    playKeys = {QStringLiteral("tgb 0"), QStringLiteral("qaz1"), QStringLiteral("wsx2"), QStringLiteral("edc3"),
                QStringLiteral("rfv4")};
    return askDiciplin;
}

void playWin::setPrefs() {}
