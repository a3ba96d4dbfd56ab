#include "windows/forsokInte.h"

#include "framework/application.h"
#include "framework/picture.h"
#include "text/lookup.h"
#include "text/resources.h"

using fw::ControlKind;
using text::lookup;

namespace {

constexpr fw::WindowRecord windowRecord{
    .title = "No way\u2026",
    .width = 170,
    .height = 256,
    .minWidth = 170,
    .minHeight = 256,
    .maxWidth = 170,
    .maxHeight = 256,
    .frame = fw::Frame::Sheet,
    .placement = fw::Placement::ParentWindow,
    .visible = true,
    .closeButton = false,
    .minimizeButton = false,
    .maximizeButton = false,
    .resizeable = false,
    .hasBackColor = false,
    .backColor = {255, 255, 255},
};

constexpr fw::ControlRecord controlTable[] = {
    {.kind = ControlKind::StaticText, .name = "StaticText1", .left = 8, .top = 154, .width = 154, .height = 20,
     .caption = "Don't you try!", .bold = true, .align = fw::Align::Center},
    {.kind = ControlKind::StaticText, .name = "StaticText2", .left = 0, .top = 175, .width = 170, .height = 38,
     .caption = "You've to wait for a while.\rDo something good in the meantime!", .textSize = 9,
     .align = fw::Align::Center, .multiline = true},
    {.kind = ControlKind::PushButton, .name = "PushButton1", .left = 45, .top = 216, .width = 80, .height = 20,
     .caption = "Quit", .isDefault = true},
    {.kind = ControlKind::Canvas, .name = "stopIcn", .left = 21, .top = 19, .width = 128, .height = 128},
};

constexpr int iconSize = 128;

}  // namespace

forsokInte& forsokInte::instance() { return fw::Application::instance().implicitInstance<forsokInte>(); }

const fw::WindowRecord& forsokInte::layoutRecord() const { return windowRecord; }
std::span<const fw::ControlRecord> forsokInte::controlRecords() const { return controlTable; }

void forsokInte::bindHandlers()
{
    bind("StaticText1", "Open", &forsokInte::StaticText1_Open);
    bind("StaticText2", "Open", &forsokInte::StaticText2_Open);
    bind("PushButton1", "Open", &forsokInte::PushButton1_Open);
    bind("PushButton1", "Action", &forsokInte::PushButton1_Action);
}

void forsokInte::StaticText1_Open()
{
    fw::StaticText& me = staticText(QStringLiteral("StaticText1"));
    me.setText(lookup(me.text()));
}

void forsokInte::StaticText2_Open()
{
    fw::StaticText& me = staticText(QStringLiteral("StaticText2"));
    me.setText(lookup(me.text()));
}

void forsokInte::PushButton1_Open()
{
    fw::PushButton& me = pushButton(QStringLiteral("PushButton1"));
    me.setCaption(lookup(me.caption()));
}

void forsokInte::PushButton1_Action()
{
    hide();
    // Closing the game window writes the settings, with a fresh lock.
    fw::Application::instance().quit();
}

void forsokInte::Open()
{
    setTitle(lookup(title()));
    fw::Picture icon(iconSize, iconSize);
    if (fw::Picture* stop = res::stop())
        icon.graphics().drawPicture(*stop, 0, 0);
    if (fw::Picture* mask = res::stopMask())
        icon.mask().graphics().drawPicture(*mask, 0, 0);
    canvas(QStringLiteral("stopIcn")).setBackdrop(&icon);
}
