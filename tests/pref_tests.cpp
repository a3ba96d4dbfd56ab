// The Settings dialog: values copied in at opening, the number field's
// rule, Save and Cancel, the fault-limit row's layout.

#include "support.h"

#include "app/Menu.h"
#include "framework/picture.h"
#include "table/playWin.h"
#include "windows/emulerad.h"
#include "windows/pref.h"

#include <QApplication>
#include <QTest>

#include <ostream>

using fw::Text;

namespace {

// Everything the dialog edits, as the game window holds it.
struct Settings {
    bool counter = false;
    bool sounds = false;
    bool helpTags = false;
    bool green = false;
    bool askDiscipline = false;
    bool topBeats = false;
    bool earlyWin = false;
    int maxFaults = 0;
    fw::TextArray keys;

    bool operator==(const Settings&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Settings& s)
{
    out << "{counter " << s.counter << ", sounds " << s.sounds << ", helpTags " << s.helpTags << ", green "
        << s.green << ", ask " << s.askDiscipline << ", topBeats " << s.topBeats << ", earlyWin " << s.earlyWin
        << ", maxFaults " << s.maxFaults << ", keys";
    for (const Text& k : s.keys)
        out << " \"" << k.toStdString() << "\"";
    return out << "}";
}

Settings settingsOf(playWin& table)
{
    return {table.staticText("status").visible(),
            table.spelaLjud,
            table.helpTxt,
            table.hasBackColor(),
            table.askDiciplin,
            table.topBeats,
            table.tidigareSlut,
            table.maxFaults,
            table.playKeys};
}

class PrefTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        text::setCatalogue(&catalogue);
    }

    // The game window as a start-up leaves it, the self-discipline
    // question answered without a limit.
    playWin& table()
    {
        playWin& t = playWin::instance();
        if (auto* question = fw::Application::instance().openInstance<emulerad>())
            question->pushButton("okBtn").push();
        t.show();
        return t;
    }

    // "Settings…" from the menu, as the player chooses it.
    pref& openSettings()
    {
        table();
        menuItems::menuPref()->choose();
        pref* dialog = fw::Application::instance().openInstance<pref>();
        if (!dialog)
            throw std::runtime_error("Settings… opened no dialog");
        QApplication::setActiveWindow(dialog->host());
        return *dialog;
    }

    MapCatalogue catalogue;
};

}  // namespace

TEST_F(PrefTest, MenuCommandOpensOneDialogThatKeepsItsEdits)
{
    pref& first = openSettings();
    EXPECT_TRUE(first.isVisible());
    first.checkBox("greenChk").setValue(true);
    menuItems::menuPref()->choose();
    pref* again = fw::Application::instance().openInstance<pref>();
    EXPECT_EQ(again, &first) << "a second \"Settings…\" made another dialog";
    EXPECT_TRUE(first.checkBox("greenChk").value()) << "the open dialog's edits were read in again";
}

TEST_F(PrefTest, OpeningCopiesTheGameValuesIn)
{
    playWin& t = table();
    t.staticText("status").setVisible(false);
    t.spelaLjud = false;
    t.helpTxt = true;
    t.setHasBackColor(true);
    t.askDiciplin = false;
    t.topBeats = true;
    t.tidigareSlut = false;
    t.maxFaults = 7;
    t.playKeys = {"1", "ab", "", "x y", "longer than five"};
    pref& dialog = openSettings();
    const Settings shown{dialog.checkBox("cdsLeftChk").value(),
                         dialog.checkBox("ljudChk").value(),
                         dialog.checkBox("helpChk").value(),
                         dialog.checkBox("greenChk").value(),
                         dialog.checkBox("diciplinChk").value(),
                         dialog.checkBox("topBeatsChk").value(),
                         dialog.checkBox("tidigareChk").value(),
                         fw::ToInt32(fw::Val(dialog.editField("maxClickFld").text())),
                         {dialog.editField("keyFld", 0).text(), dialog.editField("keyFld", 1).text(),
                          dialog.editField("keyFld", 2).text(), dialog.editField("keyFld", 3).text(),
                          dialog.editField("keyFld", 4).text()}};
    EXPECT_EQ(shown, settingsOf(t));
    EXPECT_TRUE(dialog.checkBox("maxClickChk").value());
    EXPECT_EQ(dialog.tabPanel("TabPanel1").value(), 0) << "opens on \"Miscellaneous\"";
}

TEST_F(PrefTest, FaultLimitOpensTickedWithItsNumberOrClearedWithZero)
{
    struct Case {
        int maxFaults;
        bool ticked;
        const char* text;
    };
    for (const Case& c : {Case{7, true, "7"}, Case{0, true, "0"}, Case{-1, false, "0"}}) {
        table().maxFaults = c.maxFaults;
        pref& dialog = openSettings();
        EXPECT_EQ(dialog.checkBox("maxClickChk").value(), c.ticked) << "maxFaults " << c.maxFaults;
        EXPECT_EQ(dialog.editField("maxClickFld").text(), c.text) << "maxFaults " << c.maxFaults;
        EXPECT_EQ(dialog.editField("maxClickFld").enabled(), c.ticked)
            << "the field is enabled exactly while the box is ticked; maxFaults " << c.maxFaults;
        dialog.pushButton("sparaBtn").push();
        EXPECT_EQ(table().maxFaults, c.maxFaults) << "Save without edits changed the limit";
    }
}

