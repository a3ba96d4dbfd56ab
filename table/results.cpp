#include "table/results.h"

#include "text/lookup.h"

using fw::Text;
using text::lookup;

namespace {

const char* const numberWords = "One,Two,Three,Four,Five,Six,Seven,Eight,Nine,Ten,Jack,Queen,King,Ace";

}  // namespace

Outcome decideOutcome(const EndState& s)
{
    if (s.maxFaults >= 0 && s.numFaults > s.maxFaults)
        return Outcome::Fault;
    if (s.cardsOnTable == 4)
        return Outcome::Win;
    return Outcome::Lost;
}

Text triesLeftLine(int timesLeft)
{
    if (timesLeft <= 0)
        return {};
    if (timesLeft == 1)
        return lookup(QStringLiteral("Last try")) + QStringLiteral("\u2026");
    // Nine games can be left when a limit was set during a game; it reads
    // like the others rather than running off the end of the table.
    if (timesLeft > 9)
        return {};
    const Text word = fw::NthField(lookup(QString::fromUtf8(numberWords)), QStringLiteral(","), timesLeft);
    const Text entry = fw::Replace(lookup(QStringLiteral("%1 tries left.")), QStringLiteral("%1"), word);
    return fw::Uppercase(fw::Left(entry, 1)) + fw::Mid(entry, 2);
}

GameResult composeResult(const EndState& s)
{
    GameResult r;
    r.outcome = decideOutcome(s);
    const Text tries = s.timesLeft >= 0 ? triesLeftLine(s.timesLeft) : Text();
    switch (r.outcome) {
    case Outcome::Fault:
        r.status = lookup(QStringLiteral("Sorry, too many fault clicks."));
        r.status2 = tries;
        break;
    case Outcome::Win: {
        r.status = s.deckEmpty ? lookup(QStringLiteral("The deck is empty.")) : lookup(QStringLiteral("The aces are in place."));
        const Text won = lookup(QStringLiteral("You won"));
        if (s.antalFusk == 0)
            r.status2 = won + QStringLiteral(", ") + lookup(QStringLiteral("congratulations")) + QStringLiteral("!");
        else if (s.antalFusk == 1)
            r.status2 = won + QStringLiteral(",") + fw::Chr(13) + lookup(QStringLiteral("but you cheated once."));
        else
            r.status2 = won + QStringLiteral(",") + fw::Chr(13) +
                        fw::Replace(lookup(QStringLiteral("but you cheated %1 times.")), QStringLiteral("%1"),
                                    fw::Str(s.antalFusk));
        r.won = true;
        break;
    }
    case Outcome::Lost:
        r.status = lookup(QStringLiteral("The deck is empty."));
        r.status2 = tries;
        r.showCancel = true;
        break;
    }
    return r;
}
