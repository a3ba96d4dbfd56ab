// Thousands of seeded random events on the real game window, with the
// table's invariants checked after every one: clicks anywhere on the card
// views, pile and deal keys, Ctrl+N, Shift and Alt, the end-of-game
// dialog's buttons and keys, settings changed under the game's feet, window
// resizes and the clock moving on.

#include "support.h"

#include "table/layout.h"
#include "table/playWin.h"
#include "table/rules.h"
#include "table/slut.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>

using fw::Text;

namespace {

constexpr int seeds = 60;
constexpr int eventsPerSeed = 800;

// The window height at which card row i ends (the game's card lines).
constexpr int cardLine(int row) { return cardViewTop(row) + cardHeight + 5; }

std::string str(const Text& t) { return t.toStdString(); }

std::string listText(const CardList& list)
{
    QStringList cards;
    for (std::size_t i = 1; i < list.size(); ++i)
        cards.append(list[i]);
    return str(QLatin1Char('[') + cards.join(QLatin1Char(' ')) + QLatin1Char(']'));
}

class Soak {
public:
    Soak(fw::FakeSystem& sys, unsigned seed) : sys_(sys), rng_(seed), seed_(seed)
    {
        // Only a new game draws random numbers: their count tells when one began.
        sys_.fallback = [this] {
            ++draws_;
            return std::uniform_real_distribution<double>(0.0, 1.0)(rng_);
        };
    }

    // Runs the events; returns the first broken invariant, or nothing.
    std::string run(int events)
    {
        openTable();
        for (int e = 0; e < events; ++e) {
            event_ = e;
            const int limitBefore = table_->timesLeft;
            step();
            if (fw::Application::instance().quitting()) {
                if (!sys_.messages.empty())
                    return failure("the game quit with a message: " + str(sys_.messages.front()));
                // Input handled while busy may start several games in one event.
                if (limitBefore < 0)
                    return failure("the game quit without a play limit");
                ++quits_;
                openTable();
                continue;
            }
            if (std::string broken = check(); !broken.empty())
                return failure(broken);
        }
        fw::Application::instance().reset();
        return {};
    }

    int games() const { return games_; }
    int wins() const { return wins_; }
    int endings() const { return endings_; }
    int quits() const { return quits_; }

private:
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }

    void log(const std::string& what)
    {
        recent_.push_back(std::to_string(event_) + ": " + what);
        if (recent_.size() > 25)
            recent_.pop_front();
    }

    std::string failure(const std::string& what) const
    {
        std::ostringstream out;
        out << "seed " << seed_ << ", event " << event_ << ": " << what << "\nlast events:\n";
        for (const std::string& e : recent_)
            out << "  " << e << "\n";
        if (table_ && fw::Application::instance().openInstance<playWin>()) {
            out << "deck " << listText(table_->deck) << "\n";
            for (int n = 1; n <= 4; ++n)
                out << "pile " << n << " " << listText(table_->pile(n)) << "\n";
        }
        return out.str();
    }

    // A fresh game window, as at start-up, with the settings file of the run
    // before removed so that no lock time carries over.
    void openTable()
    {
        fw::Application& app = fw::Application::instance();
        app.reset();
        QDir(sys_.prefsFolder).removeRecursively();
        QDir().mkpath(sys_.prefsFolder);
        sys_.modifiers_ = {};
        ++generation_;
        table_ = &playWin::instance();
        // Whatever the start-up shows over the table is dismissed first.
        std::vector<fw::Window*> others;
        for (const auto& w : app.windows())
            if (w.get() != table_ && w->isOpen())
                others.push_back(w.get());
        for (fw::Window* w : others)
            w->close();
        table_->show();
        table_->timesLeft = -1;
        present_.clear();
        started_ = false;
        drawsSeen_ = draws_;
        log("game window opened");
    }

    slut* dialog() const { return fw::Application::instance().openInstance<slut>(); }