TEST_F(PrefTest, NumberFieldRewritesTextsToTheirNormalFormAndSelectsThem)
{
    struct Case {
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {"", "0"}, {"abc", "0"}, {"007", "7"}, {"12.", "12"}, {"100", "99"}, {"99.5", "99"},
        {"-3", "-3"}, {"0", "0"}, {"42", "42"},
    };
    pref& dialog = openSettings();
    fw::EditField& field = dialog.editField("maxClickFld");
    for (const Case& c : cases) {
        field.setText("5");
        field.setText(c.typed);
        EXPECT_EQ(field.text(), c.shown) << "typed \"" << c.typed << "\"";
        if (Text(c.typed) != c.shown) {
            EXPECT_EQ(field.selStart(), 0) << "typed \"" << c.typed << "\"";
            EXPECT_EQ(field.selLength(), fw::Len(c.shown)) << "a rewrite selects the whole text";
        } else {
            EXPECT_EQ(field.selLength(), 0) << "a text in normal form keeps its caret; typed \"" << c.typed << "\"";
        }
    }
}

TEST_F(PrefTest, TypedNumberBeyondTheCapIsReplacedByTheNextDigit)
{
    pref& dialog = openSettings();
    dialog.tabPanel("TabPanel1").setValue(2);
    dialog.checkBox("maxClickChk").setValue(true);
    fw::EditField& field = dialog.editField("maxClickFld");
    ASSERT_TRUE(field.hasFocus()) << "ticking the box focuses the number";
    EXPECT_EQ(field.selLength(), 1) << "ticking selects the number";
    QTest::keyClicks(field.widget(), "123");
    EXPECT_EQ(field.text(), "99");
    QTest::keyClicks(field.widget(), "7");
    EXPECT_EQ(field.text(), "7") << "the rewritten text stays selected, so a digit replaces it";
    QTest::keyClick(field.widget(), Qt::Key_Return);
    EXPECT_EQ(table().maxFaults, 7) << "Return in the field saves";
    EXPECT_EQ(fw::Application::instance().openInstance<pref>(), nullptr);
}

TEST_F(PrefTest, SaveWritesEveryValueIntoTheGame)
{
    playWin& t = table();
    const Settings before = settingsOf(t);
    ASSERT_EQ(before, (Settings{true, true, true, false, true, false, false, -1, {"tgb 0", "qaz1", "wsx2", "edc3", "rfv4"}}))
        << "the start-up defaults";
    pref& dialog = openSettings();
    for (const char* box : {"cdsLeftChk", "ljudChk", "helpChk", "greenChk", "diciplinChk", "topBeatsChk",
                            "tidigareChk", "maxClickChk"})
        dialog.checkBox(box).setValue(!dialog.checkBox(box).value());
    dialog.editField("maxClickFld").setText("-3");
    const char* keys[] = {"", "a a", "12345", "qwert", "!"};
    for (int i = 0; i < 5; ++i)
        dialog.editField("keyFld", i).setText(keys[i]);
    EXPECT_EQ(settingsOf(t), before) << "nothing reaches the game before Save";
    dialog.pushButton("sparaBtn").push();
    EXPECT_EQ(settingsOf(t), (Settings{false, false, false, true, false, true, true, -3, {"", "a a", "12345", "qwert", "!"}}));
    EXPECT_EQ(fw::Application::instance().openInstance<pref>(), nullptr) << "Save closes the dialog";
    EXPECT_EQ(t.content()->palette().color(QPalette::Window), QColor(0, 127, 0)) << "the table turned green";

    // A negative limit stays stored but opens as no limit.
    pref& reopened = openSettings();
    EXPECT_FALSE(reopened.checkBox("maxClickChk").value());
    EXPECT_EQ(reopened.editField("maxClickFld").text(), "0");
}

TEST_F(PrefTest, ClearedLimitBoxStoresNoLimitWhateverTheFieldHolds)
{
    table().maxFaults = 7;
    pref& dialog = openSettings();
    dialog.checkBox("maxClickChk").setValue(false);
    EXPECT_FALSE(dialog.editField("maxClickFld").enabled());
    dialog.editField("maxClickFld").setText("42");
    dialog.pushButton("sparaBtn").push();
    EXPECT_EQ(table().maxFaults, -1);
}

