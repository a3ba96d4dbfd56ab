// Start-up, the menu bar, the game window's layout and start state, the
// text lookup and the project resources.

#include "support.h"

#include "app/App.h"
#include "app/Menu.h"
#include "table/layout.h"
#include "table/playWin.h"

#include <QAction>
#include <QFile>
#include <QTranslator>
#include <QXmlStreamReader>

#include <set>

using fw::Text;

namespace {

App& app() { return static_cast<App&>(fw::Application::instance()); }

}  // namespace

TEST_F(GameTest, StartUpOpensTheGameWindowBeforeShowingItAndLocalizesTheMenuLast)
{
    MapCatalogue cat;
    cat.entries = {{"Help", "Hjälp"}, {"Rules", "Regler"}, {"Quit", "Avsluta"}};
    text::setCatalogue(&cat);
    Menu::instance();
    app().Open();
    playWin* table = playWin::openInstance();
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isVisible());
    EXPECT_EQ(table->timesLeft, -1);
    EXPECT_EQ(menuItems::Help()->text(), "Hjälp");
    EXPECT_EQ(menuItems::helpRegler()->text(), "Regler\u2026") << "the final … is cut and put back";
    EXPECT_EQ(menuItems::appleAvsluta()->text(), "Avsluta");
    EXPECT_EQ(menuItems::omVesko()->text(), "About Vesko's Solvary\u2026");
}

TEST_F(GameTest, HelpMenuHoldsFiveCommandsInOrderWithTheirShortcuts)
{
    playWin& table = playWin::instance();
    fw::MenuItem* help = table.menuBar()->child("Help");
    ASSERT_NE(help, nullptr);
    std::vector<QString> names, shortcuts;
    for (const auto& item : help->children()) {
        names.push_back(item->name);
        shortcuts.push_back(item->keyboardShortcut());
    }
    EXPECT_EQ(names, (std::vector<QString>{"helpRegler", "menuPref", "appleAvsluta", "omVesko", "menuEmulerad"}));
    EXPECT_EQ(shortcuts, (std::vector<QString>{"", "Cmd+,", "Cmd+Q", "", ""}));
    EXPECT_EQ(help->child("menuPref")->action()->shortcut(), QKeySequence("Ctrl+,"));
}

TEST_F(GameTest, SelfDisciplineCommandIsOnlyEnabledWithoutAPlayLimit)
{
    playWin& table = playWin::instance();
    fw::MenuItem* emulerad = table.menuBar()->lookup("menuEmulerad");
    EXPECT_TRUE(emulerad->enabled());
    for (int limit : {0, 3}) {
        table.timesLeft = limit;
        table.EnableMenuItems();
        EXPECT_FALSE(emulerad->enabled()) << "limit " << limit;
        for (const char* other : {"appleAvsluta", "omVesko", "menuPref", "helpRegler"})
            EXPECT_TRUE(table.menuBar()->lookup(other)->enabled()) << other;
    }
    table.timesLeft = -1;
    table.EnableMenuItems();
    EXPECT_TRUE(emulerad->enabled());
}

TEST_F(GameTest, GameWindowLayoutAndStateBeforeTheFirstGame)
{
    playWin& table = playWin::instance();
    EXPECT_EQ(table.width(), 229);
    EXPECT_EQ(table.height(), 209);
    EXPECT_EQ(table.controls().size(), 55u);
    for (int pile = 1; pile <= 4; ++pile) {
        for (int i = 0; i < cardViewsPerPile; ++i) {
            const fw::Canvas& view = table.cardView(pile, i);
            EXPECT_EQ(view.left(), 24 + 52 * (pile - 1));
            EXPECT_EQ(view.top(), 45 + 25 * i);
            EXPECT_EQ(view.width(), 25);
            EXPECT_EQ(view.height(), 34);
            EXPECT_TRUE(view.visible());
            EXPECT_FALSE(view.hasBackdrop());
        }
    }
    const fw::Canvas& last = table.cardView(3, 12);
    EXPECT_EQ(last.top() + last.height(), 379);
    EXPECT_TRUE(table.pushButton("nyttspel").isDefault());
    EXPECT_TRUE(table.pushButton("nyttspel").enabled());
    EXPECT_FALSE(table.pushButton("delaut").enabled());
    EXPECT_EQ(table.defaultButton(), &table.pushButton("nyttspel"));
    EXPECT_EQ(table.staticText("status").text(), "");
    EXPECT_EQ(table.quitIfSuccess, false);
    EXPECT_EQ(table.minSec, 0);
    EXPECT_EQ(cardCount(table.deck), 0);
    EXPECT_EQ(table.minHeight(), 64);
    EXPECT_EQ(table.maxHeight(), 414);
}

TEST_F(GameTest, ClosingTheGameWindowQuits)
{
    playWin& table = playWin::instance();
    table.close();
    EXPECT_TRUE(fw::Application::instance().quitting());
}

// ---------------------------------------------------------------- lookup

