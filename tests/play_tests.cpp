// Playing: the throwing rules, clicks and keys, the end of a game, the
// end-of-game dialog.

#include "table_support.h"

#include "framework/picture.h"

#include <functional>
#include <tuple>

namespace {

const Qt::Key pileKey[] = {Qt::Key_Q, Qt::Key_W, Qt::Key_E, Qt::Key_R};
const std::string lostEnd = "a14 c7|b14|c14|d14";

}  // namespace

TEST_F(TableTest, RulesDecideInTheirOrderEachWithItsSound)
{
    // What, the piles, the pile asked, keys held, the variant rule, the piles after, cheats, faults, sounds.
    using Case = std::tuple<const char*, const char*, int, Qt::KeyboardModifiers, bool, const char*, int, int, Sounds>;
    const Sounds throwSound{{res::ploppSoundNumber, 30}}, moveSound{{res::ploppSoundNumber, 10}},
        faultSound{{res::errSoundNumber, 40}};
    const auto shift = Qt::ShiftModifier;
    const Case cases[] = {
        {"a cheat with Shift before a fair throw", "d5 c7|c13|a2|b3", 1, shift, false, "d5|c13|a2|b3", 1, 0, {}},
        {"a cheat with Alt", "d5 c7|a13|a2|b3", 1, Qt::AltModifier, false, "d5|a13|a2|b3", 1, 0, {}},
        {"no cheat on an ace: it moves", "d5 c14|c13|a2 a3|", 1, shift, false, "d5|c13|a2 a3|c14", 0, 0, moveSound},
        {"no cheat in the end position", "a14 c5|b14|d14|", 1, shift, false, "a14|b14|d14|c5", 0, 0, moveSound},
        {"a throw by a higher card of the suit", "c7|c13|a2|b2 b3", 1, {}, false, "|c13|a2|b2 b3", 0, 0, throwSound},
        {"no throw by a lower or another suit", "c7|c5|d13|a8 a9", 1, {}, false, "c7|c5|d13|a8 a9", 0, 1, faultSound},
        {"no throw by a card beneath a top", "c7|c13 a2|d4|b5", 1, {}, false, "c7|c13 a2|d4|b5", 0, 1, faultSound},
        {"a throw before a move", "c7|c13||", 1, {}, false, "|c13||", 0, 0, throwSound},
        {"variant rule before a move", "c9 c5|a2 a3|b3|", 1, {}, true, "c9|a2 a3|b3|", 0, 0, throwSound},
        {"variant rule wants the same suit", "d9 c5|a2|b3|d4", 1, {}, true, "d9 c5|a2|b3|d4", 0, 1, faultSound},
        {"variant rule wants a higher card", "c3 c5|a2|b3|d4", 1, {}, true, "c3 c5|a2|b3|d4", 0, 1, faultSound},
        {"variant rule off", "c9 c5|a2|b3|d4", 1, {}, false, "c9 c5|a2|b3|d4", 0, 1, faultSound},
        {"a move into the first empty pile", "c7||d5 a9|", 3, {}, false, "c7|a9|d5|", 0, 0, moveSound},
        {"an empty pile decides nothing", "|d5|c3|b2", 1, shift, false, "|d5|c3|b2", 0, 0, {}},
    };
    for (const bool soundsOn : {true, false}) {
        for (const auto& [what, before, pile, held, topBeats, after, cheats, faults, sounded] : cases) {
            SCOPED_TRACE(std::string(what) + (soundsOn ? ", sounds on" : ", sounds off"));
            startOn(before);
            w().spelaLjud = soundsOn;
            w().topBeats = topBeats;
            sys.modifiers_ = {.shift = held.testFlag(Qt::ShiftModifier), .option = held.testFlag(Qt::AltModifier)};
            type(pileKey[pile - 1], held);
            sys.modifiers_ = {};
            EXPECT_EQ(std::tuple(piles(), w().antalFusk, w().numFaults, sounds()),
                      std::tuple(std::string(after), cheats, faults, soundsOn ? sounded : Sounds{}));
        }
    }
}

