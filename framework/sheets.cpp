#include "framework/sheets.h"

#include "framework/application.h"
#include "framework/window.h"
#include "framework/windowSystem.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace fw::sheets {

namespace {

// Milliseconds; short enough to look at once.
constexpr int groupSettles = 150;

void bringBack(QWidget& dialog)
{
    if (dialog.isMinimized() || windowSystem::minimised(dialog))
        dialog.showNormal();
    if (windowSystem::shaded(dialog))
        windowSystem::unshade(dialog);
}

// A dialog that the window manager minimised or shaded by itself comes
// back: the window it blocks would take no input, and the keyboard would go
// to a window nobody can see. One that went with its window stays with it.
void comeBack(Window& dialog)
{
    QWidget& host = *dialog.host();
    const QWidget* window = host.parentWidget();
    if (!dialog.isVisible() || !window || window->isMinimized() || windowSystem::minimised(*window))
        return;
    const bool hidden = host.isMinimized() || windowSystem::minimised(host) || windowSystem::shaded(host);
    if (!hidden)
        return;
    bringBack(host);
    host.raise();
    host.activateWindow();
}

}  // namespace

std::vector<Window*> over(const Window& window)
{
    std::vector<Window*> found;
    for (const auto& w : Application::instance().windows())
        if (w.get() != &window && w->isOpen() && w->isVisible() && w->host()->parentWidget() == window.host())
            found.push_back(w.get());
    return found;
}

void hang(Window& sheet)
{
    QWidget& host = *sheet.host();
    const QWidget* window = host.parentWidget();
    if (!window)
        return;
    // Until the window manager has framed the sheet, its frame is taken to
    // be like its window's; it hangs again once the real one is known.
    const QMargins outer = windowSystem::frameOf(*window).value_or(QMargins());
    const QMargins own = windowSystem::frameOf(host).value_or(outer);
    const QRect table = window->geometry();
    const int left = table.left() - outer.left();
    const int width = table.width() + outer.left() + outer.right();
    const int sheetWidth = host.width() + own.left() + own.right();
    const QPoint at(left + (width - sheetWidth) / 2 + own.left(), table.top() + own.top());
    if (host.geometry().topLeft() != at)
        host.setGeometry(QRect(at, host.size()));
}

void moved(Window& window)
{
    for (Window* dialog : over(window))
        if (dialog->isSheet())
            hang(*dialog);
}

void frameChanged(Window& window)
{
    if (window.isSheet())
        hang(window);
    moved(window);
}

void stateChanged(Window& window, bool wasMinimised)
{
    QWidget* host = window.host();
    if (window.isDialog()) {
        // Asked once the window manager is done with the whole group: some
        // minimise a window's dialog first, then the window, and it went
        // with the window.
        QTimer::singleShot(groupSettles, host, [host = QPointer<QWidget>(host)] {
            if (Window* dialog = host ? Application::instance().windowHosting(host) : nullptr)
                comeBack(*dialog);
        });
        return;
    }
    const std::vector<Window*> dialogs = over(window);
    if (host->isMinimized()) {
        // Window managers that leave a window's dialogs behind.
        for (Window* dialog : dialogs)
            dialog->host()->showMinimized();
        return;
    }
    if (!wasMinimised)
        return;
    for (Window* dialog : dialogs) {
        bringBack(*dialog->host());
        if (dialog->isSheet())
            hang(*dialog);
        dialog->host()->raise();
    }
    if (!dialogs.empty())
        dialogs.back()->host()->activateWindow();
}

void activated(Window& window)
{
    // Whatever order the platform activates a window and its dialogs in.
    const std::vector<Window*> dialogs = over(window);
    if (dialogs.empty())
        return;
    QWidget* front = dialogs.back()->host();
    front->raise();
    front->activateWindow();
}

}  // namespace fw::sheets
