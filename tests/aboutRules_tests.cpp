// The About and Rules windows: opened from the menu, their texts through
// the lookup (or not), the version title, and their keys.

#include "support.h"

#include "app/Menu.h"
#include "table/playWin.h"
#include "windows/om.h"
#include "windows/regler.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QTest>
#include <QTranslator>

using fw::Text;

namespace {

const Text threeLines = QStringLiteral(
    "The most stupid game of them all*Made in anxiety of exams the morning of August 10, 2002*"
    "Gradually polishing and even more polishing since then");
const Text rulesKey = QStringLiteral(
    "Vesko's Solvary is the most stupid gard game of all times, with high demands on luck and non-existent demands "
    "on skills. Shuffle a deck of cards and place four open cards on the table. You can then throw a card if there "
    "is another faceup card of the same suit with a higher rank in the top of any other pile. The ace always has the "
    "highest rank. If a pile is empty, you can move any top card from the other piles to its place. When you are "
    "unable to throw more cards, deal four new ones to the piles and again try to throw cards. Continue until the "
    "deck is empty. The goal is to only have one card left in each pile, which naturally would be the four aces");
const Text quotation =
    QStringLiteral("\u201CThe clever count their cards; the wise just vesko.\u201D*\u2014Ottilia Kortlund");

class SideWindowTest : public GameTest {
protected:
    playWin& table() { return openTable(); }
    om& openAbout()
    {
        table();
        menuItems::omVesko()->choose();
        return only<om>();
    }
    regler& openRules()
    {
        table();
        menuItems::helpRegler()->choose();
        return only<regler>();
    }
    // The one open window of class T; fails the test when there are more.
    template <class T>
    T& only()
    {
        int count = 0;
        for (const auto& w : fw::Application::instance().windows())
            if (dynamic_cast<T*>(w.get()) && w->isOpen())
                ++count;
        EXPECT_EQ(count, 1) << "open windows of the class";
        T* open = fw::Application::instance().openInstance<T>();
        if (!open)
            throw std::runtime_error("the window did not open");
        return *open;
    }
    // What of a label's text the fonts here would cut off; empty when all
    // of it shows. Texts whose lines are set apart must not wrap either.
    static std::string cutOff(const fw::StaticText& label, bool mayWrap)
    {
        const QWidget* w = label.widget();
        const QFontMetrics metrics(w->font());
        const QStringList shown = label.text().split('\n');
        const int height = mayWrap ? w->heightForWidth(label.width()) : int(shown.size()) * metrics.lineSpacing();
        std::string found;
        if (height > label.height())
            found += QStringLiteral("%1 needs %2 px of %3; ")
                         .arg(label.name())
                         .arg(height)
                         .arg(label.height())
                         .toStdString();
        if (!mayWrap)
            for (const QString& line : shown)
                if (metrics.horizontalAdvance(line) > label.width())
                    found += QStringLiteral("%1: \"%2\" is %3 px wide of %4; ")
                                 .arg(label.name(), line)
                                 .arg(metrics.horizontalAdvance(line))
                                 .arg(label.width())
                                 .toStdString();
        return found;
    }
};

}  // namespace

TEST(AboutTitle, ShowsTheThirdNumberOnlyWhenAboveZero)
{
    struct Case {
        int major, minor, bug;
        const char* expected;
    };
    const Case cases[] = {
        {1, 2, 0, "Vesko's Solvary 1.2"},
        {1, 2, 3, "Vesko's Solvary 1.2.3"},
        {1, 2, -1, "Vesko's Solvary 1.2"},
        {2, 10, 11, "Vesko's Solvary 2.10.11"},
        {0, 0, 1, "Vesko's Solvary 0.0.1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(aboutTitle("Vesko's Solvary", c.major, c.minor, c.bug), c.expected)
            << c.major << "." << c.minor << "." << c.bug;
}

TEST_F(SideWindowTest, AboutTitleCarriesTheProjectVersion)
{
    // The project's version, as CMake gives it, without a third number of 0.
    Text version = QStringLiteral(VESKO_PROJECT_VERSION);
    if (version.count('.') == 2 && version.endsWith(QLatin1String(".0")))
        version.chop(2);
    EXPECT_EQ(openAbout().title(), "Vesko's Solvary " + version);
}

TEST_F(SideWindowTest, AboutTextsFollowTheTableExceptOkAndTheAddress)
{
    MapCatalogue cat;
    cat.entries = {
        {"Vesko's Solvary", "Veskos Solvary"},
        {"Vesko's Solvary - Because it didn't exist", "Titelrad"},
        {threeLines, "Ett*Två*Tre"},
        {"OK", "Okej"},
        {om::webAddress, "https://elsewhere.example.org/"},
    };
    text::setCatalogue(&cat);
    om& about = openAbout();
    const fw::Application& app = fw::Application::instance();
    EXPECT_EQ(about.title(), aboutTitle("Veskos Solvary", app.majorVersion(), app.minorVersion(), app.bugVersion()));
    EXPECT_EQ(about.staticText("StaticText1").text(), "Titelrad");
    EXPECT_EQ(about.staticText("StaticText2").text(), "Ett\nTvå\nTre\nhttps://vesko-solvary.example.org/");
    EXPECT_EQ(about.pushButton("PushButton1").caption(), "OK");
}

TEST_F(SideWindowTest, ReturnAndEnterCloseTheAboutWindow)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        om& about = openAbout();
        about.clearFocus();
        QTest::keyClick(about.host(), key);
        EXPECT_EQ(fw::Application::instance().openInstance<om>(), nullptr) << "key " << key;
    }
}

