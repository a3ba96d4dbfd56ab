// The end of a game: outcome, sound, result lines and the dialog.

#include "table/playWin.h"

#include "framework/application.h"
#include "framework/date.h"
#include "framework/picture.h"
#include "table/results.h"
#include "table/slut.h"
#include "table/stamp.h"
#include "text/lookup.h"
#include "text/resources.h"

using fw::Text;
using text::lookup;

void playWin::gameOver()
{
    const fw::Date now;
    EndState state;
    state.maxFaults = maxFaults;
    state.numFaults = numFaults;
    for (int n = 1; n <= 4; ++n)
        state.cardsOnTable += cardCount(pile(n));
    state.deckEmpty = cardCount(deck) == 0;
    state.antalFusk = antalFusk;
    const Outcome outcome = decideOutcome(state);
    if (outcome == Outcome::Win) {
        minSec = minuteSecondStamp(now);
        if (quitIfSuccess)
            timesLeft = 0;
    }
    state.timesLeft = timesLeft;
    const GameResult result = composeResult(state);
    if (spelaLjud) {
        fw::Sound* jingle = res::funkymac();
        if (outcome == Outcome::Win && antalFusk == 0 && jingle) {
            jingle->setVolume(40);
            jingle->play();
        } else if (!(outcome == Outcome::Win && antalFusk == 0)) {
            fw::Beep();
        }
    }
    visaSlut(result.status, result.status2, result.showCancel, result.won);
}

void playWin::visaSlut(const Text& status, const Text& status2, bool showCancel, bool won)
{
    slut& dialog = slut::instance();
    dialog.staticText(QStringLiteral("status")).setText(status);
    dialog.staticText(QStringLiteral("status2")).setText(status2);
    dialog.pushButton(QStringLiteral("cancelBtn")).setVisible(showCancel);
    fw::Picture icon(128, 128);
    if (fw::Picture* picture = won ? res::win() : res::note())
        icon.graphics().drawPicture(*picture, 0, 0);
    if (fw::Picture* mask = res::noteMask())
        icon.mask().graphics().drawPicture(*mask, 0, 0);
    dialog.canvas(QStringLiteral("noteIcn")).setBackdrop(&icon);
    dialog.pushButton(QStringLiteral("okBtn")).setCaption(timesLeft == 0 ? lookup(QStringLiteral("Quit")) : QStringLiteral("OK"));
    dialog.show();
}
