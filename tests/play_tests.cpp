// Playing: the throwing rules, clicks and keys, the end of a game, the
// end-of-game dialog, and whole games by mouse and by keyboard.

#include "table_support.h"

#include "table/stamp.h"

#include <map>

namespace {

using Piles = std::array<Codes, 4>;

const Qt::Key pileKey[] = {Qt::Key_Q, Qt::Key_W, Qt::Key_E, Qt::Key_R};

struct Sounded {
    int number;
    int volume;
    bool operator==(const Sounded&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Sounded& s) { return os << s.number << "@" << s.volume; }

}  // namespace

class PlayTest : public TableTest {
protected:
    // A game in progress on this table.
    void startOn(const Piles& table, const Codes& deck = {})
    {
        newGame();
        lay(table, deck);
        sys.played.clear();
    }

    std::vector<Sounded> sounds()
    {
        std::vector<Sounded> out;
        for (const fw::PlayedSound& s : sys.played)
            out.push_back({s.number, s.volume});
        return out;
    }

    // Every pile shows exactly its cards, on views 0 to count - 1.
    void expectViewsMatchPiles()
    {
        for (int p = 1; p <= 4; ++p) {
            std::vector<int> expected;
            for (int i = 0; i < cardCount(w().pile(p)); ++i)
                expected.push_back(i);
            EXPECT_EQ(shownViews()[p - 1], expected) << "views of pile " << p;
        }
    }

    std::string line(const char* name) { return str(dialog()->staticText(QString::fromLatin1(name)).text()); }
    bool cancelOffered() { return dialog()->pushButton(QStringLiteral("cancelBtn")).visible(); }
    std::string okCaption() { return str(dialog()->pushButton(QStringLiteral("okBtn")).caption()); }
    QRgb iconPixel() { return dialog()->canvas(QStringLiteral("noteIcn")).backdrop().pixel(64, 64) & 0xFFFFFF; }
    static QRgb pictureAt(const fw::Picture* p) { return p->image().pixel(64, 64) & 0xFFFFFF; }

    void lookUpQuit()
    {
        catalogue.entries[QStringLiteral("Quit")] = QStringLiteral("Avsluta");
        text::setCatalogue(&catalogue);
    }