    void step()
    {
        if (slut* d = dialog()) {
            dialogEvent(*d);
            return;
        }
        // Half the seeds play like a player who wants to finish (so that games
        // end in wins and empty decks); the others are all over the place.
        enum Kind {
            Click, PlayerClick, PileKey, DealKey, CommandN, Modifiers, Settings, Clock, Resize, PlayLimit, Impatient
        };
        static constexpr int chaotic[] = {300, 150, 150, 130, 5, 60, 30, 130, 20, 5, 20};
        static constexpr int player[] = {60, 550, 30, 160, 2, 40, 10, 120, 5, 3, 20};
        const int* weights = seed_ % 2 ? player : chaotic;
        int roll = pick(0, 999);
        int kind = 0;
        while (roll >= weights[kind])
            roll -= weights[kind++];
        switch (kind) {
        case Click:
            click();
            break;
        case PlayerClick:
            playerClick();
            break;
        case PileKey:
            pileKey();
            break;
        case DealKey:
            if (seed_ % 2)
                clock();
            dealKey();
            break;
        case CommandN:
            commandN();
            break;
        case Modifiers:
            modifiers();
            break;
        case Settings:
            settings();
            break;
        case Clock:
            clock();
            break;
        case Resize:
            resize();
            break;
        case PlayLimit:
            playLimit();
            break;
        default:
            impatient();
            break;
        }
    }

    // Input that arrives while the game is busy dealing or shuffling: queued
    // now, handled by the game's own waiting loops.
    void impatient()
    {
        const int generation = generation_;
        for (int i = pick(1, 3); i > 0; --i) {
            QMetaObject::invokeMethod(
                qApp,
                [this, generation] {
                    if (generation != generation_ || !fw::Application::instance().openInstance<playWin>())
                        return;
                    log("(while busy)");
                    input();
                },
                Qt::QueuedConnection);
        }
        if (chance(0.2)) {
            log("push New game, impatiently");
            table_->pushButton(QStringLiteral("nyttspel")).push();
        } else {
            clock();
            dealKey();
        }
        QCoreApplication::processEvents();
    }

    // One of the player's inputs, where the player can reach: the dialog when
    // it is open, the table otherwise.
    void input()
    {
        if (slut* d = dialog()) {
            dialogEvent(*d);
            return;
        }
        switch (pick(0, 5)) {
        case 0:
            click();
            break;
        case 1:
        case 2:
            playerClick();
            break;
        case 3:
            pileKey();
            break;
        case 4:
            dealKey();
            break;
        default:
            commandN();
            break;
        }
    }

    // A click as a player would make it: on the top card of a pile that the
    // rules let go, when there is one.
    void playerClick()
    {
        Situation now;
        now.piles = {&table_->row1cards, &table_->row2cards, &table_->row3cards, &table_->row4cards};
        now.deckEmpty = cardCount(table_->deck) == 0;
        now.inGame = table_->pushButton(QStringLiteral("delaut")).enabled();
        now.modifierHeld = sys_.modifiers_.shift || sys_.modifiers_.option;
        now.topBeats = table_->topBeats;
        std::vector<int> playable;
        for (int n = 1; n <= 4; ++n) {
            const Verdict v = decide(now, n).verdict;
            if (v != Verdict::Nothing && v != Verdict::Fault)
                playable.push_back(n);
        }
        if (playable.empty()) {
            dealKey();
            return;
        }
        const int n = playable[pick(0, int(playable.size()) - 1)];
        const int index = cardCount(table_->pile(n)) - 1;
        fw::Canvas& view = table_->cardView(n, index);
        const QPoint at(pick(1, view.width() - 1), pick(1, view.height() - 1));
        log("player clicks pile " + std::to_string(n) + " view " + std::to_string(index));
        QTest::mouseClick(view.widget(), Qt::LeftButton, Qt::NoModifier, at);
    }

