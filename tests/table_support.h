#pragma once
// The game window on the scripted machine: known settings, decks made to
// order through the random values of the shuffle, and short ways to press,
// click and type as the player does.

#include "support.h"

#include "framework/date.h"
#include "table/cards.h"
#include "table/layout.h"
#include "table/playWin.h"
#include "table/slut.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <array>
#include <deque>
#include <string>
#include <vector>

using Codes = std::vector<std::string>;

// The cards of a list without its placeholder, printable by the checks.
inline Codes codes(const CardList& list)
{
    Codes out;
    for (std::size_t i = 1; i < list.size(); ++i)
        out.push_back(list[i].toStdString());
    return out;
}

inline std::string str(const QString& text) { return text.toStdString(); }

// The random values that make the shuffle lay the deck in this order
// (position 1 first; position 52 is dealt first).
inline std::deque<double> drawsFor(const Codes& deck)
{
    CardList working = orderedCards();
    std::deque<double> values;
    for (const std::string& code : deck) {
        const auto it = std::find(working.begin() + 1, working.end(), QString::fromStdString(code));
        if (it == working.end())
            throw std::logic_error("no card " + code + " left to draw");
        const int j = static_cast<int>(it - working.begin());
        values.push_back((j - 0.5) / cardCount(working));
        working.erase(it);
    }
    return values;
}

// A deck given as its 13 deals, each to piles 1 to 4.
inline Codes deckOfDeals(const std::vector<std::array<std::string, 4>>& deals)
{
    Codes flat;
    for (const auto& d : deals)
        flat.insert(flat.end(), d.begin(), d.end());
    std::reverse(flat.begin(), flat.end());
    return flat;
}

inline std::string code(char suit, int rank) { return str(QChar::fromLatin1(suit) + fw::Str(rank)); }

// A deck that can be cleared deal by deal without a single fault click:
// the four aces first, then twelve deals of two pairs of one suit each.
// A deal of kind A (even deal numbers) goes by piles 1, 3, 2, 4; a deal
// of kind B by piles 2, 4, 1, 3.
inline std::vector<std::array<std::string, 4>> winningDeals()
{
    std::vector<std::array<std::string, 4>> deals{{"a14", "b14", "c14", "d14"}};
    for (int i = 0; i < 6; ++i) {
        const int lo = 2 + 2 * i;
        const int hi = lo + 1;
        deals.push_back({code('c', lo), code('c', hi), code('a', lo), code('a', hi)});
        deals.push_back({code('d', hi), code('d', lo), code('b', hi), code('b', lo)});
    }
    return deals;
}

inline std::array<int, 4> clearingOrder(int dealNumber)
{
    return dealNumber % 2 == 0 ? std::array<int, 4>{1, 3, 2, 4} : std::array<int, 4>{2, 4, 1, 3};
}

class TableTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        table_ = &playWin::instance();
        // Whatever the start-up showed over the table stays out of the way.
        for (const auto& other : fw::Application::instance().windows())
            if (other.get() != table_)
                other->hide();
        table_->show();
        QApplication::setActiveWindow(table_->host());
        // Known settings, whatever a settings file would have said.
        w().spelaLjud = false;
        w().helpTxt = true;
        w().topBeats = false;
        w().tidigareSlut = false;
        w().maxFaults = -1;
        w().timesLeft = -1;
        w().quitIfSuccess = false;
        w().playKeys = {QStringLiteral("tgb 0"), QStringLiteral("qaz1"), QStringLiteral("wsx2"),
                        QStringLiteral("edc3"), QStringLiteral("rfv4")};
        // The fixed order, unless a test lays its own deck.
        sys.fallback = [] { return 0.0; };
    }

    void TearDown() override
    {
        text::setCatalogue(nullptr);
        GameTest::TearDown();
    }

    playWin& w() { return *table_; }
    fw::PushButton& newGameButton() { return w().pushButton(QStringLiteral("nyttspel")); }
    fw::PushButton& dealButton() { return w().pushButton(QStringLiteral("delaut")); }
    std::string counter() { return str(w().staticText(QStringLiteral("status")).text()); }
    fw::Canvas& view(int pile, int index) { return w().cardView(pile, index); }

    void layDeck(const Codes& deck) { sys.randomValues = drawsFor(deck); }

    void newGame() { newGameButton().push(); }
    // Deal in the next clock second, so that the stamp never stands in the way.
    void dealNext()
    {
        sys.advanceSeconds(1);
        dealButton().push();
    }

    void click(int pile)
    {
        fw::Canvas& top = view(pile, cardCount(w().pile(pile)) - 1);
        clickAt(top, QPoint(12, 10));
    }
    static void clickAt(fw::Canvas& v, QPoint at, QPoint releaseAt)
    {
        QTest::mousePress(v.widget(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(v.widget(), Qt::LeftButton, {}, releaseAt);
    }
    static void clickAt(fw::Canvas& v, QPoint at) { clickAt(v, at, at); }

    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(w().host(), key, modifiers);
    }

    // Lays the four piles and the deck as a game in progress would hold
    // them, each card drawn in its place.
    void lay(const std::array<Codes, 4>& piles, const Codes& deck = {})
    {
        for (int n = 1; n <= 4; ++n) {
            CardList& p = w().pile(n);
            p.assign(1, QString());
            for (int i = 0; i < cardViewsPerPile; ++i)
                view(n, i).setVisible(false);
            for (const std::string& c : piles[n - 1]) {
                p.push_back(QString::fromStdString(c));
                const QString q = p.back();
                w().getCard(view(n, cardCount(p) - 1), fw::Left(q, 1), fw::Mid(q, 2));
            }
        }
        w().deck.assign(1, QString());
        for (const std::string& c : deck)
            w().deck.push_back(QString::fromStdString(c));
        w().setMinHeight();
    }

    std::array<Codes, 4> piles()
    {
        return {codes(w().row1cards), codes(w().row2cards), codes(w().row3cards), codes(w().row4cards)};
    }

    int cardsOnTable()
    {
        int n = 0;
        for (int p = 1; p <= 4; ++p)
            n += cardCount(w().pile(p));
        return n;
    }

    // The views that show a card, per pile, by index.
    std::array<std::vector<int>, 4> shownViews()
    {
        std::array<std::vector<int>, 4> shown;
        for (int p = 1; p <= 4; ++p)
            for (int i = 0; i < cardViewsPerPile; ++i)
                if (view(p, i).visible())
                    shown[p - 1].push_back(i);
        return shown;
    }

    slut* dialog() { return fw::Application::instance().openInstance<slut>(); }

    std::vector<int> soundsPlayed()
    {
        std::vector<int> numbers;
        for (const fw::PlayedSound& s : sys.played)
            numbers.push_back(s.number);
        return numbers;
    }


    MapCatalogue catalogue;

private:
    playWin* table_ = nullptr;
};
