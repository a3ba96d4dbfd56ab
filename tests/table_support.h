#pragma once
// The game window on the scripted machine: the default settings, piles laid
// to order, and short ways to press, click and type as the player does.

#include "support.h"

#include "table/cards.h"
#include "table/layout.h"
#include "table/slut.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using Codes = std::vector<std::string>;
using Piles = std::array<Codes, 4>;
using Sounds = std::vector<std::pair<int, int>>;  // number, volume

inline std::string str(const QString& text) { return text.toStdString(); }

// The cards of a list without its placeholder.
inline Codes codes(const CardList& list)
{
    Codes out;
    for (std::size_t i = 1; i < list.size(); ++i)
        out.push_back(str(list[i]));
    return out;
}

// Four piles written bottom card first, pile by pile: "d5 c7|c13|a2|".
inline Piles pilesOf(const std::string& text)
{
    Piles piles;
    const QStringList parts = QString::fromStdString(text).split('|');
    for (std::size_t n = 0; n < piles.size(); ++n)
        for (const QString& c : parts.value(int(n)).split(' ', Qt::SkipEmptyParts))
            piles[n].push_back(str(c));
    return piles;
}

class TableTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        freshTable();
    }

    // The table as start-up leaves it, on the default settings; also after a quit.
    void freshTable()
    {
        fw::Application::instance().reset();
        res::forgetAll();
        QFile::remove(prefs.path() + "/vesko.txt");  // no lock from a quit before
        table_ = &openTable();
        QApplication::setActiveWindow(table_->host());
        sys.fallback = [] { return 0.0; };  // the fixed order, unless a test lays its own deck
        sys.played.clear();
        sys.missingSounds.clear();
        sys.beeps = 0;
    }

    playWin& w() { return *table_; }
    fw::PushButton& newGameButton() { return w().pushButton("nyttspel"); }
    fw::PushButton& dealButton() { return w().pushButton("delaut"); }
    std::string counter() { return str(w().staticText("status").text()); }
    fw::Canvas& view(int pile, int index) { return w().cardView(pile, index); }
    bool quit() { return fw::Application::instance().quitting() && !playWin::openInstance(); }
    void lookUp(const char* k, const char* v) { catalogue.entries[QString::fromUtf8(k)] = QString::fromUtf8(v); }

    void newGame() { newGameButton().push(); }
    // Deal in the next clock second, so that the stamp never stands in the way.
    void dealNext()
    {
        sys.advanceSeconds(1);
        dealButton().push();
    }

    void click(int pile) { clickAt(view(pile, cardCount(w().pile(pile)) - 1), QPoint(12, 10)); }
    static void clickAt(fw::Canvas& v, QPoint at, std::optional<QPoint> releaseAt = {})
    {
        QTest::mousePress(v.widget(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(v.widget(), Qt::LeftButton, {}, releaseAt.value_or(at));
    }
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(w().host(), key, modifiers); }

    // A game in progress on these piles and this deck, each card drawn in its place.
    void startOn(const std::string& table, const Codes& deck = {})
    {
        newGame();
        const Piles piles = pilesOf(table);
        for (int n = 1; n <= 4; ++n) {
            w().pile(n).assign(1, QString());
            view(n, 0).setVisible(false);  // the new game showed only the first
            for (const std::string& c : piles[n - 1]) {
                const QString q = QString::fromStdString(c);
                w().pile(n).push_back(q);
                w().getCard(view(n, cardCount(w().pile(n)) - 1), fw::Left(q, 1), fw::Mid(q, 2));
            }
        }
        w().deck.assign(1, QString());
        for (const std::string& c : deck)
            w().deck.push_back(QString::fromStdString(c));
        sys.played.clear();
    }

    Piles piles() { return {codes(w().row1cards), codes(w().row2cards), codes(w().row3cards), codes(w().row4cards)}; }

    Sounds sounds()
    {
        Sounds out;
        for (const fw::PlayedSound& s : sys.played)
            out.emplace_back(s.number, s.volume);
        return out;
    }

    slut* dialog() { return fw::Application::instance().openInstance<slut>(); }
    std::string line(const char* name) { return str(dialog()->staticText(name).text()); }
    // Without a dialog nothing is typed: the check after it says so.
    void typeInDialog(Qt::Key key) { if (slut* d = dialog()) QTest::keyClick(d->host(), key); }

    playWin* table_ = nullptr;
};
