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

}  // namespace

TEST_F(GameTest, QuitChosenFromTheOpenMenuEndsTheGameEvenWhenAWindowFailsToClose)
{
    for (const bool failingClose : {false, true}) {
        SCOPED_TRACE(failingClose ? "a Close fails" : "all close");
        fw::Application::instance().reset();
        sys.boxesWaited.clear();
        QPointer<QWidget> table;
        bool menuFinished = false;
        QCoreApplication::sendPostedEvents();  // no quit left over from an earlier case
        // Played as the program runs, once the start-up is done.
        QTimer::singleShot(0, qApp, [&] {
            QTimer::singleShot(0, qApp, [&] {
                table = openTable().host();
                if (failingClose)
                    fw::Application::instance().implicitInstance<FailingClose>().show();
                // Help opened with a click on its title, then Quit clicked; the flag
                // tells that Qt's menu bar got to the end of its own handling.
                auto* bar = playWin::openInstance()->host()->findChild<QMenuBar*>();
                QObject::connect(bar, &QMenuBar::triggered, bar, [&menuFinished] { menuFinished = true; });
                QAction* help = bar->actions().at(0);
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help).center());
                QAction* quit = playWin::openInstance()->menuBar()->lookup("appleAvsluta")->action();
                QTest::mouseClick(help->menu(), Qt::LeftButton, {}, help->menu()->actionGeometry(quit).center());
            });
        });
        // Ends a loop that nothing else ended.
        QTimer stuck;
        stuck.callOnTimeout([] { QCoreApplication::exit(); });
        stuck.start(10000);
        const int status = fw::Application::instance().run();
        const om* open = fw::Application::instance().openInstance<om>();
        // The error box stays until the player has seen it, then the game ends.
        EXPECT_EQ(std::tuple(status, stuck.isActive(), sys.boxesWaited, open),
                  std::tuple(int(failingClose), true, std::vector<bool>(failingClose, true), nullptr));
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
    QTest::keyClick(focus(), Qt::Key_Down);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(table.host()->findChild<QMenuBar*>()->hasFocus());
}
