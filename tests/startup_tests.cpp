// Start-up, the menu bar, the game window's layout and start state, the
// text lookup and the project resources.

#include "support.h"

#include "app/App.h"
#include "app/Menu.h"
#include "framework/menu.h"
#include "framework/picture.h"
#include "table/layout.h"
#include "table/playWin.h"

#include <QAction>

#include <set>
#include <utility>

using fw::Text;

TEST_F(GameTest, StartUpShowsTheGameWindowAndItsHelpMenuOfFiveCommands)
{
    Menu::instance();
    static_cast<App&>(fw::Application::instance()).Open();
    playWin* table = playWin::openInstance();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(std::tuple(table->isVisible(), table->timesLeft, table->width(), table->height(), table->minHeight(),
                         table->maxHeight(), table->controls().size(), table->defaultButton()),
              std::tuple(true, -1, 229, 209, 64, 414, 55u, &table->pushButton("nyttspel")));
    EXPECT_EQ(std::tuple(table->pushButton("delaut").enabled(), table->staticText("status").text(), table->quitIfSuccess,
                         table->minSec, cardCount(table->deck)),
              std::tuple(false, Text(), false, 0, 0));
    // The commands in order with their shortcuts.
    std::vector<QString> items;
    for (const auto& item : table->menuBar()->child("Help")->children())
        items.push_back(item->name + item->action()->shortcut().toString());
    EXPECT_EQ(items, (std::vector<QString>{"helpRegler", "menuPrefCtrl+,", "appleAvslutaCtrl+Q", "omVesko", "menuEmulerad"}));
}

// ---------------------------------------------------------------- lookup

TEST(Lookup, RulesOfTheKey)
{
    MapCatalogue cat;
    cat.entries = {{"Settings", "Inställningar"}, {"The deck is empty", "Leken är slut"}, {"Two lines*here", "Två*rader"},
                   {"Ellipsis", "Punkter\u2026"}, {"Blank", ""}};
    const std::pair<const char*, const char*> cases[] = {
        {"", ""}, {"-", "-"}, {"New game", "New game"}, {"Max number of fault clicks:", "Max number of fault clicks:"},
        {"Settings\u2026", "Inställningar\u2026"}, {"The deck is empty.", "Leken är slut."},
        {"Two lines\rhere", "Två\nrader"}, {"Two lines\nhere", "Två\nrader"}, {"Two lines\r\nhere", "Två\nrader"},
        {"Keys used.*Hold (you!)", "Keys used.\nHold (you!)"}, {"Ellipsis\u2026", "Punkter\u2026\u2026"},
        {"Dots...", "Dots..."}, {"Blank", "Blank"}, {"Blank.", "."}};
    for (const auto& [given, expected] : cases)
        EXPECT_EQ(text::lookup(QString::fromUtf8(given), cat), QString::fromUtf8(expected)) << given;
}

// ---------------------------------------------------------------- resources

TEST_F(GameTest, ResourcesAreLoadedOnceKeptWithTheirSizesAndAMissingOneIsAskedForAgain)
{
    std::vector<QString> pictures;
    for (const auto accessor : {res::a, res::b, res::c, res::d, res::card, res::logo, res::note, res::noteMask, res::stop,
                                res::stopMask, res::win})
        pictures.push_back(QStringLiteral("%1x%2%3").arg(accessor()->image().width()).arg(accessor()->image().height())
                               .arg(accessor()->transparent() ? " clear" : ""));
    EXPECT_EQ(pictures, (std::vector<QString>{"16x16 clear", "16x16 clear", "16x16 clear", "16x16 clear", "25x34",
                                              "133x125 clear", "128x128", "128x128", "128x128", "128x128", "128x128"}));
    // Each suit its own picture.
    EXPECT_EQ((std::set<fw::Picture*>{res::a(), res::b(), res::c(), res::d()}).size(), 4u);
    const int loads = sys.pictureLoads;
    res::card();
    res::plopp()->setVolume(30);
    EXPECT_EQ(std::pair(sys.pictureLoads, res::plopp()->volume()), std::pair(loads, 30)) << "asked once, kept";
    sys.missingSounds = {res::errSoundNumber};
    const int soundLoads = sys.soundLoads;
    EXPECT_TRUE(!res::err() && !res::err() && sys.soundLoads == soundLoads + 2);
    // The real sounds are short wave files, each its own; from the shortest: a dealt card, a throw, a fault
    // click, the shuffle, the jingle of a win.
    double shorter = 0.05;
    for (const int number : {168, 170, 172, 169, 171}) {
        const auto sound = fw::realSystem().loadSound(number);
        EXPECT_TRUE(sound && sound->seconds() > std::exchange(shorter, sound->seconds()) && sound->seconds() < 2) << number;
    }
}
