#include "windows/pref.h"

#include "framework/application.h"
#include "framework/picture.h"
#include "table/layout.h"
#include "table/playWin.h"
#include "text/lookup.h"
#include "text/resources.h"

using fw::ControlKind;
using fw::Text;
using text::lookup;

namespace {

constexpr fw::WindowRecord windowRecord{
    .title = "Settings",
    .width = 340,
    .height = 236,
    .frame = fw::Frame::Sheet,
    .placement = fw::Placement::ParentWindow,
    .visible = true,
};

enum Page { onWindow = 0, miscPage = 1, keysPage = 2, variantsPage = 3 };

constexpr int boxSize = 10;

constexpr fw::ControlRecord controlTable[] = {
    {.kind = ControlKind::PushButton, .name = "PushButton2", .left = 157, .top = 205, .width = 80, .height = 20,
     .caption = "Cancel", .isCancel = true},
    {.kind = ControlKind::PushButton, .name = "sparaBtn", .left = 249, .top = 205, .width = 69, .height = 20,
     .caption = "Save", .isDefault = true},
    {.kind = ControlKind::Canvas, .name = "suit", .index = 0, .left = 24, .top = 192, .width = 16, .height = 16},
    {.kind = ControlKind::Canvas, .name = "suit", .index = 3, .left = 78, .top = 196, .width = 16, .height = 16},
    {.kind = ControlKind::Canvas, .name = "suit", .index = 1, .left = 41, .top = 197, .width = 16, .height = 16},
    {.kind = ControlKind::Canvas, .name = "suit", .index = 2, .left = 59, .top = 200, .width = 16, .height = 16},
    {.kind = ControlKind::TabPanel, .name = "TabPanel1", .left = 20, .top = 14, .width = 298, .height = 160,
     .caption = "Miscellaneous\rKeys\rVariants"},
    {.kind = ControlKind::CheckBox, .name = "ljudChk", .left = 39, .top = 50, .width = 260, .height = 20,
     .caption = "Sounds and noise", .textSize = boxSize, .value = true, .tabPage = miscPage},
    {.kind = ControlKind::CheckBox, .name = "cdsLeftChk", .left = 39, .top = 50, .width = 260, .height = 20,
     .caption = "Show the number of cards left in the deck", .textSize = boxSize, .value = true,
     .tabPage = variantsPage},
    {.kind = ControlKind::CheckBox, .name = "helpChk", .left = 39, .top = 78, .width = 260, .height = 20,
     .caption = "Show the rank of the cards as a helptag", .textSize = boxSize, .value = true, .tabPage = miscPage,
     .helpTag = "Something like this"},
    {.kind = ControlKind::CheckBox, .name = "greenChk", .left = 39, .top = 134, .width = 260, .height = 20,
     .caption = "Make the table horribly green", .textSize = boxSize, .tabPage = miscPage},
    {.kind = ControlKind::CheckBox, .name = "diciplinChk", .left = 39, .top = 106, .width = 260, .height = 20,
     .caption = "Emulate self discipline at startup", .textSize = boxSize, .value = true, .tabPage = miscPage},
    {.kind = ControlKind::EditField, .name = "keyFld", .index = 1, .left = 39, .top = 91, .width = 40, .height = 16,
     .textSize = boxSize, .limitText = 5, .tabPage = keysPage},
    {.kind = ControlKind::EditField, .name = "keyFld", .index = 2, .left = 113, .top = 91, .width = 40, .height = 16,
     .textSize = boxSize, .limitText = 5, .tabPage = keysPage},
    {.kind = ControlKind::EditField, .name = "keyFld", .index = 3, .left = 183, .top = 91, .width = 40, .height = 16,
     .textSize = boxSize, .limitText = 5, .tabPage = keysPage},
    {.kind = ControlKind::EditField, .name = "keyFld", .index = 4, .left = 252, .top = 91, .width = 40, .height = 16,
     .textSize = boxSize, .limitText = 5, .tabPage = keysPage},
    {.kind = ControlKind::EditField, .name = "keyFld", .index = 0, .left = 252, .top = 130, .width = 40, .height = 16,
     .textSize = boxSize, .limitText = 5, .tabPage = keysPage},
    {.kind = ControlKind::StaticText, .name = "StaticText1", .left = 40, .top = 50, .width = 261, .height = 26,
     .caption = "Keys used to throw cards.*Hold option or shift to cheat (you bad one!)", .textSize = boxSize,
     .multiline = true, .tabPage = keysPage},
    {.kind = ControlKind::StaticText, .name = "StaticText2", .left = 40, .top = 129, .width = 202, .height = 20,
     .caption = "Keys (besides enter) to deal", .textSize = boxSize, .tabPage = keysPage},
    {.kind = ControlKind::CheckBox, .name = "tidigareChk", .left = 39, .top = 106, .width = 260, .height = 20,
     .caption = "I've won as soon as the four aces are in place", .textSize = boxSize, .tabPage = variantsPage},
    {.kind = ControlKind::CheckBox, .name = "topBeatsChk", .left = 39, .top = 78, .width = 260, .height = 20,
     .caption = "The underlaying card in a pile beats the top card", .textSize = boxSize, .tabPage = variantsPage},
    {.kind = ControlKind::CheckBox, .name = "maxClickChk", .left = 39, .top = 134, .width = 200, .height = 20,
     .caption = "Max number of fault clicks:", .textSize = boxSize, .tabPage = variantsPage},
    {.kind = ControlKind::EditField, .name = "maxClickFld", .left = 249, .top = 136, .width = 30, .height = 16,
     .textSize = boxSize, .tabPage = variantsPage},
};

constexpr int keySets = 5;

}  // namespace

