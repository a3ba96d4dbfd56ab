// The table: new game and shuffle, dealing and its pacing, the stamp,
// card labels and help tags, the window's height rules and the play limit.

#include "table_support.h"

#include "framework/picture.h"

#include <QTimer>

#include <cmath>
#include <functional>
#include <map>
#include <tuple>

namespace {

const double almostOne = std::nextafter(1.0, 0.0);

// Runs a check at every resize of a window.
struct OnResize : QObject {
    std::function<void()> check;
    OnResize(fw::Window& w, std::function<void()> c) : check(std::move(c)) { w.host()->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            check();
        return false;
    }
};

}  // namespace

TEST_F(TableTest, ShuffleAndTheFourSuitRuleLayTheDeck)
{
    for (const auto& [rnd, dealt] : {std::pair{0.0, "d2|d14|c14|b14"}, {almostOne, "a14|a2|b2|c2"}}) {
        sys.fallback = [r = rnd] { return r; };
        newGame();
        // The deck left: the fixed order, or that reversed, without the cards dealt.
        CardList left = orderedCards();
        if (rnd > 0)
            std::reverse(left.begin() + 1, left.end());
        for (const QString& c : QString(dealt).split('|'))
            left.erase(std::find(left.begin(), left.end(), c));
        EXPECT_EQ(std::pair(piles(), cards(w().deck)), std::pair(std::string(dealt), cards(left))) << "rnd " << rnd;
    }
    // Spades 2 to 14 at positions 4 to 16 make the rule move thirteen times.
    CardList deck{QString(), "a2", "b2", "c2"};
    for (int r = 2; r <= 14; ++r)
        deck.push_back("d" + fw::Str(r));
    deck.push_back("a3");
    EXPECT_EQ(applyFourSuitRule(deck), 13);
    EXPECT_EQ(cards(deck), "a2 b2 c2 a3 d2 d3 d4 d5 d6 d7 d8 d9 d10 d11 d12 d13 d14");
}

TEST_F(TableTest, NewGameLeavesDealTheDefaultAndThePressAfterTheLastGameOfTheLimitQuitsAtOnce)
{
    newGame();
    // New game enabled, not default; Deal enabled, focused, default.
    EXPECT_EQ(std::tuple(newGameButton().enabled(), newGameButton().isDefault(), dealButton().enabled(),
                         dealButton().hasFocus(), w().defaultButton() == &dealButton()),
              std::tuple(true, false, true, true, true));
    dealButton().push();
    EXPECT_EQ(counter(), "48") << "the first deal stored its stamp";

    lookUp("Quit", "Avsluta");
    w().timesLeft = 1;
    newGame();
    EXPECT_EQ(std::tuple(w().timesLeft, counter(), str(newGameButton().caption()), quit()),
              std::tuple(0, "48", "Avsluta", false)) << "the last game the limit allows is played";
    // Ctrl+N pushes New game; neither the new game nor the key handler may go on after the quit.
    sys.played.clear();
    type(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(quit(), sounds(), sys.messages.size()), std::tuple(true, Sounds{}, std::size_t(0)));
    // The close box during the shuffle ends the new game there: nothing is dealt after the quit.
    freshTable();
    QTimer::singleShot(0, w().host(), &QWidget::close);
    newGame();
    EXPECT_EQ(std::tuple(quit(), sounds()), std::tuple(true, Sounds{{shuffleSound, 75}}));
}