    void click()
    {
        const int n = pick(1, 4);
        const int count = cardCount(table_->pile(n));
        // Mostly the top card, so that games move on; any view otherwise.
        const int index = count > 0 && chance(0.7) ? count - 1 : pick(0, cardViewsPerPile - 1);
        fw::Canvas& view = table_->cardView(n, index);
        QWidget* w = view.widget();
        auto point = [&](bool inside) {
            QPoint p;
            do {
                p = inside ? QPoint(pick(0, view.width() - 1), pick(0, view.height() - 1))
                           : QPoint(pick(-30, view.width() + 30), pick(-30, view.height() + 30));
            } while (p.isNull());  // QTest turns (0, 0) into the centre
            return p;
        };
        const QPoint press = point(true);
        const QPoint release = point(chance(0.75));
        const Qt::MouseButton button = chance(0.05) ? Qt::RightButton : Qt::LeftButton;
        const int kind = pick(0, 19);
        std::ostringstream what;
        what << "click pile " << n << " view " << index << (view.visible() ? "" : " (hidden)") << " press "
             << press.x() << "," << press.y() << " release " << release.x() << "," << release.y()
             << (button == Qt::RightButton ? " right" : "");
        if (kind == 0) {
            log(what.str() + " press only");
            QTest::mousePress(w, button, Qt::NoModifier, press);
        } else if (kind == 1) {
            log(what.str() + " release only");
            QTest::mouseRelease(w, button, Qt::NoModifier, release);
        } else {
            log(what.str());
            QTest::mousePress(w, button, Qt::NoModifier, press);
            QTest::mouseRelease(w, button, Qt::NoModifier, release);
        }
    }

    QWidget* keyTarget() const { return table_->host(); }

    void typeCharacter(QWidget* target, QChar c, const std::string& what)
    {
        log(what + " '" + std::string(1, c.toLatin1()) + "'");
        QTest::keyClick(target, c.toLatin1());
    }

    QChar characterOf(const Text& set)
    {
        if (set.isEmpty() || chance(0.1)) {
            static const char pool[] = "abcdefghijklmnopqrstuvwxyz0123456789 .,;-";
            return QChar::fromLatin1(pool[pick(0, int(sizeof pool) - 2)]);
        }
        QChar c = set.at(pick(0, int(set.size()) - 1));
        if (c.unicode() > 0x7e || c.unicode() < 0x20)
            c = QLatin1Char('x');
        return c;
    }

    void pileKey()
    {
        const int n = pick(1, 4);
        QWidget* target = chance(0.15) ? table_->pushButton(QStringLiteral("delaut")).widget() : keyTarget();
        typeCharacter(target, characterOf(table_->playKeys.at(n)), "key of pile " + std::to_string(n));
    }

    void dealKey()
    {
        const int roll = pick(0, 19);
        if (roll == 0) {
            log("Return");
            QTest::keyClick(keyTarget(), Qt::Key_Return);
        } else if (roll == 1) {
            log("Enter");
            QTest::keyClick(keyTarget(), Qt::Key_Enter);
        } else if (roll == 2) {
            log("push Deal");
            table_->pushButton(QStringLiteral("delaut")).push();
        } else if (roll == 3 && chance(0.2)) {
            log("push New game");
            table_->pushButton(QStringLiteral("nyttspel")).push();
        } else {
            typeCharacter(keyTarget(), characterOf(table_->playKeys.at(0)), "deal key");
        }
    }

    void commandN()
    {
        log("Ctrl+N");
        QTest::keyClick(keyTarget(), Qt::Key_N, Qt::ControlModifier);
    }

    void modifiers()
    {
        sys_.modifiers_.shift = chance(0.15);
        sys_.modifiers_.option = chance(0.15);
        log(std::string("modifiers shift ") + (sys_.modifiers_.shift ? "on" : "off") + ", alt " +
            (sys_.modifiers_.option ? "on" : "off"));
    }

