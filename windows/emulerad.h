#pragma once
// The self-discipline dialog: the player promises to play 1 to 9 more
// games, and perhaps to stop at the first win. OK writes the play limit.

#include "framework/window.h"

class emulerad : public fw::Window {
public:
    static emulerad& instance();

    void spelaBaraChk_Open();
    void spelaBaraChk_Action();
    bool antalTxt_KeyDown(const fw::Text& key);
    void antalArrows_Up();
    void antalArrows_Down();
    void omVinnerChk_Open();
    void PushButton3_Open();
    void PushButton3_Action();
    void ggrTxt_Open();
    void okBtn_Action();
    void StaticText1_Open();
    bool KeyDown(const fw::Text& key) override;
    void Open() override;
    // Puts the singular or plural end of the sentence to fit the number.
    void ggrFix();

protected:
    const fw::WindowRecord& layoutRecord() const override;
    std::span<const fw::ControlRecord> controlRecords() const override;
    void bindHandlers() override;
    void prepareControl(fw::Control& control) override;

private:
    // The number field with its digit selected, so the next digit replaces it.
    void selectNumber();
};
