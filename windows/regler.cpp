#include "windows/regler.h"

#include "framework/application.h"
#include "text/lookup.h"

using fw::Align;
using fw::ControlKind;
using fw::Text;

namespace {

constexpr fw::WindowRecord windowRecord{
    .title = "Rules",
    .width = 466,
    .height = 206,
    .minWidth = 290,
    .minHeight = 200,
    .maxWidth = 500,
    .maxHeight = 32000,
    .frame = fw::Frame::Document,
    .placement = fw::Placement::ParentWindow,
    .visible = true,
    .closeButton = true,
};

// The paragraph's key keeps "gard game" as it was first written.
constexpr fw::ControlRecord controlTable[] = {
    {.kind = ControlKind::StaticText, .name = "StaticText1", .left = 20, .top = 84, .width = 429, .height = 102,
     .caption = "Vesko's Solvary is the most stupid gard game of all times, with high demands on luck and "
                "non-existent demands on skills. Shuffle a deck of cards and place four open cards on the table. "
                "You can then throw a card if there is another faceup card of the same suit with a higher rank in "
                "the top of any other pile. The ace always has the highest rank. If a pile is empty, you can move "
                "any top card from the other piles to its place. When you are unable to throw more cards, deal four "
                "new ones to the piles and again try to throw cards. Continue until the deck is empty. The goal is "
                "to only have one card left in each pile, which naturally would be the four aces.",
     .textSize = 9, .align = Align::Left, .multiline = true},
    {.kind = ControlKind::StaticText, .name = "StaticText2", .left = 79, .top = 14, .width = 349, .height = 65,
     .caption = "\u201CThe clever count their cards; the wise just vesko.\u201D*\u2014Ottilia Kortlund",
     .textSize = 10, .bold = true, .align = Align::Right, .multiline = true},
};

}  // namespace

regler& regler::instance() { return fw::Application::instance().implicitInstance<regler>(); }

const fw::WindowRecord& regler::layoutRecord() const { return windowRecord; }
std::span<const fw::ControlRecord> regler::controlRecords() const { return controlTable; }

void regler::bindHandlers()
{
    bind("StaticText1", "Open", &regler::StaticText1_Open);
    bind("StaticText2", "Open", &regler::StaticText2_Open);
}

void regler::StaticText1_Open()
{
    fw::StaticText& me = staticText(QStringLiteral("StaticText1"));
    me.setText(text::lookup(me.text()));
}

void regler::StaticText2_Open()
{
    fw::StaticText& me = staticText(QStringLiteral("StaticText2"));
    me.setText(text::lookup(me.text()));
}

bool regler::KeyDown(const Text& key)
{
    if (fw::SameText(key, QStringLiteral("w")) && fw::Keyboard::commandKey())
        close();
    return false;
}

void regler::Open() { setTitle(text::lookup(title())); }
