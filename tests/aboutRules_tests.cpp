// The About and Rules windows: opened from the menu, their texts through
// the lookup (or not), the version title, and their keys.

#include "support.h"

#include "app/Menu.h"
#include "windows/om.h"
#include "windows/regler.h"

#include <QRegularExpression>
#include <QScreen>
#include <QTest>

using fw::Text;

TEST_F(GameTest, WindowsLookTheirTextsUpExceptOkAndTheAddressAndShowAThirdVersionNumberOnlyAboveZero)
{
    // The keys are the texts as shown, without the address.
    const Text threeLines =
        text::lookupKey(chooseFromMenu<om>(menuItems::omVesko).staticText("StaticText2").text().section('\n', 0, 2));
    const Text quotation = text::lookupKey(chooseFromMenu<regler>(menuItems::helpRegler).staticText("StaticText2").text());
    catalogue.entries = {{"Vesko's Solvary", "Veskos Solvary"}, {"Vesko's Solvary - Because it didn't exist", "Titelrad"},
                         {threeLines, "Ett*Två*Tre"}, {"OK", "Okej"}, {om::webAddress, "https://elsewhere.example.org/"},
                         {"Rules", "Regler"}, {quotation, "Ord*—Namn"}};
    fw::Application::instance().reset();
    om& about = chooseFromMenu<om>(menuItems::omVesko);
    // The project's version, as CMake gives it, without a third number of 0.
    const Text version = Text(VESKO_PROJECT_VERSION).replace(QRegularExpression("^(\\d+\\.\\d+)\\.0$"), "\\1");
    EXPECT_EQ((std::vector<Text>{about.title(), about.staticText("StaticText1").text(),
                                 about.staticText("StaticText2").text(), about.pushButton("PushButton1").caption()}),
              (std::vector<Text>{"Veskos Solvary " + version, "Titelrad",
                                 "Ett\nTvå\nTre\nhttps://vesko-solvary.example.org/", "OK"}));
    EXPECT_EQ((std::vector{aboutTitle("V", 1, 2, 0), aboutTitle("V", 1, 2, 3), aboutTitle("V", 1, 2, -1)}),
              (std::vector<Text>{"V 1.2", "V 1.2.3", "V 1.2"}));
    regler& rules = chooseFromMenu<regler>(menuItems::helpRegler);
    EXPECT_EQ(std::pair(rules.title(), rules.staticText("StaticText2").text()), std::pair(Text("Regler"), Text("Ord\n—Namn")));
    const Text paragraph = rules.staticText("StaticText1").text();
    EXPECT_TRUE(paragraph.startsWith("Vesko's Solvary is the most stupid gard game") && paragraph.endsWith("aces."))
        << "a text the catalogue lacks shows as written: " << paragraph.toStdString();
}

TEST_F(GameTest, OnlyCtrlWClosesTheRulesWhichLieBesideThePlayableTable)
{
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_W, Qt::NoModifier}, {Qt::Key_W, Qt::ShiftModifier}, {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_W, Qt::ControlModifier}};
    for (const auto& [key, modifiers] : keys) {
        regler& rules = chooseFromMenu<regler>(menuItems::helpRegler);
        rules.clearFocus();
        QTest::keyClick(rules.host(), key, modifiers);
        EXPECT_EQ(fw::Application::instance().openInstance<regler>() == nullptr, key == Qt::Key_W && (modifiers & Qt::ControlModifier))
            << QKeySequence(key | modifiers).toString().toStdString();
        EXPECT_TRUE(playWin::openInstance()) << "the game window stays";
    }
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
