// Thousands of seeded random events on the real game window, the table's
// invariants checked after every one. Input queued into the waits of a deal
// or a shuffle found a card thrown before it was shown and OK pushed during
// a deal's pause; the run still finds both within its first seeds.

#include "support.h"

#include "table/layout.h"
#include "table/slut.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeySequence>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using fw::Text;

namespace {

std::ostream& operator<<(std::ostream& out, const Text& t) { return out << t.toStdString(); }

template <class... Parts>
std::string say(const Parts&... parts)
{
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

class Soak {
public:
    explicit Soak(fw::FakeSystem& sys) : sys_(sys)
    {
        // Only a new game draws random numbers: their count tells when one began.
        sys_.fallback = [this] {
            ++draws_;
            return std::uniform_real_distribution<double>(0.0, 1.0)(rng_);
        };
    }

    // Runs the events of one seed; returns the first broken invariant, or nothing.
    std::string run(unsigned seed, int events)
    {
        rng_.seed(seed_ = seed);
        log_.clear();
        openTable();
        for (event_ = 0; event_ < events; ++event_) {
            const int limitBefore = table_->timesLeft;
            step();
            if (fw::Application::instance().quitting()) {
                if (!sys_.messages.empty())
                    return failure(say("the game quit with a message: ", sys_.messages.front()));
                if (limitBefore < 0)
                    return failure("the game quit without a play limit");
                ++quits;
                openTable();
            } else if (const std::string broken = check(); !broken.empty()) {
                return failure(broken);
            }
        }
        fw::Application::instance().reset();
        return {};
    }

    int games = 0, endings = 0, quits = 0;

private:
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    slut* dialog() const { return fw::Application::instance().openInstance<slut>(); }

    template <class... Parts>
    void log(const Parts&... parts) { log_.push_back(say(event_, ": ", parts...)); }

    std::string failure(const std::string& what) const
    {
        std::string out = say("seed ", seed_, ", event ", event_, ": ", what, "\nlast events:");
        for (auto e = log_.end() - std::min<std::ptrdiff_t>(log_.size(), 25); e != log_.end(); ++e)
            out += "\n  " + *e;
        return out;
    }

    // A fresh game window as at start-up, with the settings file the one
    // before wrote.
    void openTable()
    {
        fw::Application::instance().reset();
        ++generation_;
        table_ = &playWin::instance();
        table_->show();
        started_ = false;
        drawsSeen_ = draws_;
        log("game window opened");
    }

    void step()
    {
        if (chance(0.05)) {
            sys_.modifiers_ = {.shift = chance(0.3), .option = chance(0.3)};
            log("shift ", sys_.modifiers_.shift, " alt ", sys_.modifiers_.option);
        }
        // How often each event comes; under the end-of-game dialog the table takes no input.
        static constexpr void (Soak::*events[])() = {&Soak::click, &Soak::press, &Soak::clock, &Soak::settings,
                                                       &Soak::impatient};
        static std::discrete_distribution<int> onTable{600, 300, 130, 25, 25}, onDialog{0, 9, 1, 0, 0};
        (this->*events[(dialog() ? onDialog : onTable)(rng_)])();
    }

    // Events queued now are handled while the game waits.
    void impatient()
    {
        const auto later = [this, generation = generation_] {
            if (generation == generation_ && playWin::openInstance()) {
                log("(while busy)");
                step();
            }
        };
        for (int i = pick(1, 3); i > 0; --i)
            QMetaObject::invokeMethod(qApp, later, Qt::QueuedConnection);
        clock();
        push(*table_, chance(0.2) ? "nyttspel" : "delaut");
        QCoreApplication::processEvents();
    }

    void push(fw::Window& window, const char* name)
    {
        log("push ", name);
        if (fw::PushButton& button = window.pushButton(QString::fromLatin1(name)); button.visible())
            button.push();
    }

    // A press and a release on any card view, mostly the top card of a pile;
    // some releases fall outside, some presses or releases are missing.
    void click()
    {
        const int n = pick(1, 4), count = cardCount(table_->pile(n));
        const int index = count > 0 && chance(0.8) ? count - 1 : pick(0, cardViewsPerPile - 1);
        fw::Canvas& view = table_->cardView(n, index);
        auto point = [&](int m) {  // QTest takes (0, 0) for the centre
            const QPoint p(pick(-m, view.width() - 1 + m), pick(-m, view.height() - 1 + m));
            return p.isNull() ? QPoint(0, 1) : p;
        };
        const QPoint press = point(0), release = point(chance(0.8) ? 0 : 30);
        const Qt::MouseButton button = chance(0.05) ? Qt::RightButton : Qt::LeftButton;
        const int kind = pick(0, 19);
        log("click pile ", n, " view ", index, view.visible() ? "" : " (hidden)", " press ", press.x(), ",",
            press.y(), " release ", release.x(), ",", release.y(), button == Qt::RightButton ? " right" : "",
            kind == 0 ? " press only" : kind == 1 ? " release only" : "");
        if (kind != 1)
            QTest::mousePress(view.widget(), button, {}, press);
        if (kind != 0)
            QTest::mouseRelease(view.widget(), button, {}, release);
    }

    // A button or a key of the window in front: the end-of-game dialog when
    // it is open, else the table, sometimes with Deal in focus. Characters
    // come from a key set (the deal keys half the time) or anywhere.
    void press()
    {
        const bool over = dialog() != nullptr;
        fw::Window& front = over ? static_cast<fw::Window&>(*dialog()) : *table_;
        QWidget* deal = table_->pushButton(QStringLiteral("delaut")).widget();
        QWidget* target = !over && chance(0.15) ? deal : front.host();
        const int roll = pick(0, 39);
        if (roll < 10) {
            push(front, over ? (roll < 7 ? "okBtn" : "cancelBtn") : (roll < 9 ? "delaut" : "nyttspel"));
        } else if (roll < 17) {
            static constexpr QKeyCombination keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape,
                                                       Qt::ControlModifier | Qt::Key_N};
            const QKeyCombination key = keys[(roll - 10) / 2];
            log("key ", QKeySequence(key).toString(), target == deal ? " on Deal" : "");
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
        } else {
            const Text set = table_->playKeys.at(chance(0.5) ? 0 : pick(1, 4));
            const Text from = set.isEmpty() || chance(0.1) ? "abcdefghijklmnopqrstuvwxyz0123456789 .,;-" : set;
            const char c = from.at(pick(0, int(from.size()) - 1)).toLatin1();
            log("type '", c, "'", target == deal ? " on Deal" : "");
            QTest::keyClick(target, c);
        }
    }

    // What the Settings dialog's Save does, with random values: key sets
    // empty, shared with another, in upper case or odd; now and then a play
    // limit as well.
    void settings()
    {
        playWin& t = *table_;
        for (bool* on : {&t.spelaLjud, &t.helpTxt, &t.topBeats, &t.tidigareSlut})
            *on = chance(0.5);
        static constexpr int limits[] = {0, 1, 2, 3, 5, 10, 100};
        t.maxFaults = chance(0.6) ? -1 : limits[pick(0, 6)];
        static const Text sets[] = {"", "tgb 0", "qaz1", "wsx2", "edc3", "rfv4", "TGB 0", "QAZ1", "n", "0q", "xsw"};
        for (Text& keys : t.playKeys)
            keys = chance(0.2) ? t.playKeys.at(pick(0, 4)) : sets[pick(0, int(std::size(sets)) - 1)];
        if (chance(0.15)) {
            t.timesLeft = pick(0, 3);
            t.quitIfSuccess = chance(0.5);
            t.EnableMenuItems();
        }
        log("settings: sounds ", t.spelaLjud, " help ", t.helpTxt, " topBeats ", t.topBeats, " early end ",
            t.tidigareSlut, " fault limit ", t.maxFaults, " play limit ", t.timesLeft, " until a win ",
            t.quitIfSuccess, " keys \"", QStringList(t.playKeys.begin(), t.playKeys.end()).join("\" \""), "\"");
    }

    void clock()
    {
        const int ticks = chance(0.5) ? pick(0, 30) : pick(30, 200);
        sys_.advanceTicks(ticks);
        log("clock +", ticks);
    }

    std::string check()
    {
        const playWin& t = *table_;
        if (!sys_.messages.empty())
            return say("a message box: ", sys_.messages.front());

        // Every card once: in the deck, on a pile, or thrown.
        static const CardList ordered = orderedCards();
        static const std::set<Text> all(ordered.begin() + 1, ordered.end());
        std::set<Text> now;
        for (const CardList* list : {&t.deck, &t.row1cards, &t.row2cards, &t.row3cards, &t.row4cards}) {
            if (list->empty() || !list->front().isEmpty())
                return "a card list lost its placeholder";
            for (auto card = list->begin() + 1; card != list->end(); ++card)
                if (!all.count(*card) || !now.insert(*card).second)
                    return say("card \"", *card, "\" is no card of the deck or lies twice");
        }
        // Thrown cards come back only with a new game.
        if (draws_ != drawsSeen_) {
            drawsSeen_ = draws_;
            ++games;
            started_ = true;
        } else if (!std::includes(present_.begin(), present_.end(), now.begin(), now.end())) {
            return "thrown cards came back outside a new game";
        }
        present_ = now;
        if (cardCount(t.deck) % 4 != 0)
            return say("the deck holds ", cardCount(t.deck), " cards, not a multiple of 4");

        // The counter follows the deck during a game and is empty between games.
        const bool inGame = t.pushButton(QStringLiteral("delaut")).enabled();
        const Text counter = t.staticText(QStringLiteral("status")).text();
        if (const Text expected = inGame ? fw::Str(cardCount(t.deck)) : Text(); counter != expected)
            return say("the counter reads \"", counter, "\", expected \"", expected, "\"");

        // Once a game has begun, exactly the views of the cards on a pile
        // show, each with its card's face.
        for (int n = 1; n <= 4; ++n) {
            const CardList& pile = t.pile(n);
            const int count = cardCount(pile);
            if (count > cardViewsPerPile)
                return say("pile ", n, " holds ", count, " cards");
            for (int j = 1; started_ && j <= cardViewsPerPile; ++j) {
                const fw::Canvas& view = t.cardView(n, j - 1);
                const bool holds = j <= count;
                if (view.visible() != holds || view.widget()->isVisible() != holds)
                    return say("view ", j - 1, " of pile ", n, holds ? " is hidden" : " shows", " with ", count,
                               " cards on the pile");
                if (holds && faces_.try_emplace(pile[j], view.backdrop()).first->second != view.backdrop())
                    return say("view ", j - 1, " of pile ", n, " does not show the face of ", pile[j]);
            }
        }

        endings += dialog() && !dialogSeen_;
        dialogSeen_ = dialog();
        return {};
    }

    fw::FakeSystem& sys_;
    std::mt19937 rng_;
    unsigned seed_ = 0;
    playWin* table_ = nullptr;
    int event_ = 0;
    int generation_ = 0;
    long draws_ = 0;
    long drawsSeen_ = 0;
    std::vector<std::string> log_;
    std::set<Text> present_;
    std::map<Text, QImage> faces_;  // each card's face as first seen
    bool started_ = false;
    bool dialogSeen_ = false;
};

}  // namespace

TEST_F(GameTest, RandomPlayOverHundredsOfGamesKeepsTheTableConsistent)
{
    Soak soak(sys);
    for (unsigned seed = 1000; seed < 1060; ++seed)
        ASSERT_EQ(soak.run(seed, 800), "");
    // Enough of each to prove something.
    EXPECT_GE(soak.games, 300);
    EXPECT_GE(soak.endings, 150);
    EXPECT_GE(soak.quits, 30);
}