TEST(Lookup, RulesOfTheKey)
{
    MapCatalogue cat;
    cat.entries = {{"Settings", "Inställningar"},
                   {"No way", "Aldrig"},
                   {"The deck is empty", "Leken är slut"},
                   {"Two lines*here", "Två*rader"},
                   {"Ellipsis", "Punkter\u2026"},
                   {"Blank", ""}};
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"-", "-"},
        {"New game", "New game"},
        {"Max number of fault clicks:", "Max number of fault clicks:"},
        {"Settings\u2026", "Inställningar\u2026"},
        {"No way\u2026", "Aldrig\u2026"},
        {"The deck is empty.", "Leken är slut."},
        {"Two lines\rhere", "Två\nrader"},
        {"Two lines\nhere", "Två\nrader"},
        {"Two lines\r\nhere", "Två\nrader"},
        {"Keys used.*Hold (you!)", "Keys used.\nHold (you!)"},
        {"Ellipsis\u2026", "Punkter\u2026\u2026"},
        {"Dots...", "Dots..."},
        {"Blank", "Blank"},
        {"Blank.", "."},
    };
    for (const auto& [given, expected] : cases)
        EXPECT_EQ(text::lookup(QString::fromUtf8(given), cat), QString::fromUtf8(expected)) << given;
}

TEST(Lookup, EveryKeyOfTheSourceCatalogueHasASwedishTranslation)
{
    QTranslator swedish;
    ASSERT_TRUE(swedish.load(":/i18n/vesko_sv.qm"));
    QFile keys(VESKO_SOURCE_DIR "/resources/translations/keys.txt");
    ASSERT_TRUE(keys.open(QIODevice::ReadOnly | QIODevice::Text));
    int count = 0;
    while (!keys.atEnd()) {
        const QString key = QString::fromUtf8(keys.readLine()).chopped(1);
        if (key.isEmpty())
            continue;
        ++count;
        EXPECT_EQ(key, text::lookupKey(key)) << "a key never ends in … . or :";
        EXPECT_FALSE(swedish.translate("Localizable", key.toUtf8().constData()).isEmpty()) << key.toStdString();
    }
    EXPECT_GT(count, 50);
}

TEST(Lookup, TextsTheGameLooksUpAreInTheSourceCatalogue)
{
    QFile ts(VESKO_SOURCE_DIR "/resources/translations/vesko_en.ts");
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    std::set<QString> sources;
    QXmlStreamReader xml(&ts);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("source"))
            sources.insert(xml.readElementText());
    const char* used[] = {"New game", "Deal", "Quit", "Vesko's Solvary", "Help", "Rules\u2026", "Settings\u2026",
                          "About Vesko's Solvary\u2026", "Emulated Self Discipline\u2026", "J", "Q", "K", "A",
                          "clubs", "diamonds", "hearts", "spades", "%1 of %2",
                          "One,Two,Three,Four,Five,Six,Seven,Eight,Nine,Ten,Jack,Queen,King,Ace", "Last try",
                          "%1 tries left.", "Sorry, too many fault clicks.", "The deck is empty.",
                          "The aces are in place.", "You won", "congratulations", "but you cheated once.",
                          "but you cheated %1 times.", "An unexpected error occured.", "Cancel"};
    for (const char* text : used)
        EXPECT_TRUE(sources.count(text::lookupKey(QString::fromUtf8(text)))) << text;
}

// ---------------------------------------------------------------- resources

TEST_F(GameTest, ResourcesAreLoadedOnceAndKeptWithTheirSizes)
{
    fw::Picture* first = res::card();
    ASSERT_NE(first, nullptr);
    const int loads = sys.pictureLoads;
    EXPECT_EQ(res::card(), first);
    EXPECT_EQ(sys.pictureLoads, loads) << "a second call asks the resource file nothing";

    const std::pair<fw::Picture* (*)(), QSize> pictures[] = {
        {res::a, {16, 16}},         {res::b, {16, 16}},    {res::c, {16, 16}},      {res::d, {16, 16}},
        {res::card, {25, 34}},      {res::logo, {133, 125}}, {res::note, {128, 128}}, {res::noteMask, {128, 128}},
        {res::stop, {128, 128}},    {res::stopMask, {128, 128}}, {res::win, {128, 128}},
    };
    for (const auto& [accessor, size] : pictures) {
        fw::Picture* p = accessor();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(QSize(p->width(), p->height()), size);
    }
    for (auto* whiteShowsThrough : {res::a(), res::b(), res::c(), res::d(), res::logo()})
        EXPECT_EQ(whiteShowsThrough->transparent(), 1);
    for (auto* opaque : {res::card(), res::note(), res::stop(), res::win()})
        EXPECT_EQ(opaque->transparent(), 0);
}

TEST_F(GameTest, SoundVolumeIsSharedAndAMissingResourceIsAskedForAgain)
{
    res::plopp()->setVolume(30);
    EXPECT_EQ(res::plopp()->volume(), 30);

    sys.missingSounds = {res::errSoundNumber};
    sys.missingPictures = {res::winPicture};
    const int soundLoads = sys.soundLoads;
    const int pictureLoads = sys.pictureLoads;
    EXPECT_EQ(res::err(), nullptr);
    EXPECT_EQ(res::err(), nullptr);
    EXPECT_EQ(sys.soundLoads, soundLoads + 2);
    EXPECT_EQ(res::win(), nullptr);
    sys.missingPictures.clear();
    EXPECT_NE(res::win(), nullptr);
    EXPECT_EQ(sys.pictureLoads, pictureLoads + 2);
}

TEST(RealResources, SoundsAreShortWaveFiles)
{
    for (int number = 168; number <= 172; ++number) {
        auto sound = fw::realSystem().loadSound(number);
        ASSERT_NE(sound, nullptr) << number;
        EXPECT_GT(sound->seconds(), 0.05) << number;
        EXPECT_LT(sound->seconds(), 2.0) << number;
    }
}
