// The self-discipline dialog: its two opening states, the key rules of the
// window and of the number field, the arrows, OK and the help button; and
// the suits it shares with the Settings dialog.

#include "support.h"

#include "windows/pref.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <map>
#include <ranges>

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

// The dialog in front, opened anew with this limit in force once any open one is answered.
emulerad& reopen(int timesLeft, bool quitIfSuccess = false)
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
bool isOpen() { return fw::Application::instance().openInstance<emulerad>() != nullptr; }
void typeAtWindow(emulerad& d, Qt::Key key) { d.clearFocus(); QTest::keyClick(d.host(), key); }

using EmuleradTest = GameTest;

}  // namespace

TEST_F(EmuleradTest, OpensFreeOrGreyedUnderALimitAndHelpLeavesItAsItWas)
{
    playWin::instance().show();
    emulerad* dialog = fw::Application::instance().openInstance<emulerad>();
    ASSERT_NE(dialog, nullptr) << "the start-up opens it";
    QApplication::setActiveWindow(dialog->host());
    EXPECT_EQ(shownBy(*dialog), "o++ 1+- grey 1-- arrows+- \" time more\"++ win x+-");
    // The row follows the box's caption: the number 10 pixels on, the arrows 30 and the label 50 past the number.
    const fw::CheckBox& box = dialog->checkBox("spelaBaraChk");
    const int x = dialog->editField("antalTxt").left();
    EXPECT_EQ(std::tuple(x - box.left() - box.width(), dialog->staticText("antalTxtDim").left() - x,
                         dialog->littleArrows("antalArrows").left() - x, dialog->staticText("ggrTxt").left() - x),
              std::tuple(10, 0, 30, 50));
    typeAtWindow(*dialog, Qt::Key_5);
    EXPECT_EQ(shownBy(*dialog), "x++ 5++ grey 1-- arrows++ \" times more\"++ win x++") << "a digit sets a limit";
    EXPECT_TRUE(dialog->editField("antalTxt").hasFocus() && dialog->editField("antalTxt").selLength() == 1);
    catalogue.entries = {{"https://www.gamblersanonymous.org/", "https://www.stodlinjen.se/"}};
    const Text before = shownBy(*dialog);
    dialog->pushButton("PushButton3").push();
    EXPECT_EQ(sys.urls, std::vector<Text>{"https://www.stodlinjen.se/"});
    EXPECT_EQ(isOpen() ? shownBy(*dialog) : "closed", before);
    EXPECT_EQ(shownBy(reopen(4)), "x+- 4-- grey 4+- arrows+- \" times more\"+- win o+-");
    EXPECT_EQ(shownBy(reopen(1, true)), "x+- 1-- grey 1+- arrows+- \" time more\"+- win x+-");
}

TEST_F(EmuleradTest, KeysAtTheWindowAndInTheNumberField)
{
    // Typed in the number field after a 6, or at the window with nothing focused: the limit
    // set when the key confirms, else the number shown or the dialog left as it was.
    struct Case { const char* dealKeys; bool inField; Qt::Key key; const char* after; int beeps; };
    const Case cases[] = {
        {"tgb 0", false, Qt::Key_0, "limit -1", 0}, {"tgb 0", false, Qt::Key_T, "limit -1", 0},
        {"tgb 0", false, Qt::Key_Return, "limit -1", 0}, {"tgb 0", false, Qt::Key_X, "as it was", 1},
        {"tgb 0", false, Qt::Key_Tab, "as it was", 1}, {"3 x", false, Qt::Key_3, "3 selected", 0},
        {"tgb 0", true, Qt::Key_Enter, "limit 6 quit", 0}, {"tgb 0", true, Qt::Key_0, "limit 6 quit", 0},
        {"tgb 0", true, Qt::Key_A, "as it was, in the field", 1}, {"tgb 0", true, Qt::Key_Tab, "as it was", 0},
        {"tgb 0", true, Qt::Key_7, "7 selected", 0}, {"3 x", true, Qt::Key_3, "3 selected", 0},
        {"3 x", true, Qt::Key_X, "limit 6 quit", 0}};
    for (const Case& c : cases) {
        emulerad& dialog = reopen(-1);
        playWin& table = playWin::instance();
        table.playKeys[0] = c.dealKeys;
        fw::EditField& number = dialog.editField("antalTxt");
        if (c.inField) {
            dialog.checkBox("spelaBaraChk").setValue(true);
            QTest::keyClick(number.widget(), Qt::Key_6);
        }
        const Text before = shownBy(dialog);
        const int beeps = sys.beeps;
        c.inField ? QTest::keyClick(number.widget(), c.key) : typeAtWindow(dialog, c.key);
        const Text after = !isOpen() ? "limit " + fw::Str(table.timesLeft) + (table.quitIfSuccess ? " quit" : "")
                           : shownBy(dialog) == before ? Text("as it was") + (number.hasFocus() ? ", in the field" : "")
                                                       : number.text() + (number.selLength() == 1 ? " selected" : "");
        EXPECT_EQ(std::pair(after, sys.beeps - beeps), std::pair(Text(c.after), c.beeps))
            << QKeySequence(c.key).toString().toStdString() << (c.inField ? " in the field" : " at the window");
    }
}

