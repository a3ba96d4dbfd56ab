// The About and Rules windows: the version in the About title, and the
// Rules window's place beside the table.

#include "support.h"

#include "app/Menu.h"
#include "windows/om.h"
#include "windows/regler.h"

#include <QRegularExpression>
#include <QScreen>

using fw::Text;

TEST_F(GameTest, TheAboutTitleShowsTheProjectsVersionWithAThirdNumberOnlyAboveZero)
{
    // The project's version, as CMake gives it, without a third number of 0.
    const Text version = Text(VESKO_PROJECT_VERSION).replace(QRegularExpression("^(\\d+\\.\\d+)\\.0$"), "\\1");
    EXPECT_EQ(chooseFromMenu<om>(menuItems::omVesko).title(), "Vesko's Solvary " + version);
    EXPECT_EQ((std::vector{aboutTitle("V", 1, 2, 0), aboutTitle("V", 1, 2, 3), aboutTitle("V", 1, 2, -1)}),
              (std::vector<Text>{"V 1.2", "V 1.2.3", "V 1.2"}));
}

TEST_F(GameTest, TheRulesLieBesideThePlayableTable)
{
    regler& rules = chooseFromMenu<regler>(menuItems::helpRegler);
    playWin& game = openTable();
    const QRect frame = rules.host()->frameGeometry();
    EXPECT_FALSE(frame.intersects(game.host()->frameGeometry())) << "the rules cover the table";
    EXPECT_TRUE(game.host()->screen()->availableGeometry().contains(frame)) << "the rules leave the screen";
    game.clearFocus();
    QTest::keyClick(game.host(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(cardCount(game.deck), 48) << "New game";
    EXPECT_TRUE(rules.isOpen());
}
