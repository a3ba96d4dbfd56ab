#include "settings/prefsFile.h"

#include <algorithm>

using fw::Text;

namespace {

// The stored lock leaves out its seconds, so it may lie up to a minute
// short of or past the quit's five minutes.
constexpr int lockSlackSeconds = 60;

Text flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

}  // namespace

PrefsContent readPrefs(const std::vector<Text>& lines, const PrefsRecord& start)
{
    PrefsContent read{start, std::nullopt};
    PrefsRecord& p = read.prefs;
    const int count = static_cast<int>(std::min<std::size_t>(lines.size(), prefsLineCount));
    for (int number = 1; number <= count; ++number) {
        const Text& line = lines[number - 1];
        const bool zero = line == QLatin1String("0");
        const bool one = line == QLatin1String("1");
        switch (number) {
        case soundLine:
            if (zero)
                p.spelaLjud = false;
            break;
        case helpTagLine:
            if (zero)
                p.helpTxt = false;
            break;
        case counterLine:
            if (zero)
                p.counterVisible = false;
            break;
        case greenTableLine:
            p.greenTable = one;
            break;
        case askDiciplinLine:
            if (zero)
                p.askDiciplin = false;
            break;
        case topBeatsLine:
            if (one)
                p.topBeats = true;
            break;
        case tidigareSlutLine:
            if (one)
                p.tidigareSlut = true;
            break;
        case maxFaultsLine:
            p.maxFaults = fw::ToInt32(fw::Val(line));
            break;
        case lockLine:
            read.lockText = line;
            break;
        default:
            p.playKeys.at(number - firstKeysLine) = line;
            break;
        }
    }
    return read;
}

std::vector<Text> writePrefs(const PrefsRecord& p, const Text& lockText)
{
    std::vector<Text> lines{flag(p.spelaLjud),  flag(p.helpTxt),     flag(p.counterVisible),
                            flag(p.greenTable), flag(p.askDiciplin), flag(p.topBeats),
                            flag(p.tidigareSlut), fw::Str(p.maxFaults)};
    for (int i = 0; i < 5; ++i)
        lines.push_back(p.playKeys.at(i));
    lines.push_back(lockText);
    return lines;
}

Text lockTextAt(int timesLeft, const fw::Date& now)
{
    if (timesLeft < 0)
        return QStringLiteral("0");
    fw::Date lock = now;
    lock.setTotalSeconds(now.totalSeconds() + lockSeconds);
    return fw::Str(lock.hour()) + QLatin1Char(':') + fw::Str(lock.minute());
}

std::optional<fw::Date> lockTime(const Text& lockText, const fw::Date& modified)
{
    // "0" is what a quit without a play limit writes.
    if (lockText == QLatin1String("0"))
        return std::nullopt;
    const int hour = fw::ToInt32(fw::Val(fw::NthField(lockText, QStringLiteral(":"), 1)));
    const int minute = fw::ToInt32(fw::Val(fw::NthField(lockText, QStringLiteral(":"), 2)));
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return std::nullopt;
    const auto onDayOf = [&](double seconds) {
        fw::Date lock = modified;
        lock.setTotalSeconds(seconds);
        lock.setHour(hour);
        lock.setMinute(minute);
        return lock;
    };
    const double latest = modified.totalSeconds() + lockSeconds + lockSlackSeconds;
    fw::Date lock = onDayOf(modified.totalSeconds());
    if (lock.totalSeconds() < modified.totalSeconds()) {
        // Only a lock written in the last minutes before midnight, or before
        // the clocks go back, lies past the write on its own day: it is
        // meant for the day, or the offset, that the quit's five minutes
        // reach. Any other time already past stays past.
        const fw::Date later = onDayOf(latest);
        if (later.totalSeconds() <= latest)
            lock = later;
    }
    return lock;
}

bool lockedOut(const std::optional<Text>& lockText, const std::optional<fw::Date>& modified, const fw::Date& start)
{
    if (!lockText || !modified || !(modified->totalSeconds() < start.totalSeconds()))
        return false;
    const std::optional<fw::Date> lock = lockTime(*lockText, *modified);
    return lock && start.totalSeconds() < lock->totalSeconds();
}
