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

TEST_F(TableTest, RulesAndTheirVariantsDecideEachInputWithItsSoundAndTheMinimumHeightFollows)
{
    // What, the piles (then the deck), the piles asked in turn (0 for a deal), keys held, the variant on
    // (t top beats, e early win); the piles after, cheats, faults, sounds, the minimum height.
    using Case = std::tuple<const char*, std::string, const char*, Qt::KeyboardModifiers, char, std::string, int, int,
                            Sounds, int>;
    const Sounds throwSound{{ploppSound, 30}}, moveSound{{ploppSound, 10}}, faultSound{{errSound, 40}},
        dealt(4, {dealSound, 75});
    const std::string aces = "a14|b14|c14|d14", onDeck = "|a3 a4 a5 a6";
    const Case cases[] = {
        {"Shift: a cheat before a throw", "d5 c7|c13|a2|b3", "1", Qt::ShiftModifier, 0, "d5|c13|a2|b3", 1, 0, {}, 84},
        {"Alt cheats", "d5 c7|a13|a2|b3", "1", Qt::AltModifier, 0, "d5|a13|a2|b3", 1, 0, {}, 84},
        {"an ace moves", "d5 c14|c13|a2 a3|", "1", Qt::ShiftModifier, 0, "d5|c13|a2 a3|c14", 0, 0, moveSound, 109},
        {"no cheat at the end", "a14 c5|b14|d14|", "1", Qt::ShiftModifier, 0, "a14|b14|d14|c5", 0, 0, moveSound, 84},
        {"a throw by a higher card of the suit", "c13|c7|a2|b2 b3", "2", {}, 0, "c13||a2|b2 b3", 0, 0, throwSound, 109},
        {"no throw by a lower or other suit", "c7|c5|d13|a8 a9", "1", {}, 0, "c7|c5|d13|a8 a9", 0, 1, faultSound, 109},
        {"no throw by a card beneath a top", "c7|c13 a2|d4|b5", "1", {}, 0, "c7|c13 a2|d4|b5", 0, 1, faultSound, 109},
        {"a throw before a move", "|c13||c7", "4", {}, 0, "|c13||", 0, 0, throwSound, 84},
        {"no throw at the end, even with more than aces left", "b2 c13|c7|a2|", "2", {}, 0, "b2 c13||a2|c7", 0, 0, moveSound, 109},
        {"a move into the first empty pile", "c7||d5 a9|", "3", {}, 0, "c7|a9|d5|", 0, 0, moveSound, 84},
        {"an empty pile decides nothing", "|d5|c3|b2", "1", Qt::ShiftModifier, 0, "|d5|c3|b2", 0, 0, {}, 84},
        {"the card beneath beats first", "c6 c5|a2 a3|b3|", "1", {}, 't', "c6|a2 a3|b3|", 0, 0, throwSound, 109},
        {"only with the variant on", "c6 c5|a2|b3|d4", "1", {}, 0, "c6 c5|a2|b3|d4", 0, 1, faultSound, 109},
        {"only in the same suit", "d6 c5|a2|b3|d4", "1", {}, 't', "d6 c5|a2|b3|d4", 0, 1, faultSound, 109},
        {"only when higher", "c4 c5|a2|b3|d4", "1", {}, 't', "c4 c5|a2|b3|d4", 0, 1, faultSound, 109},
        {"a lone card, then the card dealt on it", "c9|a2|b3|d4|a5 b5 d5 c5", "101", {}, 't', "c9|a2 d5|b3 b5|d4 a5",
         0, 1, {{errSound, 40}, dealt[0], dealt[0], dealt[0], dealt[0], {ploppSound, 30}}, 109},
        {"early win on four lone aces", aces + onDeck, "0", {}, 'e', aces, 0, 0, {{funkymacSound, 40}}, 84},
        {"not with the variant off", aces + onDeck, "0", {}, 0, "a14 a6|b14 a5|c14 a4|d14 a3", 0, 0, dealt, 109},
        {"not on a card", "a14|b14|c14|a2 d14" + onDeck, "0", {}, 'e', "a14 a6|b14 a5|c14 a4|a2 d14 a3", 0, 0, dealt, 134},
        {"not with a king", "a14|b14|c14|d13" + onDeck, "0", {}, 'e', "a14 a6|b14 a5|c14 a4|d13 a3", 0, 0, dealt, 109},
        {"not when the deal brings them", "|||" + onDeck + " d14 c14 b14 a14", "0", {}, 'e', aces, 0, 0, dealt, 84},
    };
    // By key with sounds on, then by click with sounds off.
    for (const bool byKey : {true, false}) {
        for (const auto& [what, before, asked, held, variant, after, cheats, faults, sounded, minHeight] : cases) {
            SCOPED_TRACE(std::string(what) + (byKey ? ", by key" : ", by click"));
            startOn(before);
            w().setMinHeight();  // as play would have left it
            w().spelaLjud = byKey;
            w().topBeats = variant == 't', w().tidigareSlut = variant == 'e';
            sys.modifiers_ = {.shift = held.testFlag(Qt::ShiftModifier), .option = held.testFlag(Qt::AltModifier)};
            for (const char* pile = asked; *pile; ++pile)  // each in a second of its own
                sys.advanceSeconds(1), *pile == '0' ? byKey ? type(Qt::Key_Space) : clickOn(dealButton())
                                       : byKey      ? type(pileKey[*pile - '1'], held) : click(*pile - '0');
            sys.modifiers_ = {};
            EXPECT_EQ(std::tuple(piles(), w().antalFusk, w().numFaults, sounds(), w().minHeight()),
                      std::tuple(after, cheats, faults, byKey ? sounded : Sounds{}, minHeight));
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
    // Ctrl+N starts a new game, with Caps Lock too.
    QTest::keyClick(w().host(), 'N', Qt::ControlModifier);
    EXPECT_EQ(piles(), "d2|d14|c14|b14");
    // A deal key the stamp refuses may still be a pile key: d2 goes, d14 lies on pile 2. "n" alone is no key.
    w().playKeys[0] = "tgb 0q";
    type(Qt::Key_Q);
    type(Qt::Key_N);
    EXPECT_EQ(std::tuple(piles(), counter(), w().numFaults), std::tuple("|d14|c14|b14", "48", 0));
    // A key of several piles asks them in order until a card goes, each refusal a fault.
    w().playKeys = {"tgb 0", "qk", "wk", "e", "rk"};
    startOn("a9|c7|c13|c2 c3");
    QTest::keyClick(w().host(), 'K');  // Caps Lock
    EXPECT_EQ(piles(), "a9||c13|c2 c3") << "the nine stays, the seven goes, the three is not asked";
    EXPECT_EQ(sounds(), (Sounds{{errSound, 40}, {ploppSound, 30}}));
}

TEST_F(TableTest, ErrorInAButtonThatAKeyPushesIsReportedAndTheGameGoesOn)
{
    lookUp("An unexpected error occured", "Ett oväntat fel inträffade");
    startOn("a9|c13|c7|d4|a3 a4 a5 a6");
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
    const Sounds jingle{{funkymacSound, 40}};
    const auto left = [&](int n) { return [this, n] { w().timesLeft = n; }; };
    const std::tuple<const char*, std::string, std::function<void()>, Shown> cases[] = {
        {"lost, no game left", lostEnd, left(0), {empty, "", true, "Avsluta", "note", 1, {}, -1, 0}},
        {"lost, one left", lostEnd, left(1), {empty, "Last try\u2026", true, "OK", "note", 1, {}, -1, 1}},
        {"lost, nine left", lostEnd, left(9), {empty, "Nine tries left.", true, "OK", "note", 1, {}, -1, 9}},
        {"lost, sounds off", lostEnd, [&] { w().spelaLjud = false; }, {empty, "", true, "OK", "note", 0, {}, -1, -1}},
        {"too many faults, before a win", aces, [&] { w().maxFaults = 0, w().numFaults = 1, w().timesLeft = 2; },
         {"Sorry, too many fault clicks.", "Two tries left.", false, "OK", "note", 1, {}, -1, 2}},
        {"won with as many faults as allowed", aces, [&] { w().maxFaults = w().numFaults = 0; }, {empty, won, false, "OK", "win", 0, jingle, 57, -1}},
        {"won, a cheat", aces, [&] { w().antalFusk = 1; },
         {empty, "You won,\rbut you cheated once.", false, "OK", "win", 1, {}, 57, -1}},
        {"won, three cheats", aces, [&] { w().antalFusk = 3; },
         {empty, "You won,\rbut you cheated 3 times.", false, "OK", "win", 1, {}, 57, -1}},
        {"won, no jingle to play", aces, [&] { sys.missingSounds = {funkymacSound}; },
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
        // No Cancel to push while it is hidden.
        if (!std::get<2>(shown)) typeInDialog(Qt::Key_Escape);
        ASSERT_NE(dialog(), nullptr);
        const QRgb icon = dialog()->canvas("noteIcn").backdrop().pixel(64, 64);
        EXPECT_EQ(Shown(line("status"), line("status2"), dialog()->pushButton("cancelBtn").visible(),
                        str(dialog()->pushButton("okBtn").caption()),
                        icon == winPixel ? "win" : icon == notePixel ? "note" : "none", sys.beeps, sounds(), w().minSec,
                        w().timesLeft),
                  shown);
        clickOn(dialog()->pushButton("okBtn"));
        EXPECT_EQ(quit(), std::get<8>(shown) == 0) << "OK quits when no game is left";
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

TEST_F(TableTest, EndOfGameDialogAnswersEachInputAndOkFreezesTheTable)
{
    // After a lost game, the stamp 125 stored and the clock at 12:12:05 or :06: the dialog open,
    // Deal enabled, New game the default and focused, the counter, the stamp.
    using Shown = std::tuple<bool, bool, bool, std::string, int>;
    const Shown frozen{false, false, true, "", 125}, cancelled{false, true, false, "48", 125},
        asItWas{true, true, false, "48", 125};
    const std::tuple<const char*, Qt::Key, int, Shown> cases[] = {
        {"okBtn", {}, 6, frozen}, {"cancelBtn", {}, 6, cancelled}, {"", Qt::Key_Return, 6, frozen},
        {"", Qt::Key_Enter, 6, frozen}, {"", Qt::Key_Escape, 6, cancelled}, {"", Qt::Key_Space, 5, asItWas},
        {"", Qt::Key_X, 6, asItWas}, {"", Qt::Key_Space, 6, {false, false, true, "", 126}}};
    for (const auto& [button, key, second, shown] : cases) {
        startOn(lostEnd);
        dealNext();
        w().minSec = 125;
        sys.setNow(QDateTime(QDate(2026, 3, 14), QTime(12, 12, second)));
        *button ? clickOn(dialog()->pushButton(button)) : typeInDialog(key);
        EXPECT_EQ(Shown(dialog() != nullptr, dealButton().enabled(),
                        newGameButton().isDefault() && w().host()->focusWidget() == newGameButton().widget(), counter(),
                        w().minSec), shown) << button << QKeySequence(key).toString().toStdString() << " at :0" << second;
    }
    // The cards stay, but none can go, silently; Return starts the next game.
    type(Qt::Key_Q);
    EXPECT_EQ(std::tuple(piles(), w().numFaults, sounds()), std::tuple(std::string(lostEnd), 0, Sounds{}));
    type(Qt::Key_Return);
    EXPECT_EQ(counter(), "48");
}
