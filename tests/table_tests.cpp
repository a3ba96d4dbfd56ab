// The table: new game and shuffle, dealing and its pacing, the stamp,
// card faces, the window's height rules and the play limit.

#include "table_support.h"

#include "framework/picture.h"
#include "table/stamp.h"

#include <QTimer>

#include <cmath>
#include <map>

namespace {

// Every card of the fixed order, "a2" .. "d14".
Codes fixedOrder() { return codes(orderedCards()); }

Codes without(Codes list, const Codes& gone)
{
    for (const std::string& c : gone)
        list.erase(std::find(list.begin(), list.end(), c));
    return list;
}

// Records the window's height at every resize, and what else a test asks.
class ResizeRecorder : public QObject {
public:
    ResizeRecorder(fw::Window& window, std::function<void()> also = {}) : window_(window), also_(std::move(also))
    {
        window.host()->installEventFilter(this);
    }
    ~ResizeRecorder() override
    {
        if (window_.host())
            window_.host()->removeEventFilter(this);
    }
    std::vector<int> heights;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) {
            heights.push_back(window_.height());
            if (also_)
                also_();
        }
        return false;
    }

private:
    fw::Window& window_;
    std::function<void()> also_;
};

// Runs a check on every pass of a waiting loop (each pass handles events).
class EveryPass {
public:
    explicit EveryPass(std::function<void()> check)
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, check);
        timer_.start();
    }

private:
    QTimer timer_;
};

}  // namespace

// ---------------------------------------------------------------- new game and shuffle

TEST_F(TableTest, RndAlwaysZeroKeepsTheFixedOrderAndTheRuleMovesD2ToTheTop)
{
    sys.fallback = [] { return 0.0; };
    newGame();

    EXPECT_EQ(piles(), (std::array<Codes, 4>{Codes{"d2"}, Codes{"d14"}, Codes{"c14"}, Codes{"b14"}}));
    // d2 went from position 4 to the top; a3 now closes the deck's last deal.
    Codes expected = without(fixedOrder(), {"d2", "d14", "c14", "b14"});
    EXPECT_EQ(codes(w().deck), expected);
    EXPECT_EQ(codes(w().deck)[3], "a3");
}

TEST_F(TableTest, RndJustBelowOneReversesTheOrderAndTheRuleMovesA14ToTheTop)
{
    sys.fallback = [] { return std::nextafter(1.0, 0.0); };
    newGame();

    EXPECT_EQ(piles(), (std::array<Codes, 4>{Codes{"a14"}, Codes{"a2"}, Codes{"b2"}, Codes{"c2"}}));
    Codes reversed = fixedOrder();
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(codes(w().deck), without(reversed, {"a14", "a2", "b2", "c2"}));
    EXPECT_EQ(codes(w().deck)[3], "d13");
}

TEST_F(TableTest, FourSuitRuleMakesThirteenMovesWhenTheFourthSuitFillsPositionsFourToSixteen)
{
    Codes deck{"a2", "b2", "c2"};
    for (int r = 2; r <= 14; ++r)
        deck.push_back(code('d', r));
    deck.push_back("a3");
    const Codes rest = without(fixedOrder(), deck);
    deck.insert(deck.end(), rest.begin(), rest.end());

    CardList list{QString()};
    for (const std::string& c : deck)
        list.push_back(QString::fromStdString(c));
    EXPECT_EQ(applyFourSuitRule(list), 13);

    layDeck(deck);
    newGame();
    // The spades went to the top one by one, d2 first, so d14 is dealt first.
    EXPECT_EQ(piles(), (std::array<Codes, 4>{Codes{"d14"}, Codes{"d13"}, Codes{"d12"}, Codes{"d11"}}));
    Codes expected{"a2", "b2", "c2", "a3"};
    expected.insert(expected.end(), rest.begin(), rest.end());
    for (int r = 2; r <= 10; ++r)
        expected.push_back(code('d', r));
    EXPECT_EQ(codes(w().deck), expected);
}