    void typeInDialog(Qt::Key key) { QTest::keyClick(dialog()->host(), key); }
};

// ---------------------------------------------------------------- the rules

TEST_F(PlayTest, RulesDecideInTheirOrderEachWithItsSound)
{
    struct Case {
        const char* what;
        Piles before;
        Codes deck;
        int pile;
        bool shift, option, topBeats;
        Piles after;
        int cheats, faults;
        std::vector<Sounded> sounds;
    };
    const Sounded throwSound{res::ploppSoundNumber, 30};
    const Sounded moveSound{res::ploppSoundNumber, 10};
    const Sounded faultSound{res::errSoundNumber, 40};
    const Codes rest{"a3", "a4", "a5", "a6"};
    const std::vector<Case> cases{
        {"cheat with Shift comes before a fair throw", {Codes{"d5", "c7"}, {"c13"}, {"a2"}, {"b3"}}, rest, 1, true,
         false, false, {Codes{"d5"}, {"c13"}, {"a2"}, {"b3"}}, 1, 0, {}},
        {"cheat with Alt", {Codes{"d5", "c7"}, {"a13"}, {"a2"}, {"b3"}}, rest, 1, false, true, false,
         {Codes{"d5"}, {"a13"}, {"a2"}, {"b3"}}, 1, 0, {}},
        {"no cheat on an ace: it moves", {Codes{"d5", "c14"}, {"c13"}, {"a2"}, {}}, rest, 1, true, false, false,
         {Codes{"d5"}, {"c13"}, {"a2"}, {"c14"}}, 0, 0, {moveSound}},
        {"no cheat on an ace: a fault", {Codes{"d5", "c14"}, {"c13"}, {"a2"}, {"b3"}}, rest, 1, true, false, false,
         {Codes{"d5", "c14"}, {"c13"}, {"a2"}, {"b3"}}, 0, 1, {faultSound}},
        {"no cheat in the end position: the ace moves", {Codes{"a14", "b14"}, {"c14"}, {"d14"}, {}}, {}, 1, true,
         false, false, {Codes{"a14"}, {"c14"}, {"d14"}, {"b14"}}, 0, 0, {moveSound}},
        {"no cheat in the end position, even on another card", {Codes{"a14", "c5"}, {"b14"}, {"d14"}, {}}, {}, 1,
         true, false, false, {Codes{"a14"}, {"b14"}, {"d14"}, {"c5"}}, 0, 0, {moveSound}},
        {"one ace on each pile: a fault, Shift or not", {Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}}, {}, 2, true,
         false, false, {Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}}, 0, 1, {faultSound}},
        {"throw by a higher card of the suit", {Codes{"c7"}, {"c13"}, {"a2"}, {"b3"}}, rest, 1, false, false, false,
         {Codes{}, {"c13"}, {"a2"}, {"b3"}}, 0, 0, {throwSound}},
        {"a lower card of the suit or a higher one of another suit throws nothing",
         {Codes{"c7"}, {"c5"}, {"d13"}, {"a9"}}, rest, 1, false, false, false, {Codes{"c7"}, {"c5"}, {"d13"}, {"a9"}},
         0, 1, {faultSound}},
        {"a higher card beneath another pile's top throws nothing", {Codes{"c7"}, {"c13", "a2"}, {"d4"}, {"b5"}},
         rest, 1, false, false, false, {Codes{"c7"}, {"c13", "a2"}, {"d4"}, {"b5"}}, 0, 1, {faultSound}},
        {"a throw comes before a move", {Codes{"c7"}, {"c13"}, {}, {}}, rest, 1, false, false, false,
         {Codes{}, {"c13"}, {}, {}}, 0, 0, {throwSound}},
        {"variant rule: the card beneath beats it", {Codes{"c9", "c5"}, {"a2"}, {"b3"}, {"d4"}}, rest, 1, false,
         false, true, {Codes{"c9"}, {"a2"}, {"b3"}, {"d4"}}, 0, 0, {throwSound}},
        {"variant rule wants the same suit", {Codes{"d9", "c5"}, {"a2"}, {"b3"}, {"d4"}}, rest, 1, false, false,
         true, {Codes{"d9", "c5"}, {"a2"}, {"b3"}, {"d4"}}, 0, 1, {faultSound}},
        {"variant rule off", {Codes{"c9", "c5"}, {"a2"}, {"b3"}, {"d4"}}, rest, 1, false, false, false,
         {Codes{"c9", "c5"}, {"a2"}, {"b3"}, {"d4"}}, 0, 1, {faultSound}},
        {"move into the first empty pile", {Codes{"c7"}, {}, {"d5", "a9"}, {}}, rest, 3, false, false, false,
         {Codes{"c7"}, {"a9"}, {"d5"}, {}}, 0, 0, {moveSound}},
        {"a lone card moves too", {Codes{"a9"}, {"d5"}, {}, {"b2"}}, rest, 1, false, false, false,
         {Codes{}, {"d5"}, {"a9"}, {"b2"}}, 0, 0, {moveSound}},
        {"an empty pile decides nothing", {Codes{}, {"d5"}, {"c3"}, {"b2"}}, rest, 1, true, false, false,
         {Codes{}, {"d5"}, {"c3"}, {"b2"}}, 0, 0, {}},
    };
    for (const bool soundsOn : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (soundsOn ? ", sounds on" : ", sounds off"));
            startOn(c.before, c.deck);
            w().spelaLjud = soundsOn;
            w().topBeats = c.topBeats;
            sys.modifiers_.shift = c.shift;
            sys.modifiers_.option = c.option;
            Qt::KeyboardModifiers mods;
            if (c.shift)
                mods |= Qt::ShiftModifier;
            if (c.option)
                mods |= Qt::AltModifier;
            type(pileKey[c.pile - 1], mods);
            sys.modifiers_ = {};

            EXPECT_EQ(piles(), c.after);
            EXPECT_EQ(w().antalFusk, c.cheats);
            EXPECT_EQ(w().numFaults, c.faults);
            EXPECT_EQ(sounds(), soundsOn ? c.sounds : std::vector<Sounded>{});
            EXPECT_EQ(sys.beeps, 0);
            expectViewsMatchPiles();
        }
    }
}

TEST_F(PlayTest, MovedCardIsDrawnWithItsHelpTagOnTheFirstPlaceOfItsNewPile)
{
    startOn({Codes{"c7"}, {}, {"d5", "a9"}, {}}, {"a3", "a4", "a5", "a6"});
    type(Qt::Key_E);
    EXPECT_EQ(str(view(2, 0).helpTag()), "Nine of clubs");
    EXPECT_TRUE(view(2, 0).hasBackdrop());
    EXPECT_EQ(str(view(3, 1).helpTag()), "") << "the view a card leaves loses its tag";
}

