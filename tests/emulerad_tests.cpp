// The self-discipline dialog: its two opening states, the key rules of the
// window and of the number field, the arrows, OK, the help button, and a
// play limit set here running through whole games.

#include "support.h"

#include "app/Menu.h"
#include "framework/picture.h"
#include "table/playWin.h"
#include "table/slut.h"
#include "windows/emulerad.h"

#include <QApplication>
#include <QTest>

using fw::Text;

namespace {

const Text plural = " times more";
const Text singular = " time more";

class EmuleradTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        text::setCatalogue(&catalogue);
    }

    // The game window as a start-up leaves it, the dialog in front.
    emulerad& startUp()
    {
        playWin::instance().show();
        return front();
    }

    emulerad& front()
    {
        emulerad* dialog = fw::Application::instance().openInstance<emulerad>();
        if (!dialog)
            throw std::runtime_error("no self-discipline dialog is open");
        dialog->show();
        QApplication::setActiveWindow(dialog->host());
        return *dialog;
    }

    // Opened anew, as the menu does, once any open one is answered.
    emulerad& reopen(int timesLeft, bool quitIfSuccess)
    {
        playWin& table = playWin::instance();
        table.show();
        if (auto* open = fw::Application::instance().openInstance<emulerad>())
            open->pushButton("okBtn").push();
        table.timesLeft = timesLeft;
        table.quitIfSuccess = quitIfSuccess;
        emulerad::instance().show();
        return front();
    }

    static bool isOpen() { return fw::Application::instance().openInstance<emulerad>() != nullptr; }

    void typeAtWindow(emulerad& dialog, Qt::Key key)
    {
        dialog.clearFocus();
        QTest::keyClick(dialog.host(), key);
    }

    MapCatalogue catalogue;
};

// What the dialog shows, for whole-state comparisons.
struct Shown {
    bool boxTicked, boxEnabled;
    Text number;
    bool numberShown, numberEnabled;
    bool greyShown;
    Text grey;
    bool arrowsEnabled;
    Text label;
    bool labelEnabled;
    bool winTicked, winEnabled;

    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s)
{
    return out << "{box " << s.boxTicked << "/" << s.boxEnabled << ", number \"" << s.number.toStdString() << "\" "
               << s.numberShown << "/" << s.numberEnabled << ", grey " << s.greyShown << " \""
               << s.grey.toStdString() << "\", arrows " << s.arrowsEnabled << ", label \"" << s.label.toStdString()
               << "\" " << s.labelEnabled << ", win box " << s.winTicked << "/" << s.winEnabled << "}";
}

Shown shownBy(const emulerad& d)
{
    return {d.checkBox("spelaBaraChk").value(),  d.checkBox("spelaBaraChk").enabled(),
            d.editField("antalTxt").text(),      d.editField("antalTxt").visible(),
            d.editField("antalTxt").enabled(),   d.staticText("antalTxtDim").visible(),
            d.staticText("antalTxtDim").text(),  d.littleArrows("antalArrows").enabled(),
            d.staticText("ggrTxt").text(),       d.staticText("ggrTxt").enabled(),
            d.checkBox("omVinnerChk").value(),   d.checkBox("omVinnerChk").enabled()};
}

}  // namespace

TEST_F(EmuleradTest, StartUpOpensItWithNoLimit)
{
    emulerad& dialog = startUp();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.title(), "Emulerad");
    EXPECT_EQ(shownBy(dialog), (Shown{false, true, "1", true, false, false, "1", false, singular, true, true, false}));
    EXPECT_FALSE(dialog.editField("antalTxt").hasFocus());
    EXPECT_EQ(dialog.staticText("StaticText1").text(), "Emulated Self Discipline");
}

TEST_F(EmuleradTest, LimitInForceOpensGreyedWithTheLimit)
{
    emulerad& dialog = reopen(4, false);
    EXPECT_EQ(shownBy(dialog), (Shown{true, false, "4", false, false, true, "4", false, plural, false, false, false}));
    dialog.pushButton("okBtn").push();
    EXPECT_EQ(playWin::instance().timesLeft, 4);
    EXPECT_FALSE(playWin::instance().quitIfSuccess);

    emulerad& one = reopen(1, true);
    EXPECT_EQ(one.staticText("ggrTxt").text(), singular);
    EXPECT_TRUE(one.checkBox("omVinnerChk").value());
}

