#include "windows/emulerad.h"

#include "framework/application.h"
#include "framework/picture.h"
#include "table/playWin.h"
#include "text/lookup.h"
#include "text/resources.h"

using fw::ControlKind;
using fw::Text;
using text::lookup;

#include <algorithm>

namespace {

constexpr fw::WindowRecord windowRecord{
    .title = "Emulerad",
    .width = 274,
    .height = 170,
    .frame = fw::Frame::Sheet,
    .placement = fw::Placement::ParentWindow,
    .visible = true,
};

constexpr int rowSize = 10;

constexpr fw::ControlRecord controlTable[] = {
    {.kind = ControlKind::CheckBox, .name = "spelaBaraChk", .left = 37, .top = 40, .width = 115, .height = 20,
     .caption = "I'll play just", .textSize = rowSize},
    {.kind = ControlKind::EditField, .name = "antalTxt", .left = 152, .top = 41, .width = 20, .height = 18,
     .caption = "1", .textSize = rowSize, .align = fw::Align::Center, .enabled = false, .limitText = 1},
    {.kind = ControlKind::LittleArrows, .name = "antalArrows", .left = 182, .top = 40, .width = 13, .height = 23,
     .enabled = false},
    {.kind = ControlKind::CheckBox, .name = "omVinnerChk", .left = 58, .top = 65, .width = 181, .height = 20,
     .caption = "..but quit immediately if I win", .textSize = rowSize, .enabled = false, .value = true},
    {.kind = ControlKind::PushButton, .name = "PushButton3", .left = 22, .top = 131, .width = 139, .height = 20,
     .caption = "I'm a victim to gambling!", .textSize = rowSize},
    {.kind = ControlKind::StaticText, .name = "ggrTxt", .left = 202, .top = 40, .width = 77, .height = 20,
     .caption = "times more", .textSize = rowSize},
    {.kind = ControlKind::PushButton, .name = "okBtn", .left = 189, .top = 131, .width = 69, .height = 20,
     .caption = "OK", .isDefault = true},
    {.kind = ControlKind::StaticText, .name = "StaticText1", .left = 20, .top = 14, .width = 237, .height = 20,
     .caption = "Emulated Self Discipline", .bold = true},
    {.kind = ControlKind::StaticText, .name = "antalTxtDim", .left = 152, .top = 41, .width = 20, .height = 16,
     .caption = "1", .textSize = rowSize, .align = fw::Align::Center, .enabled = false,
     .textColor = {126, 126, 126}},
    {.kind = ControlKind::Canvas, .name = "suit", .index = 0, .left = 20, .top = 93, .width = 16, .height = 16},
    {.kind = ControlKind::Canvas, .name = "suit", .index = 3, .left = 71, .top = 100, .width = 16, .height = 16},
    {.kind = ControlKind::Canvas, .name = "suit", .index = 1, .left = 35, .top = 99, .width = 16, .height = 16},
    {.kind = ControlKind::Canvas, .name = "suit", .index = 2, .left = 54, .top = 101, .width = 16, .height = 16},
};

// Split at "%": before it the box caption, after it the label.
const Text pluralSentence = QStringLiteral("I'll play just % times more");
const Text singularSentence = QStringLiteral("I'll play just % time more");
const Text helpAddress = QStringLiteral("https://www.gamblersanonymous.org/");
const Text digits = QStringLiteral("123456789");

constexpr int tabCode = 9;
constexpr int returnCode = 13;
constexpr int enterCode = 3;
constexpr double fewestGames = 1;
constexpr double mostGames = 9;

bool confirms(const Text& key)
{
    if (fw::Asc(key) == returnCode || fw::Asc(key) == enterCode)
        return true;
    const playWin* table = playWin::openInstance();
    return table && !table->playKeys.empty() && fw::InStr(table->playKeys[0], key) > 0;
}

}  // namespace

emulerad& emulerad::instance() { return fw::Application::instance().implicitInstance<emulerad>(); }

