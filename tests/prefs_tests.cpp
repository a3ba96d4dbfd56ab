// The settings file over restarts (the file layer's writing with it), its
// line rules, the lock time, local dates on the days the clocks change and
// the lock-out dialog.

#include "support.h"

#include "framework/files.h"
#include "settings/prefsFile.h"
#include "windows/forsokInte.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWindow>

#include <algorithm>
#include <functional>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using fw::Text;

namespace {

QDateTime at(int h, int m, int s, int day = 14) { return {QDate(2026, 3, day), QTime(h, m, s)}; }
QDateTime utc(int month, int day, int h, int m) { return {QDate(2026, month, day), QTime(h, m), Qt::UTC}; }
fw::Date date(const QDateTime& t) { return fw::Date::fromMSecs(t.toMSecsSinceEpoch()); }

// Central Europe: on 29 March 2026 the clocks go from 02:00 to 03:00, on
// 25 October from 03:00 back to 02:00, both at 01:00 UTC.
constexpr const char* cet = "CET-1CEST,M3.5.0,M10.5.0/3";

// While it lives, local time follows the given zone; nothing leaves it as it is.
struct Zone {
    explicit Zone(const char* zone) { set(zone ? zone : saved.c_str()); }
    ~Zone() { set(saved.c_str()); }
    static void set(const char* zone) { setenv("TZ", zone, 1); tzset(); }
    // An unset TZ means the system's zone, which this names.
    const std::string saved = std::getenv("TZ") ? std::getenv("TZ") : ":/etc/localtime";
};

// While it lives, root too may read only what a file's mode lets it.
struct NoReadOverride {
    NoReadOverride()
    {
        syscall(SYS_capget, &header, saved);
        __user_cap_data_struct lowered[2] = {saved[0], saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall(SYS_capset, &header, lowered);
    }
    ~NoReadOverride() { syscall(SYS_capset, &header, saved); }
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
};

// The warnings the program writes to standard error.
QStringList warnings;
void keepWarning(QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; }

// Every value off its default; key sets with blanks, non-ASCII and an empty one.
const PrefsRecord changed{false, false, false, true, false, true, true, 7, {"tgb 0", " åäö ", "é", "", "x:y;1"}};

class PrefsTest : public GameTest {
protected:
    QString path() const { return sys.prefsFolder + "/vesko.txt"; }
    QByteArray fileBytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::vector<Text> fileLines() const { return fw::SplitLines(fileBytes()); }

    // A new run of the program: no windows, the clock at `now`, the table opened.
    playWin& startAt(const QDateTime& now)
    {
        fw::Application::instance().reset();
        sys.setNow(now);
        return playWin::instance();
    }