pref& pref::instance() { return fw::Application::instance().implicitInstance<pref>(); }

const fw::WindowRecord& pref::layoutRecord() const { return windowRecord; }
std::span<const fw::ControlRecord> pref::controlRecords() const { return controlTable; }

void pref::bindHandlers()
{
    bind("PushButton2", "Open", &pref::PushButton2_Open);
    bind("PushButton2", "Action", &pref::PushButton2_Action);
    bind("sparaBtn", "Open", &pref::sparaBtn_Open);
    bind("sparaBtn", "Action", &pref::sparaBtn_Action);
    bind("TabPanel1", "Open", &pref::TabPanel1_Open);
    bind("ljudChk", "Open", &pref::ljudChk_Open);
    bind("cdsLeftChk", "Open", &pref::cdsLeftChk_Open);
    bind("helpChk", "Open", &pref::helpChk_Open);
    bind("greenChk", "Open", &pref::greenChk_Open);
    bind("diciplinChk", "Open", &pref::diciplinChk_Open);
    bind("StaticText1", "Open", &pref::StaticText1_Open);
    bind("StaticText2", "Open", &pref::StaticText2_Open);
    bind("tidigareChk", "Open", &pref::tidigareChk_Open);
    bind("topBeatsChk", "Open", &pref::topBeatsChk_Open);
    bind("maxClickChk", "Open", &pref::maxClickChk_Open);
    bind("maxClickChk", "Action", &pref::maxClickChk_Action);
    bind("maxClickFld", "TextChange", &pref::maxClickFld_TextChange);
    bind("maxClickFld", "KeyDown", &pref::maxClickFld_KeyDown);
}

void pref::prepareControl(fw::Control& control)
{
    // The suits lie left to right as clubs, diamonds, spades, hearts.
    static fw::Picture* (*const suitPictures[])() = {res::a, res::b, res::d, res::c};
    if (control.name() == QLatin1String("suit"))
        if (auto* view = dynamic_cast<fw::Canvas*>(&control))
            view->setBackdrop(suitPictures[control.index()]());
}

void pref::localizeCaption(const char* name)
{
    fw::CheckBox& box = checkBox(QString::fromLatin1(name));
    box.setCaption(lookup(box.caption()));
}

void pref::PushButton2_Open()
{
    fw::PushButton& me = pushButton(QStringLiteral("PushButton2"));
    me.setCaption(lookup(me.caption()));
}

void pref::PushButton2_Action() { close(); }

void pref::sparaBtn_Open()
{
    fw::PushButton& me = pushButton(QStringLiteral("sparaBtn"));
    me.setCaption(lookup(me.caption()));
}

void pref::sparaBtn_Action()
{
    playWin& table = playWin::instance();
    table.staticText(QStringLiteral("status")).setVisible(checkBox(QStringLiteral("cdsLeftChk")).value());
    table.spelaLjud = checkBox(QStringLiteral("ljudChk")).value();
    table.helpTxt = checkBox(QStringLiteral("helpChk")).value();
    const bool green = checkBox(QStringLiteral("greenChk")).value();
    if (green != table.hasBackColor()) {
        table.setHasBackColor(green);
        table.updateNow();
        table.refresh();
    }
    table.askDiciplin = checkBox(QStringLiteral("diciplinChk")).value();
    table.topBeats = checkBox(QStringLiteral("topBeatsChk")).value();
    table.tidigareSlut = checkBox(QStringLiteral("tidigareChk")).value();
    if (checkBox(QStringLiteral("maxClickChk")).value())
        table.maxFaults = fw::ToInt32(fw::Val(editField(QStringLiteral("maxClickFld")).text()));
    else
        table.maxFaults = -1;
    table.playKeys.resize(keySets);
    for (int i = 0; i < keySets; ++i)
        table.playKeys[i] = editField(QStringLiteral("keyFld"), i).text();
    if (!table.helpTxt) {
        for (int i = 0; i < cardViewsPerPile; ++i)
            for (int n = 1; n <= 4; ++n)
                table.cardView(n, i).setHelpTag(Text());
    }
    close();
}