TEST_F(EmuleradTest, KeysWhileNothingHasTheFocus)
{
    struct Case {
        Qt::Key key;
        const char* what;
        bool confirms;
        int beeps;
    };
    const Case cases[] = {
        {Qt::Key_0, "0 (in the deal keys)", true, 0}, {Qt::Key_Space, "blank", true, 0},
        {Qt::Key_T, "t", true, 0},                    {Qt::Key_B, "b", true, 0},
        {Qt::Key_Return, "Return", true, 0},          {Qt::Key_Enter, "Enter", true, 0},
        {Qt::Key_X, "x", false, 1},                   {Qt::Key_Tab, "Tab", false, 1},
    };
    for (const Case& c : cases) {
        emulerad& dialog = reopen(-1, false);
        playWin::instance().spelaLjud = false;
        const Shown before = shownBy(dialog);
        const int beeps = sys.beeps;
        typeAtWindow(dialog, c.key);
        EXPECT_EQ(!isOpen(), c.confirms) << c.what;
        EXPECT_EQ(sys.beeps - beeps, c.beeps) << c.what << ": the beep sounds even with sounds off";
        if (c.confirms) {
            EXPECT_EQ(playWin::instance().timesLeft, -1) << c.what << ": confirmed without the box";
            EXPECT_FALSE(playWin::instance().quitIfSuccess) << c.what;
        } else {
            EXPECT_EQ(shownBy(dialog), before) << c.what << " changed the dialog";
            front().pushButton("okBtn").push();
        }
    }
}

TEST_F(EmuleradTest, DigitAtTheWindowTicksTheBoxAndSetsTheNumber)
{
    emulerad& dialog = startUp();
    typeAtWindow(dialog, Qt::Key_5);
    EXPECT_EQ(shownBy(dialog), (Shown{true, true, "5", true, true, false, "1", true, plural, true, true, true}));
    fw::EditField& number = dialog.editField("antalTxt");
    EXPECT_EQ(number.selStart(), 0);
    EXPECT_EQ(number.selLength(), 1) << "the digit is selected";
    EXPECT_TRUE(number.hasFocus());
    EXPECT_EQ(sys.beeps, 0);
}

TEST_F(EmuleradTest, KeysInTheNumberField)
{
    emulerad& dialog = startUp();
    dialog.checkBox("spelaBaraChk").setValue(true);
    fw::EditField& number = dialog.editField("antalTxt");
    ASSERT_TRUE(number.hasFocus()) << "ticking the box focuses the number";
    QWidget* field = number.widget();

    QTest::keyClick(field, Qt::Key_7);
    EXPECT_EQ(number.text(), "7");
    EXPECT_EQ(number.selLength(), 1);
    EXPECT_EQ(dialog.staticText("ggrTxt").text(), plural);

    QTest::keyClick(field, Qt::Key_A);
    EXPECT_EQ(number.text(), "7");
    EXPECT_EQ(number.selLength(), 1) << "a refused key selects the digit again";
    EXPECT_EQ(sys.beeps, 1);

    QTest::keyClick(field, Qt::Key_1);
    EXPECT_EQ(dialog.staticText("ggrTxt").text(), singular);

    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(sys.beeps, 1) << "Tab in the field goes on to the framework, without a beep";
    EXPECT_FALSE(number.hasFocus()) << "Tab moves the focus on";
    EXPECT_TRUE(isOpen());
}

TEST_F(EmuleradTest, ConfirmingKeysInTheNumberFieldWriteTheLimit)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_0, Qt::Key_G}) {
        emulerad& dialog = reopen(-1, false);
        dialog.checkBox("spelaBaraChk").setValue(true);
        QTest::keyClick(dialog.editField("antalTxt").widget(), Qt::Key_6);
        QTest::keyClick(dialog.editField("antalTxt").widget(), key);
        EXPECT_FALSE(isOpen()) << "key " << QTest::toString(key);
        EXPECT_EQ(playWin::instance().timesLeft, 6) << "key " << QTest::toString(key);
        EXPECT_TRUE(playWin::instance().quitIfSuccess) << "the win box is ticked as created";
    }
}

