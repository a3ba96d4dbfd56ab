#include "framework/application.h"

#include "framework/fonts.h"
#include "framework/menu.h"
#include "framework/sheets.h"
#include "framework/windowSystem.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>

#ifndef VESKO_VERSION_MAJOR
#define VESKO_VERSION_MAJOR 1
#define VESKO_VERSION_MINOR 0
#define VESKO_VERSION_PATCH 0
#endif

namespace fw {

namespace {

Application* current = nullptr;

// The character a key event stands for, as the game's key handlers take it.
Text keyText(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
        return QStringLiteral("\r");
    case Qt::Key_Enter:
        return QString(QChar(3));
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QStringLiteral("\t");
    case Qt::Key_Escape:
        return QString(QChar(27));
    case Qt::Key_Backspace:
        return QString(QChar(8));
    case Qt::Key_Left:
        return QString(QChar(28));
    case Qt::Key_Right:
        return QString(QChar(29));
    case Qt::Key_Up:
        return QString(QChar(30));
    case Qt::Key_Down:
        return QString(QChar(31));
    default:
        break;
    }
    Text text = event.text();
    // With Ctrl held the platform gives a control character; the game wants
    // the key's own character, as a Command key combination gives it.
    if ((text.isEmpty() || text.at(0) < QChar(' ')) && event.key() >= Qt::Key_Space &&
        event.key() <= Qt::Key_AsciiTilde) {
        const QChar c(event.key());
        text = (event.modifiers() & Qt::ShiftModifier) ? QString(c.toUpper()) : QString(c.toLower());
    }
    if (!text.isEmpty() && text.at(0) < QChar(' '))
        return {};
    return text;
}

// Sends every key typed in one of our windows through the window's key
// rules before any widget sees it: a focused push button never acts on a
// key by itself. Routing in notify sees each key once, before Qt hands it
// from the focus widget up to its parents.
class RoutingApplication : public QApplication {
public:
    RoutingApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && receiver->isWidgetType() && Application::exists()) {
            if (routed(static_cast<QWidget*>(receiver), static_cast<QKeyEvent*>(event)))
                return true;
        }
        return QApplication::notify(receiver, event);
    }

private:
    static bool routed(QWidget* widget, QKeyEvent* key)
    {
        Window* window = Application::instance().windowHosting(widget->window());
        if (!window)
            return false;
        // Qt keeps the menu's shortcuts from a window under a sheet or a
        // dialog; the game's Quit and Settings work from every window.
        if (key->modifiers() & Qt::ControlModifier) {
            if (MenuBar* bar = Application::instance().menuBar();
                bar && bar->chooseByShortcut(QKeySequence(key->keyCombination())))
                return true;
        }
        const Text text = keyText(*key);
        if (text.isEmpty())
            return false;
        bool consumed = false;
        Application::instance().dispatch(
            [&] { consumed = window->routeKey(text, key->modifiers() & Qt::ControlModifier); });
        if (consumed)
            return true;
        if (text == QLatin1String("\t"))
            return false;
        return qobject_cast<QPushButton*>(QApplication::focusWidget()) != nullptr;
    }
};

}  // namespace

Application::Application(int& argc, char** argv)
{
    if (QApplication::instance())
        throw std::logic_error("the application makes its own Qt application");
    ownApp_ = std::make_unique<RoutingApplication>(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vesko's Solvary"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(VESKO_VERSION_MAJOR)
                                            .arg(VESKO_VERSION_MINOR)
                                            .arg(VESKO_VERSION_PATCH));
    installGameFont();
    current = this;
    // Qt tells of a frame only by moves, and of minimising but not shading.
    windowManager_ = windowSystem::watch(
        [this](QWidget& top) {
            if (Window* w = windowHosting(&top))
                sheets::frameChanged(*w);
        },
        [this](QWidget& top) {
            if (Window* w = windowHosting(&top))
                sheets::stateChanged(*w, false);
        });
}

Application::~Application()
{
    closed_.clear();
    // Dialogs are children of the main window's widget: discard them first.
    while (!windows_.empty())
        windows_.pop_back();
    menuBar_.reset();
    releaseSounds();
    current = nullptr;
    windowManager_.reset();
    ownApp_.reset();
}

Application& Application::instance()
{
    if (!current)
        throw RuntimeException("no application object");
    return *current;
}

bool Application::exists() { return current != nullptr; }