TEST_F(TableTest, NewGameDuringAGameStartsAfreshWithOneCardOnEachPile)
{
    newGame();
    for (int i = 0; i < 3; ++i)
        dealNext();
    w().antalFusk = 5;
    w().numFaults = 3;
    ASSERT_EQ(cardsOnTable(), 16);

    sys.fallback = [] { return std::nextafter(1.0, 0.0); };
    newGame();

    EXPECT_EQ(cardCount(w().deck), 48);
    EXPECT_EQ(piles(), (std::array<Codes, 4>{Codes{"a14"}, Codes{"a2"}, Codes{"b2"}, Codes{"c2"}}));
    EXPECT_EQ(counter(), "48");
    EXPECT_EQ(w().antalFusk, 0);
    EXPECT_EQ(w().numFaults, 0);
    const std::vector<int> onlyFirst{0};
    EXPECT_EQ(shownViews(), (std::array<std::vector<int>, 4>{onlyFirst, onlyFirst, onlyFirst, onlyFirst}));
    EXPECT_TRUE(newGameButton().enabled());
    EXPECT_FALSE(newGameButton().isDefault());
    EXPECT_TRUE(dealButton().enabled());
    EXPECT_TRUE(dealButton().hasFocus());
    EXPECT_EQ(w().defaultButton(), &dealButton());
}

TEST_F(TableTest, PlayLimitCountsGamesStartedAndThePressAfterTheLastQuits)
{
    catalogue.entries[QStringLiteral("Quit")] = QStringLiteral("Avsluta");
    text::setCatalogue(&catalogue);
    w().timesLeft = 1;

    newGame();
    EXPECT_EQ(w().timesLeft, 0);
    EXPECT_EQ(counter(), "48") << "the last game the limit allows is played";
    EXPECT_EQ(str(newGameButton().caption()), "Avsluta");
    EXPECT_FALSE(fw::Application::instance().quitting());

    w().spelaLjud = true;
    sys.played.clear();
    int draws = 0;
    sys.fallback = [&] {
        ++draws;
        return 0.0;
    };
    newGame();
    EXPECT_TRUE(fw::Application::instance().quitting());
    EXPECT_EQ(playWin::openInstance(), nullptr);
    EXPECT_EQ(draws, 0) << "the quit stops the new game at once";
    EXPECT_TRUE(sys.played.empty());
}

TEST_F(TableTest, NoPlayLimitLeavesTheLimitAndTheCaptionAlone)
{
    catalogue.entries[QStringLiteral("Quit")] = QStringLiteral("Avsluta");
    text::setCatalogue(&catalogue);
    const std::string caption = str(newGameButton().caption());
    for (int i = 0; i < 3; ++i)
        newGame();
    EXPECT_EQ(w().timesLeft, -1);
    EXPECT_EQ(str(newGameButton().caption()), caption);
    EXPECT_FALSE(fw::Application::instance().quitting());
}