TEST_F(TableTest, ShuffleKeepsNewGameDeadAltPlaysItTwiceAndTheFirstDealWaitsForEachSoundOrTwelveTicks)
{
    using Played = std::vector<std::tuple<int, int, std::int64_t>>;
    // "counter/cards shown", and "+" while New game is live, first seen at tick
    using Seen = std::map<std::string, std::int64_t>;
    const int shuffle = shuffleSound, deal = dealSound;
    const Seen twelveApart{{"52/1+", 0}, {"51/2+", 12}, {"50/3+", 24}, {"49/4+", 36}, {"48/4+", 48}};
    const std::tuple<bool, bool, bool, Played, Seen> cases[] = {
        {false, true, false, {}, twelveApart},  // sounds off, Alt
        {true, false, true, {}, twelveApart},   // sounds missing
        {true, false, false, {{shuffle, 75, 0}, {deal, 75, 30}, {deal, 75, 60}, {deal, 75, 90}, {deal, 75, 120}},
         {{"52/0", 0}, {"51/1+", 30}, {"50/2+", 60}, {"49/3+", 90}, {"48/4+", 120}}},
        {true, true, false,
         {{shuffle, 75, 0}, {shuffle, 75, 30}, {deal, 75, 60}, {deal, 75, 90}, {deal, 75, 120}, {deal, 75, 150}},
         {{"/0", 0}, {"52/0", 30}, {"51/1+", 60}, {"50/2+", 90}, {"49/3+", 120}, {"48/4+", 150}}},
    };
    for (const auto& [soundsOn, alt, missing, played, seen] : cases) {
        SCOPED_TRACE(std::string("sounds ") + (soundsOn ? missing ? "missing" : "on" : "off") + (alt ? ", Alt" : ""));
        freshTable();
        w().spelaLjud = soundsOn;
        sys.modifiers_.option = alt;
        sys.missingSounds = missing ? std::set<int>{deal, shuffle} : std::set<int>{};
        sys.soundSeconds = 0.5;  // 30 ticks
        const std::int64_t start = sys.ticks();
        Seen seenNow;
        const auto look = [&] {
            // Ctrl+N during the shuffle does nothing.
            if (!newGameButton().enabled() && sys.played.size() == 1) type(Qt::Key_N, Qt::ControlModifier);
            int shown = 0;
            for (int p = 1; p <= 4; ++p)
                shown += view(p, 0).visible() ? 1 : 0;
            seenNow.try_emplace(counter() + "/" + std::to_string(shown) + (newGameButton().enabled() ? "+" : ""),
                                sys.ticks() - start);
        };
        QTimer everyPass;  // of a waiting loop, each of which handles events
        QObject::connect(&everyPass, &QTimer::timeout, look);
        everyPass.start(0);
        newGame();
        look();
        Played playedNow;
        for (const fw::PlayedSound& s : sys.played)
            playedNow.emplace_back(s.number, heardVolume(s), s.tick - start);
        EXPECT_EQ(playedNow, played);
        EXPECT_EQ(seenNow, seen);
    }
}

TEST_F(TableTest, CardLabelStandsCentredOnRow30AndTheHelpTagIsInTheGamesLanguage)
{
    w().getCard(view(2, 3), "c", "10");
    // The label's dark pixels below the symbol stand centred on row 30.
    const QImage face = view(2, 3).backdrop(), blank = res::card()->image().convertToFormat(face.format());
    int left = 99, right = -1, bottom = -1;
    for (int y = 20; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (face.pixel(x, y) != blank.pixel(x, y) && qGray(face.pixel(x, y)) < 160)
                left = std::min(left, x), right = std::max(right, x), bottom = std::max(bottom, y);
    EXPECT_TRUE(std::abs(left + right - 24) <= 3 && bottom >= 28 && bottom <= 30)
        << "label from " << left << " to " << right << ", bottom " << bottom;
    for (const auto& [key, entry] : {std::pair{"A", "E"}, {"spades", "spader"}, {"%1 of %2", "%2 %1"}})
        lookUp(key, entry);
    EXPECT_EQ(str(w().getRank("14") + w().getRank("10")), "E10");
    w().getCard(view(1, 0), "d", "14");
    EXPECT_EQ(str(view(1, 0).helpTag()), "spader Ace");
    w().helpTxt = false;
    w().getCard(view(1, 0), "c", "9");
    EXPECT_EQ(str(view(1, 0).helpTag()), "spader Ace") << "help tags off leave the tag as it was";
}

TEST_F(TableTest, ResizeSnapsToACardLineAndACardBelowTheEdgeGrowsTheWindowInTwoPixelStepsUntilRefused)
{
    for (const auto& [asked, kept] : std::vector<std::pair<int, int>>{
             {70, 70}, {150, 134}, {108, 84}, {110, 109}, {109, 109}, {400, 400}, {383, 359}, {85, 84}}) {
        w().setHeight(asked);
        EXPECT_EQ(w().height(), kept) << "resized to " << asked;
    }
    // The first window stands on a screen too short for the next card line.
    newGame();
    for (int i = 0; i < 5; ++i)
        dealNext();
    EXPECT_EQ(std::pair(w().height(), w().minHeight()), std::pair(209, 209)) << "six rows fit the window as it opens";
    w().host()->setMaximumHeight(w().host()->height() + 11);
    std::vector<int> heights;
    bool shownEarly = false;  // the new card, before the window has room for it
    OnResize recorder(w(), [&] {
        if (w().autoResize)
            heights.push_back(w().height()), shownEarly |= view(1, 6).visible();
    });
    dealNext();
    EXPECT_EQ(std::tuple(heights, shownEarly, counter(), w().autoResize),
              std::tuple(std::vector<int>{211, 213, 215, 217, 219, 220}, false, "24", false)) << "the deal goes on";
}
