// The Settings dialog: values copied in and saved back, Cancel, the number
// field's rule, the key fields and the fault-limit row's layout.

#include "support.h"

#include "app/Menu.h"
#include "framework/files.h"
#include "framework/fonts.h"
#include "settings/prefsFile.h"
#include "windows/pref.h"

#include <QTest>

#include <algorithm>

using fw::Text;

using PrefTest = GameTest;

TEST_F(PrefTest, CancelKeepsEveryValueAndSaveWritesEveryEdit)
{
    // The limit stored, whether its box is flipped, a limit typed, the limit saved.
    const std::tuple<int, bool, const char*, int> cases[] = {
        {7, false, "", 7}, {0, false, "", 0}, {-1, true, "-3", -3}, {5, true, "42", -1}, {-3, false, "", -1}};
    const fw::TextArray keys{"", "a a", "12345", "qwert", "!"};
    for (int row = 0; row < 5; ++row) {
        const auto& [limit, flipLimitBox, typedLimit, savedLimit] = cases[row];
        // Flag k holds bit `row` of k + 1, so any two flags differ in one row.
        const auto bit = [row](int k) { return (((k + 1) >> row) & 1) != 0; };
        const PrefsRecord set{bit(0), bit(1), bit(2), bit(3), bit(4), bit(5), bit(6), limit,
                              {"1", "ab", "", "x y", "longer than five"}};
        // The table as a start-up on a settings file with these values leaves it.
        ASSERT_TRUE(fw::FolderItem(prefs.path()).child("vesko.txt").writeLines(writePrefs(set, "0")));
        fw::Application::instance().reset();
        playWin& t = openTable();
        for (const auto& view : t.controls())
            view->setHelpTag("Ace of spades");
        const PrefsRecord saved{!set.spelaLjud,   !set.helpTxt,  !set.counterVisible, !set.greenTable,
                                !set.askDiciplin, !set.topBeats, !set.tidigareSlut,   savedLimit, keys};
        for (const char* way : {"Escape", "PushButton2", "sparaBtn"}) {
            pref& dialog = chooseFromMenu<pref>(menuItems::menuPref);
            const bool limited = limit >= 0;
            const fw::EditField& field = dialog.editField("maxClickFld");
            EXPECT_EQ(std::tuple(dialog.checkBox("maxClickChk").value(), field.enabled(), field.text()),
                      std::tuple(limited, limited, limited ? fw::Str(limit) : "0")) << "limit " << limit;
            for (const char* box : {"ljudChk", "helpChk", "cdsLeftChk", "greenChk", "diciplinChk", "topBeatsChk",
                                    "tidigareChk"})
                dialog.checkBox(box).setValue(!dialog.checkBox(box).value());
            dialog.checkBox("maxClickChk").setValue(limited != flipLimitBox);
            if (*typedLimit)
                dialog.editField("maxClickFld").setText(typedLimit);
            for (int i = 0; i < 5; ++i)
                dialog.editField("keyFld", i).setText(keys[i]);
            *way == 'E' ? QTest::keyClick(dialog.host(), Qt::Key_Escape) : clickOn(dialog.pushButton(way));
            EXPECT_EQ(fw::Application::instance().openInstance<pref>(), nullptr) << "the dialog stays open";
            EXPECT_EQ(settingsOf(t), writePrefs(*way == 's' ? saved : set, "")) << way << ", row " << row;
        }
        EXPECT_EQ(t.content()->palette().color(QPalette::Window) == QColor(0, 127, 0), saved.greenTable);
        const auto tagged = std::count_if(t.controls().begin(), t.controls().end(),
                                          [](const auto& control) { return !control->helpTag().isEmpty(); });
        EXPECT_EQ(tagged, saved.helpTxt ? 55 : 3) << "controls with a help tag, row " << row;
    }
}

TEST_F(PrefTest, FieldsTakeTheirTextsInNormalFormAndTheLimitRowFitsItsLookedUpCaption)
{
    openTable().playKeys[3] = "abcdefgh";
    catalogue.entries = {{"Max number of fault clicks", "Ett mycket längre högsta antal felklick"}};
    pref& dialog = chooseFromMenu<pref>(menuItems::menuPref);
    const fw::CheckBox& box = dialog.checkBox("maxClickChk");
    EXPECT_EQ(box.caption(), "Ett mycket längre högsta antal felklick:") << "the final colon is kept";
    const int w = QFontMetrics(fw::fontFor("System", 10)).horizontalAdvance(box.caption());
    EXPECT_EQ((std::vector<int>{box.left(), box.width(), dialog.editField("maxClickFld").left()}),
              (std::vector<int>{39, w + 20, w + 69}));
    // A key field takes five typed characters but keeps a longer stored set.
    dialog.tabPanel("TabPanel1").setValue(1);
    for (const auto& [i, typed] : {std::pair{2, "zxcvbnm"}, {3, "x\b"}}) {
        fw::EditField& keys = dialog.editField("keyFld", i);
        keys.setFocus();
        QTest::keyClick(keys.widget(), Qt::Key_End);
        QTest::keyClicks(keys.widget(), typed);
    }
    EXPECT_EQ(&chooseFromMenu<pref>(menuItems::menuPref), &dialog) << "chosen again, the open dialog keeps its edits";
    const std::pair<const char*, const char*> cases[] = {
        {"", "0"}, {"abc", "0"}, {"007", "7"}, {"12.", "12"}, {"100", "99"}, {"99.5", "99"}, {"-3", "-3"}, {"42", "42"},
    };
    dialog.tabPanel("TabPanel1").setValue(2);
    const auto shows = [&](const char* name) { return dialog.checkBox(name).widget()->isVisible(); };
    EXPECT_EQ(std::pair(shows("helpChk"), shows("topBeatsChk")), std::pair(false, true)) << "only the Variants page shows";
    fw::EditField& field = dialog.editField("maxClickFld");
    for (const auto& [typed, shown] : cases) {
        field.setText("5");
        field.setText(typed);
        EXPECT_EQ(field.text(), shown) << "typed \"" << typed << "\"";
        // A rewrite selects the whole text; a text in normal form keeps its caret.
        EXPECT_EQ(field.selLength(), Text(typed) != shown ? fw::Len(shown) : 0) << "typed \"" << typed << "\"";
    }
    // Clicks on the box, each followed by keys typed where the focus is: ticked, it enables the number,
    // selects it and puts the focus there, so that the first digit typed replaces it and the next one
    // follows; cleared, it greys the number and leaves no selection. Return saves.
    std::vector<Text> shown;
    for (const char* keys : {"", "", "12"}) {
        clickOn(dialog.checkBox("maxClickChk"));
        QTest::keyClicks(QApplication::focusWidget(), keys);
        shown.push_back(field.text() + (field.enabled() ? "+" : "-") + fw::Str(field.selLength()) + (field.hasFocus() ? "*" : ""));
    }
    EXPECT_EQ(shown, (std::vector<Text>{"42+2*", "42-0", "12+0*"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(std::pair(openTable().maxFaults, openTable().playKeys),
              std::pair(12, fw::TextArray{"tgb 0", "qaz1", "wsx2z", "abcdefg", "rfv4"}));
}
