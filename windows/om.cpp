#include "windows/om.h"

#include "framework/application.h"
#include "text/lookup.h"
#include "text/resources.h"

using fw::Align;
using fw::ControlKind;
using fw::Text;

namespace {

constexpr fw::WindowRecord windowRecord{
    .title = "Vesko's Solvary",
    .width = 350,
    .height = 300,
    .minWidth = 64,
    .minHeight = 64,
    .maxWidth = 32000,
    .maxHeight = 32000,
    .frame = fw::Frame::MovableModal,
    .placement = fw::Placement::ParentWindow,
    .visible = true,
};

constexpr fw::ControlRecord controlTable[] = {
    {.kind = ControlKind::Rectangle, .name = "Rectangle1", .left = 20, .top = 14, .width = 309, .height = 125,
     .fillColor = {255, 255, 255}, .borderWidth = 0},
    {.kind = ControlKind::StaticText, .name = "StaticText1", .left = 20, .top = 148, .width = 307, .height = 20,
     .caption = "Vesko's Solvary - Because it didn't exist", .textSize = 12, .bold = true, .align = Align::Center},
    {.kind = ControlKind::StaticText, .name = "StaticText2", .left = 3, .top = 174, .width = 343, .height = 64,
     .caption = "The most stupid game of them all*Made in anxiety of exams the morning of August 10, 2002*"
                "Gradually polishing and even more polishing since then",
     .textSize = 9, .align = Align::Center, .multiline = true},
    {.kind = ControlKind::PushButton, .name = "PushButton1", .left = 140, .top = 260, .width = 69, .height = 20,
     .caption = "OK", .isDefault = true},
    // Centred in Rectangle1, which it lies on.
    {.kind = ControlKind::Canvas, .name = "Canvas1", .left = 108, .top = 14, .width = 133, .height = 125},
};

}  // namespace

Text aboutTitle(const Text& name, int major, int minor, int bug)
{
    Text t = name + " " + fw::Str(major) + "." + fw::Str(minor);
    if (bug > 0)
        t = t + "." + fw::Str(bug);
    return t;
}

om& om::instance() { return fw::Application::instance().implicitInstance<om>(); }

const fw::WindowRecord& om::layoutRecord() const { return windowRecord; }
std::span<const fw::ControlRecord> om::controlRecords() const { return controlTable; }

void om::prepareControl(fw::Control& control)
{
    if (control.name() == QLatin1String("Canvas1"))
        static_cast<fw::Canvas&>(control).setBackdrop(res::logo());
}

void om::bindHandlers()
{
    bind("StaticText1", "Open", &om::StaticText1_Open);
    bind("StaticText2", "Open", &om::StaticText2_Open);
    bind("PushButton1", "Action", &om::PushButton1_Action);
}

void om::StaticText1_Open()
{
    fw::StaticText& me = staticText(QStringLiteral("StaticText1"));
    me.setText(text::lookup(me.text()));
}

void om::StaticText2_Open()
{
    fw::StaticText& me = staticText(QStringLiteral("StaticText2"));
    me.setText(text::lookup(me.text()) + fw::EndOfLine() + Text::fromUtf8(webAddress));
}

void om::PushButton1_Action() { close(); }

void om::Open()
{
    const fw::Application& app = fw::Application::instance();
    setTitle(aboutTitle(text::lookup(QStringLiteral("Vesko's Solvary")), app.majorVersion(), app.minorVersion(),
                        app.bugVersion()));
}