const fw::WindowRecord& emulerad::layoutRecord() const { return windowRecord; }
std::span<const fw::ControlRecord> emulerad::controlRecords() const { return controlTable; }

void emulerad::bindHandlers()
{
    bind("spelaBaraChk", "Open", &emulerad::spelaBaraChk_Open);
    bind("spelaBaraChk", "Action", &emulerad::spelaBaraChk_Action);
    bind("antalTxt", "KeyDown", &emulerad::antalTxt_KeyDown);
    bind("antalArrows", "Up", &emulerad::antalArrows_Up);
    bind("antalArrows", "Down", &emulerad::antalArrows_Down);
    bind("omVinnerChk", "Open", &emulerad::omVinnerChk_Open);
    bind("PushButton3", "Open", &emulerad::PushButton3_Open);
    bind("PushButton3", "Action", &emulerad::PushButton3_Action);
    bind("ggrTxt", "Open", &emulerad::ggrTxt_Open);
    bind("okBtn", "Action", &emulerad::okBtn_Action);
    bind("StaticText1", "Open", &emulerad::StaticText1_Open);
}

void emulerad::prepareControl(fw::Control& control)
{
    // The suits lie left to right as clubs, diamonds, spades, hearts.
    static fw::Picture* (*const suitPictures[])() = {res::a, res::b, res::d, res::c};
    if (control.name() == QLatin1String("suit"))
        if (auto* view = dynamic_cast<fw::Canvas*>(&control))
            view->setBackdrop(suitPictures[control.index()]());
}

void emulerad::spelaBaraChk_Open()
{
    fw::CheckBox& me = checkBox(QStringLiteral("spelaBaraChk"));
    me.setCaption(fw::NthField(lookup(pluralSentence), QStringLiteral("%"), 1));
    // The rest of the row follows the caption's measured width.
    fw::Picture scratch(width(), 100);
    fw::Graphics& g = scratch.graphics();
    g.setTextFont(me.textFont());
    g.setTextSize(me.textSize());
    me.setWidth(g.stringWidth(me.caption()) + 20);
    const int x = me.left() + me.width() + 10;
    editField(QStringLiteral("antalTxt")).setLeft(x);
    staticText(QStringLiteral("antalTxtDim")).setLeft(x);
    littleArrows(QStringLiteral("antalArrows")).setLeft(x + 30);
    staticText(QStringLiteral("ggrTxt")).setLeft(x + 50);
}

void emulerad::spelaBaraChk_Action()
{
    const bool on = checkBox(QStringLiteral("spelaBaraChk")).value();
    checkBox(QStringLiteral("omVinnerChk")).setEnabled(on);
    editField(QStringLiteral("antalTxt")).setEnabled(on);
    littleArrows(QStringLiteral("antalArrows")).setEnabled(on);
    if (on) {
        editField(QStringLiteral("antalTxt")).setFocus();
        selectNumber();
    } else {
        clearFocus();
    }
}

bool emulerad::antalTxt_KeyDown(const Text& key)
{
    if (fw::Asc(key) == tabCode)
        return false;
    if (fw::InStr(digits, key) > 0) {
        editField(QStringLiteral("antalTxt")).setText(key);
    } else if (confirms(key)) {
        pushButton(QStringLiteral("okBtn")).push();
        return true;
    } else {
        fw::Beep();
    }
    selectNumber();
    ggrFix();
    return true;
}

void emulerad::antalArrows_Up()
{
    fw::EditField& number = editField(QStringLiteral("antalTxt"));
    if (fw::Val(number.text()) < mostGames) {
        number.setText(fw::Str(fw::Val(number.text()) + 1));
        number.setFocus();
        selectNumber();
        ggrFix();
    } else {
        fw::Beep();
    }
}

void emulerad::antalArrows_Down()
{
    fw::EditField& number = editField(QStringLiteral("antalTxt"));
    if (fw::Val(number.text()) > fewestGames) {
        number.setText(fw::Str(fw::Val(number.text()) - 1));
        number.setFocus();
        selectNumber();
        ggrFix();
    } else {
        fw::Beep();
    }
}

