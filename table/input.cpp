// The player's input: clicks on the card views and typed keys.

#include "table/playWin.h"

#include "framework/application.h"
#include "framework/date.h"
#include "table/stamp.h"
#include "text/lookup.h"

using fw::Text;

// A press on a card view always claims the release.
bool playWin::row1_MouseDown(fw::Canvas&, int, int) { return true; }
bool playWin::row2_MouseDown(fw::Canvas&, int, int) { return true; }
bool playWin::row3_MouseDown(fw::Canvas&, int, int) { return true; }
bool playWin::row4_MouseDown(fw::Canvas&, int, int) { return true; }

void playWin::row1_MouseUp(fw::Canvas& me, int x, int y) { cardViewMouseUp(1, me, x, y); }
void playWin::row2_MouseUp(fw::Canvas& me, int x, int y) { cardViewMouseUp(2, me, x, y); }
void playWin::row3_MouseUp(fw::Canvas& me, int x, int y) { cardViewMouseUp(3, me, x, y); }
void playWin::row4_MouseUp(fw::Canvas& me, int x, int y) { cardViewMouseUp(4, me, x, y); }

void playWin::cardViewMouseUp(int n, fw::Canvas& me, int x, int y)
{
    // Strictly inside the view, and only on the top card of its pile.
    if (!(x < me.width()) || !(y < me.height()) || !(x > 0) || !(y > 0))
        return;
    if (me.index() != cardCount(pile(n)) - 1)
        return;
    if (tryRemove(n)) {
        removeTopCard(n);
        setMinHeight();
    }
}

void playWin::removeTopCard(int n)
{
    fw::Canvas& view = cardView(n, cardCount(pile(n)) - 1);
    view.setVisible(false);
    view.setHelpTag(Text());
    pile(n).pop_back();
}

bool playWin::KeyDown(const Text& key)
{
    try {
        const fw::Date now;
        if (fw::SameText(key, QStringLiteral("n")) && fw::Keyboard::commandKey()) {
            pushButton(QStringLiteral("nyttspel")).push();
        } else if (fw::InStr(playKeys.at(0), key) > 0 && minuteSecondStamp(now) != minSec) {
            fw::PushButton& newGame = pushButton(QStringLiteral("nyttspel"));
            if (newGame.isDefault())
                newGame.push();
            else
                pushButton(QStringLiteral("delaut")).push();
            return true;
        } else {
            for (int n = 1; n <= 4; ++n) {
                if (fw::InStr(playKeys.at(n), key) > 0 && tryRemove(n)) {
                    removeTopCard(n);
                    break;
                }
            }
        }
        if (isOpen())
            setMinHeight();
        return false;
    } catch (const std::exception&) {
        fw::MsgBox(text::lookup(QStringLiteral("An unexpected error occured.")));
        return false;
    }
}
