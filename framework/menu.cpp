#include "framework/menu.h"

#include "framework/application.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>

namespace fw {

namespace {

// "Cmd+," in the game's notation; Command is Ctrl here.
QKeySequence toSequence(const Text& shortcut)
{
    if (shortcut.isEmpty())
        return {};
    Text s = shortcut;
    s.replace(QLatin1String("Cmd+"), QLatin1String("Ctrl+"));
    return QKeySequence::fromString(s, QKeySequence::PortableText);
}

// Alt is the game's cheat key: it never hands the keyboard to the menu bar,
// whose menus open with the mouse and with their shortcuts.
class NoAltNavigation : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_MenuBar_AltKeyNavigation)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

void enableAutoItems(const std::vector<std::unique_ptr<MenuItem>>& items)
{
    for (const auto& i : items) {
        if (i->autoEnable)
            i->enable();
        enableAutoItems(i->children());
    }
}

}  // namespace

MenuItem::MenuItem(MenuItemKind kind) : kind_(kind) {}

MenuItem::~MenuItem()
{
    delete action_;
}

void MenuItem::setText(const Text& text)
{
    text_ = text;
    update();
}

void MenuItem::setKeyboardShortcut(const Text& shortcut)
{
    shortcut_ = shortcut;
    update();
}

void MenuItem::setEnabled(bool on)
{
    enabled_ = on;
    update();
}

MenuItem& MenuItem::append(std::unique_ptr<MenuItem> child)
{
    children_.push_back(std::move(child));
    return *children_.back();
}

MenuItem* MenuItem::child(const Text& childName) const
{
    for (const auto& c : children_)
        if (c->name == childName)
            return c.get();
    return nullptr;
}

MenuItem* MenuItem::lookup(const Text& itemName)
{
    if (name == itemName)
        return this;
    for (const auto& c : children_)
        if (MenuItem* found = c->lookup(itemName))
            return found;
    return nullptr;
}

void MenuItem::choose()
{
    if (!enabled_)
        return;
    Application& app = Application::instance();
    app.dispatch([&] {
        if (handler && handler())
            return;
        if (kind_ == MenuItemKind::Quit)
            app.quit();
    });
}

void MenuItem::update()
{
    if (menu_) {
        menu_->setTitle(text_);
        menu_->menuAction()->setEnabled(true);
    }
    if (action_) {
        action_->setText(text_);
        action_->setShortcut(toSequence(shortcut_));
        action_->setEnabled(enabled_);
    }
}

void MenuItem::buildInto(QMenu* menu)
{
    if (!action_) {
        action_ = new QAction();
        action_->setShortcutContext(Qt::ApplicationShortcut);
        action_->setMenuRole(QAction::NoRole);
        QObject::connect(action_, &QAction::triggered, action_, [this] { choose(); });
    }
    menu->addAction(action_);
    update();
}

void MenuItem::buildInto(QMenuBar* bar, const std::function<void()>& aboutToShow)
{
    menu_ = bar->addMenu(text_);
    QObject::connect(menu_, &QMenu::aboutToShow, menu_, [aboutToShow] {
        Application::instance().dispatch(aboutToShow);
    });
    for (const auto& c : children_)
        c->buildInto(menu_);
    update();
}

MenuBar::MenuBar() = default;
MenuBar::~MenuBar() = default;

MenuItem& MenuBar::append(std::unique_ptr<MenuItem> item)
{
    items_.push_back(std::move(item));
    return *items_.back();
}

MenuItem* MenuBar::child(const Text& name) const
{
    for (const auto& i : items_)
        if (i->name == name)
            return i.get();
    return nullptr;
}

MenuItem* MenuBar::lookup(const Text& name)
{
    for (const auto& i : items_)
        if (MenuItem* found = i->lookup(name))
            return found;
    return nullptr;
}

QMenuBar* MenuBar::makeWidget(QWidget* parent, std::function<void()> aboutToShow)
{
    if (!style_)
        style_ = std::make_unique<NoAltNavigation>();
    auto* bar = new QMenuBar(parent);
    bar->setStyle(style_.get());
    bar->setNativeMenuBar(false);
    // Bringing the menus up to date: the items that enable themselves
    // first, then the window's rule.
    const auto update = [this, aboutToShow] {
        enableAutoItems(items_);
        aboutToShow();
    };
    for (const auto& i : items_)
        i->buildInto(bar, update);
    return bar;
}

namespace {

MenuItem* withShortcut(const std::vector<std::unique_ptr<MenuItem>>& items, const QKeySequence& typed)
{
    for (const auto& i : items) {
        if (!i->keyboardShortcut().isEmpty() && toSequence(i->keyboardShortcut()) == typed)
            return i.get();
        if (MenuItem* found = withShortcut(i->children(), typed))
            return found;
    }
    return nullptr;
}

}  // namespace

bool MenuBar::chooseByShortcut(const QKeySequence& typed)
{
    MenuItem* item = withShortcut(items_, typed);
    if (!item)
        return false;
    // Brought up to date as when its menu opens: the window the bar serves
    // may be blocked, not gone.
    enableAutoItems(items_);
    if (Window* main = Application::instance().mainWindow())
        Application::instance().dispatch([main] { main->EnableMenuItems(); });
    if (!item->enabled())
        return false;
    item->choose();
    return true;
}

}  // namespace fw
