// The game's commands as the player gives them while the game's own loop
// runs: each item of the Help menu clicked in the open menu, and the keys
// typed in the game window, the Rules window or under a sheet; and the Alt
// key, which belongs to the game, not to the menu bar.

#include "support.h"

#include "app/Menu.h"
#include "table/slut.h"
#include "windows/forsokInte.h"
#include "windows/om.h"
#include "windows/pref.h"
#include "windows/regler.h"

#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <QTimer>

namespace {

// A window whose Close fails, as a fault in any Close event would.
struct FailingClose : om { void Close() override { throw fw::RuntimeException("nil object"); } };

template <class T>
bool shown() { const T* w = fw::Application::instance().openInstance<T>(); return w && w->isVisible(); }
bool ended() { return fw::Application::instance().windows().empty(); }
// Closed, not merely hidden, with the game window still there.
template <class T>
bool closed() { return !fw::Application::instance().openInstance<T>() && playWin::openInstance(); }
template <class T>
fw::Window* front() { return &T::instance(); }
fw::Window* rules() { return &regler::instance(); }
fw::Window* failing() { return &fw::Application::instance().implicitInstance<FailingClose>(); }
// Whether the game's loop was told to end: a loop started after that returns at once.
bool loopEnding()
{
    QEventLoop probe;
    QTimer::singleShot(0, &probe, [&] { probe.exit(1); });
    return probe.exec() == -1;
}

}  // namespace

TEST_F(GameTest, EveryCommandClickedInTheMenuOrTypedInAnyWindowOpensItsWindowOrQuits)
{
    // The item clicked or the key typed (in the game window, or in a window shown before), under a
    // play limit or not; then what shows. Under a limit the item shows disabled and opens nothing.
    struct Case { fw::MenuItem* (*item)(); QKeyCombination key; fw::Window* (*before)(); int limit; bool (*shows)(); };
    const Case cases[] = {
        {menuItems::helpRegler, {}, nullptr, -1, shown<regler>}, {menuItems::menuPref, {}, nullptr, -1, shown<pref>},
        {menuItems::appleAvsluta, {}, nullptr, -1, ended}, {menuItems::omVesko, {}, nullptr, -1, shown<om>},
        {menuItems::menuEmulerad, {}, nullptr, -1, shown<emulerad>}, {menuItems::menuEmulerad, {}, nullptr, 0, shown<emulerad>},
        {menuItems::menuEmulerad, {}, nullptr, 3, shown<emulerad>}, {menuItems::appleAvsluta, {}, failing, -1, ended},
        {nullptr, Qt::CTRL | Qt::Key_Q, nullptr, -1, ended}, {nullptr, Qt::CTRL | Qt::Key_Comma, nullptr, -1, shown<pref>},
        {nullptr, Qt::CTRL | Qt::Key_Q, rules, -1, ended}, {nullptr, Qt::CTRL | Qt::Key_Comma, rules, -1, shown<pref>},
        {nullptr, Qt::CTRL | Qt::Key_W, rules, -1, closed<regler>}, {nullptr, Qt::SHIFT | Qt::Key_W, rules, -1, shown<regler>},
        {nullptr, Qt::Key_W, rules, -1, shown<regler>}, {nullptr, Qt::Key_Return, rules, -1, shown<regler>},
        // From under every sheet and the About window, whose owner Qt blocks.
        {nullptr, Qt::CTRL | Qt::Key_Q, front<pref>, -1, ended}, {nullptr, Qt::CTRL | Qt::Key_Q, front<emulerad>, -1, ended},
        {nullptr, Qt::CTRL | Qt::Key_Q, front<slut>, -1, ended}, {nullptr, Qt::CTRL | Qt::Key_Q, front<forsokInte>, -1, ended},
        {nullptr, Qt::CTRL | Qt::Key_Q, front<om>, -1, ended}, {nullptr, Qt::CTRL | Qt::Key_Comma, front<emulerad>, -1, shown<pref>},
        {nullptr, Qt::Key_Return, front<om>, -1, closed<om>},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases));
        fw::Application::instance().reset();
        QFile::remove(prefs.path() + "/vesko.txt");
        sys.boxesWaited.clear();
        sys.messages.clear();
        QPointer<QWidget> table;
        bool menuFinished = false, ending = false;
        QCoreApplication::sendPostedEvents();  // no quit left over from an earlier case
        // Played once the start-up is done.
        QTimer::singleShot(0, qApp, [&] {
            QTimer::singleShot(0, qApp, [&] {
                table = openTable().host();
                playWin::openInstance()->timesLeft = c.limit;
                fw::Window& at = c.before ? *c.before() : *playWin::openInstance();
                at.show();
                QApplication::setActiveWindow(at.host());
                // The flag tells that Qt's menu bar got to the end of its own handling.
                QObject::connect(table->findChild<QMenuBar*>(), &QMenuBar::triggered, [&] { menuFinished = true; });
                QWidget* focus = at.host()->focusWidget() ? at.host()->focusWidget() : at.host();
                c.item ? clickInMenu(c.item) : QTest::keyClick(focus, c.key.key(), c.key.keyboardModifiers());
                ending = loopEnding();
                QCoreApplication::exit();
            });
        });
        const int status = fw::Application::instance().run();
        // A quit wrote the settings through the game window's Close and discarded the window; an
        // error box stays until the player has seen it, and shows the error.
        const bool quit = c.shows == ended, failed = c.before == failing;
        EXPECT_EQ(std::tuple(c.shows(), c.item && !c.item()->action()->isEnabled(), menuFinished || !c.item, status,
                             sys.boxesWaited, QStringList(sys.messages.begin(), sys.messages.end()).join("").contains("nil object"),
                             QFile::exists(prefs.path() + "/vesko.txt"), table.isNull(), ending),
                  std::tuple(c.limit < 0, c.limit >= 0, c.limit < 0, int(failed), std::vector<bool>(failed, true), failed, quit,
                             quit, quit));
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