TEST_F(PlayTest, NoGameInProgressTakesNothingAndMakesNoSound)
{
    w().spelaLjud = true;
    for (const Qt::Key k : pileKey)
        type(k);
    clickAt(view(1, 0), QPoint(12, 10));
    EXPECT_EQ(w().numFaults, 0);
    EXPECT_TRUE(sys.played.empty());

    // After the dialog's OK the cards stay, but nothing can go.
    startOn({Codes{"c7"}, {"c13"}, {"a2"}, {"b3"}});
    dealNext();
    ASSERT_NE(dialog(), nullptr);
    dialog()->pushButton(QStringLiteral("okBtn")).push();
    sys.played.clear();
    sys.beeps = 0;
    click(1);
    type(Qt::Key_Q);
    EXPECT_EQ(codes(w().row1cards), Codes{"c7"});
    EXPECT_EQ(w().numFaults, 0);
    EXPECT_TRUE(sys.played.empty());
}

TEST_F(PlayTest, FaultClickLimitEndsTheGameOnTheClickThatPassesIt)
{
    const Piles stuck{Codes{"c7"}, {"c5"}, {"d13"}, {"a9"}};
    for (const auto& [limit, endingClick] : std::vector<std::pair<int, int>>{{0, 1}, {3, 4}, {-1, 0}, {-5, 0}}) {
        SCOPED_TRACE("maxFaults " + std::to_string(limit));
        startOn(stuck, {"a3", "a4", "a5", "a6"});
        w().maxFaults = limit;
        int endedAt = 0;
        for (int i = 1; i <= 6 && endedAt == 0; ++i) {
            click(1);
            EXPECT_EQ(codes(w().row1cards), Codes{"c7"});
            if (dialog())
                endedAt = i;
        }
        EXPECT_EQ(endedAt, endingClick);
        if (dialog()) {
            EXPECT_EQ(line("status"), "Sorry, too many fault clicks.");
            dialog()->close();
        }
    }
}

TEST_F(PlayTest, EveryFaultClickBeyondTheLimitEndsTheGameAgain)
{
    startOn({Codes{"c7"}, {"c5"}, {"d13"}, {"a9"}}, {"a3", "a4", "a5", "a6"});
    w().maxFaults = 0;
    click(1);
    ASSERT_NE(dialog(), nullptr);
    dialog()->close();
    click(1);
    EXPECT_NE(dialog(), nullptr);
    EXPECT_EQ(w().numFaults, 2);
}

// ---------------------------------------------------------------- clicks

TEST_F(PlayTest, ClickCountsOnlyWhenReleasedStrictlyInsideTheTopCard)
{
    w().spelaLjud = true;
    newGame();  // d2 on pile 1 can go: d14 lies on pile 2
    sys.played.clear();
    fw::Canvas& top = view(1, 0);
    const int wd = top.width();
    const int ht = top.height();
    for (const QPoint at : {QPoint(0, 10), QPoint(10, 0), QPoint(wd, 10), QPoint(10, ht), QPoint(-1, 10)}) {
        clickAt(top, at);
        EXPECT_EQ(codes(w().row1cards), Codes{"d2"}) << "released at " << at.x() << "," << at.y();
    }
    // Pressed on the card, released off it.
    clickAt(top, QPoint(12, 10), QPoint(40, 10));
    clickAt(top, QPoint(12, 10), QPoint(12, -3));
    EXPECT_EQ(codes(w().row1cards), Codes{"d2"});
    EXPECT_EQ(w().numFaults, 0);
    EXPECT_TRUE(sys.played.empty());

    clickAt(top, QPoint(wd - 1, ht - 1));
    EXPECT_EQ(codes(w().row1cards), Codes{});
    EXPECT_FALSE(top.visible());
}

