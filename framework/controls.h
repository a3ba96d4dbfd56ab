#pragma once
// Controls of a window, made from layout records. Game code sees these
// typed handles; the widgets behind them stay inside the framework.

#include "framework/records.h"
#include "framework/text.h"

#include <QImage>

#include <functional>
#include <memory>

class QWidget;

namespace fw {

class Picture;
class Window;
struct Drawing;

class Control {
public:
    Control(Window& window, const ControlRecord& record);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const Text& name() const { return name_; }
    int index() const { return index_; }
    ControlKind kind() const { return kind_; }
    Window& window() const { return window_; }
    int tabPage() const { return tabPage_; }

    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void setLeft(int left);
    void setWidth(int width);

    bool enabled() const;
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    Text helpTag() const;
    void setHelpTag(const Text& tag);
    Text textFont() const { return QStringLiteral("System"); }
    int textSize() const { return textSize_; }

    void setFocus();
    bool hasFocus() const;
    // Redraws the control at once.
    void refresh();

    // Event slots, bound by the window by event name.
    std::function<void()> onOpen;
    std::function<void()> onAction;
    std::function<bool(int, int)> onMouseDown;
    std::function<void(int, int)> onMouseUp;
    std::function<bool(const Text&)> onKeyDown;
    std::function<void()> onTextChange;
    std::function<void()> onUp;
    std::function<void()> onDown;

    QWidget* widget() const { return widget_; }
    // Shows or hides the widget from its own flag and its tab page.
    void applyVisibility();

protected:
    void attach(QWidget* widget, const ControlRecord& record);
    // Runs a bound handler through the application's guard.
    void raise(const std::function<void()>& handler) const;

    Window& window_;
    QWidget* widget_ = nullptr;

private:
    Text name_;
    int index_;
    ControlKind kind_;
    int tabPage_;
    int textSize_;
    bool visible_;
};

class PushButton : public Control {
public:
    PushButton(Window& window, const ControlRecord& record);
    Text caption() const;
    void setCaption(const Text& caption);
    bool isDefault() const { return default_; }
    void setDefault(bool on);
    bool isCancel() const { return cancel_; }
    // Raises Action as a click does; does nothing while disabled.
    void push();

private:
    bool default_;
    bool cancel_;
};

class StaticText : public Control {
public:
    StaticText(Window& window, const ControlRecord& record);
    const Text& text() const { return text_; }
    void setText(const Text& text);

private:
    Text text_;
};

class CheckBox : public Control {
public:
    CheckBox(Window& window, const ControlRecord& record);
    Text caption() const;
    void setCaption(const Text& caption);
    bool value() const;
    // Raises Action when the value changes, as a click does.
    void setValue(bool on);
};

class EditField : public Control {
public:
    EditField(Window& window, const ControlRecord& record);
    Text text() const;
    void setText(const Text& text);
    int selStart() const;
    int selLength() const;
    void setSelStart(int start);
    void setSelLength(int length);
    int limitText() const { return limit_; }

private:
    int limit_;
};

class Canvas : public Control {
public:
    Canvas(Window& window, const ControlRecord& record);
    // The picture is copied as it looks when drawn; nullptr clears it.
    void setBackdrop(const Picture* picture);
    // The backdrop rendered for the canvas's screen, or for a given pixel
    // ratio; sizes stay logical pixels.
    QImage backdrop() const;
    QImage backdrop(double ratio) const;
    bool hasBackdrop() const { return backdrop_ != nullptr; }

private:
    std::shared_ptr<const Drawing> backdrop_;
};

class TabPanel : public Control {
public:
    TabPanel(Window& window, const ControlRecord& record);
    int count() const;
    Text caption(int tab) const;
    void setCaption(int tab, const Text& caption);
    // The page shown, from 0.
    int value() const;
    void setValue(int tab);
};

class Rectangle : public Control {
public:
    Rectangle(Window& window, const ControlRecord& record);
};

class LittleArrows : public Control {
public:
    LittleArrows(Window& window, const ControlRecord& record);
    void clickUp();
    void clickDown();
};

}  // namespace fw