    Text randomKeySet(const fw::TextArray& others)
    {
        static const char* const defaults[] = {"tgb 0", "qaz1", "wsx2", "edc3", "rfv4"};
        switch (pick(0, 5)) {
        case 0:
            return {};
        case 1:
            return others.at(pick(0, 4));  // a set shared with another entry
        case 2:
            return QString::fromLatin1(defaults[pick(0, 4)]);
        case 3:
            return fw::Uppercase(QString::fromLatin1(defaults[pick(0, 4)]));
        default: {
            static const char pool[] = "tgb 0qaz1wsx2edc3rfv4n";
            Text s;
            for (int i = pick(0, 6); i > 0; --i)
                s += QChar::fromLatin1(pool[pick(0, int(sizeof pool) - 2)]);
            return s;
        }
        }
    }

    // What the Settings dialog's Save does, with random values.
    void settings()
    {
        table_->spelaLjud = chance(0.5);
        table_->helpTxt = chance(0.5);
        table_->topBeats = chance(0.5);
        table_->tidigareSlut = chance(0.5);
        static const int limits[] = {0, 1, 2, 3, 5, 10, 100};
        table_->maxFaults = chance(0.6) ? -1 : limits[pick(0, 6)];
        fw::TextArray keys = table_->playKeys;
        for (int k = 0; k < 5; ++k)
            keys[k] = randomKeySet(keys);
        table_->playKeys = keys;
        table_->staticText(QStringLiteral("status")).setVisible(chance(0.8));
        table_->setHasBackColor(chance(0.5));
        std::ostringstream what;
        what << "settings: sounds " << table_->spelaLjud << " help " << table_->helpTxt << " topBeats "
             << table_->topBeats << " early end " << table_->tidigareSlut << " fault limit " << table_->maxFaults
             << " keys";
        for (const Text& k : keys)
            what << " \"" << str(k) << "\"";
        log(what.str());
    }

    void clock()
    {
        const int ticks = chance(0.5) ? pick(0, 30) : pick(30, 200);
        sys_.advanceTicks(ticks);
        log("clock +" + std::to_string(ticks) + " ticks");
    }

    void resize()
    {
        const int h = pick(20, 450);
        log("resize to " + std::to_string(h));
        table_->host()->resize(table_->host()->width(), h + (table_->host()->height() - table_->height()));
    }

    void playLimit()
    {
        table_->timesLeft = pick(0, 3);
        table_->quitIfSuccess = chance(0.5);
        table_->EnableMenuItems();
        log("play limit " + std::to_string(table_->timesLeft) + (table_->quitIfSuccess ? " until a win" : ""));
    }

    void dialogEvent(slut& d)
    {
        const int roll = pick(0, 9);
        fw::PushButton& cancel = d.pushButton(QStringLiteral("cancelBtn"));
        if (roll < 4) {
            log("end dialog OK");
            d.pushButton(QStringLiteral("okBtn")).push();
        } else if (roll < 6 && cancel.visible()) {
            log("end dialog Cancel");
            cancel.push();
        } else if (roll < 8) {
            const int k = pick(0, 3);
            if (k == 0) {
                log("end dialog Return");
                QTest::keyClick(d.host(), Qt::Key_Return);
            } else if (k == 1) {
                log("end dialog Escape");
                QTest::keyClick(d.host(), Qt::Key_Escape);
            } else {
                typeCharacter(d.host(), characterOf(table_->playKeys.at(0)), "end dialog key");
            }
        } else {
            clock();
        }
    }