TEST_F(PlayTest, CoveredCardTakesNoClickUntilItIsOnTop)
{
    startOn({Codes{"c5", "c7"}, {"c13"}, {"a2"}, {"b3"}}, {"a3", "a4", "a5", "a6"});
    w().spelaLjud = true;
    clickAt(view(1, 0), QPoint(12, 10));
    EXPECT_EQ(codes(w().row1cards), (Codes{"c5", "c7"}));
    EXPECT_EQ(w().numFaults, 0);
    EXPECT_TRUE(sys.played.empty());

    clickAt(view(1, 1), QPoint(12, 20));
    EXPECT_EQ(codes(w().row1cards), Codes{"c5"});
    clickAt(view(1, 0), QPoint(12, 10));
    EXPECT_EQ(codes(w().row1cards), Codes{});
    expectViewsMatchPiles();
}

// ---------------------------------------------------------------- keys

TEST_F(PlayTest, CtrlNStartsANewGameAndAnswersFalse)
{
    newGame();
    dealNext();
    ASSERT_EQ(counter(), "44");
    type(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(counter(), "48");

    auto& app = fw::Application::instance();
    app.setCommandHeld(true);
    EXPECT_FALSE(w().KeyDown(QStringLiteral("n")));
    app.setCommandHeld(false);

    // "n" alone is no command and, with the default key sets, no pile key.
    dealNext();
    const Piles before = piles();
    EXPECT_FALSE(w().KeyDown(QStringLiteral("n")));
    EXPECT_EQ(piles(), before);
    EXPECT_EQ(w().numFaults, 0);
}

TEST_F(PlayTest, DealKeysStartAGameBetweenGamesAndDealDuringOne)
{
    for (const Qt::Key k : {Qt::Key_Space, Qt::Key_T, Qt::Key_G, Qt::Key_B, Qt::Key_0}) {
        SCOPED_TRACE(QKeySequence(k).toString().toStdString());  // QTest::toString would leak its copy
        sys.advanceSeconds(1);
        type(k);
        EXPECT_EQ(counter(), "48") << "between games the key starts one";
        sys.advanceSeconds(1);
        type(k);
        EXPECT_EQ(counter(), "44") << "during a game the key deals";
        type(k);
        EXPECT_EQ(counter(), "44") << "again within the same second";
        EXPECT_EQ(w().numFaults, 0);

        // End the game and hand the table back.
        w().deck.assign(1, QString());
        dealNext();
        ASSERT_NE(dialog(), nullptr);
        dialog()->pushButton(QStringLiteral("okBtn")).push();
    }
}

TEST_F(PlayTest, DealKeyAnswersTrueOnlyWhenTheStampAllowsIt)
{
    newGame();
    EXPECT_FALSE(w().KeyDown(QStringLiteral(" "))) << "same second as the first deal";
    EXPECT_EQ(counter(), "48");
    sys.advanceSeconds(1);
    EXPECT_TRUE(w().KeyDown(QStringLiteral(" ")));
    EXPECT_EQ(counter(), "44");
}

TEST_F(PlayTest, DealKeyWithinTheSameSecondFallsThroughToThePileKeys)
{
    newGame();
    w().playKeys[0] = QStringLiteral("tgb 0q");
    // d2 on pile 1 can go; the deal key "q" is refused by the stamp.
    type(Qt::Key_Q);
    EXPECT_EQ(codes(w().row1cards), Codes{});
    EXPECT_EQ(counter(), "48");
}

TEST_F(PlayTest, PileKeysAskThePilesInOrderAndStopAtTheFirstCardThatGoes)
{
    startOn({Codes{"b10"}, {"c7"}, {"c13"}, {"b2"}}, {"a3", "a4", "a5", "a6"});
    w().playKeys[2] = QStringLiteral("wsx2k");
    w().playKeys[4] = QStringLiteral("rfv4k");
    type(Qt::Key_K);
    EXPECT_EQ(piles(), (Piles{Codes{"b10"}, {}, {"c13"}, {"b2"}}));
    type(Qt::Key_K);
    EXPECT_EQ(piles(), (Piles{Codes{"b10"}, {}, {"c13"}, {}})) << "pile 2 is empty now, so pile 4 is asked";
    EXPECT_EQ(w().numFaults, 0);
}

TEST_F(PlayTest, SharedKeyAsksSeveralPilesEachRefusalAFaultClick)
{
    startOn({Codes{"a9"}, {"c13"}, {"c7"}, {"d4"}}, {"a3", "a4", "a5", "a6"});
    w().spelaLjud = true;
    w().playKeys[1] = QStringLiteral("qaz1k");
    w().playKeys[3] = QStringLiteral("edc3k");
    type(Qt::Key_K);
    EXPECT_EQ(piles(), (Piles{Codes{"a9"}, {"c13"}, {}, {"d4"}}));
    EXPECT_EQ(w().numFaults, 1);
    EXPECT_EQ(sounds(), (std::vector<Sounded>{{res::errSoundNumber, 40}, {res::ploppSoundNumber, 30}}));
}

TEST_F(PlayTest, ErrorWhileAKeyIsHandledIsReportedAndTheGameGoesOn)
{
    catalogue.entries[QStringLiteral("An unexpected error occured")] = QStringLiteral("Ett oväntat fel inträffade");
    text::setCatalogue(&catalogue);
    startOn({Codes{"a9"}, {"c13"}, {"c7"}, {"d4"}}, {"a3", "a4", "a5", "a6"});
    // Key sets cut short: the key is looked for in a set that is not there.
    w().playKeys = {QStringLiteral("tgb 0"), QStringLiteral("x")};
    EXPECT_FALSE(w().KeyDown(QStringLiteral("x")));
    EXPECT_EQ(sys.messages, (std::vector<QString>{QStringLiteral("Ett oväntat fel inträffade.")}));
    EXPECT_EQ(w().numFaults, 1) << "what was done before the error stays done";
    EXPECT_FALSE(fw::Application::instance().quitting());

    click(3);
    EXPECT_EQ(codes(w().row3cards), Codes{}) << "the game goes on";
}

TEST_F(PlayTest, ErrorInAButtonPushedByAKeyIsTheKeyHandlersToReport)
{
    startOn({Codes{"a9"}, {"c13"}, {"c7"}, {"d4"}}, {"a3", "a4", "a5", "a6"});
    // A pile one card past its thirteen views: the next deal has nowhere
    // to draw its first card.
    for (const char* extra : {"b2", "b3", "b4", "b5", "b6", "b7", "b8", "b9", "b10", "b11", "b12", "b13"})
        w().row1cards.push_back(QString::fromLatin1(extra));
    sys.advanceSeconds(1);
    type(Qt::Key_Space);
    EXPECT_EQ(sys.messages, (std::vector<QString>{QStringLiteral("An unexpected error occured.")}));
    EXPECT_FALSE(fw::Application::instance().quitting()) << "the game goes on";
}

// ---------------------------------------------------------------- end of game

TEST_F(PlayTest, LostGameShowsTheTriesLeftLineCancelAndTheNoteIcon)
{
    lookUpQuit();
    struct Case {
        int timesLeft;
        const char* second;
        const char* ok;
    };
    const Case cases[] = {{-1, "", "OK"},
                          {0, "", "Avsluta"},
                          {1, "Last try\u2026", "OK"},
                          {2, "Two tries left.", "OK"},
                          {8, "Eight tries left.", "OK"},
                          {9, "Nine tries left.", "OK"}};
    for (const Case& c : cases) {
        SCOPED_TRACE("timesLeft " + std::to_string(c.timesLeft));
        w().timesLeft = -1;
        startOn({Codes{"a14", "c7"}, {"b14"}, {"c14"}, {"d14"}});
        w().spelaLjud = true;
        w().timesLeft = c.timesLeft;
        sys.beeps = 0;
        const int stamp = w().minSec;
        dealNext();
        ASSERT_NE(dialog(), nullptr);
        EXPECT_EQ(line("status"), "The deck is empty.");
        EXPECT_EQ(line("status2"), c.second);
        EXPECT_TRUE(cancelOffered());
        EXPECT_EQ(okCaption(), c.ok);
        EXPECT_EQ(iconPixel(), pictureAt(res::note()));
        EXPECT_EQ(sys.beeps, 1);
        EXPECT_TRUE(sys.played.empty());
        EXPECT_EQ(w().timesLeft, c.timesLeft);
        EXPECT_EQ(w().minSec, stamp);
        EXPECT_TRUE(dealButton().enabled()) << "the cards can still be played";
        dialog()->close();
    }
}

TEST_F(PlayTest, FaultLimitPassedDecidesBeforeAWin)
{
    startOn({Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}});
    w().spelaLjud = true;
    w().maxFaults = 2;
    w().numFaults = 3;
    w().timesLeft = 2;
    dealNext();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(line("status"), "Sorry, too many fault clicks.");
    EXPECT_EQ(line("status2"), "Two tries left.");
    EXPECT_FALSE(cancelOffered());
    EXPECT_EQ(iconPixel(), pictureAt(res::note()));
    EXPECT_EQ(sys.beeps, 1);
}

