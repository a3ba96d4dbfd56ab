#pragma once
// Card codes and card lists, and the steps of a new deck that need no
// window: the fixed order, the shuffle and the four-suit rule.
//
// A card code is a suit letter ("a" clubs, "b" diamonds, "c" hearts,
// "d" spades) followed by the rank 2..14 (11 jack .. 14 ace): "d14".
// A card list holds a placeholder at element 0; the last element is the
// top card of a pile or the next card of the deck.

#include "framework/text.h"

#include <functional>

using CardList = fw::TextArray;

constexpr int cardsInDeck = 52;
constexpr int aceRank = 14;

// Number of cards in a list (its upper bound).
int cardCount(const CardList& list);
fw::Text topCard(const CardList& list);
fw::Text cardSuit(const fw::Text& code);
int cardRank(const fw::Text& code);

// "a2", "b2", "c2", "d2", "a3", ... "d14", after the placeholder.
CardList orderedCards();

// Draws the cards of the working list into a new deck, 52 draws of
// rnd(); the card drawn last is dealt first.
CardList shuffleCards(CardList working, const std::function<double()>& rnd);

// While the last deal (deck positions 1 to 4) holds all four suits, moves
// the card at position 4 to the top of the deck. Returns the moves made.
int applyFourSuitRule(CardList& deck);