TEST_F(SideWindowTest, AboutIsAFixedDialogOverTheGameWithTheLogo)
{
    om& about = openAbout();
    EXPECT_EQ(about.host()->parentWidget(), table().host());
    EXPECT_EQ(about.host()->windowModality(), Qt::WindowModal);
    EXPECT_EQ(about.host()->minimumSize(), about.host()->maximumSize()) << "resizable";
    EXPECT_EQ(about.width(), 350);
    EXPECT_EQ(about.height(), 300);
    const fw::Canvas& logo = about.canvas("Canvas1");
    ASSERT_TRUE(logo.hasBackdrop());
    EXPECT_EQ(logo.backdrop().size(), QSize(133, 125));
    EXPECT_EQ(res::logo()->transparent(), 1);
}

TEST_F(SideWindowTest, AboutOpensWithoutTheLogoWhenThePictureIsMissing)
{
    sys.missingPictures.insert(res::logoPicture);
    om& about = openAbout();
    EXPECT_FALSE(about.canvas("Canvas1").hasBackdrop());
    EXPECT_TRUE(about.isVisible());
}

TEST_F(SideWindowTest, RulesTextsFollowTheTable)
{
    MapCatalogue cat;
    cat.entries = {{"Rules", "Regler"}, {rulesKey, "Reglerna"}, {quotation, "Ordspråk*—Namn"}};
    text::setCatalogue(&cat);
    regler& rules = openRules();
    EXPECT_EQ(rules.title(), "Regler");
    EXPECT_EQ(rules.staticText("StaticText1").text(), "Reglerna.") << "the final full stop is put back";
    EXPECT_EQ(rules.staticText("StaticText2").text(), "Ordspråk\n—Namn");
}

TEST_F(SideWindowTest, RulesQuotationShowsOnTwoLinesWithoutATable)
{
    MapCatalogue empty;
    text::setCatalogue(&empty);
    regler& rules = openRules();
    EXPECT_EQ(rules.title(), "Rules");
    EXPECT_EQ(rules.staticText("StaticText2").text(),
              "\u201CThe clever count their cards; the wise just vesko.\u201D\n\u2014Ottilia Kortlund");
    EXPECT_EQ(rules.staticText("StaticText1").text(), rulesKey + ".");
}

TEST_F(SideWindowTest, CtrlWClosesTheRulesWindowOtherKeysLeaveItOpen)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool closes;
    };
    const Case cases[] = {
        {Qt::Key_W, Qt::NoModifier, false},
        {Qt::Key_W, Qt::ShiftModifier, false},
        {Qt::Key_Q, Qt::ControlModifier, false},
        {Qt::Key_Return, Qt::NoModifier, false},
        {Qt::Key_W, Qt::ControlModifier, true},
        {Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier, true},
    };
    for (const Case& c : cases) {
        regler& rules = openRules();
        rules.clearFocus();
        QTest::keyClick(rules.host(), c.key, c.modifiers);
        EXPECT_EQ(fw::Application::instance().openInstance<regler>() == nullptr, c.closes)
            << "key " << c.key << " modifiers " << c.modifiers;
        EXPECT_TRUE(playWin::openInstance()) << "the game window stays";
    }
}

TEST_F(SideWindowTest, RulesKeyDownReportsNoKeyHandledTheClosingOneIncluded)
{
    fw::Application& app = fw::Application::instance();
    regler& rules = openRules();
    EXPECT_FALSE(rules.KeyDown("w"));
    EXPECT_FALSE(rules.KeyDown("a"));
    ASSERT_TRUE(rules.isOpen());
    bool handled = true;
    app.setCommandHeld(true);
    app.dispatch([&] { handled = rules.KeyDown("w"); });
    app.setCommandHeld(false);
    EXPECT_FALSE(handled);
    EXPECT_EQ(app.openInstance<regler>(), nullptr);
}

