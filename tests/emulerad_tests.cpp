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

// The number, with * while it holds the focus and is selected, ! while another control holds it.
Text numberOf(const emulerad& d)
{
    const fw::EditField& number = d.editField("antalTxt");
    const QWidget* focus = d.host()->focusWidget();
    return number.text() + (number.hasFocus() && number.selLength() == 1 ? "*" : focus && focus != d.host() ? "!" : "");
}

// What the dialog shows, as one line to compare whole: each control's value
// (x for a ticked box) and + or - for shown and for enabled.
Text shownBy(const emulerad& d)
{
    const auto state = [](const fw::Control& c) { return Text(c.visible() ? "+" : "-") + (c.enabled() ? "+" : "-"); };
    const auto box = [&](const char* name) { return (d.checkBox(name).value() ? "x" : "o") + state(d.checkBox(name)); };
    return box("spelaBaraChk") + " " + numberOf(d) + state(d.editField("antalTxt")) + " grey " +
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
    EXPECT_TRUE(dialog->pushButton("okBtn").widget()->property("default").toBool()) << "OK is drawn as the default";
    catalogue.entries = {{"https://www.gamblersanonymous.org/", "https://www.stodlinjen.se/"}};
    clickOn(dialog->pushButton("PushButton3"));
    EXPECT_EQ(sys.urls, std::vector<Text>{"https://www.stodlinjen.se/"});
    EXPECT_EQ(isOpen() ? shownBy(*dialog) : "closed", "o++ 1+- grey 1-- arrows+- \" time more\"++ win x+-");
    EXPECT_EQ(shownBy(reopen(4)), "x+- 4-- grey 4+- arrows+- \" times more\"+- win o+-");
    // The copy is drawn in its own grey.
    const QImage grey =
        fw::Application::instance().openInstance<emulerad>()->staticText("antalTxtDim").widget()->grab().toImage();
    int darkest = 255;
    for (int row = 0; row < grey.height(); ++row)
        for (int column = 0; column < grey.width(); ++column)
            darkest = std::min(darkest, qGray(grey.pixel(column, row)));
    EXPECT_NEAR(darkest, 126, 16) << "antialiased, its darkest pixel near its grey";
    EXPECT_EQ(shownBy(reopen(1, true)), "x+- 1-- grey 1+- arrows+- \" time more\"+- win x+-");
    // Built under a limit, which the player never meets: a digit frees the hidden field, and OK writes it.
    emulerad& limited = reopen(4);
    typeAtWindow(limited, Qt::Key_6);
    EXPECT_EQ(shownBy(limited), "x++ 6-+ grey 4+- arrows++ \" times more\"+- win o++");
    QTest::keyClick(limited.host(), Qt::Key_Return);
    EXPECT_EQ(playWin::instance().timesLeft, 6);
}

