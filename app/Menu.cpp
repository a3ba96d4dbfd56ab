#include "app/Menu.h"

#include "framework/application.h"

namespace {

struct ItemRecord {
    const char* name;
    fw::MenuItemKind kind;
    const char* text;
    const char* shortcut;
    bool autoEnable;
};

// In the order they are made and appended; the first is the menu itself.
constexpr ItemRecord itemRecords[] = {
    {"Help", fw::MenuItemKind::Plain, "Help", "", false},
    {"helpRegler", fw::MenuItemKind::Plain, "Rules\u2026", "", false},
    {"menuPref", fw::MenuItemKind::Prefs, "Settings\u2026", "Cmd+,", false},
    {"appleAvsluta", fw::MenuItemKind::Quit, "Quit", "Cmd+Q", true},
    {"omVesko", fw::MenuItemKind::AppleMenu, "About Vesko's Solvary\u2026", "", false},
    {"menuEmulerad", fw::MenuItemKind::AppleMenu, "Emulated Self Discipline\u2026", "", false},
};

fw::MenuItem* item(const char* name)
{
    fw::MenuBar* bar = fw::Application::instance().menuBar();
    return bar ? bar->lookup(QString::fromUtf8(name)) : nullptr;
}

}  // namespace

Menu::Menu()
{
    for (const ItemRecord& r : itemRecords) {
        auto made = std::make_unique<fw::MenuItem>(r.kind);
        made->name = QString::fromUtf8(r.name);
        made->autoEnable = r.autoEnable;
        made->setText(QString::fromUtf8(r.text));
        made->setKeyboardShortcut(QString::fromUtf8(r.shortcut));
        if (&r == &itemRecords[0])
            append(std::move(made));
        else
            child(QStringLiteral("Help"))->append(std::move(made));
    }
}

Menu& Menu::instance()
{
    fw::Application& app = fw::Application::instance();
    if (auto* one = dynamic_cast<Menu*>(app.menuBar()))
        return *one;
    auto made = std::make_unique<Menu>();
    Menu& one = *made;
    app.setMenuBar(std::move(made));
    return one;
}

namespace menuItems {
fw::MenuItem* Help() { return item("Help"); }
fw::MenuItem* menuEmulerad() { return item("menuEmulerad"); }
fw::MenuItem* omVesko() { return item("omVesko"); }
fw::MenuItem* appleAvsluta() { return item("appleAvsluta"); }
fw::MenuItem* menuPref() { return item("menuPref"); }
fw::MenuItem* helpRegler() { return item("helpRegler"); }
}  // namespace menuItems
