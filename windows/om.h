#pragma once
// The About window: the logo, a few lines on the game, and its version in
// the title.

#include "framework/window.h"

// The window title: the game's name and its version, with the third number
// only when it is above 0 ("Vesko's Solvary 1.2", "Vesko's Solvary 1.2.3").
fw::Text aboutTitle(const fw::Text& name, int major, int minor, int bug);

class om : public fw::Window {
public:
    static om& instance();

    // Shown as plain text under the three lines; never looked up.
    static constexpr const char* webAddress = "https://vesko-solvary.example.org/";

    void StaticText1_Open();
    void StaticText2_Open();
    void PushButton1_Action();
    void Open() override;

protected:
    const fw::WindowRecord& layoutRecord() const override;
    std::span<const fw::ControlRecord> controlRecords() const override;
    void bindHandlers() override;
    void prepareControl(fw::Control& control) override;
};
