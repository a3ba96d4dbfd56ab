// The rules' consequences: counters, sounds and a card moved into an
// empty pile. The pile that was asked about is changed by the caller.

#include "table/playWin.h"

#include "framework/application.h"
#include "table/rules.h"
#include "text/resources.h"

namespace {

void playAt(fw::Sound* sound, int volume)
{
    if (!sound)
        return;
    sound->setVolume(volume);
    sound->play();
}

}  // namespace

bool playWin::tryRemove(int n)
{
    Situation now;
    now.piles = {&row1cards, &row2cards, &row3cards, &row4cards};
    now.deckEmpty = cardCount(deck) == 0;
    now.inGame = pushButton(QStringLiteral("delaut")).enabled();
    now.modifierHeld = fw::Keyboard::asyncOptionKey() || fw::Keyboard::asyncShiftKey();
    now.topBeats = topBeats;

    const Decision decision = decide(now, n);
    switch (decision.verdict) {
    case Verdict::Nothing:
        return false;
    case Verdict::Cheat:
        ++antalFusk;
        return true;
    case Verdict::Throw:
    case Verdict::Variant:
        if (spelaLjud)
            playAt(res::plopp(), 30);
        return true;
    case Verdict::Move: {
        const fw::Text code = topCard(pile(n));
        CardList& target = pile(decision.target);
        target.push_back(cardSuit(code) + fw::Str(cardRank(code)));
        const fw::Text moved = topCard(target);
        getCard(cardView(decision.target, cardCount(target) - 1), fw::Left(moved, 1), fw::Mid(moved, 2));
        if (spelaLjud)
            playAt(res::plopp(), 10);
        return true;
    }
    case Verdict::Fault:
        if (spelaLjud)
            playAt(res::err(), 40);
        ++numFaults;
        if (numFaults > maxFaults && maxFaults > -1)
            gameOver();
        return false;
    }
    return false;
}