    std::string check()
    {
        playWin& t = *table_;
        if (!sys_.messages.empty())
            return "a message box: " + str(sys_.messages.front());
        if (fw::Application::instance().openInstance<playWin>() != table_)
            return "the game window closed without a quit";

        // Every card once: in the deck, on a pile, or thrown.
        std::set<Text> now;
        std::vector<const CardList*> lists{&t.deck, &t.row1cards, &t.row2cards, &t.row3cards, &t.row4cards};
        static const CardList ordered = orderedCards();
        static const std::set<Text> all(ordered.begin() + 1, ordered.end());
        for (const CardList* list : lists) {
            if (list->empty() || !list->front().isEmpty())
                return "a card list lost its placeholder";
            for (std::size_t i = 1; i < list->size(); ++i) {
                const Text& card = (*list)[i];
                if (!all.count(card))
                    return "a card that is not in the deck: \"" + str(card) + "\"";
                if (!now.insert(card).second)
                    return "card " + str(card) + " lies twice";
            }
        }
        // Thrown cards come back only with a new game.
        if (draws_ != drawsSeen_) {
            drawsSeen_ = draws_;
            ++games_;
            started_ = true;
        } else if (!std::includes(present_.begin(), present_.end(), now.begin(), now.end())) {
            return "thrown cards came back outside a new game";
        }
        present_ = now;

        if (cardCount(t.deck) % 4 != 0)
            return "the deck holds " + std::to_string(cardCount(t.deck)) + " cards, not a multiple of 4";
        int longest = 0;
        for (int n = 1; n <= 4; ++n) {
            const int count = cardCount(t.pile(n));
            if (count > cardViewsPerPile)
                return "pile " + std::to_string(n) + " holds " + std::to_string(count) + " cards";
            longest = std::max(longest, count);
        }

        // The counter follows the deck during a game and is empty between games.
        const bool inGame = t.pushButton(QStringLiteral("delaut")).enabled();
        const Text counter = t.staticText(QStringLiteral("status")).text();
        const Text expected = inGame ? fw::Str(cardCount(t.deck)) : Text();
        if (counter != expected)
            return "the counter reads \"" + str(counter) + "\", expected \"" + str(expected) + "\"";
        if (inGame && !started_)
            return "Deal is enabled before any game";

        // Once a game has started, exactly the views of the cards on a pile show,
        // each with its card's face.
        if (started_) {
            for (int n = 1; n <= 4; ++n) {
                const CardList& pile = t.pile(n);
                for (int j = 1; j <= cardViewsPerPile; ++j) {
                    const fw::Canvas& view = t.cardView(n, j - 1);
                    const bool holds = cardCount(pile) >= j;
                    if (view.visible() != holds || view.widget()->isVisible() != holds)
                        return "view " + std::to_string(j - 1) + " of pile " + std::to_string(n) +
                               (holds ? " is hidden" : " shows") + " with " + std::to_string(cardCount(pile)) +
                               " cards on the pile";
                    if (!holds)
                        continue;
                    const QImage& face = view.backdrop();
                    auto [at, fresh] = faces_.try_emplace(pile[j], face);
                    if (!fresh && at->second != face)
                        return "view " + std::to_string(j - 1) + " of pile " + std::to_string(n) +
                               " does not show the face of " + str(pile[j]);
                }
            }
        }

        // The window keeps the longest pile in sight.
        if (longest > 0) {
            if (t.minHeight() != cardLine(longest - 1))
                return "minimum height " + std::to_string(t.minHeight()) + " for a longest pile of " +
                       std::to_string(longest);
            if (t.height() < cardLine(longest - 1))
                return "height " + std::to_string(t.height()) + " hides the longest pile of " +
                       std::to_string(longest);
        }

        if (slut* d = dialog()) {
            if (!inGame)
                return "the end-of-game dialog is open between games";
            const Text status = d->staticText(QStringLiteral("status")).text();
            if (status.isEmpty())
                return "the end-of-game dialog shows no result";
            if (!counted_) {
                counted_ = true;
                ++endings_;
                int onTable = 0;
                for (int n = 1; n <= 4; ++n)
                    onTable += cardCount(t.pile(n));
                if (onTable == 4 && !(t.maxFaults >= 0 && t.numFaults > t.maxFaults))
                    ++wins_;
            }
        } else {
            counted_ = false;
        }
        return {};
    }

