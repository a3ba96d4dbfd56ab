#pragma once
// The application: event loop, quit, implicit window instances and the
// one place where an exception that no handler caught ends up.

#include "framework/system.h"
#include "framework/text.h"
#include "framework/window.h"

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QAbstractNativeEventFilter;
class QApplication;
class QWidget;

namespace fw {

class MenuBar;

class Application {
public:
    // Makes the Qt application; there must be none yet.
    Application(int& argc, char** argv);
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application& instance();
    static bool exists();

    // Raises Open once the loop runs, then runs it until Quit. Returns the
    // exit status.
    int run();
    // Closes every open window, raising its Close event, then ends the loop.
    void quit();
    bool quitting() const { return quitting_; }
    int exitStatus() const { return exitStatus_; }

    virtual void Open() {}

    MenuBar* menuBar() const { return menuBar_.get(); }
    void setMenuBar(std::unique_ptr<MenuBar> bar);

    int majorVersion() const;
    int minorVersion() const;
    int bugVersion() const;

    // The open window of class T, made (and built) when there is none.
    template <class T>
    T& implicitInstance();
    // The open window of class T, or nullptr.
    template <class T>
    T* openInstance() const;

    // Runs a handler; an exception that leaves it goes to the unhandled-
    // exception handling.
    void dispatch(const std::function<void()>& handler);
    // True while a handler runs.
    bool dispatching() const { return depth_ > 0; }
    void unhandledException(const std::exception& error);

    // Key-event state for the key being handled.
    bool commandHeld() const { return commandHeld_; }
    void setCommandHeld(bool on) { commandHeld_ = on; }

    // The first document window: dialogs sit over it.
    Window* mainWindow() const;
    // The open window whose top-level widget this is, or nullptr.
    Window* windowHosting(const QWidget* top) const;
    const std::vector<std::unique_ptr<Window>>& windows() const { return windows_; }
    void windowClosed(Window& window);

    // Tests: discards every window without Close events and clears the
    // quit state.
    void reset();

private:
    Window& adopt(std::unique_ptr<Window> window);
    void endLoop();
    void collectLater();
    void collectGarbage();

    std::unique_ptr<QApplication> ownApp_;
    std::unique_ptr<QAbstractNativeEventFilter> windowManager_;
    std::vector<std::unique_ptr<Window>> windows_;
    std::vector<std::unique_ptr<Window>> closed_;
    std::unique_ptr<MenuBar> menuBar_;
    int depth_ = 0;
    int exitStatus_ = 0;
    bool quitting_ = false;
    bool commandHeld_ = false;
    bool collectionPending_ = false;
};

template <class T>
T* Application::openInstance() const
{
    for (const auto& w : windows_)
        if (auto* t = dynamic_cast<T*>(w.get()); t && t->isOpen())
            return t;
    return nullptr;
}

template <class T>
T& Application::implicitInstance()
{
    if (T* open = openInstance<T>())
        return *open;
    auto& made = static_cast<T&>(adopt(std::make_unique<T>()));
    made.build();
    return made;
}

// The Mac's Command key is Ctrl here and Option is Alt.
namespace Keyboard {
bool commandKey();       // held with the key being handled
bool optionKey();        // held now
bool asyncOptionKey();
bool asyncShiftKey();
}  // namespace Keyboard

void Beep();
void MsgBox(const Text& text);
void ShowURL(const Text& address);
Text PreferencesFolder();
inline double Rnd() { return system().rnd(); }
inline std::int64_t Ticks() { return system().ticks(); }

}  // namespace fw