TEST_F(TableTest, ClickCountsOnlyWhenPressedAndReleasedStrictlyInsideTheTopCard)
{
    startOn("c5 c7|c13|a2|b2 b3");
    fw::Canvas& top = view(1, 1);
    for (const QPoint at : {QPoint(0, 10), QPoint(10, 0), QPoint(cardWidth, 10), QPoint(10, cardHeight),
                            QPoint(-1, 10), QPoint(12, -3)})
        clickAt(top, QPoint(12, 10), at);
    clickAt(view(1, 0), QPoint(12, 10));  // covered
    EXPECT_EQ(top.widget()->parentWidget()->childAt(top.widget()->pos() + QPoint(12, 1)), top.widget()) << "above";
    QTest::mouseRelease(top.widget(), Qt::LeftButton, {}, QPoint(12, 10));  // no press
    EXPECT_EQ(std::tuple(piles(), w().numFaults), std::tuple("c5 c7|c13|a2|b2 b3", 0));
    clickAt(top, QPoint(cardWidth - 1, cardHeight - 1));
    clickAt(view(1, 0), QPoint(1, 1));
    EXPECT_EQ(piles(), "|c13|a2|b2 b3");
}

TEST_F(TableTest, DealKeysStartAGameOrDealOncePerSecondElsePileKeysAskTheirPilesInOrder)
{
    std::vector<std::string> counts;
    for (const Qt::Key k : {Qt::Key_Space, Qt::Key_T, Qt::Key_G, Qt::Key_B, Qt::Key_0, Qt::Key_0}) {
        sys.advanceSeconds(k == Qt::Key_0 && counts.size() == 5 ? 0 : 1);
        type(k);
        counts.push_back(counter());
    }
    EXPECT_EQ(counts, (std::vector<std::string>{"48", "44", "40", "36", "32", "32"})) << "a game, four deals, none in the same second";
    // Ctrl+N starts a new game; "n" alone is no key of the default sets.
    type(Qt::Key_N, Qt::ControlModifier);
    type(Qt::Key_N);
    EXPECT_EQ(std::tuple(piles(), w().numFaults), std::tuple("d2|d14|c14|b14", 0));
    // A deal key the stamp refuses may still be a pile key: d2 goes, d14 lies on pile 2.
    w().playKeys[0] = "tgb 0q";
    type(Qt::Key_Q);
    EXPECT_EQ(std::tuple(piles(), counter()), std::tuple("|d14|c14|b14", "48"));
    // A key of several piles asks them in order until a card goes, each refusal a fault.
    w().playKeys = {"tgb 0", "qk", "wk", "e", "rk"};
    startOn("a9|c7|c13|c2 c3");
    type(Qt::Key_K);
    EXPECT_EQ(piles(), "a9||c13|c2 c3") << "the nine stays, the seven goes, the three is not asked";
    EXPECT_EQ(sounds(), (Sounds{{res::errSoundNumber, 40}, {res::ploppSoundNumber, 30}}));
}

TEST_F(TableTest, ErrorInAButtonThatAKeyPushesIsReportedAndTheGameGoesOn)
{
    lookUp("An unexpected error occured", "Ett oväntat fel inträffade");
    startOn("a9|c13|c7|d4", {"a3", "a4", "a5", "a6"});
    // A pile one card past its thirteen views: the deal has nowhere to draw.
    for (int r = 2; r <= 13; ++r)
        w().row1cards.push_back("b" + fw::Str(r));
    sys.advanceSeconds(1);
    type(Qt::Key_Space);
    EXPECT_EQ(sys.messages, std::vector<QString>{"Ett oväntat fel inträffade."});
    EXPECT_FALSE(fw::Application::instance().quitting());
}

