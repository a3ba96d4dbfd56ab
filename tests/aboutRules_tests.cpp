// The About and Rules windows: opened from the menu, their texts through
// the lookup (or not), the version title, and their keys.

#include "support.h"

#include "app/Menu.h"
#include "windows/om.h"
#include "windows/regler.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

using fw::Text;

namespace {

class SideWindowTest : public GameTest {
protected:
    // The window the menu item shows; one only, however often it is chosen.
    template <class T>
    T& choose(fw::MenuItem* (*item)())
    {
        openTable();
        item()->choose();
        std::size_t count = 0;
        for (const auto& w : fw::Application::instance().windows())
            count += dynamic_cast<T*>(w.get()) && w->isOpen() ? 1 : 0;
        T* open = fw::Application::instance().openInstance<T>();
        if (!open || count != 1)
            throw std::runtime_error("the menu showed " + std::to_string(count) + " windows of the kind");
        return *open;
    }
    om& openAbout() { return choose<om>(menuItems::omVesko); }
    regler& openRules() { return choose<regler>(menuItems::helpRegler); }
};

}  // namespace

TEST(AboutTitle, ShowsTheThirdVersionNumberOnlyAboveZero)
{
    const std::pair<std::array<int, 3>, const char*> cases[] = {
        {{1, 2, 0}, "V 1.2"}, {{1, 2, 3}, "V 1.2.3"}, {{1, 2, -1}, "V 1.2"}, {{2, 10, 11}, "V 2.10.11"}};
    for (const auto& [v, expected] : cases)
        EXPECT_EQ(aboutTitle("V", v[0], v[1], v[2]), expected) << v[0] << "." << v[1] << "." << v[2];
}

TEST_F(SideWindowTest, ReopenedWindowsLookTheirTextsUpExceptOkAndTheAddress)
{
    MapCatalogue cat;
    text::setCatalogue(&cat);
    om& first = openAbout();
    EXPECT_EQ(&openAbout(), &first);
    regler& firstRules = openRules();
    // The keys are the texts as shown, without the address.
    const Text threeLines = text::lookupKey(first.staticText("StaticText2").text().section('\n', 0, 2));
    const Text quotation = text::lookupKey(firstRules.staticText("StaticText2").text());
    first.pushButton("PushButton1").push();
    firstRules.close();
    ASSERT_EQ(fw::Application::instance().openInstance<om>(), nullptr);
    ASSERT_EQ(fw::Application::instance().openInstance<regler>(), nullptr);

    cat.entries = {{"Vesko's Solvary", "Veskos Solvary"}, {"Vesko's Solvary - Because it didn't exist", "Titelrad"},
                   {threeLines, "Ett*Två*Tre"}, {"OK", "Okej"}, {om::webAddress, "https://elsewhere.example.org/"},
                   {"Rules", "Regler"}, {quotation, "Ord*—Namn"}};
    om& about = openAbout();
    // The project's version, as CMake gives it, without a third number of 0.
    Text version = QStringLiteral(VESKO_PROJECT_VERSION);
    if (version.count('.') == 2 && version.endsWith(QLatin1String(".0")))
        version.chop(2);
    EXPECT_EQ(about.title(), "Veskos Solvary " + version);
    EXPECT_EQ(about.staticText("StaticText1").text(), "Titelrad");
    EXPECT_EQ(about.staticText("StaticText2").text(), "Ett\nTvå\nTre\nhttps://vesko-solvary.example.org/");
    EXPECT_EQ(about.pushButton("PushButton1").caption(), "OK");
    regler& rules = openRules();
    EXPECT_EQ(rules.title(), "Regler");
    EXPECT_EQ(rules.staticText("StaticText2").text(), "Ord\n—Namn");
    const Text paragraph = rules.staticText("StaticText1").text();
    EXPECT_TRUE(paragraph.startsWith("Vesko's Solvary is the most stupid gard game") && paragraph.endsWith("aces."))
        << "a text the catalogue lacks shows as written: " << paragraph.toStdString();
}

TEST_F(SideWindowTest, CtrlWClosesTheRulesWindowAndNoKeyCountsAsHandled)
{
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_W, Qt::NoModifier},      {Qt::Key_W, Qt::ShiftModifier},
        {Qt::Key_Q, Qt::ControlModifier}, {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_W, Qt::ControlModifier}, {Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier},
    };
    fw::Application& app = fw::Application::instance();
    for (const auto& [key, modifiers] : keys) {
        regler& rules = openRules();
        rules.clearFocus();
        QTest::keyClick(rules.host(), key, modifiers);
        EXPECT_EQ(app.openInstance<regler>() == nullptr, key == Qt::Key_W && (modifiers & Qt::ControlModifier))
            << QKeySequence(key | modifiers).toString().toStdString();
        EXPECT_TRUE(playWin::openInstance()) << "the game window stays";
    }
    // Every key goes on to the framework, the closing one too.
    for (const bool command : {false, true}) {
        regler& rules = openRules();
        bool handled = true;
        app.setCommandHeld(command);
        app.dispatch([&] { handled = rules.KeyDown("a") || rules.KeyDown("w"); });
        app.setCommandHeld(false);
        EXPECT_FALSE(handled) << "command key " << command;
        EXPECT_EQ(app.openInstance<regler>() == nullptr, command) << "command key " << command;
    }
}

TEST_F(SideWindowTest, RulesIsNotModalAndOpensBesideThePlayableTable)
{
    regler& rules = openRules();
    EXPECT_EQ(rules.host()->parentWidget(), nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    playWin& game = openTable();
    const QRect frame = rules.host()->frameGeometry();
    EXPECT_FALSE(frame.intersects(game.host()->frameGeometry())) << "the rules cover the table";
    EXPECT_TRUE(game.host()->screen()->availableGeometry().contains(frame)) << "the rules leave the screen";

    game.clearFocus();
    QTest::keyClick(game.host(), Qt::Key_N, Qt::ControlModifier);
    const std::size_t cards = game.deck.size() + game.row1cards.size() + game.row2cards.size() +
                              game.row3cards.size() + game.row4cards.size();
    EXPECT_EQ(cards, 57u) << "52 cards and five placeholders after New game";
    EXPECT_TRUE(rules.isOpen());
}