void pref::TabPanel1_Open()
{
    fw::TabPanel& me = tabPanel(QStringLiteral("TabPanel1"));
    for (int i = 0; i < me.count(); ++i)
        me.setCaption(i, lookup(me.caption(i)));
}

void pref::ljudChk_Open() { localizeCaption("ljudChk"); }
void pref::cdsLeftChk_Open() { localizeCaption("cdsLeftChk"); }
void pref::greenChk_Open() { localizeCaption("greenChk"); }
void pref::diciplinChk_Open() { localizeCaption("diciplinChk"); }
void pref::tidigareChk_Open() { localizeCaption("tidigareChk"); }
void pref::topBeatsChk_Open() { localizeCaption("topBeatsChk"); }

void pref::helpChk_Open()
{
    localizeCaption("helpChk");
    fw::CheckBox& me = checkBox(QStringLiteral("helpChk"));
    me.setHelpTag(lookup(me.helpTag()));
}

void pref::StaticText1_Open()
{
    fw::StaticText& me = staticText(QStringLiteral("StaticText1"));
    me.setText(lookup(me.text()));
}

void pref::StaticText2_Open()
{
    fw::StaticText& me = staticText(QStringLiteral("StaticText2"));
    me.setText(lookup(me.text()) + QStringLiteral(":"));
}

void pref::maxClickChk_Open()
{
    localizeCaption("maxClickChk");
    fw::CheckBox& me = checkBox(QStringLiteral("maxClickChk"));
    // The box as wide as its caption, the number right after it.
    fw::Picture scratch(width(), 100);
    fw::Graphics& g = scratch.graphics();
    g.setTextFont(me.textFont());
    g.setTextSize(me.textSize());
    me.setWidth(g.stringWidth(me.caption()) + 20);
    editField(QStringLiteral("maxClickFld")).setLeft(me.left() + me.width() + 10);
}

void pref::maxClickChk_Action()
{
    const bool on = checkBox(QStringLiteral("maxClickChk")).value();
    fw::EditField& field = editField(QStringLiteral("maxClickFld"));
    field.setEnabled(on);
    if (!on) {
        field.setSelLength(0);
        return;
    }
    field.setSelStart(0);
    field.setSelLength(fw::Len(field.text()));
    field.setFocus();
}

void pref::maxClickFld_TextChange()
{
    constexpr int highestLimit = 99;
    fw::EditField& me = editField(QStringLiteral("maxClickFld"));
    const Text entry = me.text();
    // Each rewrite runs this handler again, on a text it leaves alone.
    if (me.text() != fw::Str(fw::Val(me.text())))
        me.setText(fw::Str(fw::Val(me.text())));
    if (fw::Val(me.text()) > highestLimit)
        me.setText(fw::Str(highestLimit));
    if (me.text() != entry) {
        me.setSelStart(0);
        me.setSelLength(fw::Len(me.text()));
    }
}

bool pref::maxClickFld_KeyDown(const Text&) { return false; }

void pref::Open()
{
    setTitle(lookup(title()));
    playWin& table = playWin::instance();
    checkBox(QStringLiteral("cdsLeftChk")).setValue(table.staticText(QStringLiteral("status")).visible());
    checkBox(QStringLiteral("ljudChk")).setValue(table.spelaLjud);
    checkBox(QStringLiteral("helpChk")).setValue(table.helpTxt);
    checkBox(QStringLiteral("greenChk")).setValue(table.hasBackColor());
    checkBox(QStringLiteral("diciplinChk")).setValue(table.askDiciplin);
    checkBox(QStringLiteral("topBeatsChk")).setValue(table.topBeats);
    checkBox(QStringLiteral("tidigareChk")).setValue(table.tidigareSlut);

    fw::CheckBox& limitBox = checkBox(QStringLiteral("maxClickChk"));
    fw::EditField& limitField = editField(QStringLiteral("maxClickFld"));
    if (table.maxFaults < 0) {
        limitBox.setValue(false);
        limitField.setText(QStringLiteral("0"));
    } else {
        limitBox.setValue(true);
        limitField.setText(fw::Str(table.maxFaults));
    }
    // The box's Action runs only when its value changes; the field follows
    // the box from the start as well.
    limitField.setEnabled(limitBox.value());

    for (int i = 0; i < keySets; ++i)
        editField(QStringLiteral("keyFld"), i).setText(i < int(table.playKeys.size()) ? table.playKeys[i] : Text());
    fw::EditField& first = editField(QStringLiteral("keyFld"), 1);
    first.setFocus();
    first.setSelStart(0);
    first.setSelLength(fw::Len(first.text()));
}