TEST_F(SideWindowTest, RulesIsAFixedDocumentWindowBesideThePlayableGame)
{
    regler& rules = openRules();
    EXPECT_EQ(rules.host()->parentWidget(), nullptr);
    EXPECT_EQ(rules.host()->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(rules.host()->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(rules.host()->minimumSize(), QSize(466, 206));
    EXPECT_EQ(rules.host()->maximumSize(), QSize(466, 206));

    // The table takes its keys while the rules stay open.
    playWin& game = table();
    game.clearFocus();
    QTest::keyClick(game.host(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(game.deck.size() + game.row1cards.size() + game.row2cards.size() + game.row3cards.size() +
                  game.row4cards.size(),
              57u)
        << "52 cards and five placeholders after New game";
    EXPECT_TRUE(rules.isOpen());
}

TEST_F(SideWindowTest, MenuRemakesAClosedWindowAndLooksItsTextsUpAgain)
{
    MapCatalogue cat;
    cat.entries = {{"Rules", "Regler"}, {"Vesko's Solvary - Because it didn't exist", "Först"}};
    text::setCatalogue(&cat);
    openRules().close();
    openAbout().pushButton("PushButton1").push();
    ASSERT_EQ(fw::Application::instance().openInstance<regler>(), nullptr);
    ASSERT_EQ(fw::Application::instance().openInstance<om>(), nullptr);

    cat.entries = {{"Rules", "Spelregler"}, {"Vesko's Solvary - Because it didn't exist", "Sedan"}};
    EXPECT_EQ(openRules().title(), "Spelregler");
    EXPECT_EQ(openAbout().staticText("StaticText1").text(), "Sedan");
}

TEST_F(SideWindowTest, ChoosingACommandTwiceShowsOneWindow)
{
    regler& rules = openRules();
    EXPECT_EQ(&openRules(), &rules);
    om& about = openAbout();
    EXPECT_EQ(&openAbout(), &about);
    EXPECT_TRUE(rules.isVisible());
    EXPECT_TRUE(about.isVisible());
}

TEST_F(SideWindowTest, LabelsShowTheirWholeTextsInEnglishAndSwedish)
{
    QTranslator swedish;
    ASSERT_TRUE(swedish.load(QStringLiteral(":/i18n/vesko_sv.qm")));
    MapCatalogue english;
    MapCatalogue sv;
    for (const Text& key : {Text("Vesko's Solvary - Because it didn't exist"), threeLines, rulesKey, quotation})
        sv.entries[key] = swedish.translate("Localizable", key.toUtf8().constData());
    for (const MapCatalogue* cat : {&english, &sv}) {
        text::setCatalogue(cat);
        regler& rules = openRules();
        EXPECT_EQ(cutOff(rules.staticText("StaticText1"), true), "");
        EXPECT_EQ(cutOff(rules.staticText("StaticText2"), false), "");
        om& about = openAbout();
        EXPECT_EQ(cutOff(about.staticText("StaticText1"), false), "");
        EXPECT_EQ(cutOff(about.staticText("StaticText2"), false), "");
        rules.close();
        about.close();
    }
    EXPECT_NE(sv.entries.at(rulesKey), "") << "the Swedish rules are in the catalogue";
}

TEST_F(SideWindowTest, RulesOpenBesideTheTableWhereTheScreenHasRoom)
{
    playWin& game = table();
    const QRect screen = game.host()->screen()->availableGeometry();
    const QSize size = game.host()->frameGeometry().size();
    // Room to the right, to the left, and only above the table.
    const QPoint tablePlaces[] = {
        screen.topLeft(),
        {screen.right() + 1 - size.width(), screen.top()},
        {screen.center().x() - size.width() / 2, screen.bottom() + 1 - size.height()},
    };
    for (const QPoint& at : tablePlaces) {
        game.host()->move(at);
        const QRect tableFrame = game.host()->frameGeometry();
        regler& rules = openRules();
        const QRect rulesFrame = rules.host()->frameGeometry();
        EXPECT_FALSE(rulesFrame.intersects(tableFrame))
            << "table at " << at.x() << "," << at.y() << ": rules at " << rulesFrame.x() << "," << rulesFrame.y();
        EXPECT_TRUE(screen.contains(rulesFrame)) << "rules at " << rulesFrame.x() << "," << rulesFrame.y();
        rules.close();
    }
}
