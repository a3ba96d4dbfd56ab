#pragma once
// The single menu bar: one menu "Help" with the game's five commands.

#include "framework/menu.h"

class Menu : public fw::MenuBar {
public:
    Menu();
    // The one menu bar, made on first use.
    static Menu& instance();
};

// The items, found by name in the application's menu bar; nullptr when
// there is none.
namespace menuItems {
fw::MenuItem* Help();
fw::MenuItem* menuEmulerad();
fw::MenuItem* omVesko();
fw::MenuItem* appleAvsluta();
fw::MenuItem* menuPref();
fw::MenuItem* helpRegler();
}  // namespace menuItems