TEST_F(PlayTest, WinReportsTheCheatsWithItsSound)
{
    struct Case {
        int cheats;
        const char* second;
        int beeps;
        std::vector<Sounded> played;
    };
    const Case cases[] = {
        {0, "You won, congratulations!", 0, {{res::funkymacSoundNumber, 40}}},
        {1, "You won,\rbut you cheated once.", 1, {}},
        {3, "You won,\rbut you cheated 3 times.", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cheats) + " cheats");
        Codes first{"a14"};
        for (int i = 0; i < c.cheats; ++i)
            first.push_back(code('b', 2 + i));
        startOn({first, {"b14"}, {"c14"}, {"d14"}});
        w().spelaLjud = true;
        sys.modifiers_.shift = true;
        for (int i = 0; i < c.cheats; ++i)
            type(Qt::Key_Q, Qt::ShiftModifier);
        sys.modifiers_ = {};
        ASSERT_EQ(w().antalFusk, c.cheats);
        sys.played.clear();
        sys.beeps = 0;

        sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(12, 5, 7)));
        dealButton().push();
        ASSERT_NE(dialog(), nullptr);
        EXPECT_EQ(line("status"), "The deck is empty.");
        EXPECT_EQ(line("status2"), c.second);
        EXPECT_FALSE(cancelOffered());
        EXPECT_EQ(okCaption(), "OK");
        EXPECT_EQ(iconPixel(), pictureAt(res::win()));
        EXPECT_EQ(sys.beeps, c.beeps);
        EXPECT_EQ(sounds(), c.played);
        EXPECT_EQ(w().minSec, 57) << "a win stores the stamp of its moment";
        dialog()->close();
        sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(12, 0, 0)));
    }
}

