#pragma once
// Layout records: the stored property lists windows and controls are built
// from. Game code keeps one table of these per window, in creation order.

namespace fw {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

enum class Frame { Document = 0, MovableModal = 1, Sheet = 8 };

// 1: over the parent (game) window; 2: centred on the main screen.
enum class Placement { Default = 0, ParentWindow = 1, MainScreen = 2 };

struct WindowRecord {
    const char* title = "";
    int width = 100, height = 100;
    int minWidth = 64, minHeight = 64;
    int maxWidth = 32000, maxHeight = 32000;
    Frame frame = Frame::Document;
    Placement placement = Placement::ParentWindow;
    bool visible = true;
    bool closeButton = false;
    bool minimizeButton = false;
    bool maximizeButton = false;
    bool resizeable = false;
    bool hasBackColor = false;
    Rgb backColor{255, 255, 255};
};

enum class ControlKind { PushButton, StaticText, CheckBox, EditField, Canvas, TabPanel, Rectangle, LittleArrows };

enum class Align { Left, Center, Right };

struct ControlRecord {
    ControlKind kind = ControlKind::StaticText;
    const char* name = "";
    int index = -1;  // member of a control array when 0 or more
    int left = 0, top = 0, width = 0, height = 0;
    // Caption or text; for a tab panel the tab captions separated by CR.
    const char* caption = "";
    int textSize = 0;  // 0: the system's size
    bool bold = false;
    Align align = Align::Left;
    bool multiline = false;
    bool isDefault = false;
    bool isCancel = false;
    bool enabled = true;
    bool visible = true;
    bool value = false;  // check box ticked
    int limitText = 0;   // entry field: most characters, 0 for no limit
    int tabPage = 0;     // 0: on the window; n: page n of the tab panel
    Rgb textColor{0, 0, 0};
    const char* helpTag = "";
    // Rectangle
    Rgb fillColor{255, 255, 255};
    int borderWidth = 1;
};

}  // namespace fw
