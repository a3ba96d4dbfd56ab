#pragma once
// The settings file "vesko.txt": 14 lines, one value each, whose meaning is
// their line number; and the lock time that a quit under a play limit
// leaves in its last line.

#include "framework/date.h"
#include "framework/text.h"

#include <optional>
#include <vector>

inline const char* const prefsFileName = "vesko.txt";

// The file's lines, numbered from 1. Stored files rely on this order.
enum PrefsLine {
    soundLine = 1,
    helpTagLine = 2,
    counterLine = 3,
    greenTableLine = 4,
    askDiciplinLine = 5,
    topBeatsLine = 6,
    tidigareSlutLine = 7,
    maxFaultsLine = 8,
    firstKeysLine = 9,  // key sets 0 to 4 on lines 9 to 13
    lockLine = 14,
    prefsLineCount = 14,
};

// The user's settings as the file keeps them; the start values are the
// defaults, except the counter and the green table, which the game
// window's layout decides.
struct PrefsRecord {
    bool spelaLjud = true;
    bool helpTxt = true;
    bool counterVisible = true;
    bool greenTable = false;
    bool askDiciplin = true;
    bool topBeats = false;
    bool tidigareSlut = false;
    int maxFaults = -1;
    fw::TextArray playKeys{QStringLiteral("tgb 0"), QStringLiteral("qaz1"), QStringLiteral("wsx2"),
                           QStringLiteral("edc3"), QStringLiteral("rfv4")};

    bool operator==(const PrefsRecord&) const = default;
};

struct PrefsContent {
    PrefsRecord prefs;
    // Line 14 as stored; nothing when the file ends before it.
    std::optional<fw::Text> lockText;
};

// Applies the file's lines over the given values. A flag line changes its
// value only when it holds exactly the text that changes it (the green
// table: "1" on, anything else off); a line the file lacks changes nothing.
PrefsContent readPrefs(const std::vector<fw::Text>& lines, const PrefsRecord& start);

// The 14 lines of the file.
std::vector<fw::Text> writePrefs(const PrefsRecord& prefs, const fw::Text& lockText);

// How long a quit under a play limit locks the game.
constexpr int lockSeconds = 300;

// Line 14 for a quit at `now`: "0" without a play limit, otherwise the
// hour and minute five minutes on ("10:3").
fw::Text lockTextAt(int timesLeft, const fw::Date& now);

// Until when a stored lock runs, for a file last written at `modified`:
// the stored hour and minute on that day (and its seconds), or on the next
// day, or after the clocks went back, when that lies before the write and
// the lock would otherwise be lost. Nothing for "0" or a time of day that
// cannot be.
std::optional<fw::Date> lockTime(const fw::Text& lockText, const fw::Date& modified);

// Whether a start at `start` lies within the lock. A file written at or
// after the start (a clock set back) locks nothing.
bool lockedOut(const std::optional<fw::Text>& lockText, const std::optional<fw::Date>& modified,
               const fw::Date& start);
