#pragma once
// The rule book: whether the top card of a pile may leave it now, decided
// on a snapshot of the four piles.

#include "table/cards.h"

#include <array>

enum class Verdict {
    Nothing,  // no game in progress, or the pile is empty
    Cheat,    // Option or Shift held
    Throw,    // another pile's top card beats it
    Variant,  // the card beneath beats it
    Move,     // into the first empty pile
    Fault,
};

struct Situation {
    std::array<const CardList*, 4> piles{};
    bool deckEmpty = false;
    bool inGame = false;        // "Deal" is enabled
    bool modifierHeld = false;  // Option or Shift
    bool topBeats = false;      // the variant rule
};

struct Decision {
    Verdict verdict = Verdict::Nothing;
    int target = 0;  // the empty pile a card moves to (1..4)
};

// pile is 1..4.
Decision decide(const Situation& situation, int pile);

// Only the four aces left: four cards on the table and an empty deck.
bool endPosition(const Situation& situation);
