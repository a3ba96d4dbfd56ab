#pragma once
// What every test that touches windows needs: the scripted machine, an
// empty preferences folder, and no windows left over from the test before.

#include "framework/application.h"
#include "framework/fakesystem.h"
#include "table/playWin.h"
#include "text/lookup.h"
#include "text/resources.h"
#include "windows/emulerad.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <ostream>

// Failed checks show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

class GameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sys.prefsFolder = prefs.path();
        sys.install();
        fw::Application::instance().reset();
        res::forgetAll();
        text::setCatalogue(nullptr);
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

    fw::FakeSystem sys;
    QTemporaryDir prefs;
};

// A catalogue of a few entries, for lookup tests.
class MapCatalogue : public text::Catalogue {
public:
    std::map<QString, QString> entries;
    std::optional<fw::Text> find(const fw::Text& key) const override
    {
        const auto it = entries.find(key);
        if (it == entries.end())
            return std::nullopt;
        return it->second;
    }
};
