// The self-discipline dialog: its two opening states, the key rules of the
// window and of the number field, the arrows, OK, the help button, and a
// play limit set here running through whole games.

#include "support.h"

#include "app/Menu.h"
#include "windows/emulerad.h"

#include <QApplication>
#include <QTest>

using fw::Text;

namespace {

// What the dialog shows, as one line to compare whole: each control's value
// (x for a ticked box) and + or - for shown and for enabled.
Text shownBy(const emulerad& d)
{
    const auto state = [](const fw::Control& c) { return Text(c.visible() ? "+" : "-") + (c.enabled() ? "+" : "-"); };
    const auto box = [&](const char* name) { return (d.checkBox(name).value() ? "x" : "o") + state(d.checkBox(name)); };
    return box("spelaBaraChk") + " " + d.editField("antalTxt").text() + state(d.editField("antalTxt")) + " grey " +
           d.staticText("antalTxtDim").text() + state(d.staticText("antalTxtDim")) + " arrows" +
           state(d.littleArrows("antalArrows")) + " \"" + d.staticText("ggrTxt").text() + "\"" +
           state(d.staticText("ggrTxt")) + " win " + box("omVinnerChk");
}

class EmuleradTest : public GameTest {
protected:
    // The dialog in front, opened anew with this limit in force once any open one is answered.
    static emulerad& reopen(int timesLeft, bool quitIfSuccess = false)
    {
        playWin& table = playWin::instance();
        table.show();
        if (auto* open = fw::Application::instance().openInstance<emulerad>())
            open->pushButton("okBtn").push();
        table.timesLeft = timesLeft;
        table.quitIfSuccess = quitIfSuccess;
        emulerad& dialog = emulerad::instance();
        QApplication::setActiveWindow(dialog.host());
        return dialog;
    }
    static bool isOpen() { return fw::Application::instance().openInstance<emulerad>() != nullptr; }
    static void typeAtWindow(emulerad& d, Qt::Key key) { d.clearFocus(); QTest::keyClick(d.host(), key); }
};

}  // namespace

TEST_F(EmuleradTest, OpensFreeOrGreyedUnderALimitAndHelpLeavesItAsItWas)
{
    playWin::instance().show();
    emulerad* dialog = fw::Application::instance().openInstance<emulerad>();
    ASSERT_NE(dialog, nullptr) << "the start-up opens it";
    QApplication::setActiveWindow(dialog->host());
    EXPECT_EQ(shownBy(*dialog), "o++ 1+- grey 1-- arrows+- \" time more\"++ win x+-");
    EXPECT_FALSE(dialog->editField("antalTxt").hasFocus());
    typeAtWindow(*dialog, Qt::Key_5);
    EXPECT_EQ(shownBy(*dialog), "x++ 5++ grey 1-- arrows++ \" times more\"++ win x++") << "a digit sets a limit";
    EXPECT_TRUE(dialog->editField("antalTxt").hasFocus() && dialog->editField("antalTxt").selLength() == 1);
    // The help button opens its page, looked up, and leaves the dialog as it was.
    MapCatalogue cat;
    cat.entries = {{"https://www.gamblersanonymous.org/", "https://www.stodlinjen.se/"}};
    text::setCatalogue(&cat);
    const Text before = shownBy(*dialog);
    dialog->pushButton("PushButton3").push();
    EXPECT_EQ(sys.urls, std::vector<Text>{"https://www.stodlinjen.se/"});
    EXPECT_EQ(isOpen() ? shownBy(*dialog) : "closed", before);
    emulerad& limited = reopen(4);
    EXPECT_EQ(shownBy(limited), "x+- 4-- grey 4+- arrows+- \" times more\"+- win o+-");
    limited.pushButton("okBtn").push();
    EXPECT_EQ(playWin::instance().timesLeft, 4);
    EXPECT_EQ(shownBy(reopen(1, true)), "x+- 1-- grey 1+- arrows+- \" time more\"+- win x+-");
}

