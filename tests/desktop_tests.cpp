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
    // The window system answers the growth from 209 to 234 with each height
    // in turn; the other ways of answering are the next test's.
    startOn("a2 a3 a4 a5 a6 a7 a8|||");
    ASSERT_EQ(w().height(), 234);
    const int menu = w().host()->height() - w().height();
    std::vector<int> echoed, kept;
    for (int h = 211; h <= 234; h += h < 233 ? 2 : 1) {
        echoed.push_back(h);
        QResizeEvent told(QSize(w().width(), h + menu), w().host()->size());
        QCoreApplication::sendEvent(w().host()->windowHandle(), &told);
        w().host()->resize(w().width(), h + menu);
        kept.push_back(w().height());
    }
    EXPECT_EQ(kept, echoed) << "an in-between height of the growth snapped back";
    QCoreApplication::processEvents();
    w().host()->resize(w().width(), 213 + menu);
    EXPECT_EQ(w().height(), 209) << "the player's resize";
}

namespace {

// Notes the height at each Resized.
class GrowingWin : public fw::Window {
public:
    std::vector<int> resized;
    void Resized() override { resized.push_back(height()); }

protected:
    const fw::WindowRecord& layoutRecord() const override
    {
        static constexpr fw::WindowRecord record{.title = "Growing", .width = 200, .height = 100, .resizeable = true};
        return record;
    }
    std::span<const fw::ControlRecord> controlRecords() const override
    {
        static constexpr fw::ControlRecord records[] = {{.name = "label", .width = 50, .height = 20}};
        return records;
    }
};

}  // namespace

TEST_F(GameTest, TheWindowSystemsAnswersToAGrowthAreNoResizeUntilASecondAfterTheLastHeightAsked)
{
    // A growth from 100 to 110 asked over 1.2 s; the answers come after the
    // given seconds, then the player resizes to 104, which the growth passed.
    const struct {
        std::vector<int> answers;
        double answerAfter, playerAfter;
        std::vector<int> resized;
    } cases[] = {
        {{102, 104, 106, 108, 110}, 0, 0, {104}},  // each in turn, the last one too
        {{110}, 0, 0, {104}},                      // merged into the last
        {{}, 0, 1.1, {104}},                       // none
        {{104, 110}, 0.9, 0, {104}},               // 2.1 s after the first height asked
        {{106}, 1.1, 0, {106, 104}},               // too late to be an answer
    };
    for (const auto& c : cases) {
        fw::Application::instance().reset();
        auto& w = fw::Application::instance().implicitInstance<GrowingWin>();
        for (int h = 102; h <= 110; h += 2) {
            w.setHeight(h);
            sys.advanceSeconds(h < 110 ? 0.3 : c.answerAfter);
        }
        w.resized.clear();  // Qt's own reports as it resized; the game ignores them
        for (const int h : c.answers) {
            // The platform window hears it first, then the widget, unless it
            // holds that height already.
            QResizeEvent told(QSize(w.width(), h), w.host()->size());
            QCoreApplication::sendEvent(w.host()->windowHandle(), &told);
            w.host()->resize(w.width(), h);
        }
        QCoreApplication::processEvents();
        sys.advanceSeconds(c.playerAfter);
        w.host()->resize(w.width(), 104);
        QCoreApplication::processEvents();
        EXPECT_EQ(w.resized, c.resized) << "answers " << c.answers.size() << " after " << c.answerAfter << " s";
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