TEST_F(EmuleradTest, DigitsComeBeforeTheDealKeys)
{
    emulerad& dialog = startUp();
    playWin::instance().playKeys[0] = "3 x";
    typeAtWindow(dialog, Qt::Key_3);
    EXPECT_TRUE(isOpen()) << "a digit in the deal keys confirmed";
    EXPECT_EQ(dialog.editField("antalTxt").text(), "3");
    QTest::keyClick(dialog.editField("antalTxt").widget(), Qt::Key_3);
    EXPECT_TRUE(isOpen());
    QTest::keyClick(dialog.editField("antalTxt").widget(), Qt::Key_X);
    EXPECT_FALSE(isOpen()) << "x of the deal keys confirms";
    EXPECT_EQ(playWin::instance().timesLeft, 3);
}

TEST_F(EmuleradTest, ArrowsStayWithinOneToNine)
{
    struct Case {
        const char* from;
        bool up;
        const char* to;
        int beeps;
        Text label;
    };
    const Case cases[] = {
        {"8", true, "9", 0, plural},  {"9", true, "9", 1, plural},    {"2", false, "1", 0, singular},
        {"1", false, "1", 1, singular}, {"1", true, "2", 0, plural},
    };
    emulerad& dialog = startUp();
    dialog.checkBox("spelaBaraChk").setValue(true);
    fw::EditField& number = dialog.editField("antalTxt");
    fw::LittleArrows& arrows = dialog.littleArrows("antalArrows");
    for (const Case& c : cases) {
        number.setText(c.from);
        dialog.ggrFix();
        dialog.clearFocus();
        const int beeps = sys.beeps;
        c.up ? arrows.clickUp() : arrows.clickDown();
        const std::string what = std::string(c.up ? "Up from " : "Down from ") + c.from;
        EXPECT_EQ(number.text(), c.to) << what;
        EXPECT_EQ(sys.beeps - beeps, c.beeps) << what;
        EXPECT_EQ(dialog.staticText("ggrTxt").text(), c.label) << what;
        if (c.beeps == 0) {
            EXPECT_TRUE(number.hasFocus()) << what;
            EXPECT_EQ(number.selLength(), 1) << what;
        }
    }
}

TEST_F(EmuleradTest, OkWritesTheLimitOnlyWithTheBoxTicked)
{
    struct Case {
        bool box;
        const char* number;
        bool win;
        int timesLeft;
        bool quitIfSuccess;
    };
    for (const Case& c : {Case{true, "3", true, 3, true}, Case{true, "3", false, 3, false},
                          Case{false, "8", true, -1, false}}) {
        emulerad& dialog = reopen(-1, true);
        dialog.checkBox("spelaBaraChk").setValue(c.box);
        dialog.editField("antalTxt").setText(c.number);
        dialog.checkBox("omVinnerChk").setValue(c.win);
        dialog.pushButton("okBtn").push();
        EXPECT_FALSE(isOpen());
        EXPECT_EQ(playWin::instance().timesLeft, c.timesLeft) << "box " << c.box << ", win box " << c.win;
        EXPECT_EQ(playWin::instance().quitIfSuccess, c.quitIfSuccess) << "box " << c.box << ", win box " << c.win;
    }
}

TEST_F(EmuleradTest, HelpButtonOpensTheLookedUpPageAndKeepsTheDialog)
{
    catalogue.entries = {{"https://www.gamblersanonymous.org/", "https://www.stodlinjen.se/"}};
    emulerad& dialog = startUp();
    typeAtWindow(dialog, Qt::Key_4);
    const Shown before = shownBy(dialog);
    dialog.pushButton("PushButton3").push();
    dialog.pushButton("PushButton3").push();
    EXPECT_EQ(sys.urls, (std::vector<Text>{"https://www.stodlinjen.se/", "https://www.stodlinjen.se/"}));
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(shownBy(dialog), before);
}

