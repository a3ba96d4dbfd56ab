// Dealing four cards, one by one, with the deal sound or a short pause.

#include "table/playWin.h"

#include "framework/application.h"
#include "framework/date.h"
#include "table/stamp.h"
#include "text/lookup.h"
#include "text/resources.h"

#include <utility>

using fw::Text;
using text::lookup;

namespace {
constexpr int pauseTicks = 12;
}  // namespace

void playWin::delaut_Open()
{
    fw::PushButton& me = pushButton(QStringLiteral("delaut"));
    me.setCaption(lookup(me.caption()));
}

void playWin::delaut_Action()
{
    // A request that arrives while the cards of a deal are still being
    // drawn would deal on top of cards not yet shown.
    if (dealing_)
        return;
    if (minuteSecondStamp(fw::Date()) != minSec)
        deal();
}

void playWin::deal()
{
    if (cardCount(deck) == 0) {
        gameOver();
        return;
    }
    if (tidigareSlut) {
        bool acesOnly = true;
        for (int n = 1; n <= 4 && acesOnly; ++n)
            acesOnly = cardCount(pile(n)) == 1;
        for (int n = 1; n <= 4 && acesOnly; ++n)
            acesOnly = cardRank(topCard(pile(n))) == aceRank;
        if (acesOnly) {
            gameOver();
            return;
        }
    }
    for (int n = 1; n <= 4 && cardCount(deck) > 0; ++n) {
        pile(n).push_back(deck.back());
        deck.pop_back();
    }
    const int game = gamesStarted_;
    const bool outer = std::exchange(dealing_, true);
    for (int n = 1; n <= 4; ++n) {
        const Text code = topCard(pile(n));
        getCard(cardView(n, cardCount(pile(n)) - 1), cardSuit(code), fw::Mid(code, 2));
        dealSnd();
        // A new game started during the pause has dealt its own cards.
        if (!isOpen() || game != gamesStarted_) {
            dealing_ = outer;
            return;
        }
    }
    dealing_ = outer;
    setMinHeight();
    minSec = minuteSecondStamp(fw::Date());
}

void playWin::dealSnd()
{
    const int game = gamesStarted_;
    fw::Sound* sound = res::dealsound();
    const bool audible = spelaLjud && sound;
    if (audible) {
        sound->setVolume(75);
        sound->play();
    } else {
        // Without a sound to wait for, the cards still come one by one.
        const auto start = fw::Ticks();
        fw::waitUntil([&] { return fw::Ticks() >= start + pauseTicks || !isOpen(); });
        // A new game started during the pause has counted its own cards.
        if (!isOpen() || game != gamesStarted_)
            return;
    }
    fw::StaticText& counter = staticText(QStringLiteral("status"));
    counter.setText(fw::Str(fw::Val(counter.text()) - 1));
    refresh();
    fw::waitUntil([&] { return !sound || !sound->isPlaying() || !isOpen(); });
}
