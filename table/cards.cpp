#include "table/cards.h"

#include <algorithm>

using fw::Text;

int cardCount(const CardList& list) { return list.empty() ? 0 : static_cast<int>(list.size()) - 1; }

Text topCard(const CardList& list) { return list.empty() ? Text() : list.back(); }

Text cardSuit(const Text& code) { return fw::Left(code, 1); }

int cardRank(const Text& code) { return fw::ToInt32(fw::Val(fw::Mid(code, 2))); }

CardList orderedCards()
{
    CardList working{Text()};
    for (int i = 1; i <= 13; ++i)
        for (int k = 1; k <= 4; ++k)
            working.push_back(fw::NthField(QStringLiteral("a,b,c,d"), QStringLiteral(","), k) + fw::Str(i + 1));
    return working;
}

CardList shuffleCards(CardList working, const std::function<double()>& rnd)
{
    CardList deck{Text()};
    while (cardCount(working) > 0) {
        const int n = cardCount(working);
        int j = fw::ToInt32(rnd() * n + 1);
        // A random source that strays outside [0, 1) still draws a card.
        j = std::clamp(j, 1, n);
        deck.push_back(working[j]);
        working.erase(working.begin() + j);
    }
    return deck;
}

int applyFourSuitRule(CardList& deck)
{
    if (cardCount(deck) < 5)
        return 0;
    auto lastDeal = [&] { return deck[1] + deck[2] + deck[3] + deck[4]; };
    auto allSuits = [](const Text& s) {
        for (const char* suit : {"a", "b", "c", "d"})
            if (fw::InStr(s, QString::fromLatin1(suit)) == 0)
                return false;
        return true;
    };
    // A full deck ends within 13 moves; the bound keeps any other list from
    // going round forever.
    int moves = 0;
    while (allSuits(lastDeal()) && moves < cardCount(deck)) {
        deck.push_back(deck[4]);
        deck[4] = deck[5];
        deck.erase(deck.begin() + 5);
        ++moves;
    }
    return moves;
}