    // A run on a settings file holding `record`, quit at `now` under the play limit.
    void runAndQuit(const PrefsRecord& record, int timesLeft, const QDateTime& now)
    {
        ASSERT_TRUE(fw::FolderItem(path()).writeLines(writePrefs(record, "0")));
        startAt(now.addSecs(-60)).timesLeft = timesLeft;
        sys.setNow(now);
        fw::Application::instance().quit();
    }
    static forsokInte* lockOut() { return fw::Application::instance().openInstance<forsokInte>(); }
};

}  // namespace

TEST_F(PrefsTest, SettingsOverRestartsFromNoFileThroughAMarkAndCrLfAndPastAFailedWrite)
{
    sys.prefsFolder = prefs.path() + "/new/deeper";
    EXPECT_EQ(settingsOf(startAt(at(12, 0, 0))), writePrefs({}, "")) << "no file gives the defaults";
    EXPECT_FALSE(QFile::exists(path())) << "the file is written only by a quit";
    fw::Application::instance().quit();
    EXPECT_EQ(fileLines(), writePrefs({}, "0")) << "into the folder the quit makes";

    // `changed` as the file holds it, after a byte-order mark and in CRLF, is written back in LF.
    const QByteArray lf("0\n0\n0\n1\n0\n1\n1\n7\ntgb 0\n \xC3\xA5\xC3\xA4\xC3\xB6 \n\xC3\xA9\n\nx:y;1\n0\n");
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" + QByteArray(lf).replace("\n", "\r\n"));
    file.close();
    EXPECT_EQ(settingsOf(startAt(at(12, 2, 0))), writePrefs(changed, ""));
    fw::Application::instance().quit();
    EXPECT_EQ(fileBytes(), lf);
    // A full disk, which stops root too, leaves the old file and no other and lets the quit go on.
    startAt(at(12, 5, 0)).timesLeft = 0;
    {
        const FullDisk full;
        fw::Application::instance().quit();
    }
    fw::Application& app = fw::Application::instance();
    EXPECT_EQ(std::tuple(app.quitting(), app.exitStatus(), sys.messages.size()), std::tuple(true, 0, 0u));
    EXPECT_EQ(fileBytes(), lf);
    EXPECT_EQ(QDir(sys.prefsFolder).entryList(QDir::Files | QDir::Hidden), QStringList{"vesko.txt"});
}

TEST_F(PrefsTest, AFileThatCannotBeReadLeavesTheDefaultsAndIsNeverReplaced)
{
    const std::pair<const char*, std::function<bool(const QString&)>> kinds[] = {
        {"write-only file", [](const QString& p) {
             return fw::FolderItem(p).writeLines(writePrefs(changed, "0")) && QFile::setPermissions(p, QFile::WriteOwner);
         }},
        {"folder", [](const QString& p) { return QDir().mkdir(p); }},
        {"pipe", [](const QString& p) { return mkfifo(QFile::encodeName(p), 0600) == 0; }},
        // A plain file on which read() fails: the memory at address 0.
        {"read error", [](const QString& p) { return QFile::link("/proc/self/mem", p); }},
        // Damaged: read whole, it would not fit in the memory (sparse, it takes no room on disk).
        {"huge", [](const QString& p) { QFile f(p); return f.open(QIODevice::WriteOnly) && f.resize(qint64(1) << 40); }},
    };
    // Which item it is, its mode, size and time: a replacement differs in the first.
    const auto identity = [this] {
        struct stat s {};
        lstat(QFile::encodeName(path()), &s);
        return std::tuple(s.st_ino, s.st_mode, s.st_size, s.st_mtim.tv_sec, s.st_mtim.tv_nsec);
    };
    const NoReadOverride asAnyUser;
    const QtMessageHandler handler = qInstallMessageHandler(keepWarning);
    for (const auto& [kind, make] : kinds) {
        ASSERT_TRUE(make(path())) << kind;
        const auto before = identity();
        warnings.clear();
        EXPECT_EQ(settingsOf(startAt(at(12, 0, 0))), writePrefs({}, "")) << kind;
        fw::Application::instance().quit();
        // Said once, as unread: a file taken for empty would be written over, or fail to be.
        const QStringList said = warnings.filter(path());
        EXPECT_EQ(std::tuple(identity(), said.size(), said.value(0).startsWith("Could not read")), std::tuple(before, 1, true)) << kind;
        QFile::remove(path()) || QDir(path()).removeRecursively();
    }
    qInstallMessageHandler(handler);
}

TEST(PrefsLines, EachLineFollowsItsOwnRuleAndMissingLinesKeepTheirDefaults)
{
    // The green table starts on, so that every text but "1" shows it turning off.
    PrefsRecord start;
    start.greenTable = true;
    const std::vector<Text> base = writePrefs(start, "0");
    struct Case { int line; Text text, read; };
    std::vector<Case> cases{
        {maxFaultsLine, "-1", "-1"},   {maxFaultsLine, "abc", "0"},    {maxFaultsLine, " 12abc", "12"},
        {maxFaultsLine, "-3.9", "-3"}, {maxFaultsLine, "1e999", "2147483647"}, {maxFaultsLine, "-1e300", "-2147483648"},
        {firstKeysLine, " a b ", " a b "}, {firstKeysLine + 1, "", ""}, {firstKeysLine + 2, "too long", "too long"},
        {firstKeysLine + 3, "ÅÄÖ", "ÅÄÖ"}, {firstKeysLine + 4, "é\t", "é\t"}, {lockLine, " 10:3 ", " 10:3 "},
    };
    // Flags change only on their exact text: "0" turns off, "1" turns on.
    for (int line = soundLine; line <= tidigareSlutLine; ++line)
        for (const Text text : {"0", "1", "yes", "", " 0", "1 "}) {
            const bool kept = line != greenTableLine && text != "0" && text != "1";
            cases.push_back({line, text, kept ? base[line - 1] : text == "1" ? "1" : "0"});
        }
    for (const Case& c : cases) {
        std::vector<Text> lines = base, expected = base;
        lines[c.line - 1] = c.text;
        expected[c.line - 1] = c.read;
        const PrefsContent read = readPrefs(lines, start);
        EXPECT_EQ(writePrefs(read.prefs, read.lockText.value_or("none")), expected)
            << "line " << c.line << " holding \"" << c.text.toStdString() << "\"";
    }
    // A short file keeps the defaults of the lines it lacks; lines past the last are left alone.
    const std::vector<Text> full = writePrefs(changed, "10:3"), defaults = writePrefs({}, "none");
    for (std::size_t count = 0; count <= full.size() + 2; ++count) {
        std::vector<Text> lines = full, expected = full;
        lines.resize(count, "1");
        const PrefsContent read = readPrefs(lines, {});
        std::copy(defaults.begin() + std::min(count, full.size()), defaults.end(), expected.begin() + std::min(count, full.size()));
        EXPECT_EQ(writePrefs(read.prefs, read.lockText.value_or("none")), expected) << count << " lines";
    }
}

TEST(LockTime, OnlyATimeOfDayAheadLocks)
{
    struct Case { Text text; QDateTime written; bool locks; };
    std::vector<Case> cases{
        {"9:0", at(9, 58, 40), false}, {"23:0", at(23, 58, 0), false},  // already past
        // A missing field reads as 0; just before midnight that is the next day.
        {"10", at(9, 58, 40), true}, {"abc", at(23, 58, 0), true},
    };
    for (const Text text : {"0", "99999:99999", "-1:5", "5:-1", "24:0", "1e300:1e300", "23:60"})
        for (const QDateTime& written : {at(9, 58, 40), at(23, 58, 0)})
            cases.push_back({text, written, false});
    for (const Case& c : cases)
        EXPECT_EQ(lockedOut(c.text, date(c.written), date(c.written.addSecs(60))), c.locks)
            << c.text.toStdString() << " written " << c.written.toString().toStdString();
}

TEST(DateFields, SetTheLocalTimeRollingOverAndKeepingTheSecondsAlsoOnTheDaysTheClocksChange)
{
    const Zone zone(cet);
    struct Case { QDateTime from; int hour, minute; QDateTime to; };
    const Case cases[] = {
        // An ordinary day: 23:58:40 CEST to 01:03:40 the next day, the seconds kept.
        {utc(5, 1, 21, 58).addSecs(40), 25, 3, utc(5, 1, 23, 3).addSecs(40)},
        {utc(3, 29, 10, 0), 1, 5, utc(3, 29, 0, 5)},      // 12:00 CEST to 01:05 CET
        {utc(10, 25, 11, 0), 1, 5, utc(10, 24, 23, 5)},   // 12:00 CET to 01:05 CEST
        {utc(3, 29, 0, 57), 2, 57, utc(3, 29, 1, 57)},    // 02:57 is skipped: 03:57 CEST
        {utc(10, 25, 1, 57).addMSecs(5), 2, 2, utc(10, 25, 1, 2).addMSecs(5)},  // 02:57 CET to 02:02 CET
        {utc(10, 24, 23, 57), 2, 57, utc(10, 25, 0, 57)},  // 01:57 CEST to 02:57 CEST
    };
    for (const Case& c : cases) {
        fw::Date d = date(c.from);
        d.setHour(c.hour);
        d.setMinute(c.minute);
        EXPECT_EQ(d.totalSeconds() - date(c.to).totalSeconds(), 0) << c.from.toString(Qt::ISODate).toStdString();
    }
}

TEST_F(PrefsTest, QuitUnderAPlayLimitLocksLaterStartsForFiveMinutes)
{
    // The quit, the lock it writes, a start it locks and one it leaves free.
    struct Case { QDateTime quit; const char* written; QDateTime locked, free; const char* zone = nullptr; };
    const Case cases[] = {
        {at(9, 58, 40), "10:3", at(10, 3, 39), at(10, 3, 40)},
        {at(9, 58, 40), "10:3", at(10, 0, 40), at(9, 50, 0)},  // a clock set back
        {at(13, 58, 40), "14:3", at(14, 3, 39), at(14, 3, 40)},
        {at(23, 58, 0), "0:3", at(0, 2, 59, 15), at(0, 3, 1, 15)},
        // Quits whose five minutes meet a change of the clocks: 01:57 to 03:02,
        // 02:57 CEST to 02:02 CET; and 02:30 CET, the second time the clocks show it.
        {utc(3, 29, 0, 57), "3:2", utc(3, 29, 1, 1), utc(3, 29, 1, 3), cet},
        {utc(10, 25, 0, 57), "2:2", utc(10, 25, 1, 1), utc(10, 25, 1, 3), cet},
        {utc(10, 25, 1, 30), "2:35", utc(10, 25, 1, 34), utc(10, 25, 1, 36), cet},
    };
    PrefsRecord record;
    record.maxFaults = 9;
    for (const Case& c : cases) {
        const Zone zone(c.zone);
        runAndQuit(record, 0, c.quit);
        EXPECT_EQ(fileLines().at(lockLine - 1), c.written);
        for (const auto& [start, locked] : {std::pair{c.locked, true}, {c.free, false}}) {
            playWin& table = startAt(start);
            // Locked: the lock-out dialog, no games left, no question; the settings read as usual.
            EXPECT_EQ(std::tuple(lockOut() != nullptr, table.timesLeft, table.maxFaults,
                                 fw::Application::instance().openInstance<emulerad>() != nullptr),
                      std::tuple(locked, locked ? 0 : -1, 9, !locked))
                << start.toString(Qt::ISODate).toStdString() << " after " << c.written;
        }
    }
}

TEST_F(PrefsTest, LockOutDialogKeepsTheKeyboardAndItsQuitRenewsTheLock)
{
    runAndQuit(changed, 1, at(9, 58, 40));
    playWin& table = startAt(at(10, 0, 40));
    forsokInte* dialog = lockOut();
    ASSERT_NE(dialog, nullptr);

    // The table shows after its Open event and X activates it last: the dialog keeps the keyboard.
    table.show();
    table.host()->windowHandle()->requestActivate();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), dialog->host());
    EXPECT_EQ(dialog->host()->frameGeometry().top(), table.host()->geometry().top()) << "it hangs under the title bar";
    EXPECT_NEAR(dialog->host()->frameGeometry().center().x(), table.host()->frameGeometry().center().x(), 1) << "centred";
    dialog->host()->close();
    ASSERT_EQ(lockOut(), dialog) << "the window system cannot close a window without a close box";

    sys.setNow(at(10, 0, 45));
    QTest::keyClick(dialog->host(), Qt::Key_Return);
    EXPECT_TRUE(fw::Application::instance().quitting()) << "Return pushes Quit";
    EXPECT_EQ(fileLines(), writePrefs(changed, "10:5")) << "the same settings with a fresh lock";
    // Three minutes on, still locked out, a click on Quit renews the lock again.
    startAt(at(10, 3, 40));
    ASSERT_NE(lockOut(), nullptr);
    clickOn(lockOut()->pushButton("PushButton1"));
    EXPECT_EQ(fileLines(), writePrefs(changed, "10:8"));
}
