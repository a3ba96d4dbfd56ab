#pragma once
// The lock-out dialog: shown at start-up while the lock after a play limit
// lasts. Its one button quits, and that quit renews the lock.

#include "framework/window.h"

class forsokInte : public fw::Window {
public:
    static forsokInte& instance();

    void StaticText1_Open();
    void StaticText2_Open();
    void PushButton1_Open();
    void PushButton1_Action();
    void Open() override;

protected:
    const fw::WindowRecord& layoutRecord() const override;
    std::span<const fw::ControlRecord> controlRecords() const override;
    void bindHandlers() override;
};