TEST_F(TableTest, EveryOutcomeShowsItsLinesButtonsIconAndSound)
{
    lookUp("Quit", "Avsluta");
    // Both lines, Cancel offered, OK's caption, the icon, beeps, sounds, the stamp, the games left.
    using Shown = std::tuple<std::string, std::string, bool, std::string, std::string, int, Sounds, int, int>;
    const std::string aces = "a14|b14|c14|d14", empty = "The deck is empty.", won = "You won, congratulations!";
    const Sounds jingle{{res::funkymacSoundNumber, 40}};
    const auto left = [&](int n) { return [this, n] { w().timesLeft = n; }; };
    const std::tuple<const char*, std::string, std::function<void()>, Shown> cases[] = {
        {"lost, no game left", lostEnd, left(0), {empty, "", true, "Avsluta", "note", 1, {}, -1, 0}},
        {"lost, one left", lostEnd, left(1), {empty, "Last try\u2026", true, "OK", "note", 1, {}, -1, 1}},
        {"lost, nine left", lostEnd, left(9), {empty, "Nine tries left.", true, "OK", "note", 1, {}, -1, 9}},
        {"lost, sounds off", lostEnd, [&] { w().spelaLjud = false; }, {empty, "", true, "OK", "note", 0, {}, -1, -1}},
        {"too many faults, before a win", aces, [&] { w().maxFaults = 2, w().numFaults = 3, w().timesLeft = 2; },
         {"Sorry, too many fault clicks.", "Two tries left.", false, "OK", "note", 1, {}, -1, 2}},
        {"won with as many faults as allowed", aces, [&] { w().maxFaults = w().numFaults = 0; }, {empty, won, false, "OK", "win", 0, jingle, 57, -1}},
        {"won, a cheat", aces, [&] { w().antalFusk = 1; },
         {empty, "You won,\rbut you cheated once.", false, "OK", "win", 1, {}, 57, -1}},
        {"won, three cheats", aces, [&] { w().antalFusk = 3; },
         {empty, "You won,\rbut you cheated 3 times.", false, "OK", "win", 1, {}, 57, -1}},
        {"won, no jingle to play", aces, [&] { sys.missingSounds = {res::funkymacSoundNumber}; },
         {empty, won, false, "OK", "win", 0, {}, 57, -1}},
        {"won, sounds off", aces, [&] { w().spelaLjud = false; }, {empty, won, false, "OK", "win", 0, {}, 57, -1}},
        {"won, quit if success", aces, [&] { w().timesLeft = 5; w().quitIfSuccess = true; },
         {empty, won, false, "Avsluta", "win", 0, jingle, 57, 0}},
        {"won, limit kept", aces, left(5), {empty, won, false, "OK", "win", 0, jingle, 57, 5}},
        {"aces in place early", aces, [&] { w().tidigareSlut = true; w().deck.push_back("a3"); },
         {"The aces are in place.", won, false, "OK", "win", 0, jingle, 57, -1}},
    };
    const QRgb winPixel = res::win()->image().pixel(64, 64), notePixel = res::note()->image().pixel(64, 64);
    for (const auto& [what, table, set, shown] : cases) {
        SCOPED_TRACE(what);
        freshTable();
        startOn(table);
        w().minSec = -1;
        set();
        sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(12, 5, 7)));
        dealButton().push();
        ASSERT_NE(dialog(), nullptr);
        const QRgb icon = dialog()->canvas("noteIcn").backdrop().pixel(64, 64);
        EXPECT_EQ(Shown(line("status"), line("status2"), dialog()->pushButton("cancelBtn").visible(),
                        str(dialog()->pushButton("okBtn").caption()),
                        icon == winPixel ? "win" : icon == notePixel ? "note" : "none", sys.beeps, sounds(), w().minSec,
                        w().timesLeft),
                  shown);
        typeInDialog(Qt::Key_Escape);
        EXPECT_EQ(dialog() == nullptr, std::get<2>(shown)) << "Escape cancels, where Cancel is offered";
    }
    // Past the limit, each fault click ends the game at once.
    for (const auto& [limit, endingClicks] : {std::pair{0, std::vector{1, 2, 3}}, {2, {3}}, {-1, {}}}) {
        startOn("c7|c5|d13|a8 a9");
        w().maxFaults = limit;
        std::vector<int> endedAt;
        for (int i = 1; i <= 3; ++i)
            if (click(1); dialog())
                endedAt.push_back(i), dialog()->close();
        EXPECT_EQ(endedAt, endingClicks) << "limit " << limit;
    }
}

TEST_F(TableTest, DealKeyInTheDialogInAnotherSecondPressesOkAndOkFreezesTheTable)
{
    startOn(lostEnd);
    dealNext();
    sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(12, 12, 5)));
    w().minSec = 125;
    typeInDialog(Qt::Key_Space);
    typeInDialog(Qt::Key_X);
    ASSERT_NE(dialog(), nullptr) << "a deal key in the same second, or another key, does nothing";
    sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(12, 12, 6)));
    typeInDialog(Qt::Key_Space);
    // Dialog closed; Deal off; New game default and focused; the counter cleared; the stamp stored.
    EXPECT_EQ(std::tuple(dialog(), dealButton().enabled(), newGameButton().isDefault(),
                         w().host()->focusWidget() == newGameButton().widget(), counter(), w().minSec),
              std::tuple(nullptr, false, true, true, "", 126));
    // The cards stay, but none can go, silently.
    click(1);
    type(Qt::Key_Q);
    EXPECT_EQ(std::tuple(piles(), w().numFaults, sounds()), std::tuple(std::string(lostEnd), 0, Sounds{}));
    type(Qt::Key_Return);
    EXPECT_EQ(counter(), "48") << "Return starts the next game";
}