TEST_F(TableTest, CtrlNWithTheLimitUsedUpQuitsAndTheKeyHandlerStopsThere)
{
    w().timesLeft = 0;
    type(Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(fw::Application::instance().quitting());
    EXPECT_EQ(playWin::openInstance(), nullptr);
    EXPECT_TRUE(sys.messages.empty()) << "no error may follow the quit";
}

// ---------------------------------------------------------------- dealing

TEST_F(TableTest, CounterStepsFrom52ToZeroOverThirteenDealsAndTheNextDealEndsTheGame)
{
    newGame();
    std::vector<std::string> counts{counter()};
    std::vector<int> minHeights{w().minHeight()};
    for (int i = 2; i <= 13; ++i) {
        dealNext();
        counts.push_back(counter());
        minHeights.push_back(w().minHeight());
    }
    EXPECT_EQ(counts, (std::vector<std::string>{"48", "44", "40", "36", "32", "28", "24", "20", "16", "12", "8",
                                                "4", "0"}));
    // The minimum height follows the longest pile: 1, 6 and 13 cards.
    EXPECT_EQ(minHeights[0], 84);
    EXPECT_EQ(minHeights[5], 209);
    EXPECT_EQ(minHeights[12], 384);
    EXPECT_EQ(w().height(), 384);
    EXPECT_EQ(cardCount(w().deck), 0);
    EXPECT_EQ(dialog(), nullptr);

    const int stamp = w().minSec;
    dealNext();
    ASSERT_NE(dialog(), nullptr) << "a deal on an empty deck ends the game";
    EXPECT_EQ(counter(), "0");
    EXPECT_EQ(cardsOnTable(), 52);
    EXPECT_EQ(w().minSec, stamp) << "a lost game stores no stamp";
}

TEST_F(TableTest, DealWithinTheSameStampDoesNothing)
{
    sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(10, 1, 25)));
    newGame();
    EXPECT_EQ(w().minSec, 125);

    // Minute 12 second 5 of another hour makes the same stamp.
    sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(11, 12, 5)));
    dealButton().push();
    EXPECT_EQ(counter(), "48");
    EXPECT_EQ(cardCount(w().deck), 48);
    EXPECT_TRUE(sys.played.empty());

    sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(11, 12, 6)));
    dealButton().push();
    EXPECT_EQ(counter(), "44");
    EXPECT_EQ(w().minSec, 126);

    dealButton().push();
    EXPECT_EQ(counter(), "44") << "a second Deal in the same second";
}

TEST_F(TableTest, TheStampIsMinuteThenSecondWithoutLeadingZeros)
{
    const std::map<std::pair<int, int>, int> cases{{{12, 5}, 125}, {{1, 25}, 125}, {{9, 7}, 97}, {{0, 0}, 0},
                                                   {{59, 59}, 5959}, {{0, 10}, 10}, {{10, 0}, 100}};
    for (const auto& [time, stamp] : cases) {
        sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(7, time.first, time.second)));
        EXPECT_EQ(minuteSecondStamp(fw::Date()), stamp) << "at minute " << time.first << " second " << time.second;
    }
}

TEST_F(TableTest, FirstDealOfANewGameIgnoresTheStamp)
{
    newGame();
    sys.fallback = [] { return std::nextafter(1.0, 0.0); };
    w().minSec = minuteSecondStamp(fw::Date());
    newGame();
    EXPECT_EQ(counter(), "48");
    EXPECT_EQ(codes(w().row1cards), Codes{"a14"});
    dealButton().push();
    EXPECT_EQ(counter(), "48") << "Deal right after it, in the same second";
}

TEST_F(TableTest, WithSoundsOffTheFourCardsComeTwelveTicksApart)
{
    newGame();
    sys.advanceSeconds(1);
    const std::int64_t start = sys.ticks();
    std::map<int, std::int64_t> firstShown;
    std::map<std::string, std::int64_t> firstCount;
    EveryPass watch([&] {
        int shown = 0;
        for (int p = 1; p <= 4; ++p)
            shown += view(p, 1).visible() ? 1 : 0;
        firstShown.try_emplace(shown, sys.ticks() - start);
        firstCount.try_emplace(counter(), sys.ticks() - start);
    });
    dealButton().push();

    EXPECT_EQ(firstShown, (std::map<int, std::int64_t>{{1, 0}, {2, 12}, {3, 24}, {4, 36}}));
    EXPECT_EQ(firstCount, (std::map<std::string, std::int64_t>{{"48", 0}, {"47", 12}, {"46", 24}, {"45", 36}}));
    EXPECT_EQ(sys.ticks() - start, 48);
    EXPECT_EQ(counter(), "44");
    EXPECT_TRUE(sys.played.empty());
    EXPECT_EQ(sys.beeps, 0);
}

