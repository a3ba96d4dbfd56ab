// The settings file: read when the game window opens, written when it
// closes.

#include "table/playWin.h"

#include "framework/application.h"
#include "framework/files.h"
#include "settings/prefs.h"
#include "windows/forsokInte.h"

namespace {

fw::FolderItem prefsFile()
{
    return fw::FolderItem(fw::PreferencesFolder()).child(QString::fromUtf8(prefsFileName));
}

}  // namespace

PrefsRecord prefsOf(const playWin& table)
{
    PrefsRecord p;
    p.spelaLjud = table.spelaLjud;
    p.helpTxt = table.helpTxt;
    p.counterVisible = table.staticText(QStringLiteral("status")).visible();
    p.greenTable = table.hasBackColor();
    p.askDiciplin = table.askDiciplin;
    p.topBeats = table.topBeats;
    p.tidigareSlut = table.tidigareSlut;
    p.maxFaults = table.maxFaults;
    p.playKeys = table.playKeys;
    return p;
}

namespace {

void apply(playWin& table, const PrefsRecord& p)
{
    table.spelaLjud = p.spelaLjud;
    table.helpTxt = p.helpTxt;
    table.staticText(QStringLiteral("status")).setVisible(p.counterVisible);
    table.setHasBackColor(p.greenTable);
    table.askDiciplin = p.askDiciplin;
    table.topBeats = p.topBeats;
    table.tidigareSlut = p.tidigareSlut;
    table.maxFaults = p.maxFaults;
    table.playKeys = p.playKeys;
}

}  // namespace

bool playWin::getPrefs()
{
    // The defaults, but the counter and the green table as the layout made them.
    PrefsRecord defaults;
    defaults.counterVisible = staticText(QStringLiteral("status")).visible();
    defaults.greenTable = hasBackColor();
    apply(*this, defaults);

    const fw::Date start;
    std::optional<fw::Text> lockText;
    std::optional<fw::Date> modified;
    const fw::FolderItem file = prefsFile();
    fw::Text whyNot;
    const auto lines = file.exists() ? file.readLines(&whyNot) : std::nullopt;
    if (lines) {
        const PrefsContent read = readPrefs(*lines, defaults);
        apply(*this, read.prefs);
        lockText = read.lockText;
        modified = file.modificationDate();
    } else if (!whyNot.isEmpty()) {
        // What the player set may still be in there: play on the defaults
        // and leave it for the player to mend.
        keepPrefsFile_ = true;
        qWarning("Could not read %s (%s); playing on the default settings and leaving the file as it is",
                 qUtf8Printable(file.path()), qUtf8Printable(whyNot));
    }
    if (lockedOut(lockText, modified, start)) {
        timesLeft = 0;
        forsokInte::instance().show();
        return false;
    }
    return askDiciplin;
}

void playWin::setPrefs()
{
    if (keepPrefsFile_)
        return;
    const fw::Date now;
    // A failed write leaves the old file whole; the quit goes on regardless.
    prefsFile().writeLines(writePrefs(prefsOf(*this), lockTextAt(timesLeft, now)));
}
