#include "table/rules.h"

using fw::Text;

namespace {

struct Entry {
    int topRank = 0;
    Text topSuit;
    int rankBeneath = 0;
    Text suitBeneath;
};

Entry snapshot(const CardList& pile)
{
    Entry e;
    const int n = cardCount(pile);
    if (n >= 1) {
        e.topRank = cardRank(pile[n]);
        e.topSuit = cardSuit(pile[n]);
    }
    if (n >= 2) {
        e.rankBeneath = cardRank(pile[n - 1]);
        e.suitBeneath = cardSuit(pile[n - 1]);
    }
    return e;
}

}  // namespace

bool endPosition(const Situation& s)
{
    int onTable = 0;
    for (const CardList* p : s.piles)
        onTable += cardCount(*p);
    return onTable == 4 && s.deckEmpty;
}

Decision decide(const Situation& s, int pile)
{
    std::array<Entry, 5> e;
    for (int k = 1; k <= 4; ++k)
        e[k] = snapshot(*s.piles[k - 1]);
    const bool end = endPosition(s);
    const Entry& me = e[pile];

    if (me.topSuit.isEmpty() || !s.inGame)
        return {Verdict::Nothing};
    if (s.modifierHeld && !end && me.topRank != aceRank)
        return {Verdict::Cheat};
    for (int k = 1; k <= 4; ++k) {
        if (k == pile)
            continue;
        if (e[k].topSuit == me.topSuit && e[k].topRank > me.topRank && !end)
            return {Verdict::Throw};
    }
    if (s.topBeats && me.rankBeneath > me.topRank && me.suitBeneath == me.topSuit)
        return {Verdict::Variant};
    for (int k = 1; k <= 4; ++k) {
        if (k != pile && e[k].topSuit.isEmpty())
            return {Verdict::Move, k};
    }
    return {Verdict::Fault};
}
