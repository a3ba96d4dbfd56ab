// The Help menu as the player meets it: its title clicked on the menu bar
// and a command clicked while the game's own loop runs; and the Alt key,
// which belongs to the game, not to the menu bar.

#include "support.h"

#include "windows/om.h"

#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

// A window whose Close fails, as a fault in any Close event would.
class FailingClose : public om {
public:
    void Close() override { throw fw::RuntimeException("nil object"); }
};

QMenuBar* menuBar(const playWin& table) { return table.host()->findChild<QMenuBar*>(); }

// Opens Help with a click on its title, then clicks the item. True when Qt's
// menu bar got to the end of its own handling of the choice.
bool choose(const playWin& table, const char* item)
{
    QMenuBar* bar = menuBar(table);
    QObject scope;
    bool finished = false;
    QObject::connect(bar, &QMenuBar::triggered, &scope, [&finished] { finished = true; });
    QAction* help = bar->actions().at(0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help).center());
    QAction* action = table.menuBar()->lookup(item)->action();
    QTest::mouseClick(help->menu(), Qt::LeftButton, {}, help->menu()->actionGeometry(action).center());
    return finished;
}

}  // namespace

TEST_F(GameTest, CommandsChosenFromTheOpenMenuEndTheGameWithItsStatus)
{
    // About is closed again and Ctrl+Q typed at the table.
    const std::tuple<const char*, void (*)(), int> cases[] = {
        {"appleAvsluta", [] {}, 0},
        {"omVesko", [] {}, 0},
        {"appleAvsluta", [] { fw::Application::instance().implicitInstance<FailingClose>().show(); }, 1},
    };
    for (const auto& [item, before, status] : cases) {
        fw::Application::instance().reset();
        sys.messages.clear();
        QPointer<QWidget> table;
        bool aboutShown = false, menuFinished = false;
        QCoreApplication::sendPostedEvents();  // no quit left over from an earlier case
        // Played as the program runs, once the start-up is done.
        QTimer::singleShot(0, qApp, [&] {
            QTimer::singleShot(0, qApp, [&] {
                table = openTable().host();
                before();
                menuFinished = choose(*playWin::openInstance(), item);
                if (om* about = fw::Application::instance().openInstance<om>()) {
                    aboutShown = about->isVisible();
                    about->close();
                }
                if (table && !fw::Application::instance().quitting()) {
                    QApplication::setActiveWindow(table);
                    QTest::keyClick(table, Qt::Key_Q, Qt::ControlModifier);
                }
            });
        });
        QTimer stuck;
        stuck.callOnTimeout([] { QCoreApplication::exit(); });
        stuck.start(10000);
        const int exitStatus = fw::Application::instance().run();
        SCOPED_TRACE(item + std::string(status ? " with a failing Close" : ""));
        EXPECT_EQ(std::tuple(exitStatus, stuck.isActive(), sys.messages.size(), aboutShown),
                  std::tuple(status, true, std::size_t(status), item == std::string("omVesko")));
        EXPECT_TRUE(menuFinished) << "the window outlives the menu's handler";
        EXPECT_TRUE(table.isNull()) << "the closed game window is discarded";
    }
}

TEST_F(GameTest, ALoneAltGivesNoKeysToTheMenuBar)
{
    playWin& table = openTable();
    QApplication::setActiveWindow(table.host());
    const auto focus = [&] { return QApplication::focusWidget() ? QApplication::focusWidget() : table.host(); };
    QTest::keyPress(focus(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(focus(), Qt::Key_Alt);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Space})
        QTest::keyClick(focus(), key);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(menuBar(table)->hasFocus());
}
