// The settings file over restarts, its line rules, the lock time and the
// lock-out dialog.

#include "support.h"

#include "framework/files.h"
#include "framework/menu.h"
#include "settings/prefsFile.h"
#include "table/playWin.h"
#include "table/slut.h"
#include "windows/forsokInte.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QWindow>

#include <climits>
#include <functional>
#include <random>

using fw::Text;

namespace {

QDateTime at(int hour, int minute, int second, int day = 14)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, minute, second));
}

fw::Date date(const QDateTime& t) { return fw::Date::fromMSecs(t.toMSecsSinceEpoch()); }

// The settings as the running table shows them.
PrefsRecord shown(const playWin& table)
{
    return {table.spelaLjud,   table.helpTxt,      table.staticText("status").visible(),
            table.hasBackColor(), table.askDiciplin, table.topBeats,
            table.tidigareSlut, table.maxFaults,    table.playKeys};
}

std::vector<Text> withLine(int number, const Text& text)
{
    std::vector<Text> lines = writePrefs(PrefsRecord{}, "0");
    lines.at(number - 1) = text;
    return lines;
}

class PrefsTest : public GameTest {
protected:
    QString path() const { return prefs.path() + "/vesko.txt"; }

    QByteArray fileBytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::vector<Text> fileLines() const { return fw::SplitLines(fileBytes()); }

    void writeFile(const QByteArray& bytes, const QDateTime& modified)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.flush();
        file.setFileTime(modified, QFileDevice::FileModificationTime);
    }

    // A new run of the program: no windows, the clock at `now`, the table opened.
    playWin& startAt(const QDateTime& now)
    {
        fw::Application::instance().reset();
        sys.setNow(now);
        return playWin::instance();
    }

    void quitAt(const QDateTime& now)
    {
        sys.setNow(now);
        fw::Application::instance().quit();
    }

    static bool lockOutShown()
    {
        forsokInte* dialog = fw::Application::instance().openInstance<forsokInte>();
        return dialog && dialog->isVisible();
    }
};

}  // namespace

TEST_F(PrefsTest, StartWithoutFileGivesTheDefaultsAndAsksForSelfDiscipline)
{
    playWin& table = startAt(at(12, 0, 0));
    PrefsRecord expected;
    EXPECT_EQ(shown(table), expected);
    EXPECT_EQ(table.timesLeft, -1);
    EXPECT_FALSE(lockOutShown());
    EXPECT_TRUE(table.getPrefs());
    EXPECT_FALSE(QFile::exists(path())) << "the file is written only by a quit";
}

TEST_F(PrefsTest, SettingsWrittenAtQuitReadBackAfterARestart)
{
    PrefsRecord changed{false, false, false, true, false, true, true, 7, {"tgb 0", " åäö ", "é", "", "x:y;1"}};
    PrefsRecord flippedBack = changed;
    flippedBack.spelaLjud = flippedBack.helpTxt = flippedBack.counterVisible = flippedBack.askDiciplin = true;
    flippedBack.greenTable = flippedBack.topBeats = flippedBack.tidigareSlut = false;
    flippedBack.maxFaults = -1;
    for (const PrefsRecord& record : {changed, flippedBack}) {
        playWin& table = startAt(at(12, 0, 0));
        table.spelaLjud = record.spelaLjud;
        table.helpTxt = record.helpTxt;
        table.staticText("status").setVisible(record.counterVisible);
        table.setHasBackColor(record.greenTable);
        table.askDiciplin = record.askDiciplin;
        table.topBeats = record.topBeats;
        table.tidigareSlut = record.tidigareSlut;
        table.maxFaults = record.maxFaults;
        table.playKeys = record.playKeys;
        quitAt(at(12, 1, 0));
        EXPECT_EQ(shown(startAt(at(12, 2, 0))), record);
    }
    EXPECT_EQ(fileBytes(), QByteArray("1\n1\n1\n0\n1\n0\n0\n-1\ntgb 0\n \xC3\xA5\xC3\xA4\xC3\xB6 \n\xC3\xA9\n\nx:y;1\n0\n"));
}

