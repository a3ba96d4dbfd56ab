// The game window's layout records: the window, then its 55 controls in
// the order they are made.

#include "table/playWin.h"

#include "table/layout.h"

#include <array>

namespace {

using fw::ControlKind;
using fw::ControlRecord;

constexpr fw::WindowRecord windowRecord{
    .title = "Vesko's Solvary",
    .width = 229,
    .height = 209,
    .minWidth = 229,
    .minHeight = 64,
    .maxWidth = 229,
    .maxHeight = 414,
    .frame = fw::Frame::Document,
    .placement = fw::Placement::MainScreen,
    .visible = false,
    .closeButton = true,
    .minimizeButton = true,
    .maximizeButton = true,
    .resizeable = true,
    .hasBackColor = false,
    .backColor = {0, 127, 0},
};

constexpr const char* pileNames[] = {"row1", "row2", "row3", "row4"};

constexpr std::array<ControlRecord, 3 + 4 * cardViewsPerPile> makeControls()
{
    std::array<ControlRecord, 3 + 4 * cardViewsPerPile> records{};
    records[0] = {.kind = ControlKind::PushButton, .name = "nyttspel", .left = 14, .top = 14, .width = 83,
                  .height = 20, .caption = "New game", .isDefault = true};
    records[1] = {.kind = ControlKind::PushButton, .name = "delaut", .left = 133, .top = 14, .width = 83,
                  .height = 20, .caption = "Deal", .isDefault = true, .enabled = false};
    records[2] = {.kind = ControlKind::StaticText, .name = "status", .left = 102, .top = 14, .width = 25,
                  .height = 19, .textSize = 9, .align = fw::Align::Center};
    int at = 3;
    for (int pile = 1; pile <= 4; ++pile)
        for (int i = 0; i < cardViewsPerPile; ++i)
            records[at++] = {.kind = ControlKind::Canvas, .name = pileNames[pile - 1], .index = i,
                             .left = cardViewLeft(pile), .top = cardViewTop(i), .width = cardWidth,
                             .height = cardHeight};
    return records;
}

constexpr auto controlTable = makeControls();

static_assert(controlTable.size() == 55);
static_assert(controlTable[3 + 2 * 13 + 12].left == 128 && controlTable[3 + 2 * 13 + 12].top == 345);

}  // namespace

const fw::WindowRecord& playWin::layoutRecord() const { return windowRecord; }

std::span<const fw::ControlRecord> playWin::controlRecords() const { return controlTable; }