TEST_F(TableTest, WithSoundsOnEachCardWaitsForTheDealSound)
{
    w().spelaLjud = true;
    sys.soundSeconds = 0.5;  // 30 ticks
    std::int64_t shuffledAt = -1;
    sys.fallback = [&] {
        if (shuffledAt < 0)
            shuffledAt = sys.ticks();
        return 0.0;
    };
    newGame();

    std::vector<std::tuple<int, int, std::int64_t>> played;
    for (const fw::PlayedSound& s : sys.played)
        played.emplace_back(s.number, s.volume, s.tick);
    EXPECT_EQ(played, (std::vector<std::tuple<int, int, std::int64_t>>{
                          {res::shuffleSoundNumber, 75, 0},
                          {res::dealSoundNumber, 75, 30},
                          {res::dealSoundNumber, 75, 60},
                          {res::dealSoundNumber, 75, 90},
                          {res::dealSoundNumber, 75, 120}}));
    EXPECT_EQ(shuffledAt, 0) << "the shuffle runs while the sound plays";
    EXPECT_EQ(counter(), "48");
}

TEST_F(TableTest, ShuffleSoundPlaysTwiceWithAltHeldAndTheShuffleWaitsForTheFirst)
{
    w().spelaLjud = true;
    sys.soundSeconds = 0.5;
    sys.modifiers_.option = true;
    std::int64_t shuffledAt = -1;
    sys.fallback = [&] {
        if (shuffledAt < 0)
            shuffledAt = sys.ticks();
        return 0.0;
    };
    newGame();

    std::vector<std::pair<int, std::int64_t>> played;
    for (const fw::PlayedSound& s : sys.played)
        played.emplace_back(s.number, s.tick);
    EXPECT_EQ(played, (std::vector<std::pair<int, std::int64_t>>{{res::shuffleSoundNumber, 0},
                                                                 {res::shuffleSoundNumber, 30},
                                                                 {res::dealSoundNumber, 60},
                                                                 {res::dealSoundNumber, 90},
                                                                 {res::dealSoundNumber, 120},
                                                                 {res::dealSoundNumber, 150}}));
    EXPECT_EQ(shuffledAt, 30);
}

TEST_F(TableTest, WithSoundsOffAltMakesNoSoundAndNoWait)
{
    sys.modifiers_.option = true;
    newGame();
    EXPECT_TRUE(sys.played.empty());
    EXPECT_EQ(sys.ticks(), 48) << "only the four pauses of the first deal";
}

TEST_F(TableTest, MissingDealSoundStillPacesTheCards)
{
    w().spelaLjud = true;
    sys.missingSounds = {res::dealSoundNumber, res::shuffleSoundNumber};
    newGame();
    EXPECT_EQ(counter(), "48");
    EXPECT_EQ(sys.ticks(), 48);
}

TEST_F(TableTest, DealAskedForWhileADealIsDrawnIsDropped)
{
    newGame();
    bool pressed = false;
    EveryPass watch([&] {
        if (!pressed && counter() == "47") {
            pressed = true;
            sys.advanceSeconds(1);
            dealButton().push();
        }
    });
    dealNext();

    ASSERT_TRUE(pressed);
    EXPECT_EQ(counter(), "44");
    EXPECT_EQ(cardCount(w().deck), 44);
    const std::vector<int> two{0, 1};
    EXPECT_EQ(shownViews(), (std::array<std::vector<int>, 4>{two, two, two, two}));
}

TEST_F(TableTest, NewGameDuringADealLeavesOnlyTheNewGamesFirstDeal)
{
    newGame();
    bool pressed = false;
    EveryPass watch([&] {
        if (!pressed && counter() == "46") {
            pressed = true;
            sys.fallback = [] { return std::nextafter(1.0, 0.0); };
            newGame();
        }
    });
    dealNext();

    ASSERT_TRUE(pressed);
    EXPECT_EQ(piles(), (std::array<Codes, 4>{Codes{"a14"}, Codes{"a2"}, Codes{"b2"}, Codes{"c2"}}));
    EXPECT_EQ(counter(), "48");
    const std::vector<int> first{0};
    EXPECT_EQ(shownViews(), (std::array<std::vector<int>, 4>{first, first, first, first}));
}

