// Fuzzes the settings file reader with any file content and any times of
// writing and of start-up.
//
// Input: two little-endian 32-bit second counts, the file's modification
// time and the start time, each from a fixed day; then the file's bytes.

#include "framework/date.h"
#include "framework/files.h"
#include "settings/prefsFile.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

fw::Date dateAt(std::int32_t seconds)
{
    static const std::int64_t base = QDateTime(QDate(2026, 3, 14), QTime(12, 0)).toMSecsSinceEpoch();
    return fw::Date::fromMSecs(base + std::int64_t{seconds} * 1000);
}

QByteArray fileOf(const std::vector<fw::Text>& lines)
{
    QByteArray bytes;
    for (const fw::Text& line : lines)
        bytes += line.toUtf8() + '\n';
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 8)
        return 0;
    std::int32_t offsets[2];
    std::memcpy(offsets, data, sizeof offsets);
    const fw::Date modified = dateAt(offsets[0]);
    const fw::Date start = dateAt(offsets[1]);
    const QByteArray file(reinterpret_cast<const char*>(data + 8), static_cast<qsizetype>(size - 8));

    const PrefsContent read = readPrefs(fw::SplitLines(file), PrefsRecord{});
    if (read.prefs.playKeys.size() != 5)
        fail("the reader lost a key set");
    for (const fw::Text& keys : read.prefs.playKeys)
        if (keys.contains(QLatin1Char('\n')) || keys.contains(QLatin1Char('\r')))
            fail("a key set holds a line ending");

    // What is written back from what was read reads back the same.
    const fw::Text lockText = read.lockText.value_or(QStringLiteral("0"));
    const PrefsContent again = readPrefs(fw::SplitLines(fileOf(writePrefs(read.prefs, lockText))), PrefsRecord{});
    if (!(again.prefs == read.prefs))
        fail("the settings changed on their way through the file");
    if (again.lockText != lockText)
        fail("the lock line changed on its way through the file");

    // A lock lies on the day the file was written, or just after midnight.
    if (const auto lock = lockTime(lockText, modified)) {
        const double day = 24.0 * 60 * 60;
        if (lock->totalSeconds() < modified.totalSeconds() - day ||
            lock->totalSeconds() > modified.totalSeconds() + day)
            fail("the lock lies more than a day from the file's time");
    }
    const bool locked = lockedOut(read.lockText, modified, start);
    if (locked && !(modified.totalSeconds() < start.totalSeconds()))
        fail("a file written at or after the start locked the game");
    if (locked && lockText == QLatin1String("0"))
        fail("\"0\" locked the game");
    return 0;
}