    fw::FakeSystem& sys_;
    std::mt19937 rng_;
    unsigned seed_;
    playWin* table_ = nullptr;
    int event_ = 0;
    int generation_ = 0;
    long draws_ = 0;
    long drawsSeen_ = 0;
    std::deque<std::string> recent_;
    std::set<Text> present_;
    std::map<Text, QImage> faces_;
    bool started_ = false;
    bool counted_ = false;
    int games_ = 0;
    int wins_ = 0;
    int endings_ = 0;
    int quits_ = 0;
};

}  // namespace

TEST_F(GameTest, RandomPlayOverHundredsOfGamesKeepsTheTableConsistent)
{
    int games = 0, endings = 0, wins = 0, quits = 0;
    for (int s = 0; s < seeds; ++s) {
        Soak soak(sys, 1000 + s);
        const std::string broken = soak.run(eventsPerSeed);
        ASSERT_EQ(broken, "");
        games += soak.games();
        endings += soak.endings();
        wins += soak.wins();
        quits += soak.quits();
    }
    EXPECT_GE(games, 200) << "too few games to prove much";
    RecordProperty("games", games);
    RecordProperty("endings", endings);
    RecordProperty("wins", wins);
    RecordProperty("quits", quits);
}

// Input handled by the waiting loops of a deal, found by the random play
// above, once on a known deck.
class BusyInputTest : public GameTest {
protected:
    playWin& startGame()
    {
        playWin& table = playWin::instance();
        table.show();
        table.spelaLjud = false;
        table.pushButton(QStringLiteral("nyttspel")).push();
        sys.advanceSeconds(2);
        return table;
    }

    // Runs the action at the first waiting pass of whatever comes next.
    template <class Action>
    void whileBusy(Action action)
    {
        QMetaObject::invokeMethod(qApp, action, Qt::QueuedConnection);
    }

    static std::string shownCounts(const playWin& table)
    {
        std::string s;
        for (int n = 1; n <= 4; ++n) {
            int shown = 0;
            while (shown < cardViewsPerPile && table.cardView(n, shown).visible())
                ++shown;
            s += std::to_string(cardCount(table.pile(n))) + "/" + std::to_string(shown) + " ";
        }
        return s;
    }
};

TEST_F(BusyInputTest, EndOfGameOkWhileCardsAreDealtShowsTheCardsAndClearsTheCounter)
{
    playWin& table = startGame();
    whileBusy([&] {
        table.gameOver();
        fw::Application::instance().openInstance<slut>()->pushButton(QStringLiteral("okBtn")).push();
    });
    table.pushButton(QStringLiteral("delaut")).push();
    EXPECT_EQ(shownCounts(table), "2/2 2/2 2/2 2/2 ");
    EXPECT_EQ(str(table.staticText(QStringLiteral("status")).text()), "");
    EXPECT_FALSE(table.pushButton(QStringLiteral("delaut")).enabled());
}

TEST_F(BusyInputTest, KeyThrowingACardBeforeItIsShownLeavesItsPileEmptyAndTheGameRunning)
{
    playWin& table = startGame();
    // Pile 3 empty; the next deal brings d5, c4, b3 and a2, none an ace.
    table.row3cards = {Text()};
    table.cardView(3, 0).setVisible(false);
    table.deck = {Text(), "b14", "c14", "d14", "a14", "a2", "b3", "c4", "d5"};
    table.staticText(QStringLiteral("status")).setText("8");
    whileBusy([&] {
        sys.modifiers_.shift = true;
        QTest::keyClick(table.host(), 'e');
        sys.modifiers_.shift = false;
    });
    table.pushButton(QStringLiteral("delaut")).push();
    EXPECT_TRUE(sys.messages.empty()) << str(sys.messages.empty() ? Text() : sys.messages.front());
    ASSERT_EQ(playWin::openInstance(), &table);
    EXPECT_EQ(table.antalFusk, 1) << "b3 went as a cheat before it was shown";
    EXPECT_EQ(cardCount(table.row3cards), 0);
    EXPECT_EQ(shownCounts(table), "2/2 2/2 0/0 2/2 ");
    EXPECT_EQ(str(table.staticText(QStringLiteral("status")).text()), "4");
}