void emulerad::omVinnerChk_Open()
{
    fw::CheckBox& me = checkBox(QStringLiteral("omVinnerChk"));
    me.setCaption(lookup(me.caption()));
}

void emulerad::PushButton3_Open()
{
    fw::PushButton& me = pushButton(QStringLiteral("PushButton3"));
    me.setCaption(lookup(me.caption()));
}

void emulerad::PushButton3_Action() { fw::ShowURL(lookup(helpAddress)); }

void emulerad::ggrTxt_Open()
{
    staticText(QStringLiteral("ggrTxt")).setText(fw::NthField(lookup(pluralSentence), QStringLiteral("%"), 2));
}

void emulerad::okBtn_Action()
{
    playWin& table = playWin::instance();
    if (checkBox(QStringLiteral("spelaBaraChk")).value()) {
        // Only digits 1 to 9 can be typed, but a pasted text could read as
        // anything: keep the promise within what the dialog offers.
        table.timesLeft = std::clamp(fw::ToInt32(fw::Val(editField(QStringLiteral("antalTxt")).text())), 1, 9);
        table.quitIfSuccess = checkBox(QStringLiteral("omVinnerChk")).value();
    } else {
        table.timesLeft = -1;
        table.quitIfSuccess = false;
    }
    close();
}

void emulerad::StaticText1_Open()
{
    fw::StaticText& me = staticText(QStringLiteral("StaticText1"));
    me.setText(lookup(me.text()));
}

bool emulerad::KeyDown(const Text& key)
{
    if (fw::InStr(digits, key) > 0) {
        fw::CheckBox& box = checkBox(QStringLiteral("spelaBaraChk"));
        editField(QStringLiteral("antalTxt")).setText(key);
        checkBox(QStringLiteral("omVinnerChk")).setEnabled(true);
        box.setEnabled(true);
        box.setValue(true);
        editField(QStringLiteral("antalTxt")).setEnabled(true);
        littleArrows(QStringLiteral("antalArrows")).setEnabled(true);
        selectNumber();
        ggrFix();
    } else if (confirms(key)) {
        pushButton(QStringLiteral("okBtn")).push();
    } else {
        fw::Beep();
    }
    return true;
}

void emulerad::Open()
{
    const playWin& table = playWin::instance();
    fw::CheckBox& box = checkBox(QStringLiteral("spelaBaraChk"));
    fw::EditField& number = editField(QStringLiteral("antalTxt"));
    fw::StaticText& greyNumber = staticText(QStringLiteral("antalTxtDim"));
    if (table.timesLeft < 0) {
        box.setValue(false);
        number.setText(QStringLiteral("1"));
        greyNumber.setVisible(false);
    } else {
        box.setValue(true);
        checkBox(QStringLiteral("omVinnerChk")).setValue(table.quitIfSuccess);
        number.setText(fw::Str(table.timesLeft));
        box.setEnabled(false);
        staticText(QStringLiteral("ggrTxt")).setEnabled(false);
        number.setVisible(false);
        greyNumber.setVisible(true);
        greyNumber.setText(fw::Str(table.timesLeft));
    }
    number.setEnabled(false);
    littleArrows(QStringLiteral("antalArrows")).setEnabled(false);
    checkBox(QStringLiteral("omVinnerChk")).setEnabled(false);
    clearFocus();
    ggrFix();
}

void emulerad::ggrFix()
{
    const Text& sentence =
        editField(QStringLiteral("antalTxt")).text() == QLatin1String("1") ? singularSentence : pluralSentence;
    staticText(QStringLiteral("ggrTxt")).setText(fw::NthField(lookup(sentence), QStringLiteral("%"), 2));
}

void emulerad::selectNumber()
{
    fw::EditField& number = editField(QStringLiteral("antalTxt"));
    number.setSelStart(0);
    number.setSelLength(1);
}