TEST_F(EmuleradTest, SentenceRowFollowsTheMeasuredCaption)
{
    catalogue.entries = {{"I'll play just % times more", "Jag lovar att spela bara % gånger till"},
                         {"I'll play just % time more", "Jag lovar att spela bara % gång till"}};
    emulerad& dialog = startUp();
    const fw::CheckBox& box = dialog.checkBox("spelaBaraChk");
    EXPECT_EQ(box.caption(), "Jag lovar att spela bara ");
    fw::Picture scratch(dialog.width(), 100);
    scratch.graphics().setTextSize(10);
    const int w = scratch.graphics().stringWidth(box.caption());
    const int x = 37 + w + 20 + 10;
    EXPECT_EQ(box.width(), w + 20);
    EXPECT_EQ((std::vector<int>{dialog.editField("antalTxt").left(), dialog.staticText("antalTxtDim").left(),
                                dialog.littleArrows("antalArrows").left(), dialog.staticText("ggrTxt").left()}),
              (std::vector<int>{x, x, x + 30, x + 50}));
    EXPECT_EQ(dialog.staticText("ggrTxt").text(), " gång till");
    typeAtWindow(dialog, Qt::Key_2);
    EXPECT_EQ(dialog.staticText("ggrTxt").text(), " gånger till");
}

TEST_F(EmuleradTest, MenuItemIsEnabledOnlyWithoutALimit)
{
    startUp();
    typeAtWindow(front(), Qt::Key_2);
    QTest::keyClick(front().host(), Qt::Key_Return);
    playWin& table = playWin::instance();
    ASSERT_EQ(table.timesLeft, 2);
    table.EnableMenuItems();
    fw::MenuItem* item = menuItems::menuEmulerad();
    EXPECT_FALSE(item->enabled());
    item->choose();
    EXPECT_FALSE(isOpen()) << "a disabled item opened the dialog";
    EXPECT_TRUE(menuItems::menuPref()->enabled());

    table.timesLeft = -1;
    table.EnableMenuItems();
    EXPECT_TRUE(item->enabled());
    item->choose();
    EXPECT_TRUE(isOpen());
}

TEST_F(EmuleradTest, LimitCountsDownThroughGamesAndTheLastOneQuits)
{
    catalogue.entries = {{"Quit", "Avsluta"}};
    emulerad& dialog = startUp();
    typeAtWindow(dialog, Qt::Key_2);
    QTest::keyClick(dialog.editField("antalTxt").widget(), Qt::Key_Return);
    playWin& table = playWin::instance();
    fw::PushButton& newGame = table.pushButton("nyttspel");

    newGame.push();
    EXPECT_EQ(table.timesLeft, 1);
    EXPECT_EQ(newGame.caption(), "New game");
    newGame.push();
    EXPECT_EQ(table.timesLeft, 0);
    EXPECT_EQ(newGame.caption(), "Avsluta") << "the last game's button reads Quit";
    EXPECT_FALSE(fw::Application::instance().quitting());
    newGame.push();
    EXPECT_TRUE(fw::Application::instance().quitting()) << "no game is left to start";
}

TEST_F(EmuleradTest, WinEndsTheLimitWhenTheWinBoxIsTicked)
{
    emulerad& dialog = startUp();
    typeAtWindow(dialog, Qt::Key_5);
    ASSERT_TRUE(dialog.checkBox("omVinnerChk").value());
    dialog.pushButton("okBtn").push();
    playWin& table = playWin::instance();
    table.pushButton("nyttspel").push();
    ASSERT_EQ(table.timesLeft, 4);

    // Only the four aces left and the deck used up: the next deal wins.
    table.deck.assign(1, Text());
    for (int n = 1; n <= 4; ++n)
        table.pile(n) = {Text(), QStringLiteral("%1%2").arg(QChar('a' + n - 1)).arg(14)};
    table.deal();
    EXPECT_EQ(table.timesLeft, 0);
    slut* end = fw::Application::instance().openInstance<slut>();
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->pushButton("okBtn").caption(), "Quit");
    end->pushButton("okBtn").push();
    EXPECT_TRUE(fw::Application::instance().quitting());
}

TEST_F(EmuleradTest, PastedTextStillWritesALimitOfOneToNine)
{
    // The field takes only typed digits, but a paste goes around the keys.
    const std::pair<const char*, int> pasted[] = {{"x", 1}, {"", 1}, {"0", 1}, {"42", 9}, {"-3", 1}, {"7", 7}};
    for (const auto& [text, limit] : pasted) {
        emulerad& dialog = reopen(-1, false);
        dialog.checkBox("spelaBaraChk").setValue(true);
        dialog.editField("antalTxt").setText(text);
        dialog.pushButton("okBtn").push();
        EXPECT_EQ(playWin::instance().timesLeft, limit) << "pasted " << text;
    }
}
