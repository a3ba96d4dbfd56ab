#include "framework/window.h"

#include "framework/application.h"
#include "framework/menu.h"
#include "framework/sheets.h"
#include "framework/windowSystem.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>

namespace fw {

// The top-level widget of a window: an optional menu bar over the content.
class HostWidget : public QWidget {
public:
    HostWidget(Window& window, QWidget* parent, Qt::WindowFlags flags)
        : QWidget(parent, flags), window_(window), content_(new QWidget(this))
    {
        content_->setAutoFillBackground(false);
    }

    Window& window() const { return window_; }
    QWidget* content() const { return content_; }
    int menuHeight() const { return menuBar_ ? menuHeight_ : 0; }

    void setMenuWidget(QMenuBar* bar)
    {
        menuBar_ = bar;
        menuHeight_ = bar->sizeHint().height();
        layoutChildren();
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::Move)
            sheets::moved(window_);
        if (event->type() == QEvent::WindowActivate)
            sheets::activated(window_);
        if (event->type() == QEvent::WindowStateChange)
            sheets::stateChanged(
                window_, static_cast<QWindowStateChangeEvent*>(event)->oldState().testFlag(Qt::WindowMinimized));
        return QWidget::event(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        // The window closes itself through its own Close event.
        event->ignore();
        if (!window_.isOpen())
            return;
        window_.hostClosing();
    }
    void resizeEvent(QResizeEvent*) override
    {
        layoutChildren();
        window_.hostResized();
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == windowHandle() && event->type() == QEvent::Resize)
            window_.windowSystemResized(static_cast<QResizeEvent*>(event)->size().height());
        return QWidget::eventFilter(watched, event);
    }

private:
    void layoutChildren()
    {
        const int top = menuHeight();
        if (menuBar_)
            menuBar_->setGeometry(0, 0, width(), top);
        content_->setGeometry(0, top, width(), height() - top);
    }

    Window& window_;
    QWidget* content_;
    QMenuBar* menuBar_ = nullptr;
    int menuHeight_ = 0;
};

namespace {

// Rows that the window system uncovers when a window grows show its
// background until the program has painted them: make that the colour the
// program paints there, so a growth never flashes another colour.
void setWindowSystemBackground(const HostWidget& host)
{
    windowSystem::setBackground(host, host.content()->palette().color(QPalette::Window));
}

}  // namespace

Window::Window() = default;

Window::~Window()
{
    controls_.clear();
    delete host_.data();
}

QWidget* Window::host() const { return host_.data(); }
QWidget* Window::content() const { return host_ ? host_->content() : nullptr; }

void Window::build()
{
    applyRecord();
    for (const ControlRecord& r : controlRecords()) {
        std::unique_ptr<Control> c;
        switch (r.kind) {
        case ControlKind::PushButton:
            c = std::make_unique<PushButton>(*this, r);
            break;
        case ControlKind::StaticText:
            c = std::make_unique<StaticText>(*this, r);
            break;
        case ControlKind::CheckBox:
            c = std::make_unique<CheckBox>(*this, r);
            break;
        case ControlKind::EditField:
            c = std::make_unique<EditField>(*this, r);
            break;
        case ControlKind::Canvas:
            c = std::make_unique<Canvas>(*this, r);
            break;
        case ControlKind::TabPanel:
            c = std::make_unique<TabPanel>(*this, r);
            break;
        case ControlKind::Rectangle:
            c = std::make_unique<Rectangle>(*this, r);
            break;
        case ControlKind::LittleArrows:
            c = std::make_unique<LittleArrows>(*this, r);
            break;
        }
        // Later controls lie above earlier ones; a tab panel lies beneath all.
        if (r.kind != ControlKind::TabPanel)
            c->widget()->raise();
        prepareControl(*c);
        controls_.push_back(std::move(c));
    }
    for (const auto& c : controls_)
        c->applyVisibility();
    bindHandlers();
    for (const auto& c : controls_)
        if (c->onOpen)
            c->onOpen();
    Open();
    if (record_.visible && open_)
        show();
}

