// The About window: the version in its title.

#include "support.h"

#include "app/Menu.h"
#include "windows/om.h"

#include <QRegularExpression>

using fw::Text;

TEST_F(GameTest, TheAboutTitleShowsTheProjectsVersionWithAThirdNumberOnlyAboveZero)
{
    // The project's version, as CMake gives it, without a third number of 0.
    const Text version = Text(VESKO_PROJECT_VERSION).replace(QRegularExpression("^(\\d+\\.\\d+)\\.0$"), "\\1");
    EXPECT_EQ(chooseFromMenu<om>(menuItems::omVesko).title(), "Vesko's Solvary " + version);
    EXPECT_EQ((std::vector{aboutTitle("V", 1, 2, 0), aboutTitle("V", 1, 2, 3), aboutTitle("V", 1, 2, -1)}),
              (std::vector<Text>{"V 1.2", "V 1.2.3", "V 1.2"}));
}