TEST_F(PlayTest, NoOutcomeSoundsWithSoundsOff)
{
    for (const Piles& end : {Piles{Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}},
                             Piles{Codes{"a14", "c2"}, {"b14"}, {"c14"}, {"d14"}}}) {
        startOn(end);
        dealNext();
        ASSERT_NE(dialog(), nullptr);
        dialog()->close();
    }
    EXPECT_EQ(sys.beeps, 0);
    EXPECT_TRUE(sys.played.empty());
}

TEST_F(PlayTest, EarlyWinVariantEndsOnFourLoneAcesWithCardsLeftInTheDeck)
{
    const Codes deck{"a3", "a4", "a5", "a6"};
    startOn({Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}}, deck);
    w().tidigareSlut = true;
    dealNext();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(line("status"), "The aces are in place.");
    EXPECT_EQ(line("status2"), "You won, congratulations!");
    EXPECT_EQ(codes(w().deck), deck);
    dialog()->close();

    // Aces on top of further cards do not count, nor does the variant off.
    startOn({Codes{"a2", "a14"}, {"b14"}, {"c14"}, {"d14"}}, deck);
    w().tidigareSlut = true;
    dealNext();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(cardCount(w().deck), 0);
    startOn({Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}}, deck);
    w().tidigareSlut = false;
    dealNext();
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(PlayTest, WinUnderQuitIfSuccessUsesUpTheLimitAndOkQuits)
{
    lookUpQuit();
    startOn({Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}});
    w().timesLeft = 5;
    w().quitIfSuccess = true;
    dealNext();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(w().timesLeft, 0);
    EXPECT_EQ(okCaption(), "Avsluta");
    dialog()->pushButton(QStringLiteral("okBtn")).push();
    EXPECT_TRUE(fw::Application::instance().quitting());
    EXPECT_EQ(playWin::openInstance(), nullptr);
}

TEST_F(PlayTest, WinWithoutQuitIfSuccessKeepsTheLimit)
{
    startOn({Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}});
    w().timesLeft = 5;
    dealNext();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(w().timesLeft, 5);
    EXPECT_EQ(okCaption(), "OK");
}

// ---------------------------------------------------------------- the dialog

