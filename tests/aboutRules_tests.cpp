// The About window: the version in its title, the logo's panel. The Rules
// window: its place beside the table. Which windows the player can close.

#include "support.h"

#include "app/Menu.h"
#include "table/slut.h"
#include "windows/forsokInte.h"
#include "windows/om.h"
#include "windows/pref.h"
#include "windows/regler.h"

#include <QRegularExpression>
#include <QScreen>

using fw::Text;

TEST_F(GameTest, TheAboutTitleShowsTheProjectsVersionWithAThirdNumberOnlyAboveZeroOverAFramelessLogoPanel)
{
    // The project's version, as CMake gives it, without a third number of 0.
    const Text version = Text(VESKO_PROJECT_VERSION).replace(QRegularExpression("^(\\d+\\.\\d+)\\.0$"), "\\1");
    om& about = chooseFromMenu<om>(menuItems::omVesko);
    EXPECT_EQ(about.title(), "Vesko's Solvary " + version);
    EXPECT_EQ((std::vector{aboutTitle("V", 1, 2, 0), aboutTitle("V", 1, 2, 3), aboutTitle("V", 1, 2, -1)}),
              (std::vector<Text>{"V 1.2", "V 1.2.3", "V 1.2"}));
    // The panel's edges, left of the logo, are as white as its middle.
    const QImage shot = about.content()->grab().toImage();
    for (const QPoint at : {QPoint(20, 14), QPoint(20, 76), QPoint(60, 14), QPoint(60, 138), QPoint(328, 76)})
        EXPECT_EQ(QColor(shot.pixel(at)), QColor(Qt::white)) << at.x() << "," << at.y();
}

TEST_F(GameTest, TheRulesWindowOpensBesideTheTableOnTheScreen)
{
    // The table where it opens, in the middle of the screen, then moved to the top left and the top right.
    const QPoint opened = openTable().host()->pos();
    const QRect screen = playWin::instance().host()->screen()->availableGeometry();
    for (const QPoint at : {opened, screen.topLeft(), screen.topRight() - QPoint(240, 0)}) {
        openTable().host()->move(at);
        const QRect table = playWin::instance().host()->frameGeometry();
        regler& rules = chooseFromMenu<regler>(menuItems::helpRegler);
        EXPECT_FALSE(rules.host()->frameGeometry().intersects(table)) << "over the table at " << at.x() << "," << at.y();
        EXPECT_TRUE(screen.contains(rules.host()->frameGeometry()));
        rules.close();
    }
}

TEST_F(GameTest, OnlyTheTableAndTheRulesWindowHaveACloseBoxTheOthersBlockTheTable)
{
    playWin& table = playWin::instance();
    table.show();
    const std::pair<fw::Window*, bool> windows[] = {{&table, true}, {&regler::instance(), true}, {&om::instance(), false},
        {&pref::instance(), false}, {&emulerad::instance(), false}, {&slut::instance(), false}, {&forsokInte::instance(), false}};
    for (const auto& [w, closable] : windows) {
        EXPECT_EQ(w->host()->windowFlags().testFlag(Qt::WindowCloseButtonHint), closable) << w->title().toStdString();
        EXPECT_EQ(w->host()->windowModality(), closable ? Qt::NonModal : Qt::WindowModal) << w->title().toStdString();
    }
}
