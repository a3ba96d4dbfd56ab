// Card faces: the blank card, the suit symbol and the rank label.

#include "table/playWin.h"

#include "framework/picture.h"
#include "text/lookup.h"
#include "text/resources.h"

using fw::Text;
using text::lookup;

namespace {
const char* const rankWords = "One,Two,Three,Four,Five,Six,Seven,Eight,Nine,Ten,Jack,Queen,King,Ace";
}  // namespace

void playWin::getCard(fw::Canvas& canvas, const Text& suit, const Text& rank)
{
    fw::Picture face(canvas.width(), canvas.height());
    fw::Graphics& g = face.graphics();
    if (fw::Picture* blank = res::card())
        g.drawPicture(*blank, 0, 0);
    if (fw::Picture* symbol = getSuit(suit))
        g.drawPicture(*symbol, fw::ToInt32(canvas.width() / 2.0 - symbol->width() / 2.0), 4);
    g.setTextFont(QStringLiteral("system"));
    g.setTextSize(12);
    const Text label = getRank(rank);
    g.drawString(label, fw::ToInt32(canvas.width() / 2.0 - g.stringWidth(label) / 2.0), 30);
    canvas.setBackdrop(&face);
    if (helpTxt) {
        const Text tag = fw::Replace(lookup(QStringLiteral("%1 of %2")), QStringLiteral("%1"), getRRank(rank));
        canvas.setHelpTag(fw::Replace(tag, QStringLiteral("%2"), getRSuit(suit)));
    }
    fixHeight(canvas);
    canvas.setVisible(true);
}

fw::Picture* playWin::getSuit(const Text& suit)
{
    if (fw::SameText(suit, QStringLiteral("a")))
        return res::a();
    if (fw::SameText(suit, QStringLiteral("b")))
        return res::b();
    if (fw::SameText(suit, QStringLiteral("c")))
        return res::c();
    if (fw::SameText(suit, QStringLiteral("d")))
        return res::d();
    return nullptr;
}

Text playWin::getRank(const Text& rank)
{
    if (rank == QLatin1String("11"))
        return lookup(QStringLiteral("J"));
    if (rank == QLatin1String("12"))
        return lookup(QStringLiteral("Q"));
    if (rank == QLatin1String("13"))
        return lookup(QStringLiteral("K"));
    if (rank == QLatin1String("14"))
        return lookup(QStringLiteral("A"));
    return rank;
}

Text playWin::getRSuit(const Text& suit)
{
    if (fw::SameText(suit, QStringLiteral("a")))
        return lookup(QStringLiteral("clubs"));
    if (fw::SameText(suit, QStringLiteral("b")))
        return lookup(QStringLiteral("diamonds"));
    if (fw::SameText(suit, QStringLiteral("c")))
        return lookup(QStringLiteral("hearts"));
    if (fw::SameText(suit, QStringLiteral("d")))
        return lookup(QStringLiteral("spades"));
    return {};
}

Text playWin::getRRank(const Text& rank)
{
    const Text words = lookup(QString::fromUtf8(rankWords));
    return fw::NthField(words, QStringLiteral(","), fw::ToInt32(fw::Val(rank)));
}
