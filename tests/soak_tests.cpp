// Thousands of seeded random events on the real game window, the table's
// invariants checked after every one. Input queued into the waits of a deal
// or a shuffle found a card thrown before it was shown and OK pushed during
// a deal's pause; the run still finds both within its first seeds.

#include "support.h"

#include "table/layout.h"
#include "table/slut.h"

#include <QCoreApplication>
#include <QTest>

#include <array>
#include <map>
#include <random>
#include <set>
#include <string>

using fw::Text;

namespace {

class Soak {
public:
    explicit Soak(fw::FakeSystem& sys) : sys_(sys)
    {
        // Only a new game draws random numbers: their count tells when one began.
        sys_.fallback = [this] { return ++draws_, std::uniform_real_distribution<double>(0.0, 1.0)(rng_); };
    }

    // Runs the events of one seed; returns the first broken invariant, or nothing.
    std::string run(unsigned seed, int events)
    {
        rng_.seed(seed);
        openTable();
        for (int event = 0; event < events; ++event) {
            const int limitBefore = table_->timesLeft;
            step();
            std::string broken = sys_.messages.empty() ? "" : "a message box: " + sys_.messages.front().toStdString();
            if (fw::Application::instance().quitting()) {
                broken += limitBefore < 0 ? "the game quit without a play limit" : "";
                ++quits;
                openTable();
            }
            if (!(broken += broken.empty() ? check() : "").empty())
                return "seed " + std::to_string(seed) + ", event " + std::to_string(event) + ": " + broken;
        }
        return {};
    }

    int games = 0, endings = 0, quits = 0;

private:
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    slut* dialog() const { return fw::Application::instance().openInstance<slut>(); }

    // A fresh game window as at start-up, with the settings file the one before wrote.
    void openTable()
    {
        fw::Application::instance().reset();
        ++generation_;
        (table_ = &playWin::instance())->show();
        started_ = false;
        drawsSeen_ = draws_;
    }

    void step()
    {
        if (chance(0.05))
            sys_.modifiers_ = {.shift = chance(0.3), .option = chance(0.3)};
        // Under the end-of-game dialog the table takes no input.
        static std::discrete_distribution<int> onTable{600, 300, 130, 25, 25}, onDialog{0, 9, 1, 0, 0};
        fw::Window& front = dialog() ? static_cast<fw::Window&>(*dialog()) : *table_;
        QWidget* target = !dialog() && chance(0.15) ? table_->pushButton("delaut").widget() : front.host();
        const int roll = pick(0, 39);
        switch ((dialog() ? onDialog : onTable)(rng_)) {
        case 0: {  // a press and a release on a card view, mostly a pile's top card, some outside or missing
            const int n = pick(1, 4), count = cardCount(table_->pile(n)), m = chance(0.8) ? 0 : 30;
            QWidget* view = table_->cardView(n, count > 0 && chance(0.8) ? count - 1 : pick(0, 12)).widget();
            const Qt::MouseButton button = chance(0.05) ? Qt::RightButton : Qt::LeftButton;
            if (roll != 1)
                QTest::mousePress(view, button, {}, QPoint(pick(1, cardWidth - 1), pick(1, cardHeight - 1)));
            if (roll != 0)
                QTest::mouseRelease(view, button, {}, QPoint(pick(-m, cardWidth - 1 + m), pick(1 - m, cardHeight + m)));
            break;
        }
        case 1:  // a button, a key of the window, or a character of a key set (half the time the deal keys) or any
            if (roll < 10) {
                fw::PushButton& b = front.pushButton(dialog() ? roll < 7 ? "okBtn" : "cancelBtn" : roll < 9 ? "delaut" : "nyttspel");
                if (b.visible())
                    b.push();
            } else if (static constexpr QKeyCombination keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape,
                                                                  Qt::ControlModifier | Qt::Key_N}; roll < 18) {
                QTest::keyClick(target, keys[(roll - 10) / 2].key(), keys[(roll - 10) / 2].keyboardModifiers());
            } else {
                const Text set = table_->playKeys.at(chance(0.5) ? 0 : pick(1, 4));
                const Text from = set.isEmpty() || chance(0.1) ? "abcdefghijklmnopqrstuvwxyz0123456789 .,;-" : set;
                QTest::keyClick(target, from.at(pick(0, int(from.size()) - 1)).toLatin1());
            }
            break;
        case 2:
            sys_.advanceTicks(chance(0.5) ? pick(0, 30) : pick(30, 200));
            break;
        case 3: {  // what Save does, with random values: key sets empty, shared, in upper case or odd; a play limit
            playWin& t = *table_;
            for (bool* on : {&t.spelaLjud, &t.helpTxt, &t.topBeats, &t.tidigareSlut})
                *on = chance(0.5);
            t.maxFaults = chance(0.6) ? -1 : std::array{0, 1, 2, 3, 5, 10, 100}[pick(0, 6)];
            static const Text sets[] = {"", "tgb 0", "qaz1", "wsx2", "edc3", "rfv4", "TGB 0", "QAZ1", "n", "0q", "xsw"};
            for (Text& keys : t.playKeys)
                keys = chance(0.2) ? t.playKeys.at(pick(0, 4)) : sets[pick(0, int(std::size(sets)) - 1)];
            if (chance(0.15))
                t.timesLeft = pick(0, 3), t.quitIfSuccess = chance(0.5);
            break;
        }
        case 4:  // events queued now are handled while the game waits
            for (int i = pick(1, 3); i > 0; --i)
                QMetaObject::invokeMethod(qApp, [this, g = generation_] {
                    if (g == generation_ && playWin::openInstance())
                        step();
                }, Qt::QueuedConnection);
            sys_.advanceTicks(pick(0, 200));
            table_->pushButton(chance(0.2) ? "nyttspel" : "delaut").push();
            QCoreApplication::processEvents();
        }
    }