TEST_F(EmuleradTest, KeysAtTheWindowAndInTheNumberField)
{
    // Typed in the number field after a 6, or at the window with nothing focused. The
    // number after the key: nullptr when it confirms, "" when nothing changes.
    struct Case { const char* dealKeys; bool inField; Qt::Key key; const char* number; int beeps; };
    const Case cases[] = {
        {"tgb 0", false, Qt::Key_0, nullptr, 0},    {"tgb 0", false, Qt::Key_Space, nullptr, 0},
        {"tgb 0", false, Qt::Key_T, nullptr, 0},    {"tgb 0", false, Qt::Key_Return, nullptr, 0},
        {"tgb 0", false, Qt::Key_Enter, nullptr, 0}, {"tgb 0", false, Qt::Key_X, "", 1},
        {"tgb 0", false, Qt::Key_Tab, "", 1},       {"3 x", false, Qt::Key_3, "3", 0},
        {"tgb 0", true, Qt::Key_Return, nullptr, 0}, {"tgb 0", true, Qt::Key_Enter, nullptr, 0},
        {"tgb 0", true, Qt::Key_0, nullptr, 0},     {"tgb 0", true, Qt::Key_A, "", 1},
        {"tgb 0", true, Qt::Key_Tab, "", 0},        {"tgb 0", true, Qt::Key_7, "7", 0},
        {"3 x", true, Qt::Key_3, "3", 0},           {"3 x", true, Qt::Key_X, nullptr, 0},
    };
    for (const Case& c : cases) {
        emulerad& dialog = reopen(-1);
        playWin& table = playWin::instance();
        table.spelaLjud = false;  // the beep sounds all the same
        table.playKeys[0] = c.dealKeys;
        fw::EditField& number = dialog.editField("antalTxt");
        if (c.inField) {
            dialog.checkBox("spelaBaraChk").setValue(true);
            QTest::keyClick(number.widget(), Qt::Key_6);
        }
        const Text before = shownBy(dialog);
        const int beeps = sys.beeps;
        c.inField ? QTest::keyClick(number.widget(), c.key) : typeAtWindow(dialog, c.key);
        const std::string what =
            QKeySequence(c.key).toString().toStdString() + (c.inField ? " in the field" : " at the window");
        EXPECT_EQ(sys.beeps - beeps, c.beeps) << what;
        EXPECT_EQ(isOpen(), c.number != nullptr) << what;
        if (!c.number) {
            EXPECT_EQ(std::pair(table.timesLeft, table.quitIfSuccess), std::pair(c.inField ? 6 : -1, c.inField))
                << what;
        } else if (*c.number) {
            EXPECT_EQ(number.text(), c.number) << what;
            EXPECT_EQ(number.selLength(), 1) << what;
        } else {
            EXPECT_EQ(shownBy(dialog), before) << what;
            EXPECT_EQ(number.hasFocus(), c.inField && c.key != Qt::Key_Tab) << what << ": Tab in the field moves on";
        }
    }
}

TEST_F(EmuleradTest, ArrowsStayWithinOneToNine)
{
    struct Case { const char* from; bool up; const char* to; int beeps; const char* label; };
    const Case cases[] = {
        {"8", true, "9", 0, " times more"},   {"9", true, "9", 1, " times more"}, {"2", false, "1", 0, " time more"},
        {"1", false, "1", 1, " time more"},   {"1", true, "2", 0, " times more"},
    };
    emulerad& dialog = reopen(-1);
    dialog.checkBox("spelaBaraChk").setValue(true);
    fw::EditField& number = dialog.editField("antalTxt");
    for (const Case& c : cases) {
        number.setText(c.from);
        dialog.ggrFix();
        dialog.clearFocus();
        const int beeps = sys.beeps;
        c.up ? dialog.littleArrows("antalArrows").clickUp() : dialog.littleArrows("antalArrows").clickDown();
        const std::string what = std::string(c.up ? "Up from " : "Down from ") + c.from;
        EXPECT_EQ(number.text(), c.to) << what;
        EXPECT_EQ(sys.beeps - beeps, c.beeps) << what;
        EXPECT_EQ(dialog.staticText("ggrTxt").text(), c.label) << what;
        EXPECT_EQ(number.hasFocus() && number.selLength() == 1, c.beeps == 0) << what << ": a step selects the number";
    }
}

TEST_F(EmuleradTest, OkWritesALimitOfOneToNineOnlyWithTheBoxTicked)
{
    struct Case { bool box; const char* number; bool win; int timesLeft; bool quitIfSuccess; };
    // The field takes only typed digits, but a paste goes around the keys.
    const Case cases[] = {
        {true, "3", true, 3, true}, {true, "3", false, 3, false}, {false, "8", true, -1, false},
        {true, "x", true, 1, true}, {true, "", true, 1, true},    {true, "0", true, 1, true},
        {true, "42", true, 9, true}, {true, "-3", true, 1, true},
    };
    for (const Case& c : cases) {
        emulerad& dialog = reopen(-1, true);
        dialog.checkBox("spelaBaraChk").setValue(c.box);
        dialog.editField("antalTxt").setText(c.number);
        dialog.checkBox("omVinnerChk").setValue(c.win);
        dialog.pushButton("okBtn").push();
        EXPECT_FALSE(isOpen());
        EXPECT_EQ(playWin::instance().timesLeft, c.timesLeft) << "box " << c.box << ", \"" << c.number << "\"";
        EXPECT_EQ(playWin::instance().quitIfSuccess, c.quitIfSuccess) << "box " << c.box << ", win box " << c.win;
    }
}

TEST_F(EmuleradTest, LimitDisablesTheMenuItemCountsDownAndTheLastGameQuits)
{
    MapCatalogue cat;
    cat.entries = {{"Quit", "Avsluta"}};
    text::setCatalogue(&cat);
    emulerad& dialog = reopen(-1);
    typeAtWindow(dialog, Qt::Key_2);
    QTest::keyClick(dialog.editField("antalTxt").widget(), Qt::Key_Return);
    playWin& table = playWin::instance();
    fw::MenuItem* item = menuItems::menuEmulerad();
    table.EnableMenuItems();
    EXPECT_FALSE(item->enabled());
    item->choose();
    EXPECT_FALSE(isOpen()) << "a disabled item opened the dialog";
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
