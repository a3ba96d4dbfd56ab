#pragma once
// The end-of-game dialog: the result, and the ways back to the table.

#include "framework/window.h"

class slut : public fw::Window {
public:
    static slut& instance();

    void okBtn_Action();
    void cancelBtn_Open();
    void cancelBtn_Action();
    bool KeyDown(const fw::Text& key) override;

protected:
    const fw::WindowRecord& layoutRecord() const override;
    std::span<const fw::ControlRecord> controlRecords() const override;
    void bindHandlers() override;
};