TEST_F(EmuleradTest, ArrowsStayWithinOneToNineAndOkWritesTheLimitOnlyWithTheBoxTicked)
{
    struct Step { const char* from; bool up; const char* to; int beeps; const char* label; };
    for (const Step& c : {Step{"8", true, "9", 0, " times more"}, {"9", true, "9", 1, " times more"},
                          {"2", false, "1", 0, " time more"}, {"1", false, "1", 1, " time more"},
                          {"1", true, "2", 0, " times more"}}) {
        emulerad& dialog = reopen(-1);
        dialog.checkBox("spelaBaraChk").setValue(true);
        fw::EditField& number = dialog.editField("antalTxt");
        number.setText(c.from);
        dialog.ggrFix();
        dialog.clearFocus();
        const int beeps = sys.beeps;
        c.up ? dialog.littleArrows("antalArrows").clickUp() : dialog.littleArrows("antalArrows").clickDown();
        // A step selects the number.
        EXPECT_EQ(std::tuple(number.text(), sys.beeps - beeps, dialog.staticText("ggrTxt").text(),
                             number.hasFocus() && number.selLength() == 1),
                  std::tuple(Text(c.to), c.beeps, Text(c.label), c.beeps == 0))
            << (c.up ? "Up from " : "Down from ") << c.from;
    }
    // The field takes only typed digits, but a paste goes around the keys.
    struct Ok { bool box; const char* number; bool win; int timesLeft; bool quitIfSuccess; };
    for (const Ok& c : {Ok{true, "3", true, 3, true}, {true, "3", false, 3, false}, {false, "8", true, -1, false},
                        {true, "x", true, 1, true}, {true, "0", true, 1, true}, {true, "42", true, 9, true}}) {
        emulerad& dialog = reopen(-1, true);
        dialog.checkBox("spelaBaraChk").setValue(c.box);
        dialog.editField("antalTxt").setText(c.number);
        dialog.checkBox("omVinnerChk").setValue(c.win);
        dialog.pushButton("okBtn").push();
        EXPECT_EQ(std::tuple(isOpen(), playWin::instance().timesLeft, playWin::instance().quitIfSuccess),
                  std::tuple(false, c.timesLeft, c.quitIfSuccess)) << "box " << c.box << ", \"" << c.number << "\"";
    }
}

TEST_F(EmuleradTest, BothDialogsShowClubsDiamondsSpadesHeartsFromLeftToRight)
{
    playWin::instance().show();
    for (const fw::Window* dialog : std::initializer_list<const fw::Window*>{&emulerad::instance(), &pref::instance()}) {
        std::map<int, QImage> byLeft;
        for (int i = 0; i < 4; ++i)
            byLeft[dialog->canvas("suit", i).left()] = dialog->canvas("suit", i).backdrop();
        const QImage suits[] = {res::a()->rendered(), res::b()->rendered(), res::d()->rendered(), res::c()->rendered()};
        EXPECT_TRUE(std::equal(suits, suits + 4, std::views::values(byLeft).begin())) << dialog->title().toStdString();
    }
}
