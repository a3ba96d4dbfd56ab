#pragma once
// The Rules window: a saying and the rules of the game, beside the table.

#include "framework/window.h"

class regler : public fw::Window {
public:
    static regler& instance();

    void StaticText1_Open();
    void StaticText2_Open();
    // Command-W closes the window; no key counts as handled.
    bool KeyDown(const fw::Text& key) override;
    void Open() override;

protected:
    const fw::WindowRecord& layoutRecord() const override;
    std::span<const fw::ControlRecord> controlRecords() const override;
    void bindHandlers() override;
};