    std::string check()
    {
        const playWin& t = *table_;
        // Every card once: in the deck, on a pile, or thrown; thrown cards come back only with a new game.
        static const CardList ordered = orderedCards();
        static const std::set<Text> all(ordered.begin() + 1, ordered.end());
        std::set<Text> now;
        for (const CardList* list : {&t.deck, &t.row1cards, &t.row2cards, &t.row3cards, &t.row4cards}) {
            if (list->empty() || !list->front().isEmpty())
                return "a card list lost its placeholder";
            for (auto card = list->begin() + 1; card != list->end(); ++card)
                if (!all.count(*card) || !now.insert(*card).second)
                    return "card " + card->toStdString() + " is no card of the deck or lies twice";
        }
        if (draws_ != drawsSeen_)
            drawsSeen_ = draws_, ++games, started_ = true;
        else if (!std::includes(present_.begin(), present_.end(), now.begin(), now.end()))
            return "thrown cards came back outside a new game";
        present_ = now;
        // The deck in fours; the counter follows it during a game and is empty between games.
        const Text counter = t.pushButton("delaut").enabled() ? fw::Str(cardCount(t.deck)) : Text();
        if (cardCount(t.deck) % 4 != 0 || t.staticText("status").text() != counter)
            return "the counter reads " + t.staticText("status").text().toStdString() + " over " + counter.toStdString();
        // Once a game has begun, exactly the views of the cards on a pile show, each with its card's face.
        for (int n = 1; n <= 4 && started_; ++n)
            for (int j = 1; j <= cardViewsPerPile; ++j) {
                const fw::Canvas& view = t.cardView(n, j - 1);
                const bool holds = j < int(t.pile(n).size());
                if (view.widget()->isVisible() != holds ||
                    (holds && faces_.try_emplace(t.pile(n)[j], view.backdrop()).first->second != view.backdrop()))
                    return "view " + std::to_string(j - 1) + " of pile " + std::to_string(n) + " is wrong";
            }
        endings += dialog() && !dialogSeen_;
        dialogSeen_ = dialog();
        return {};
    }

    fw::FakeSystem& sys_;
    std::mt19937 rng_;
    playWin* table_ = nullptr;
    int generation_ = 0;
    long draws_ = 0, drawsSeen_ = 0;
    std::set<Text> present_;
    std::map<Text, QImage> faces_;  // each card's face as first seen
    bool started_ = false, dialogSeen_ = false;
};

}  // namespace

TEST_F(GameTest, RandomPlayOverHundredsOfGamesKeepsTheTableConsistent)
{
    Soak soak(sys);
    for (unsigned seed = 1000; seed < 1040; ++seed)
        ASSERT_EQ(soak.run(seed, 800), "");
    // Enough of each to prove something.
    EXPECT_GE(soak.games, 200);
    EXPECT_GE(soak.endings, 100);
    EXPECT_GE(soak.quits, 20);
}
