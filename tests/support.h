#pragma once
// What every test that touches windows needs: the scripted machine, an
// empty preferences folder, a catalogue of its own, and no windows left
// over from the test before.

#include "framework/application.h"
#include "framework/fakesystem.h"
#include "framework/menu.h"
#include "settings/prefs.h"
#include "table/playWin.h"
#include "text/lookup.h"
#include "text/resources.h"
#include "windows/emulerad.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <map>
#include <ostream>

// Failed checks show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// A catalogue of a few entries; every other text reads as its key.
class MapCatalogue : public text::Catalogue {
public:
    std::map<QString, QString> entries;
    std::optional<fw::Text> find(const fw::Text& key) const override
    {
        const auto it = entries.find(key);
        return it == entries.end() ? std::nullopt : std::optional<fw::Text>(it->second);
    }
};

class GameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sys.prefsFolder = prefs.path();
        sys.install();
        TearDown();
        text::setCatalogue(&catalogue);
    }

    void TearDown() override
    {
        fw::Application::instance().reset();
        res::forgetAll();
        text::setCatalogue(nullptr);
    }

    // The game window as the player meets it once the start-up question
    // has been answered.
    playWin& openTable()
    {
        playWin& table = playWin::instance();
        if (auto* question = fw::Application::instance().openInstance<emulerad>())
            question->close();
        table.show();
        return table;
    }

    // The Help menu opened with a click on its title in the game window, then a
    // click on the item.
    static void clickInMenu(fw::MenuItem* (*item)())
    {
        auto* bar = playWin::openInstance()->host()->findChild<QMenuBar*>();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().at(0)).center());
        QMenu* help = bar->actions().at(0)->menu();
        QTest::mouseClick(help, Qt::LeftButton, {}, help->actionGeometry(item()->action()).center());
    }

    // The one window of its kind that the menu command shows, in front.
    template <class T>
    T& chooseFromMenu(fw::MenuItem* (*item)())
    {
        openTable();
        clickInMenu(item);
        std::size_t count = 0;
        for (const auto& w : fw::Application::instance().windows())
            count += dynamic_cast<T*>(w.get()) && w->isOpen() ? 1 : 0;
        T* open = fw::Application::instance().openInstance<T>();
        if (!open || count != 1)
            throw std::runtime_error("the menu showed " + std::to_string(count) + " windows of the kind");
        QApplication::setActiveWindow(open->host());
        return *open;
    }

    fw::FakeSystem sys;
    QTemporaryDir prefs;
    MapCatalogue catalogue;
};

// A click in the middle of a control, as the player gives it.
inline void clickOn(const fw::Control& c) { QTest::mouseClick(c.widget(), Qt::LeftButton); }

// The settings the table holds, as the settings file's lines.
inline std::vector<fw::Text> settingsOf(const playWin& table) { return writePrefs(prefsOf(table), ""); }

// While it lives, no file may grow past 8 bytes, as on a full disk; this
// stops root too.
class FullDisk {
public:
    FullDisk() : handler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        const rlimit full{8, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    void (*handler_)(int);
    rlimit saved_{};
};
