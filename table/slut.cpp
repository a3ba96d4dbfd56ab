#include "table/slut.h"

#include "framework/application.h"
#include "framework/date.h"
#include "table/playWin.h"
#include "table/stamp.h"
#include "text/lookup.h"

using fw::ControlKind;
using fw::Text;

namespace {

constexpr fw::WindowRecord windowRecord{
    .title = "",
    .width = 352,
    .height = 128,
    .frame = fw::Frame::Sheet,
    .placement = fw::Placement::ParentWindow,
    .visible = true,
};

constexpr fw::ControlRecord controlTable[] = {
    {.kind = ControlKind::StaticText, .name = "status", .left = 130, .top = 14, .width = 221, .height = 21,
     .caption = "The deck is empty.", .bold = true, .multiline = true},
    {.kind = ControlKind::PushButton, .name = "okBtn", .left = 263, .top = 88, .width = 69, .height = 20,
     .caption = "OK", .isDefault = true},
    {.kind = ControlKind::PushButton, .name = "cancelBtn", .left = 171, .top = 88, .width = 80, .height = 20,
     .caption = "Cancel", .isCancel = true},
    {.kind = ControlKind::Canvas, .name = "noteIcn", .left = 0, .top = 0, .width = 128, .height = 128},
    {.kind = ControlKind::StaticText, .name = "status2", .left = 130, .top = 33, .width = 221, .height = 50,
     .caption = "Text", .multiline = true},
};

}  // namespace

slut& slut::instance() { return fw::Application::instance().implicitInstance<slut>(); }

const fw::WindowRecord& slut::layoutRecord() const { return windowRecord; }
std::span<const fw::ControlRecord> slut::controlRecords() const { return controlTable; }

void slut::bindHandlers()
{
    bind("okBtn", "Action", &slut::okBtn_Action);
    bind("cancelBtn", "Open", &slut::cancelBtn_Open);
    bind("cancelBtn", "Action", &slut::cancelBtn_Action);
}

void slut::okBtn_Action()
{
    playWin* table = playWin::openInstance();
    if (!table) {
        close();
        return;
    }
    table->pushButton(QStringLiteral("delaut")).setEnabled(false);
    fw::PushButton& newGame = table->pushButton(QStringLiteral("nyttspel"));
    newGame.setDefault(true);
    newGame.setFocus();
    table->staticText(QStringLiteral("status")).setText(Text());
    if (table->timesLeft == 0) {
        hide();
        fw::Application::instance().quit();
    } else {
        close();
    }
}

void slut::cancelBtn_Open()
{
    fw::PushButton& me = pushButton(QStringLiteral("cancelBtn"));
    me.setCaption(text::lookup(me.caption()));
}

void slut::cancelBtn_Action() { close(); }

bool slut::KeyDown(const Text& key)
{
    const fw::Date now;
    playWin* table = playWin::openInstance();
    if (!table)
        return false;
    const int stamp = minuteSecondStamp(now);
    if (fw::InStr(table->playKeys.at(0), key) == 0 || stamp == table->minSec)
        return false;
    pushButton(QStringLiteral("okBtn")).push();
    // OK may have quit and closed the table.
    if (playWin* still = playWin::openInstance())
        still->minSec = stamp;
    return true;
}
