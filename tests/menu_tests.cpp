// The Help menu as the player meets it: its title clicked on the menu bar,
// a command chosen with the mouse or the keys, while the game's own loop
// runs; and the Alt key, which belongs to the game, not to the menu bar.

#include "support.h"

#include "app/Menu.h"
#include "framework/files.h"
#include "windows/om.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

enum class By { Mouse, Keys };

// A window whose Close fails, as a fault in any Close event would.
class FailingClose : public om {
public:
    void Close() override { throw fw::RuntimeException("nil object"); }
};

class MenuTest : public GameTest {
protected:
    static QMenuBar* menuBar(const playWin& table) { return table.host()->findChild<QMenuBar*>(); }

    // Opens Help with a click on its title, then chooses the item. True when
    // Qt's menu bar got to the end of its own handling of the choice.
    static bool choose(const playWin& table, const char* item, By by)
    {
        QMenuBar* bar = menuBar(table);
        QObject scope;
        bool finished = false;
        QObject::connect(bar, &QMenuBar::triggered, &scope, [&finished] { finished = true; });
        QAction* help = bar->actions().at(0);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help).center());
        QMenu* menu = help->menu();
        QAction* action = table.menuBar()->lookup(item)->action();
        if (by == By::Mouse) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return finished;
        }
        for (int i = 0; i < 5 && menu->activeAction() != action; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
        return finished;
    }

    // Runs the game as the program does, `play` once the start-up is done;
    // the exit status, or -1 when nothing ended the loop.
    static int runPlaying(const std::function<void()>& play)
    {
        QCoreApplication::sendPostedEvents();  // no quit left over from an earlier test
        QTimer::singleShot(0, qApp, [play] { QTimer::singleShot(0, qApp, play); });
        QTimer stuck;
        stuck.setSingleShot(true);
        stuck.callOnTimeout([] { QCoreApplication::exit(); });
        stuck.start(10000);
        const int status = fw::Application::instance().run();
        return stuck.isActive() ? status : -1;
    }
};

}  // namespace

TEST_F(MenuTest, CommandsChosenFromTheOpenMenuEndTheGameWithItsStatusAndSettings)
{
    const struct {
        const char* name;
        const char* item;
        By by;
        std::function<void()> before;
        int status;
    } cases[] = {
        {"Quit by mouse", "appleAvsluta", By::Mouse, [] {}, 0},
        {"Quit by keys", "appleAvsluta", By::Keys, [] {}, 0},
        {"About, then Ctrl+Q", "omVesko", By::Mouse, [] {}, 0},
        {"About fails", "omVesko", By::Keys,
         [] { menuItems::omVesko()->handler = []() -> bool { throw fw::RuntimeException("nil object"); }; }, 1},
        {"a Close fails while quitting", "appleAvsluta", By::Mouse,
         [] { fw::Application::instance().implicitInstance<FailingClose>().show(); }, 1},
    };
    for (const auto& c : cases) {
        fw::Application::instance().reset();
        sys.messages.clear();
        QPointer<QWidget> table;
        bool aboutShown = false, menuFinished = false;
        const int status = runPlaying([&] {
            table = openTable().host();
            c.before();
            menuFinished = choose(*playWin::openInstance(), c.item, c.by);
            if (om* about = fw::Application::instance().openInstance<om>()) {
                aboutShown = about->isVisible();
                about->close();
            }
            if (table && !fw::Application::instance().quitting()) {
                QApplication::setActiveWindow(table);
                QTest::keyClick(table, Qt::Key_Q, Qt::ControlModifier);
            }
        });
        EXPECT_EQ(status, c.status) << c.name;
        EXPECT_TRUE(menuFinished) << c.name << ": the window outlives the menu's handler";
        EXPECT_EQ(sys.messages.size(), static_cast<std::size_t>(c.status)) << c.name;
        EXPECT_EQ(aboutShown, c.item == std::string("omVesko") && c.status == 0) << c.name;
        EXPECT_TRUE(table.isNull()) << c.name << ": the closed game window is discarded";
        const auto lines = fw::FolderItem(prefs.path()).child(prefsFileName).readLines();
        EXPECT_EQ(lines ? lines->size() : 0u, 14u) << c.name;
        QFile::remove(prefs.filePath(prefsFileName));
    }
}

TEST_F(MenuTest, NeitherALoneAltNorAMenuClosedWithEscapeGivesKeysToTheMenuBar)
{
    playWin& table = openTable();
    QMenuBar* bar = menuBar(table);
    QApplication::setActiveWindow(table.host());
    const auto focus = [&] { return QApplication::focusWidget() ? QApplication::focusWidget() : table.host(); };
    for (const bool alt : {true, false}) {
        if (alt) {
            QTest::keyPress(focus(), Qt::Key_Alt, Qt::AltModifier);
            QTest::keyRelease(focus(), Qt::Key_Alt);
        } else {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().at(0)).center());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        }
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Space})
            QTest::keyClick(focus(), key);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << (alt ? "Alt" : "Escape");
        EXPECT_FALSE(bar->hasFocus()) << (alt ? "Alt" : "Escape");
    }
}
