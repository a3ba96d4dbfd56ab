#pragma once
// A menu bar of named items; shown in the window that holds it.

#include "framework/text.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QKeySequence;
class QMenu;
class QMenuBar;
class QStyle;
class QWidget;

namespace fw {

enum class MenuItemKind { Plain, Prefs, Quit, AppleMenu };

class MenuItem {
public:
    explicit MenuItem(MenuItemKind kind = MenuItemKind::Plain);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    MenuItemKind kind() const { return kind_; }
    Text name;
    // Enabled by the framework whenever the menus are brought up to date.
    bool autoEnable = false;

    Text text() const { return text_; }
    void setText(const Text& text);
    // "Cmd+," style: Command is Ctrl here.
    Text keyboardShortcut() const { return shortcut_; }
    void setKeyboardShortcut(const Text& shortcut);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    void enable() { setEnabled(true); }

    // Adds a child item at the end; the item takes ownership.
    MenuItem& append(std::unique_ptr<MenuItem> child);
    MenuItem* child(const Text& childName) const;
    MenuItem* lookup(const Text& itemName);
    const std::vector<std::unique_ptr<MenuItem>>& children() const { return children_; }

    // What choosing the item does; true when handled.
    std::function<bool()> handler;
    // Choosing the item as the user does.
    void choose();

    void buildInto(QMenu* menu);
    void buildInto(QMenuBar* bar, const std::function<void()>& aboutToShow);
    QAction* action() const { return action_; }

private:
    void update();

    MenuItemKind kind_;
    Text text_;
    Text shortcut_;
    bool enabled_ = true;
    std::vector<std::unique_ptr<MenuItem>> children_;
    QAction* action_ = nullptr;
    QPointer<QMenu> menu_;
};

class MenuBar {
public:
    MenuBar();
    virtual ~MenuBar();
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    MenuItem& append(std::unique_ptr<MenuItem> item);
    MenuItem* child(const Text& name) const;
    // The item of that name at any depth, or nullptr.
    MenuItem* lookup(const Text& name);
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }

    // Makes the widget for a window; called when a window takes the bar.
    QMenuBar* makeWidget(QWidget* parent, std::function<void()> aboutToShow);
    // Chooses the item whose shortcut was typed, once the menus are up to
    // date, as its menu would; true when the item is enabled.
    bool chooseByShortcut(const QKeySequence& typed);

private:
    std::vector<std::unique_ptr<MenuItem>> items_;
    // Shared by the bar's widgets, which die before it.
    std::unique_ptr<QStyle> style_;
};

}  // namespace fw