TEST_F(EmuleradTest, KeysAndClicksReactAsThePlayerExpectsAndOkWritesTheLimitOnlyWithTheBoxTicked)
{
    // With these deal keys, after a digit typed at the window (or none), a key typed at the window
    // with nothing focused (w) or in the number field (f), or a click with nothing focused on the box
    // (b) or an arrow (u, d): the limit set when the dialog closes, else the dialog as it was, or the
    // number, its label, and + for each of the number, the arrows and the win box enabled.
    struct Case { const char* dealKeys; Qt::Key digit; char on; Qt::Key key; const char* after; int beeps; };
    const Qt::Key none = Qt::Key_unknown, space = Qt::Key_Space, six = Qt::Key_6;
    const Case cases[] = {
        {"tgb 0", none, 'w', Qt::Key_0, "limit -1", 0}, {"tgb 0", none, 'w', Qt::Key_T, "limit -1", 0},
        {"tgb 0", none, 'w', Qt::Key_Return, "limit -1", 0}, {"tgb 0", none, 'w', Qt::Key_X, "as it was", 1},
        {"tgb 0", none, 'w', Qt::Key_Tab, "as it was", 1}, {"3 x", none, 'w', Qt::Key_3, "3* times more +++", 0},
        {"tgb 0", six, 'f', Qt::Key_Enter, "limit 6 quit", 0}, {"tgb 0", six, 'f', Qt::Key_0, "limit 6 quit", 0},
        {"tgb 0", six, 'f', Qt::Key_A, "as it was", 1}, {"tgb 0", six, 'f', Qt::Key_Tab, "6! times more +++", 0},
        {"tgb 0", six, 'f', Qt::Key_7, "7* times more +++", 0}, {"tgb 0", six, 'f', Qt::Key_1, "1* time more +++", 0},
        {"3 x", six, 'f', Qt::Key_3, "3* times more +++", 0}, {"3 x", six, 'f', Qt::Key_X, "limit 6 quit", 0},
        {"tgb 0", none, 'b', space, "1* time more +++", 0}, {"tgb 0", Qt::Key_4, 'b', space, "4 times more ---", 0},
        {"tgb 0", Qt::Key_8, 'u', space, "9* times more +++", 0}, {"tgb 0", Qt::Key_9, 'u', space, "as it was", 1},
        {"tgb 0", Qt::Key_2, 'd', space, "1* time more +++", 0}, {"tgb 0", Qt::Key_1, 'd', space, "as it was", 1},
        {"tgb 0", Qt::Key_1, 'u', space, "2* times more +++", 0}};
    for (const Case& c : cases) {
        emulerad& dialog = reopen(-1);
        playWin& table = playWin::instance();
        table.playKeys[0] = c.dealKeys;
        if (c.digit != none)
            typeAtWindow(dialog, c.digit);
        if (c.on != 'f')
            dialog.clearFocus();
        const Text before = shownBy(dialog);
        const int beeps = sys.beeps;
        fw::EditField& number = dialog.editField("antalTxt");
        QWidget* arrows = dialog.littleArrows("antalArrows").widget();
        if (c.on == 'w' || c.on == 'f')
            QTest::keyClick(c.on == 'w' ? dialog.host() : number.widget(), c.key);
        else
            c.on == 'b' ? clickOn(dialog.checkBox("spelaBaraChk"))
                        : QTest::mouseClick(arrows->childAt(6, c.on == 'u' ? 5 : 17), Qt::LeftButton);
        const auto on = [](const fw::Control& control) { return control.enabled() ? "+" : "-"; };
        const Text after = !isOpen() ? "limit " + fw::Str(table.timesLeft) + (table.quitIfSuccess ? " quit" : "")
                           : shownBy(dialog) == before ? "as it was"
                                                       : numberOf(dialog) + dialog.staticText("ggrTxt").text() + " " +
                                 on(number) + on(dialog.littleArrows("antalArrows")) + on(dialog.checkBox("omVinnerChk"));
        EXPECT_EQ(std::pair(after, sys.beeps - beeps), std::pair(Text(c.after), c.beeps))
            << c.dealKeys << ", " << QKeySequence(c.digit).toString().toStdString() << " then " << c.on << " "
            << QKeySequence(c.key).toString().toStdString();
    }
    // The field takes only typed digits, but a paste goes around the keys.
    struct Ok { bool box; const char* number; bool win; int timesLeft; bool quitIfSuccess; };
    for (const Ok& c : {Ok{true, "3", true, 3, true}, {true, "3", false, 3, false}, {false, "8", true, -1, false},
                        {true, "x", true, 1, true}, {true, "0", true, 1, true}, {true, "42", true, 9, true}}) {
        emulerad& dialog = reopen(-1, true);
        dialog.checkBox("spelaBaraChk").setValue(c.box);
        dialog.editField("antalTxt").setText(c.number);
        dialog.checkBox("omVinnerChk").setValue(c.win);
        clickOn(dialog.pushButton("okBtn"));
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
