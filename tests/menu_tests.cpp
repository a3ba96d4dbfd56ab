// The Help menu as the player meets it: its title clicked on the menu bar
// and Quit clicked while the game's own loop runs; and the Alt key, which
// belongs to the game, not to the menu bar.

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

TEST_F(GameTest, QuitChosenFromTheOpenMenuEndsTheGameEvenWhenAWindowFailsToClose)
{
    for (const bool failingClose : {false, true}) {
        SCOPED_TRACE(failingClose ? "a Close fails" : "all close");
        fw::Application::instance().reset();
        sys.messages.clear();
        QPointer<QWidget> table;
        bool menuFinished = false;
        QCoreApplication::sendPostedEvents();  // no quit left over from an earlier case
        // Played as the program runs, once the start-up is done.
        QTimer::singleShot(0, qApp, [&] {
            QTimer::singleShot(0, qApp, [&] {
                table = openTable().host();
                if (failingClose)
                    fw::Application::instance().implicitInstance<FailingClose>().show();
                menuFinished = choose(*playWin::openInstance(), "appleAvsluta");
            });
        });
        QTimer stuck;
        stuck.callOnTimeout([] { QCoreApplication::exit(); });
        stuck.start(10000);
        const int status = fw::Application::instance().run();
        EXPECT_EQ(std::tuple(status, stuck.isActive(), sys.messages.size(), fw::Application::instance().openInstance<om>()),
                  std::tuple(int(failingClose), true, std::size_t(failingClose), nullptr));
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