TEST_F(PrefsTest, EveryRoadThatQuitsWritesTheFile)
{
    const std::pair<const char*, std::function<void(playWin&)>> roads[] = {
        {"menu Quit", [](playWin& t) { t.menuBar()->lookup("appleAvsluta")->choose(); }},
        {"close button", [](playWin& t) { t.host()->close(); }},
        {"error", [](playWin&) { fw::Application::instance().dispatch([] { throw std::runtime_error("x"); }); }},
        {"used-up limit", [](playWin& t) {
             t.timesLeft = 0;
             slut::instance().pushButton("okBtn").push();
         }},
    };
    for (const auto& [road, quit] : roads) {
        QFile::remove(path());
        playWin& table = startAt(at(12, 0, 0));
        table.maxFaults = 4;
        quit(table);
        EXPECT_TRUE(fw::Application::instance().quitting()) << road;
        EXPECT_EQ(playWin::openInstance(), nullptr) << road;
        const std::vector<Text> lines = fileLines();
        ASSERT_EQ(lines.size(), 14u) << road;
        EXPECT_EQ(lines[maxFaultsLine - 1], "4") << road;
    }
}

TEST(PrefsLines, FlagLinesChangeOnlyOnTheirExactText)
{
    // The green table starts on, so that every text but "1" shows it turning off.
    PrefsRecord start;
    start.greenTable = true;
    const std::pair<PrefsLine, bool PrefsRecord::*> flags[] = {
        {soundLine, &PrefsRecord::spelaLjud},       {helpTagLine, &PrefsRecord::helpTxt},
        {counterLine, &PrefsRecord::counterVisible}, {greenTableLine, &PrefsRecord::greenTable},
        {askDiciplinLine, &PrefsRecord::askDiciplin}, {topBeatsLine, &PrefsRecord::topBeats},
        {tidigareSlutLine, &PrefsRecord::tidigareSlut},
    };
    for (const auto& [line, field] : flags) {
        for (const Text text : {"0", "1", "yes", "", " 0", "1 "}) {
            const bool expected = line == greenTableLine ? text == "1"
                                  : text == "0"          ? false
                                  : text == "1"          ? true
                                                         : start.*field;
            EXPECT_EQ(readPrefs(withLine(line, text), start).prefs.*field, expected)
                << "line " << line << " holding \"" << text.toStdString() << "\"";
        }
    }
}

TEST(PrefsLines, FaultLimitTakesTheLeadingNumberWithinItsType)
{
    const std::pair<Text, int> cases[] = {
        {"5", 5},   {"-1", -1},  {"abc", 0},           {"", 0},      {"12abc", 12},
        {"3.9", 3}, {"-3.9", -3}, {"99999999999", INT_MAX}, {"-1e300", INT_MIN}, {"1e999", INT_MAX},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(readPrefs(withLine(maxFaultsLine, text), {}).prefs.maxFaults, expected) << text.toStdString();
}

TEST(PrefsLines, KeyLinesAreTakenWholeAndTheLockLineAsStored)
{
    std::vector<Text> lines = writePrefs(PrefsRecord{}, " 10:3 ");
    for (int i = 0; i < 5; ++i)
        lines.at(firstKeysLine - 1 + i) = std::vector<Text>{" a b ", "", "longer than five", "ÅÄÖ", "é\t"}.at(i);
    const PrefsContent read = readPrefs(lines, {});
    EXPECT_EQ(read.prefs.playKeys, (fw::TextArray{" a b ", "", "longer than five", "ÅÄÖ", "é\t"}));
    EXPECT_EQ(read.lockText, " 10:3 ");
}

TEST(PrefsLines, LinesMissingAtTheEndKeepTheirDefaults)
{
    const PrefsRecord defaults;
    EXPECT_EQ(readPrefs({}, defaults).prefs, defaults);
    EXPECT_EQ(readPrefs({}, defaults).lockText, std::nullopt);

    PrefsRecord firstThree = defaults;
    firstThree.spelaLjud = firstThree.helpTxt = firstThree.counterVisible = false;
    EXPECT_EQ(readPrefs({"0", "0", "0"}, defaults).prefs, firstThree);

    PrefsRecord upToFirstKeys = defaults;
    upToFirstKeys.maxFaults = 0;
    upToFirstKeys.playKeys[0] = "";
    const PrefsContent nine = readPrefs({"1", "1", "1", "0", "1", "0", "0", "", ""}, defaults);
    EXPECT_EQ(nine.prefs, upToFirstKeys);
    EXPECT_EQ(nine.lockText, std::nullopt);
}

TEST(PrefsLines, ArbitraryBytesReadToSettingsThatSurviveTheirOwnRewrite)
{
    std::mt19937 random(7);
    const char alphabet[] = "01:\r\n -9ea\xC3\xA5\xFF";
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        const int length = static_cast<int>(random() % 120);
        for (int i = 0; i < length; ++i)
            bytes += alphabet[random() % (sizeof alphabet - 1)];
        const PrefsContent read = readPrefs(fw::SplitLines(bytes), {});
        ASSERT_EQ(read.prefs.playKeys.size(), 5u);
        const Text lock = read.lockText.value_or("0");
        QByteArray rewrittenBytes;
        for (const Text& line : writePrefs(read.prefs, lock))
            rewrittenBytes += line.toUtf8() + '\n';
        const PrefsContent reread = readPrefs(fw::SplitLines(rewrittenBytes), {});
        ASSERT_EQ(reread.prefs, read.prefs) << "bytes " << bytes.toPercentEncoding().toStdString();
        lockedOut(read.lockText, date(at(23, 58, 0)), date(at(0, 1, 0, 15)));
    }
}