TEST_F(PlayTest, OkFreezesTheTableUntilTheNextGame)
{
    startOn({Codes{"a14", "c7"}, {"b14"}, {"c14"}, {"d14"}});
    dealNext();
    ASSERT_NE(dialog(), nullptr);
    dialog()->pushButton(QStringLiteral("okBtn")).push();

    EXPECT_EQ(dialog(), nullptr);
    EXPECT_FALSE(dealButton().enabled());
    EXPECT_TRUE(newGameButton().isDefault());
    EXPECT_EQ(w().host()->focusWidget(), newGameButton().widget());
    EXPECT_EQ(w().defaultButton(), &newGameButton());
    EXPECT_EQ(counter(), "");
    EXPECT_FALSE(fw::Application::instance().quitting());

    sys.advanceSeconds(1);
    type(Qt::Key_Space);
    EXPECT_EQ(counter(), "48") << "the next deal key starts a new game";
}

TEST_F(PlayTest, ReturnOnTheFrozenTableStartsANewGame)
{
    startOn({Codes{"a14", "c7"}, {"b14"}, {"c14"}, {"d14"}});
    dealNext();
    dialog()->pushButton(QStringLiteral("okBtn")).push();
    type(Qt::Key_Return);
    EXPECT_EQ(counter(), "48");
}

TEST_F(PlayTest, OkWithNoGameLeftQuits)
{
    lookUpQuit();
    startOn({Codes{"a14", "c7"}, {"b14"}, {"c14"}, {"d14"}});
    w().timesLeft = 0;
    dealNext();
    ASSERT_EQ(okCaption(), "Avsluta");
    typeInDialog(Qt::Key_Return);
    EXPECT_TRUE(fw::Application::instance().quitting());
    EXPECT_EQ(playWin::openInstance(), nullptr);
}

TEST_F(PlayTest, CancelJustClosesAndDealingAgainEndsTheGameAgain)
{
    startOn({Codes{"a14", "c7"}, {"b14"}, {"c14"}, {"d14"}});
    dealNext();
    ASSERT_NE(dialog(), nullptr);
    typeInDialog(Qt::Key_Escape);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(dealButton().enabled());
    EXPECT_FALSE(newGameButton().isDefault());

    dealNext();
    ASSERT_NE(dialog(), nullptr);
    dialog()->pushButton(QStringLiteral("cancelBtn")).push();
    EXPECT_EQ(dialog(), nullptr);
    // Playing on after Cancel: the seven goes by force, and that is a win.
    sys.modifiers_.shift = true;
    click(1);
    sys.modifiers_ = {};
    dealNext();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(line("status2"), "You won,\rbut you cheated once.");
}

TEST_F(PlayTest, DealKeyInTheDialogPressesOkOnlyInAnotherSecondThenStoresTheStamp)
{
    startOn({Codes{"a14", "c7"}, {"b14"}, {"c14"}, {"d14"}});
    dealNext();
    ASSERT_NE(dialog(), nullptr);

    sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(12, 12, 5)));
    w().minSec = 125;
    typeInDialog(Qt::Key_Space);
    ASSERT_NE(dialog(), nullptr) << "same stamp: the key is not handled";
    EXPECT_FALSE(dialog()->KeyDown(QStringLiteral(" ")));
    typeInDialog(Qt::Key_X);
    ASSERT_NE(dialog(), nullptr) << "not a deal key";

    sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(12, 12, 6)));
    typeInDialog(Qt::Key_Space);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(w().minSec, 126);
    EXPECT_FALSE(dealButton().enabled());
    EXPECT_EQ(counter(), "");
}

TEST_F(PlayTest, EmptyDealKeySetConfirmsNothingInTheDialog)
{
    startOn({Codes{"a14", "c7"}, {"b14"}, {"c14"}, {"d14"}});
    dealNext();
    w().playKeys[0] = QString();
    sys.advanceSeconds(1);
    for (const Qt::Key k : {Qt::Key_Space, Qt::Key_T, Qt::Key_A})
        typeInDialog(k);
    EXPECT_NE(dialog(), nullptr);
}

TEST_F(PlayTest, DealKeyInTheDialogWithNoGameLeftQuits)
{
    startOn({Codes{"a14", "c7"}, {"b14"}, {"c14"}, {"d14"}});
    w().timesLeft = 0;
    dealNext();
    sys.advanceSeconds(1);
    typeInDialog(Qt::Key_T);
    EXPECT_TRUE(fw::Application::instance().quitting());
    EXPECT_EQ(playWin::openInstance(), nullptr);
}

// ---------------------------------------------------------------- whole games

