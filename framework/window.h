#pragma once
// Windows built from layout records, with one implicit instance per class.

#include "framework/controls.h"
#include "framework/echoes.h"
#include "framework/records.h"
#include "framework/system.h"
#include "framework/text.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

class QWidget;

namespace fw {

class MenuBar;
class HostWidget;

// A nil object or an index out of range.
class RuntimeException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Window {
public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Returns at once; shows the window in front.
    void show();
    // Off the screen, still open.
    void hide();
    // Raises Close, then discards the window; the accessor makes a new one.
    void close();
    bool isOpen() const { return open_; }
    bool isVisible() const;
    // Over the game window, blocking it; a sheet hangs from its top.
    bool isDialog() const;
    bool isSheet() const { return isDialog() && record_.frame == Frame::Sheet; }

    Text title() const;
    void setTitle(const Text& title);
    // The content area, below any menu bar.
    int width() const;
    int height() const;
    void setHeight(int height);
    int minHeight() const { return minHeight_; }
    void setMinHeight(int height);
    int maxHeight() const { return record_.maxHeight; }
    bool hasBackColor() const { return hasBackColor_; }
    void setHasBackColor(bool on);
    // Redraws the whole window at once.
    void refresh();
    void updateNow();

    MenuBar* menuBar() const { return menuBar_; }
    void setMenuBar(MenuBar* bar);

    // Removes the keyboard focus from every control.
    void clearFocus();
    // A control asked to take the focus while hidden (on a page not shown)
    // takes it, with its selection, when it shows.
    Control* focusWhenShown() const { return focusWhenShown_; }
    void setFocusWhenShown(Control* control) { focusWhenShown_ = control; }

    // Controls by name, and by name and index; throw when absent.
    Control& control(const Text& name, int index = -1) const;
    PushButton& pushButton(const Text& name) const;
    StaticText& staticText(const Text& name) const;
    CheckBox& checkBox(const Text& name) const;
    EditField& editField(const Text& name, int index = -1) const;
    Canvas& canvas(const Text& name, int index = -1) const;
    TabPanel& tabPanel(const Text& name) const;
    LittleArrows& littleArrows(const Text& name) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    PushButton* defaultButton() const;
    PushButton* cancelButton() const;

    // The window's own events.
    virtual void Open() {}
    virtual void Close() {}
    // Keys typed while no entry field takes them; true when handled.
    virtual bool KeyDown(const Text& key);
    virtual void Resized() {}
    virtual void EnableMenuItems() {}

    // Builds the window: record, controls, handlers, Open events in order.
    void build();

    // Routes one typed key as the platform would. Returns true when the
    // key was consumed by the game or a button.
    bool routeKey(const Text& key, bool command);

    QWidget* host() const;
    // The area the controls sit in, below any menu bar.
    QWidget* content() const;
    void tabChanged();
    void hostClosing();
    void hostResized();
    // A size the window system reports for the window, with its menu bar,
    // heard before the widget hears it.
    void windowSystemResized(int height);

protected:
    virtual const WindowRecord& layoutRecord() const = 0;
    virtual std::span<const ControlRecord> controlRecords() const = 0;
    // Binds control events and menu handlers to the window's methods.
    virtual void bindHandlers() {}

    template <class W>
    void bind(const char* control, const char* event, void (W::*handler)());
    template <class W>
    void bind(const char* control, const char* event, bool (W::*handler)(Canvas& me, int x, int y));
    template <class W>
    void bind(const char* control, const char* event, void (W::*handler)(Canvas& me, int x, int y));
    template <class W>
    void bind(const char* control, const char* event, bool (W::*handler)(const Text& key));

    // Binds a menu item, found by name, to a handler of this window.
    void addMenuHandler(const Text& item, std::function<bool()> handler);

    // Runs before a control's record is applied (for a backdrop).
    virtual void prepareControl(Control&) {}

private:
    std::vector<Control*> named(const char* control) const;
    void bindSimple(const char* control, const char* event, std::function<void()> handler);
    void applyRecord();
    void place();
    void placeBeside(const Window& parent);

    std::vector<std::unique_ptr<Control>> controls_;
    Control* focusWhenShown_ = nullptr;
    SizeEchoes echoes_;
    QPointer<HostWidget> host_;
    MenuBar* menuBar_ = nullptr;
    WindowRecord record_;
    int minHeight_ = 0;
    bool hasBackColor_ = false;
    bool open_ = true;
    bool placed_ = false;
    bool placedBeforeParent_ = false;
    bool closing_ = false;
};

template <class W>
void Window::bind(const char* control, const char* event, void (W::*handler)())
{
    auto* self = static_cast<W*>(this);
    bindSimple(control, event, [self, handler] { (self->*handler)(); });
}

template <class W>
void Window::bind(const char* control, const char* event, bool (W::*handler)(Canvas&, int, int))
{
    if (Text(event) != QLatin1String("MouseDown"))
        throw std::logic_error("only MouseDown answers a click");
    auto* self = static_cast<W*>(this);
    for (Control* c : named(control)) {
        auto* me = dynamic_cast<Canvas*>(c);
        if (!me)
            throw std::logic_error("mouse events belong to canvases");
        c->onMouseDown = [self, handler, me](int x, int y) { return (self->*handler)(*me, x, y); };
    }
}

template <class W>
void Window::bind(const char* control, const char* event, void (W::*handler)(Canvas&, int, int))
{
    if (Text(event) != QLatin1String("MouseUp"))
        throw std::logic_error("only MouseUp takes a release");
    auto* self = static_cast<W*>(this);
    for (Control* c : named(control)) {
        auto* me = dynamic_cast<Canvas*>(c);
        if (!me)
            throw std::logic_error("mouse events belong to canvases");
        c->onMouseUp = [self, handler, me](int x, int y) { (self->*handler)(*me, x, y); };
    }
}

template <class W>
void Window::bind(const char* control, const char* event, bool (W::*handler)(const Text&))
{
    if (Text(event) != QLatin1String("KeyDown"))
        throw std::logic_error("only KeyDown takes a key");
    auto* self = static_cast<W*>(this);
    for (Control* c : named(control))
        c->onKeyDown = [self, handler](const Text& key) { return (self->*handler)(key); };
}

}  // namespace fw