TEST_F(PrefsTest, ReadsLfCrLfAndCrLineEndings)
{
    PrefsRecord expected{false, true, false, true, true, true, false, 3, {"tgb 0", "qaz1", "åäö", "edc3", "rfv4"}};
    for (const char* ending : {"\n", "\r\n", "\r"}) {
        QByteArray bytes;
        for (const Text& line : writePrefs(expected, "0"))
            bytes += line.toUtf8() + ending;
        writeFile(bytes, at(11, 0, 0));
        EXPECT_EQ(shown(startAt(at(12, 0, 0))), expected) << "ending " << QByteArray(ending).toHex().toStdString();
    }
}

TEST(LockTime, QuitUnderAPlayLimitWritesFiveMinutesOn)
{
    EXPECT_EQ(lockTextAt(-1, date(at(9, 58, 40))), "0");
    EXPECT_EQ(lockTextAt(0, date(at(9, 58, 40))), "10:3");
    EXPECT_EQ(lockTextAt(5, date(at(12, 0, 0))), "12:5");
    EXPECT_EQ(lockTextAt(0, date(at(23, 54, 59))), "23:59");
    EXPECT_EQ(lockTextAt(0, date(at(23, 58, 0))), "0:3");
}

TEST(LockTime, ZeroAndImpossibleTimesNeverLock)
{
    for (const QDateTime& written : {at(0, 0, 0), at(9, 58, 40), at(23, 55, 30), at(23, 57, 0), at(23, 59, 59)}) {
        for (int later : {1, 60, 180, 299}) {
            const fw::Date start = date(written.addSecs(later));
            for (const Text text : {"0", "99999:99999", "-1:5", "5:-1", "24:0", "1e300:1e300", "23:60"})
                EXPECT_FALSE(lockedOut(text, date(written), start))
                    << text.toStdString() << " written " << written.toString().toStdString() << " +" << later << "s";
        }
    }
}

TEST(LockTime, StoredTimeOnTheWriteDayOrJustAfterMidnight)
{
    const fw::Date written = date(at(9, 58, 40));
    EXPECT_EQ(lockTime("10:3", written)->totalSeconds(), date(at(10, 3, 40)).totalSeconds());
    EXPECT_EQ(lockTime("10", written)->totalSeconds(), date(at(10, 0, 40)).totalSeconds()) << "no minute field";
    EXPECT_EQ(lockTime("abc", written)->totalSeconds(), date(at(0, 0, 40)).totalSeconds()) << "a time past";
    EXPECT_EQ(lockTime("9:0", written)->totalSeconds(), date(at(9, 0, 40)).totalSeconds()) << "stays past";
    const fw::Date lateWrite = date(at(23, 58, 0));
    EXPECT_EQ(lockTime("0:3", lateWrite)->totalSeconds(), date(at(0, 3, 0, 15)).totalSeconds());
    EXPECT_EQ(lockTime("abc", lateWrite)->totalSeconds(), date(at(0, 0, 0, 15)).totalSeconds());
    EXPECT_EQ(lockTime("23:0", lateWrite)->totalSeconds(), date(at(23, 0, 0)).totalSeconds());
}

