#pragma once
// The Settings dialog: edits the game window's settings in place. Opening
// copies them in, Save copies them back, Cancel leaves them alone.

#include "framework/window.h"

class pref : public fw::Window {
public:
    static pref& instance();

    void PushButton2_Open();
    void PushButton2_Action();
    void sparaBtn_Open();
    void sparaBtn_Action();
    void TabPanel1_Open();
    void ljudChk_Open();
    void cdsLeftChk_Open();
    void helpChk_Open();
    void greenChk_Open();
    void diciplinChk_Open();
    void StaticText1_Open();
    void StaticText2_Open();
    void tidigareChk_Open();
    void topBeatsChk_Open();
    void maxClickChk_Open();
    void maxClickChk_Action();
    void maxClickFld_TextChange();
    bool maxClickFld_KeyDown(const fw::Text& key);
    void Open() override;

protected:
    const fw::WindowRecord& layoutRecord() const override;
    std::span<const fw::ControlRecord> controlRecords() const override;
    void bindHandlers() override;
    void prepareControl(fw::Control& control) override;

private:
    void localizeCaption(const char* checkBox);
};
