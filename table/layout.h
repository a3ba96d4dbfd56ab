#pragma once
// Where the card views of the game window lie: pile N (1..4) is a column
// of 13 views, each 25 pixels below the one before, overlapping by 9.

constexpr int cardViewsPerPile = 13;
constexpr int cardWidth = 25;
constexpr int cardHeight = 34;

constexpr int cardViewLeft(int pile) { return 24 + 52 * (pile - 1); }
constexpr int cardViewTop(int index) { return 45 + 25 * index; }