TEST_F(PrefsTest, QuitUnderAPlayLimitLocksOutStartsForFiveMinutes)
{
    playWin& first = startAt(at(9, 50, 0));
    first.timesLeft = 2;
    first.maxFaults = 9;
    quitAt(at(9, 58, 40));
    EXPECT_EQ(fileLines().at(lockLine - 1), "10:3");

    for (const QDateTime& locked : {at(10, 0, 40), at(10, 3, 39)}) {
        playWin& table = startAt(locked);
        EXPECT_EQ(table.timesLeft, 0) << locked.toString().toStdString();
        EXPECT_TRUE(lockOutShown()) << locked.toString().toStdString();
        EXPECT_EQ(fw::Application::instance().windows().size(), 2u) << "the table and the lock-out dialog only";
        EXPECT_EQ(table.maxFaults, 9) << "the settings are read as usual";
        EXPECT_FALSE(table.getPrefs());
    }
    for (const QDateTime& free : {at(10, 3, 40), at(10, 3, 41)}) {
        playWin& table = startAt(free);
        EXPECT_EQ(table.timesLeft, -1) << free.toString().toStdString();
        EXPECT_FALSE(lockOutShown()) << free.toString().toStdString();
        EXPECT_TRUE(table.getPrefs());
    }
}

TEST_F(PrefsTest, QuitWithoutAPlayLimitLocksNothing)
{
    startAt(at(9, 50, 0));
    quitAt(at(9, 58, 40));
    EXPECT_EQ(fileLines().at(lockLine - 1), "0");
    startAt(at(9, 58, 41));
    EXPECT_FALSE(lockOutShown());
}

TEST_F(PrefsTest, QuitFromTheLockOutDialogRenewsTheLockAndKeepsTheSettings)
{
    playWin& first = startAt(at(9, 50, 0));
    first.timesLeft = 1;
    first.playKeys[1] = "åäö";
    quitAt(at(9, 58, 40));
    const std::vector<Text> before = fileLines();

    startAt(at(10, 0, 40));
    forsokInte* dialog = fw::Application::instance().openInstance<forsokInte>();
    ASSERT_NE(dialog, nullptr);
    sys.setNow(at(10, 0, 45));
    QTest::keyClick(dialog->host(), Qt::Key_Return);
    EXPECT_TRUE(fw::Application::instance().quitting());
    EXPECT_EQ(fw::Application::instance().openInstance<forsokInte>(), nullptr);
    std::vector<Text> after = fileLines();
    ASSERT_EQ(after.size(), 14u);
    EXPECT_EQ(after.back(), "10:5");
    after.back() = before.back();
    EXPECT_EQ(after, before);

    startAt(at(10, 5, 44));
    EXPECT_TRUE(lockOutShown()) << "locked until 10:05:45";
    startAt(at(10, 5, 46));
    EXPECT_FALSE(lockOutShown());
}

TEST_F(PrefsTest, LockWrittenJustBeforeMidnightLastsIntoTheNextDay)
{
    startAt(at(23, 50, 0)).timesLeft = 0;
    quitAt(at(23, 58, 0));
    EXPECT_EQ(fileLines().at(lockLine - 1), "0:3");
    startAt(at(0, 1, 0, 15));
    EXPECT_TRUE(lockOutShown());
    startAt(at(0, 3, 1, 15));
    EXPECT_FALSE(lockOutShown());
}

TEST_F(PrefsTest, FileWrittenAtOrAfterTheStartLocksNothing)
{
    startAt(at(9, 50, 0)).timesLeft = 3;
    quitAt(at(10, 0, 0));
    for (const QDateTime& start : {at(9, 59, 0), at(10, 0, 0)}) {
        startAt(start);
        EXPECT_FALSE(lockOutShown()) << "a clock set back to " << start.toString().toStdString();
    }
}

