#pragma once
// The game window on the scripted machine: the default settings, piles laid
// to order, and short ways to press, click and type as the player does.

#include "support.h"

#include "table/cards.h"
#include "table/layout.h"
#include "table/slut.h"

#include <QApplication>
#include <QAudio>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using Sounds = std::vector<std::pair<int, int>>;  // number, volume
// The volume that the real back end's Qt effect held, on the game's scale of 0 to 100 as the ear hears it.
inline int heardVolume(const fw::PlayedSound& s)
{
    return qRound(100 * QAudio::convertVolume(s.volume, QAudio::LinearVolumeScale, QAudio::LogarithmicVolumeScale));
}
// The sound resources by the numbers they keep for good, whatever the game calls them.
enum SoundResource { dealSound = 168, shuffleSound = 169, ploppSound = 170, funkymacSound = 171, errSound = 172 };

inline std::string str(const QString& text) { return text.toStdString(); }

// The cards of a list without its placeholder: "d5 c7".
inline std::string cards(const CardList& list) { return str(QStringList(list.begin() + 1, list.end()).join(' ')); }

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

    // On the top card, or where the first card of an empty pile would lie.
    void click(int pile) { clickAt(view(pile, std::max(0, cardCount(w().pile(pile)) - 1)), QPoint(12, 10)); }
    static void clickAt(fw::Canvas& v, QPoint at, std::optional<QPoint> releaseAt = {})
    {
        QTest::mousePress(v.widget(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(v.widget(), Qt::LeftButton, {}, releaseAt.value_or(at));
    }
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(w().host(), key, modifiers); }

    // A game in progress on these piles, written bottom card first, and this deck, its next card
    // last ("d5 c7|c13|a2||a3 a4"), each card drawn in its place.
    void startOn(const std::string& table)
    {
        newGame();
        const QStringList piles = QString::fromStdString(table).split('|');
        for (int n = 1; n <= 4; ++n) {
            w().pile(n).assign(1, QString());
            view(n, 0).setVisible(false);  // the new game showed only the first
            for (const QString& c : piles.value(n - 1).split(' ', Qt::SkipEmptyParts)) {
                w().pile(n).push_back(c);
                w().getCard(view(n, cardCount(w().pile(n)) - 1), fw::Left(c, 1), fw::Mid(c, 2));
            }
        }
        const QStringList deck = QStringList{QString()} + piles.value(4).split(' ', Qt::SkipEmptyParts);
        w().deck.assign(deck.begin(), deck.end());
        sys.played.clear();
    }

    std::string piles()
    {
        return cards(w().row1cards) + "|" + cards(w().row2cards) + "|" + cards(w().row3cards) + "|" + cards(w().row4cards);
    }

    Sounds sounds()
    {
        Sounds out;
        for (const fw::PlayedSound& s : sys.played)
            out.emplace_back(s.number, heardVolume(s));
        return out;
    }

    slut* dialog() { return fw::Application::instance().openInstance<slut>(); }
    std::string line(const char* name) { return str(dialog()->staticText(name).text()); }
    // Without a dialog nothing is typed: the check after it says so.
    void typeInDialog(Qt::Key key) { if (slut* d = dialog()) QTest::keyClick(d->host(), key); }

    playWin* table_ = nullptr;
};
