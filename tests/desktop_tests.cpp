// What a window system with a window manager does that the offscreen
// platform does not: it reports the heights of a growth back afterwards,
// or merges them, or reports none; the player reaches the Settings
// dialog's keys through their tab.

#include "table_support.h"

#include "windows/pref.h"

#include <QResizeEvent>
#include <QTabBar>
#include <QWindow>

TEST_F(TableTest, HeightsAGrowthPassedStayWhileTheWindowSystemAnswersThenAPlayersResizeToThemSnaps)
{
    // The window system answers a growth from 209 to 234 with each height in
    // turn, with only the last (a window manager merges them; Qt's widget
    // already holds it and hears nothing), or not at all.
    enum Answer { EachHeight, LastOnly, None };
    for (const Answer answer : {EachHeight, LastOnly, None}) {
        SCOPED_TRACE(answer);
        freshTable();
        startOn("a2 a3 a4 a5 a6 a7 a8|||");
        ASSERT_EQ(w().height(), 234);
        const int menu = w().host()->height() - w().height();
        const auto report = [&](int h) {
            QResizeEvent told(QSize(w().width(), h + menu), w().host()->size());
            QCoreApplication::sendEvent(w().host()->windowHandle(), &told);
        };
        std::vector<int> echoed, kept;
        for (int h = 211; answer == EachHeight && h <= 234; h += h < 233 ? 2 : 1) {
            echoed.push_back(h);
            report(h);
            w().host()->resize(w().width(), h + menu);
            kept.push_back(w().height());
        }
        EXPECT_EQ(kept, echoed) << "an in-between height of the growth snapped back";
        if (answer == LastOnly)
            report(234);
        if (answer == None)
            sys.advanceSeconds(1.5);
        QCoreApplication::processEvents();
        w().host()->resize(w().width(), 213 + menu);
        EXPECT_EQ(w().height(), 209) << "the player's resize";
    }
}

TEST_F(TableTest, SettingsOpenWithPileOnesKeysSelectedSoThatTypingOnTheirPageReplacesThem)
{
    const std::tuple<std::vector<int>, const char*, const char*> cases[] = {
        {{1}, "zx", "zx"},
        {{1, 0, 1}, "9", "qaz19"},  // back on its page the field has the focus again
    };
    for (const auto& [tabs, typed, saved] : cases) {
        SCOPED_TRACE(typed);
        freshTable();
        type(Qt::Key_Comma, Qt::ControlModifier);
        pref* dialog = fw::Application::instance().openInstance<pref>();
        ASSERT_NE(dialog, nullptr);
        QApplication::setActiveWindow(dialog->host());
        auto* bar = dialog->tabPanel("TabPanel1").widget()->findChild<QTabBar*>();
        for (const int tab : tabs)
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::mouseClick(dialog->pushButton("sparaBtn").widget(), Qt::LeftButton);
        EXPECT_EQ(w().playKeys, (fw::TextArray{"tgb 0", saved, "wsx2", "edc3", "rfv4"}));
    }
}