void Window::applyRecord()
{
    record_ = layoutRecord();
    Qt::WindowFlags flags = record_.frame == Frame::Document ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (record_.closeButton)
        flags |= Qt::WindowCloseButtonHint;
    if (record_.minimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (record_.maximizeButton)
        flags |= Qt::WindowMaximizeButtonHint;
    QWidget* parent = nullptr;
    if (record_.frame != Frame::Document) {
        if (Window* main = Application::instance().mainWindow(); main && main != this)
            parent = main->host();
    }
    host_ = new HostWidget(*this, parent, flags);
    if (parent)
        host_->setWindowModality(Qt::WindowModal);
    host_->setAttribute(Qt::WA_DeleteOnClose, false);
    if (menuBar_)
        host_->setMenuWidget(menuBar_->makeWidget(host_, [this] { EnableMenuItems(); }));
    const int extra = host_->menuHeight();
    setTitle(Text::fromUtf8(record_.title));
    minHeight_ = record_.minHeight;
    if (record_.resizeable) {
        host_->setMinimumSize(record_.minWidth, record_.minHeight + extra);
        host_->setMaximumSize(record_.maxWidth, record_.maxHeight + extra);
        host_->resize(record_.width, record_.height + extra);
    } else {
        host_->setFixedSize(record_.width, record_.height + extra);
    }
    setHasBackColor(record_.hasBackColor);
}

void Window::place()
{
    placed_ = true;
    QRect area;
    Window* main = Application::instance().mainWindow();
    placedBeforeParent_ = record_.placement == Placement::ParentWindow && main && main != this && !main->isVisible();
    const bool byMain = record_.placement == Placement::ParentWindow && main && main != this && main->isVisible();
    if (byMain && record_.frame == Frame::Document) {
        placeBeside(*main);
        return;
    }
    if (isSheet()) {
        sheets::hang(*this);
        return;
    }
    if (byMain)
        area = main->host()->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    QRect frame = host_->frameGeometry();
    frame.moveCenter(area.center());
    // Dialogs sit in the upper part of their parent, as sheets do.
    if (record_.placement == Placement::ParentWindow && main && main != this)
        frame.moveTop(area.top() + qMax(0, (area.height() - frame.height()) / 3));
    host_->move(frame.topLeft());
}

void Window::placeBeside(const Window& parent)
{
    // A document window lives beside the game window rather than over its
    // table: to its right, its left, or above it (the table grows
    // downwards), the first that fits on the screen.
    constexpr int gap = 8;
    const QWidget* other = parent.host();
    const QRect screen = other->screen()->availableGeometry();
    const QRect table = other->frameGeometry();
    // Not shown yet, so without the title bar it will get: take the table's.
    const QSize size = host_->size() + (table.size() - other->size());
    const int centredLeft = table.center().x() - size.width() / 2;
    const QPoint candidates[] = {
        {table.right() + 1 + gap, table.top()},
        {table.left() - gap - size.width(), table.top()},
        {centredLeft, table.top() - gap - size.height()},
    };
    QRect frame(candidates[0], size);
    for (const QPoint& at : candidates) {
        if (screen.contains(QRect(at, size))) {
            frame.moveTopLeft(at);
            break;
        }
    }
    frame.moveLeft(qBound(screen.left(), frame.left(), qMax(screen.left(), screen.right() + 1 - size.width())));
    frame.moveTop(qBound(screen.top(), frame.top(), qMax(screen.top(), screen.bottom() + 1 - size.height())));
    host_->move(frame.topLeft());
}

void Window::show()
{
    if (!open_ || !host_)
        return;
    if (!placed_)
        place();
    host_->show();
    setWindowSystemBackground(*host_);
    // Installing again replaces the earlier one.
    if (QWindow* handle = host_->windowHandle())
        handle->installEventFilter(host_);
    host_->raise();
    host_->activateWindow();
    // Dialogs shown before this window appeared go over it and stay in front.
    for (Window* w : sheets::over(*this)) {
        if (w->isSheet())
            sheets::hang(*w);
        else if (w->placedBeforeParent_)
            w->place();
        w->host_->raise();
        w->host_->activateWindow();
    }
}

void Window::hide()
{
    if (host_)
        host_->hide();
}

void Window::close()
{
    if (!open_ || closing_)
        return;
    closing_ = true;
    const auto discard = [this] {
        open_ = false;
        if (host_)
            host_->hide();
        Application::instance().windowClosed(*this);
    };
    // A Close that fails still closes the window, so that a quit goes on.
    try {
        Close();
    } catch (...) {
        discard();
        throw;
    }
    discard();
}

void Window::hostClosing()
{
    if (!record_.closeButton && !Application::instance().quitting())
        return;
    Application::instance().dispatch([this] { close(); });
}

bool Window::isVisible() const { return host_ && host_->isVisible(); }

bool Window::isDialog() const { return record_.frame != Frame::Document && host_ && host_->parentWidget(); }

namespace {

// The window system writes the application's name, untranslated, into a
// title left empty; a blank keeps an empty title empty.
const QString blankTitle = QStringLiteral(" ");

}  // namespace

Text Window::title() const
{
    const Text shown = host_->windowTitle();
    return shown == blankTitle ? Text() : shown;
}

void Window::setTitle(const Text& title) { host_->setWindowTitle(title.isEmpty() ? blankTitle : title); }

int Window::width() const { return host_->width(); }
int Window::height() const { return host_->height() - host_->menuHeight(); }

void Window::setHeight(int height)
{
    const int before = host_->height();
    host_->resize(host_->width(), height + host_->menuHeight());
    // The window system reports heights of a shown window back later, once
    // the handler that asked has returned, and may merge them or report
    // none; Qt's own report came above.
    if (host_->isVisible() && host_->height() != before)
        echoes_.asked(host_->height(), system().ticks());
}

void Window::setMinHeight(int height)
{
    minHeight_ = height;
    if (record_.resizeable)
        host_->setMinimumHeight(height + host_->menuHeight());
}

void Window::setHasBackColor(bool on)
{
    hasBackColor_ = on;
    QWidget* area = host_->content();
    QPalette pal = host_->palette();
    if (on)
        pal.setColor(QPalette::Window, QColor(record_.backColor.r, record_.backColor.g, record_.backColor.b));
    area->setPalette(pal);
    area->setAutoFillBackground(on);
    setWindowSystemBackground(*host_);
}

void Window::refresh() { host_->repaint(); }
void Window::updateNow() { host_->repaint(); }

void Window::setMenuBar(MenuBar* bar) { menuBar_ = bar; }

void Window::clearFocus()
{
    focusWhenShown_ = nullptr;
    if (QWidget* focus = host_->focusWidget())
        focus->clearFocus();
    host_->setFocus(Qt::OtherFocusReason);
}

void Window::hostResized()
{
    // A height of a growth that the window system is still answering is no
    // resize by the player: the heights it passed would snap back.
    if (echoes_.isEcho(host_->height(), system().ticks()))
        return;
    if (open_ && !closing_ && !controls_.empty())
        Application::instance().dispatch([this] { Resized(); });
}

void Window::windowSystemResized(int height)
{
    // The last height asked, reported: the growth is answered once the widget
    // has heard it too (it hears it next, unless it already holds that
    // height), and not when a later growth has begun meanwhile.
    if (!echoes_.isLast(height))
        return;
    QMetaObject::invokeMethod(
        host_, [this, asks = echoes_.asks()] {
            if (echoes_.asks() == asks)
                echoes_.clear();
        },
        Qt::QueuedConnection);
}

void Window::tabChanged()
{
    for (const auto& c : controls_)
        if (c->tabPage() > 0)
            c->applyVisibility();
}

std::vector<Control*> Window::named(const char* control) const
{
    std::vector<Control*> found;
    const Text name = Text::fromUtf8(control);
    for (const auto& c : controls_)
        if (c->name() == name)
            found.push_back(c.get());
    if (found.empty())
        throw std::logic_error("no control named " + std::string(control));
    return found;
}

void Window::bindSimple(const char* control, const char* event, std::function<void()> handler)
{
    const Text e = Text::fromUtf8(event);
    for (Control* c : named(control)) {
        if (e == QLatin1String("Open"))
            c->onOpen = handler;
        else if (e == QLatin1String("Action"))
            c->onAction = handler;
        else if (e == QLatin1String("TextChange"))
            c->onTextChange = handler;
        else if (e == QLatin1String("Up"))
            c->onUp = handler;
        else if (e == QLatin1String("Down"))
            c->onDown = handler;
        else
            throw std::logic_error("unknown event " + std::string(event));
    }
}

void Window::addMenuHandler(const Text& item, std::function<bool()> handler)
{
    if (!menuBar_)
        throw std::logic_error("menu handler on a window without menu bar");
    if (MenuItem* found = menuBar_->lookup(item))
        found->handler = std::move(handler);
}

Control& Window::control(const Text& name, int index) const
{
    for (const auto& c : controls_)
        if (c->name() == name && c->index() == index)
            return *c;
    throw RuntimeException(("no control " + name + "(" + QString::number(index) + ")").toStdString());
}

namespace {
template <class T>
T& typed(Control& c)
{
    auto* t = dynamic_cast<T*>(&c);
    if (!t)
        throw RuntimeException(("control " + c.name() + " is of another kind").toStdString());
    return *t;
}
}  // namespace

PushButton& Window::pushButton(const Text& name) const { return typed<PushButton>(control(name)); }
StaticText& Window::staticText(const Text& name) const { return typed<StaticText>(control(name)); }
CheckBox& Window::checkBox(const Text& name) const { return typed<CheckBox>(control(name)); }
EditField& Window::editField(const Text& name, int index) const { return typed<EditField>(control(name, index)); }
Canvas& Window::canvas(const Text& name, int index) const { return typed<Canvas>(control(name, index)); }
TabPanel& Window::tabPanel(const Text& name) const { return typed<TabPanel>(control(name)); }
LittleArrows& Window::littleArrows(const Text& name) const { return typed<LittleArrows>(control(name)); }

PushButton* Window::defaultButton() const
{
    for (const auto& c : controls_)
        if (auto* b = dynamic_cast<PushButton*>(c.get()); b && b->isDefault() && b->enabled() && b->visible())
            return b;
    return nullptr;
}

PushButton* Window::cancelButton() const
{
    for (const auto& c : controls_)
        if (auto* b = dynamic_cast<PushButton*>(c.get()); b && b->isCancel() && b->enabled() && b->visible())
            return b;
    return nullptr;
}

bool Window::KeyDown(const Text&) { return false; }

bool Window::routeKey(const Text& key, bool command)
{
    Application& app = Application::instance();
    const bool before = app.commandHeld();
    app.setCommandHeld(command);
    struct Restore {
        Application& app;
        bool value;
        ~Restore() { app.setCommandHeld(value); }
    } restore{app, before};

    const bool confirm = key == QLatin1String("\r") || key == QString(QChar(3));
    const bool cancel = key == QString(QChar(27));

    Control* focused = nullptr;
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == host_)
        for (const auto& c : controls_)
            if (c->widget() == focus)
                focused = c.get();

    if (auto* field = dynamic_cast<EditField*>(focused)) {
        if (field->onKeyDown && field->onKeyDown(key))
            return true;
    } else if (KeyDown(key)) {
        return true;
    }
    if (!open_)
        return true;
    if (confirm) {
        if (PushButton* b = defaultButton()) {
            b->push();
            return true;
        }
    }
    if (cancel) {
        if (PushButton* b = cancelButton()) {
            b->push();
            return true;
        }
    }
    return false;
}

}  // namespace fw
