#pragma once
// The application object: makes the menu bar, and at start shows the game
// window and localizes the menu.

#include "framework/application.h"

class App : public fw::Application {
public:
    App(int& argc, char** argv);
    void Open() override;
};
