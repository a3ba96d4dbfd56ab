// New game: the play limit, the shuffle and the first deal.

#include "table/playWin.h"

#include "framework/application.h"
#include "table/layout.h"
#include "text/lookup.h"
#include "text/resources.h"

using fw::Text;
using text::lookup;

void playWin::nyttspel_Open()
{
    fw::PushButton& me = pushButton(QStringLiteral("nyttspel"));
    me.setCaption(lookup(me.caption()));
}

void playWin::nyttspel_Action()
{
    if (timesLeft > 0) {
        --timesLeft;
    } else if (timesLeft == 0) {
        // The quit has closed this window: nothing more to do here.
        fw::Application::instance().quit();
        return;
    }
    ++gamesStarted_;
    fw::PushButton& newGame = pushButton(QStringLiteral("nyttspel"));
    newGame.setEnabled(false);
    fw::Sound* shuffle = res::shuffle();
    deck.assign(1, Text());
    for (int i = 1; i <= cardViewsPerPile; ++i)
        for (int n = 1; n <= 4; ++n)
            cardView(n, i - 1).setVisible(false);
    CardList working = orderedCards();
    newGame.refresh();

    if (spelaLjud && shuffle) {
        shuffle->setVolume(75);
        shuffle->play();
        if (fw::Keyboard::optionKey()) {
            fw::waitUntil([&] { return !shuffle->isPlaying(); });
            shuffle->play();
        }
    }

    deck = shuffleCards(std::move(working), [] { return fw::Rnd(); });
    for (int n = 1; n <= 4; ++n)
        pile(n).assign(1, Text());
    applyFourSuitRule(deck);

    newGame.setDefault(false);
    if (timesLeft == 0)
        newGame.setCaption(lookup(QStringLiteral("Quit")));
    fw::PushButton& dealButton = pushButton(QStringLiteral("delaut"));
    dealButton.setEnabled(true);
    dealButton.setFocus();
    staticText(QStringLiteral("status")).setText(QStringLiteral("52"));
    antalFusk = 0;
    numFaults = 0;

    fw::waitUntil([&] { return !shuffle || !shuffle->isPlaying() || !isOpen(); });
    if (!isOpen())
        return;
    newGame.setEnabled(true);
    deal();
}
