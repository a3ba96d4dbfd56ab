#pragma once
// The result of a finished game: which outcome, and the two lines the
// end-of-game dialog shows, composed from looked-up pieces.

#include "framework/text.h"

enum class Outcome { Fault, Win, Lost };

struct GameResult {
    Outcome outcome = Outcome::Lost;
    fw::Text status;   // the headline
    fw::Text status2;  // the detail line, may be empty
    bool showCancel = false;
    bool won = false;
};

struct EndState {
    int maxFaults = -1;
    int numFaults = 0;
    int cardsOnTable = 0;
    bool deckEmpty = true;
    int antalFusk = 0;
    int timesLeft = -1;  // as it stands once a win has applied quitIfSuccess
};

// Tested in order: the fault-click limit passed, a win, lost.
Outcome decideOutcome(const EndState& state);
GameResult composeResult(const EndState& state);

// The second line of a fault or lost game, by games left: entry 0 empty,
// 1 "Last try…", 2 and more "Two tries left." and so on.
fw::Text triesLeftLine(int timesLeft);