TEST_F(PrefTest, CancelLeavesEveryValueAsItWas)
{
    playWin& t = table();
    t.maxFaults = 3;
    const Settings before = settingsOf(t);
    pref& dialog = openSettings();
    for (const char* box : {"cdsLeftChk", "ljudChk", "helpChk", "greenChk", "diciplinChk", "topBeatsChk",
                            "tidigareChk", "maxClickChk"})
        dialog.checkBox(box).setValue(!dialog.checkBox(box).value());
    for (int i = 0; i < 5; ++i)
        dialog.editField("keyFld", i).setText("zz");
    dialog.pushButton("PushButton2").push();
    EXPECT_EQ(settingsOf(t), before);
    EXPECT_EQ(fw::Application::instance().openInstance<pref>(), nullptr) << "Cancel closes the dialog";

    pref& again = openSettings();
    again.clearFocus();
    QTest::keyClick(again.host(), Qt::Key_Escape);
    EXPECT_EQ(fw::Application::instance().openInstance<pref>(), nullptr) << "Escape is Cancel";
    EXPECT_EQ(settingsOf(t), before);
}

TEST_F(PrefTest, KeyFieldsTakeFiveTypedCharactersButKeepALongerStoredSet)
{
    table().playKeys[3] = "abcdefgh";
    pref& dialog = openSettings();
    dialog.tabPanel("TabPanel1").setValue(1);
    fw::EditField& second = dialog.editField("keyFld", 2);
    second.setFocus();
    second.setText("");
    QTest::keyClicks(second.widget(), "zxcvbnm");
    EXPECT_EQ(second.text(), "zxcvb");
    fw::EditField& third = dialog.editField("keyFld", 3);
    EXPECT_EQ(third.text(), "abcdefgh") << "a key set from the settings file is shown whole";
    third.setFocus();
    QTest::keyClick(third.widget(), Qt::Key_End);
    QTest::keyClick(third.widget(), Qt::Key_X);
    EXPECT_EQ(third.text(), "abcdefgh") << "a long set takes no more characters";
    QTest::keyClick(third.widget(), Qt::Key_Backspace);
    EXPECT_EQ(third.text(), "abcdefg");
    dialog.pushButton("sparaBtn").push();
    EXPECT_EQ(table().playKeys, (fw::TextArray{"tgb 0", "qaz1", "zxcvb", "abcdefg", "rfv4"}));
}

TEST_F(PrefTest, SaveWithHelpTagsOffClearsThemOnAll52CardViews)
{
    playWin& t = table();
    for (int n = 1; n <= 4; ++n)
        for (int i = 0; i < 13; ++i)
            t.cardView(n, i).setHelpTag("Ace of spades");
    pref& dialog = openSettings();
    dialog.pushButton("sparaBtn").push();
    EXPECT_EQ(t.cardView(2, 5).helpTag(), "Ace of spades") << "with the box ticked, tags stay";

    pref& again = openSettings();
    again.checkBox("helpChk").setValue(false);
    again.pushButton("sparaBtn").push();
    int tagged = 0;
    for (int n = 1; n <= 4; ++n)
        for (int i = 0; i < 13; ++i)
            tagged += t.cardView(n, i).helpTag().isEmpty() ? 0 : 1;
    EXPECT_EQ(tagged, 0) << "card views still carrying a help tag";
    EXPECT_FALSE(t.helpTxt);
}

TEST_F(PrefTest, TextsAreLookedUpAndTheLimitRowFitsItsCaption)
{
    catalogue.entries = {{"Settings", "Inställningar"},
                         {"Miscellaneous", "Allmänt"},
                         {"Keys", "Tangenter"},
                         {"Variants", "Varianter"},
                         {"Save", "Spara"},
                         {"Cancel", "Avbryt"},
                         {"Something like this", "Ungefär så här"},
                         {"Keys (besides enter) to deal", "Dela ut med"},
                         {"Keys used to throw cards.*Hold option or shift to cheat (you bad one!)", "Rad ett*rad två"},
                         {"Max number of fault clicks", "Ett mycket längre högsta antal felklick"}};
    pref& dialog = openSettings();
    EXPECT_EQ(dialog.title(), "Inställningar");
    const fw::TabPanel& tabs = dialog.tabPanel("TabPanel1");
    EXPECT_EQ((std::vector<Text>{tabs.caption(0), tabs.caption(1), tabs.caption(2)}),
              (std::vector<Text>{"Allmänt", "Tangenter", "Varianter"}));
    EXPECT_EQ(dialog.pushButton("sparaBtn").caption(), "Spara");
    EXPECT_EQ(dialog.pushButton("PushButton2").caption(), "Avbryt");
    EXPECT_EQ(dialog.checkBox("helpChk").helpTag(), "Ungefär så här");
    EXPECT_EQ(dialog.staticText("StaticText2").text(), "Dela ut med:");
    EXPECT_EQ(dialog.staticText("StaticText1").text(), "Rad ett" + fw::EndOfLine() + "rad två");

    const fw::CheckBox& box = dialog.checkBox("maxClickChk");
    EXPECT_EQ(box.caption(), "Ett mycket längre högsta antal felklick:") << "the final colon is kept";
    fw::Picture scratch(dialog.width(), 100);
    scratch.graphics().setTextFont("System");
    scratch.graphics().setTextSize(10);
    const int w = scratch.graphics().stringWidth(box.caption());
    EXPECT_EQ(box.width(), w + 20);
    EXPECT_EQ(dialog.editField("maxClickFld").left(), w + 69);
    EXPECT_EQ(box.left(), 39);
}