TEST_F(PrefsTest, FolderInTheFilesPlaceGivesTheDefaultsAndTheQuitGoesOn)
{
    // A folder where the file should be: as root too, no write gets through.
    ASSERT_TRUE(QDir(prefs.path()).mkdir("vesko.txt"));
    playWin& table = startAt(at(12, 0, 0));
    EXPECT_EQ(shown(table), PrefsRecord{});
    table.timesLeft = 0;
    quitAt(at(12, 1, 0));
    EXPECT_TRUE(fw::Application::instance().quitting());
    EXPECT_EQ(fw::Application::instance().exitStatus(), 0);
    EXPECT_TRUE(sys.messages.empty());
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(PrefsTest, MissingPreferencesFolderIsMade)
{
    sys.prefsFolder = prefs.path() + "/config/nested";
    startAt(at(12, 0, 0));
    quitAt(at(12, 1, 0));
    EXPECT_EQ(fw::SplitLines([&] {
                  QFile file(sys.prefsFolder + "/vesko.txt");
                  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
              }()).size(),
              14u);
}

TEST_F(PrefsTest, LockOutDialogShowsTheLookedUpTextsAndTheMaskedStopIcon)
{
    MapCatalogue cat;
    cat.entries = {{"No way", "Glöm det"},
                   {"Don't you try!", "Försök inte ens!"},
                   {"You've to wait for a while.*Do something good in the meantime!", "Vänta.*Gör något!"},
                   {"Quit", "Avsluta"}};
    text::setCatalogue(&cat);
    writeFile("1\n1\n1\n0\n1\n0\n0\n-1\ntgb 0\nqaz1\nwsx2\nedc3\nrfv4\n10:3\n", at(9, 58, 40));
    playWin& table = startAt(at(10, 0, 40));
    forsokInte* dialog = fw::Application::instance().openInstance<forsokInte>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->title(), "Glöm det\u2026");
    EXPECT_EQ(dialog->staticText("StaticText1").text(), "Försök inte ens!");
    EXPECT_EQ(dialog->staticText("StaticText2").text(), "Vänta.\nGör något!");
    EXPECT_EQ(dialog->pushButton("PushButton1").caption(), "Avsluta");
    EXPECT_EQ(dialog->defaultButton(), &dialog->pushButton("PushButton1"));
    EXPECT_EQ(dialog->width(), 170);
    EXPECT_EQ(dialog->height(), 256);
    EXPECT_EQ(dialog->host()->minimumSize(), dialog->host()->maximumSize()) << "fixed size";
    EXPECT_EQ(dialog->host()->parentWidget(), table.host()) << "over the game window";
    EXPECT_EQ(dialog->host()->windowModality(), Qt::WindowModal);

    const QImage& icon = dialog->canvas("stopIcn").backdrop();
    ASSERT_EQ(icon.size(), QSize(128, 128));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "the mask hides the corners";
    EXPECT_EQ(icon.pixel(64, 20), res::stop()->image().pixel(64, 20)) << "the stop sign shows";
    EXPECT_EQ(qAlpha(icon.pixel(64, 20)), 255);
}

TEST_F(PrefsTest, LockOutDialogOpensWithoutItsPictures)
{
    sys.missingPictures = {res::stopPicture, res::stopMaskPicture};
    forsokInte& dialog = forsokInte::instance();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.canvas("stopIcn").backdrop().pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(dialog.staticText("StaticText2").text(),
              "You've to wait for a while.\nDo something good in the meantime!");
}

TEST_F(PrefsTest, LockOutDialogGoesOverTheGameWindowWhenThatAppearsAndKeepsTheKeyboard)
{
    writeFile("1\n1\n1\n0\n1\n0\n0\n-1\ntgb 0\nqaz1\nwsx2\nedc3\nrfv4\n10:3\n", at(9, 58, 40));
    playWin& table = startAt(at(10, 0, 40));
    forsokInte* dialog = fw::Application::instance().openInstance<forsokInte>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_FALSE(table.isVisible()) << "the table appears after its Open event";
    table.show();
    const QRect over = table.host()->frameGeometry();
    const QRect sheet = dialog->host()->frameGeometry();
    EXPECT_EQ(sheet.center().x(), over.center().x());
    EXPECT_EQ(sheet.top(), over.top());
    // The platform activates the table last, as X does when it maps it.
    table.host()->windowHandle()->requestActivate();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), dialog->host());
}