int Application::majorVersion() const { return VESKO_VERSION_MAJOR; }
int Application::minorVersion() const { return VESKO_VERSION_MINOR; }
int Application::bugVersion() const { return VESKO_VERSION_PATCH; }

int Application::run()
{
    QTimer::singleShot(0, qApp, [this] { dispatch([this] { Open(); }); });
    QApplication::exec();
    collectGarbage();
    return exitStatus_;
}

void Application::quit()
{
    if (quitting_)
        return;
    quitting_ = true;
    // Front to back: the dialogs, then the window they sit over. A Close
    // that fails still lets the others close; the failure then goes on to
    // the handler's caller.
    std::vector<Window*> open;
    for (const auto& w : windows_)
        if (w->isOpen())
            open.push_back(w.get());
    std::exception_ptr failure;
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        try {
            (*it)->close();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    // A failure goes to the error box first: the loop must still run for
    // the box to stay until the player dismisses it.
    if (failure)
        std::rethrow_exception(failure);
    endLoop();
}

void Application::endLoop()
{
    const int status = exitStatus_;
    QCoreApplication::exit(status);
    // A quit before the loop runs ends the loop as soon as it starts.
    QMetaObject::invokeMethod(qApp, [status] { QCoreApplication::exit(status); }, Qt::QueuedConnection);
}

void Application::dispatch(const std::function<void()>& handler)
{
    ++depth_;
    try {
        handler();
    } catch (const std::exception& error) {
        unhandledException(error);
    } catch (...) {
        unhandledException(std::runtime_error("unknown error"));
    }
    --depth_;
    if (depth_ == 0 && !closed_.empty())
        collectLater();
}

void Application::unhandledException(const std::exception& error)
{
    exitStatus_ = 1;
    system().messageBox(QStringLiteral("Vesko's Solvary met an error it cannot recover from and will quit.\n\n%1")
                            .arg(QString::fromUtf8(error.what())));
    // A quit already under way, or one whose Close fails, ends here.
    try {
        quit();
    } catch (...) {
    }
    endLoop();
}

Window* Application::mainWindow() const
{
    for (const auto& w : windows_)
        if (w->isOpen() && w->menuBar())
            return w.get();
    return nullptr;
}

Window* Application::windowHosting(const QWidget* top) const
{
    for (const auto& w : windows_)
        if (w->isOpen() && w->host() == top)
            return w.get();
    return nullptr;
}

Window& Application::adopt(std::unique_ptr<Window> window)
{
    windows_.push_back(std::move(window));
    return *windows_.back();
}

void Application::windowClosed(Window& window)
{
    for (auto it = windows_.begin(); it != windows_.end(); ++it) {
        if (it->get() == &window) {
            closed_.push_back(std::move(*it));
            windows_.erase(it);
            break;
        }
    }
    if (depth_ == 0)
        collectLater();
}

void Application::collectLater()
{
    // Closed windows die only once no handler runs, so that a handler that
    // closed its own window may finish, and only from the event loop, as Qt
    // may still be inside the window's own widgets: a menu emitting
    // triggered, a button its click.
    if (collectionPending_)
        return;
    collectionPending_ = true;
    QMetaObject::invokeMethod(
        qApp,
        [this] {
            collectionPending_ = false;
            // Else the handler's end asks again.
            if (depth_ == 0)
                collectGarbage();
        },
        Qt::QueuedConnection);
}

void Application::collectGarbage()
{
    while (!closed_.empty()) {
        auto last = std::move(closed_.back());
        closed_.pop_back();
        last.reset();
    }
}

void Application::reset()
{
    closed_.clear();
    while (!windows_.empty())
        windows_.pop_back();
    quitting_ = false;
    exitStatus_ = 0;
    commandHeld_ = false;
    menuBar_.reset();
}

void Application::setMenuBar(std::unique_ptr<MenuBar> bar) { menuBar_ = std::move(bar); }

namespace Keyboard {
bool commandKey() { return Application::exists() && Application::instance().commandHeld(); }
bool optionKey() { return system().modifiers().option; }
bool asyncOptionKey() { return system().modifiers().option; }
bool asyncShiftKey() { return system().modifiers().shift; }
}  // namespace Keyboard

void Beep() { system().beep(); }
void MsgBox(const Text& text) { system().messageBox(text); }
void ShowURL(const Text& address) { system().showUrl(address); }
Text PreferencesFolder() { return system().preferencesFolder(); }

}  // namespace fw