// ---------------------------------------------------------------- card faces

namespace {

struct Ink {
    int left = 1000, right = -1, top = 1000, bottom = -1;
};

// Where a face differs from the blank card by dark pixels, from a row down.
Ink inkIn(const QImage& face, const fw::Picture& blank, int fromRow)
{
    Ink ink;
    for (int y = fromRow; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (face.pixel(x, y) != blank.image().pixel(x, y) && qGray(face.pixel(x, y)) < 160) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

}  // namespace

TEST_F(TableTest, CardFaceShowsTheSuitAtTopCentreAndTheLabelCentredOnBaseline30)
{
    struct Case {
        const char* suit;
        const char* rank;
        const char* tag;
    };
    const Case cases[] = {{"d", "14", "Ace of spades"},
                          {"b", "2", "Two of diamonds"},
                          {"c", "10", "Ten of hearts"},
                          {"a", "13", "King of clubs"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.suit) + c.rank);
        fw::Canvas& v = view(2, 3);
        v.setVisible(false);
        w().getCard(v, QString::fromLatin1(c.suit), QString::fromLatin1(c.rank));
        EXPECT_TRUE(v.visible());
        EXPECT_EQ(str(v.helpTag()), c.tag);
        const QImage face = v.backdrop();
        ASSERT_EQ(face.size(), QSize(25, 34));

        // The suit symbol, 16 wide, at x = 12.5 - 8 truncated to 4, y = 4.
        const fw::Picture* symbol = w().getSuit(QString::fromLatin1(c.suit));
        ASSERT_NE(symbol, nullptr);
        int compared = 0;
        for (int y = 0; y < symbol->height(); ++y)
            for (int x = 0; x < symbol->width(); ++x) {
                const QRgb s = symbol->image().pixel(x, y);
                if ((s & 0xFFFFFF) == 0xFFFFFF)
                    continue;
                ++compared;
                EXPECT_EQ(face.pixel(4 + x, 4 + y) & 0xFFFFFF, s & 0xFFFFFF) << "symbol pixel " << x << "," << y;
            }
        EXPECT_GT(compared, 20);

        // The label: centred by its own width, standing on row 30.
        const Ink ink = inkIn(face, *res::card(), 20);
        ASSERT_GE(ink.right, ink.left) << "no label drawn";
        EXPECT_NEAR((ink.left + ink.right) / 2.0, 12.0, 1.5) << "label from " << ink.left << " to " << ink.right;
        EXPECT_GE(ink.bottom, 28);
        EXPECT_LE(ink.bottom, 30);
    }
}

TEST_F(TableTest, FaceLabelsAndHelpTagWordsComeFromTheLookup)
{
    catalogue.entries[QStringLiteral("A")] = QStringLiteral("E");
    catalogue.entries[QStringLiteral("spades")] = QStringLiteral("spader");
    catalogue.entries[QStringLiteral("%1 of %2")] = QStringLiteral("%2 %1");
    catalogue.entries[QStringLiteral("One,Two,Three,Four,Five,Six,Seven,Eight,Nine,Ten,Jack,Queen,King,Ace")] =
        QStringLiteral("Ett,Två,Tre,Fyra,Fem,Sex,Sju,Åtta,Nio,Tio,Knekt,Dam,Kung,Ess");
    text::setCatalogue(&catalogue);

    EXPECT_EQ(str(w().getRank(QStringLiteral("14"))), "E");
    EXPECT_EQ(str(w().getRank(QStringLiteral("10"))), "10");
    EXPECT_EQ(str(w().getRSuit(QStringLiteral("x"))), "");
    EXPECT_EQ(w().getSuit(QStringLiteral("x")), nullptr);
    w().getCard(view(1, 0), QStringLiteral("d"), QStringLiteral("14"));
    EXPECT_EQ(view(1, 0).helpTag().toUtf8().toStdString(), "spader Ess");
}

TEST_F(TableTest, HelpTagsOffLeaveTheTagAsItWas)
{
    w().helpTxt = false;
    fw::Canvas& v = view(3, 0);
    v.setHelpTag(QStringLiteral("left over"));
    v.setVisible(false);
    w().getCard(v, QStringLiteral("c"), QStringLiteral("9"));
    EXPECT_TRUE(v.visible());
    EXPECT_TRUE(v.hasBackdrop());
    EXPECT_EQ(str(v.helpTag()), "left over");
}

// ---------------------------------------------------------------- height rules

TEST_F(TableTest, UserResizeSnapsToTheCardLineAbove)
{
    EXPECT_EQ(w().minHeight(), 64);
    const std::vector<std::pair<int, int>> cases{{70, 70},   {150, 134}, {108, 84},  {110, 109}, {109, 109},
                                                 {384, 384}, {400, 400}, {383, 359}, {85, 84},   {209, 209}};
    for (const auto& [asked, kept] : cases) {
        w().setHeight(asked);
        EXPECT_EQ(w().height(), kept) << "resized to " << asked;
    }
}

TEST_F(TableTest, CardOnRowSixOfA209HighWindowGrowsItInTwoPixelStepsBeforeItShows)
{
    newGame();
    for (int i = 0; i < 5; ++i)
        dealNext();
    ASSERT_EQ(w().height(), 209);
    std::vector<bool> shownWhileGrowing;
    ResizeRecorder recorder(w(), [&] { shownWhileGrowing.push_back(view(1, 6).visible()); });
    dealNext();

    std::vector<int> expected;
    for (int h = 211; h <= 233; h += 2)
        expected.push_back(h);
    expected.push_back(234);
    EXPECT_EQ(recorder.heights, expected);
    EXPECT_EQ(std::count(shownWhileGrowing.begin(), shownWhileGrowing.end(), true), 0)
        << "the card shows only once the window has room for it";
    EXPECT_EQ(w().height(), 234);
    EXPECT_EQ(w().minHeight(), 234);
}

TEST_F(TableTest, CardAboveTheBottomEdgeLeavesTheHeightAlone)
{
    newGame();
    ResizeRecorder recorder(w());
    dealNext();
    dealNext();
    EXPECT_TRUE(recorder.heights.empty());
    EXPECT_EQ(w().height(), 209);
}

TEST_F(TableTest, GrowthEndsWhenTheWindowSystemRefusesTheHeight)
{
    newGame();
    for (int i = 0; i < 5; ++i)
        dealNext();
    // A screen too short for the next card line.
    w().host()->setMaximumHeight(w().host()->height() + 11);
    std::vector<int> grown;
    ResizeRecorder recorder(w(), [&] {
        if (w().autoResize)
            grown.push_back(w().height());
    });
    dealNext();
    EXPECT_EQ(grown, (std::vector<int>{211, 213, 215, 217, 219, 220}));
    EXPECT_EQ(counter(), "24") << "the deal went on after the window stopped growing";
    EXPECT_FALSE(w().autoResize);
}

TEST_F(TableTest, MinimumHeightFollowsTheLongestPileDownAsCardsGo)
{
    newGame();
    for (int i = 0; i < 6; ++i)
        dealNext();
    ASSERT_EQ(w().minHeight(), 234);
    sys.modifiers_.shift = true;
    click(1);
    sys.modifiers_.shift = false;
    EXPECT_EQ(cardCount(w().row1cards), 6);
    EXPECT_EQ(w().minHeight(), 234) << "piles 2 to 4 still hold seven cards";
    sys.modifiers_.shift = true;
    for (int p = 2; p <= 4; ++p)
        click(p);
    sys.modifiers_.shift = false;
    EXPECT_EQ(w().minHeight(), 209);
    EXPECT_EQ(w().height(), 234) << "the window itself keeps its height";
}