TEST_F(PlayTest, WholeGameWonByClicks)
{
    w().spelaLjud = true;
    layDeck(deckOfDeals(winningDeals()));
    newGame();
    EXPECT_EQ(piles(), (Piles{Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}}));
    for (int d = 2; d <= 13; ++d) {
        dealNext();
        for (const int p : clearingOrder(d))
            click(p);
        EXPECT_EQ(piles(), (Piles{Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}})) << "after deal " << d;
    }
    EXPECT_EQ(counter(), "0");
    dealNext();

    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(line("status"), "The deck is empty.");
    EXPECT_EQ(line("status2"), "You won, congratulations!");
    EXPECT_EQ(w().numFaults, 0);
    EXPECT_EQ(w().antalFusk, 0);
    std::map<std::pair<int, int>, int> tally;
    for (const Sounded& s : sounds())
        ++tally[{s.number, s.volume}];
    EXPECT_EQ(tally, (std::map<std::pair<int, int>, int>{{{res::shuffleSoundNumber, 75}, 1},
                                                         {{res::dealSoundNumber, 75}, 52},
                                                         {{res::ploppSoundNumber, 30}, 48},
                                                         {{res::funkymacSoundNumber, 40}, 1}}));
    EXPECT_EQ(sys.beeps, 0);
}

TEST_F(PlayTest, WholeGameWonByKeys)
{
    layDeck(deckOfDeals(winningDeals()));
    sys.advanceSeconds(1);
    type(Qt::Key_Space);
    for (int d = 2; d <= 13; ++d) {
        sys.advanceSeconds(1);
        type(Qt::Key_Space);
        for (const int p : clearingOrder(d))
            type(pileKey[p - 1]);
    }
    EXPECT_EQ(piles(), (Piles{Codes{"a14"}, {"b14"}, {"c14"}, {"d14"}}));
    sys.advanceSeconds(1);
    type(Qt::Key_0);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(line("status2"), "You won, congratulations!");
    EXPECT_EQ(w().numFaults, 0);

    sys.advanceSeconds(1);
    typeInDialog(Qt::Key_Space);
    EXPECT_EQ(dialog(), nullptr);
    sys.advanceSeconds(1);
    type(Qt::Key_Space);
    EXPECT_EQ(counter(), "48") << "and the next game begins";
}

TEST_F(PlayTest, WholeGameLostByKeysCountsEveryRefusalAsAFault)
{
    w().spelaLjud = true;
    int refusals = 0;
    for (int d = 1; d <= 13; ++d) {
        sys.advanceSeconds(1);
        type(Qt::Key_Space);
        for (const int p : {1, 2, 3, 4, 1, 2}) {
            const Piles before = piles();
            type(pileKey[p - 1]);
            // A key on an empty pile decides nothing and is no fault.
            if (piles() == before && !before[p - 1].empty())
                ++refusals;
        }
        expectViewsMatchPiles();
    }
    // Every card is on the table once, or gone.
    Codes onTable;
    for (const Codes& p : piles())
        onTable.insert(onTable.end(), p.begin(), p.end());
    std::sort(onTable.begin(), onTable.end());
    EXPECT_EQ(std::adjacent_find(onTable.begin(), onTable.end()), onTable.end());
    for (const char* ace : {"a14", "b14", "c14", "d14"})
        EXPECT_TRUE(std::binary_search(onTable.begin(), onTable.end(), std::string(ace))) << ace;
    ASSERT_GT(onTable.size(), 4u);

    sys.beeps = 0;
    sys.advanceSeconds(1);
    type(Qt::Key_B);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(w().numFaults, refusals);
    EXPECT_EQ(line("status"), "The deck is empty.");
    EXPECT_EQ(line("status2"), "");
    EXPECT_TRUE(cancelOffered());
    EXPECT_EQ(sys.beeps, 1);
}

TEST_F(PlayTest, WholeGameWonByCheatingReportsTheCheats)
{
    newGame();
    sys.modifiers_.shift = true;
    for (int d = 1; d <= 13; ++d) {
        if (d > 1)
            dealNext();
        for (int p = 1; p <= 4; ++p)
            while (cardCount(w().pile(p)) > 0 && cardRank(topCard(w().pile(p))) != aceRank)
                click(p);
    }
    sys.modifiers_ = {};
    EXPECT_EQ(cardsOnTable(), 4);
    dealNext();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(line("status2"), "You won,\rbut you cheated 48 times.");
    EXPECT_EQ(w().antalFusk, 48);
}
