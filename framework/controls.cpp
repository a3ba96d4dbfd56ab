#include "framework/controls.h"

#include "framework/application.h"
#include "framework/fonts.h"
#include "framework/picture.h"
#include "framework/window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QValidator>

namespace fw {

namespace {

QColor toColor(Rgb c) { return QColor(c.r, c.g, c.b); }

Qt::Alignment toAlignment(Align a)
{
    switch (a) {
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Texts may carry CR between lines; the widgets want LF.
QString displayed(const Text& text)
{
    QString s = text;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

class CanvasWidget : public QWidget {
public:
    CanvasWidget(QWidget* parent, Canvas& control) : QWidget(parent), control_(control) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!control_.hasBackdrop())
            return;
        // Rendered for the density of what is painted on, the screen's or a
        // picture's, so one logical pixel is ratio device pixels of the
        // picture, not a blown-up one.
        QPainter painter(this);
        const QPaintDevice* target = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
        painter.drawImage(QPointF(0, 0), control_.backdrop(target ? target->devicePixelRatioF() : devicePixelRatioF()));
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        tracking_ = false;
        if (!control_.onMouseDown)
            return;
        const QPoint at = event->position().toPoint();
        bool wanted = false;
        Application::instance().dispatch([&] { wanted = control_.onMouseDown(at.x(), at.y()); });
        tracking_ = wanted;
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton || !tracking_)
            return;
        tracking_ = false;
        if (!control_.onMouseUp)
            return;
        const QPoint at = event->position().toPoint();
        Application::instance().dispatch([&] { control_.onMouseUp(at.x(), at.y()); });
    }

private:
    Canvas& control_;
    bool tracking_ = false;
};

class RectangleWidget : public QWidget {
public:
    RectangleWidget(QWidget* parent, const ControlRecord& record)
        : QWidget(parent), fill_(toColor(record.fillColor)), border_(record.borderWidth)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), fill_);
        if (border_ > 0) {
            painter.setPen(QPen(Qt::black, border_));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    QColor fill_;
    int border_;
};

// The tab bar over a framed page area; the pages' controls stay children
// of the window so that their positions are window positions.
class TabPanelWidget : public QWidget {
public:
    TabPanelWidget(QWidget* parent, const ControlRecord& record) : QWidget(parent), bar_(new QTabBar(this))
    {
        bar_->setDrawBase(false);
        bar_->setExpanding(false);
        bar_->setFont(fontFor(QStringLiteral("System"), record.textSize));
        bar_->setFocusPolicy(Qt::NoFocus);
        for (const QString& tab : Text::fromUtf8(record.caption).split(QLatin1Char('\r')))
            bar_->addTab(tab);
    }
    QTabBar* bar() const { return bar_; }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        const QSize hint = bar_->sizeHint();
        bar_->setGeometry((width() - hint.width()) / 2, 0, qMin(hint.width(), width()), hint.height());
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const int top = bar_->height() / 2;
        QRect frame = rect().adjusted(0, top, -1, -1);
        painter.setPen(QColor(150, 150, 150));
        painter.setBrush(QColor(0, 0, 0, 12));
        painter.drawRoundedRect(frame, 4, 4);
    }

private:
    QTabBar* bar_;
};

// Limits what the user types to a number of characters; a longer text set
// by the program stays whole (a long key set from the settings file).
class LimitValidator : public QValidator {
public:
    LimitValidator(QLineEdit* edit, int limit) : QValidator(edit), limit_(limit), before_(edit->text())
    {
        // The field already holds an edit when it asks; keep the text as it
        // was before.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
    }

    // A text the program sets is taken whole.
    void accept(const QString& text) const { before_ = text; }

    State validate(QString& input, int&) const override
    {
        if (input.size() <= limit_ || input.size() <= before_.size())
            return Acceptable;
        return Invalid;
    }

private:
    int limit_;
    mutable QString before_;
};

class ArrowsWidget : public QWidget {
public:
    ArrowsWidget(QWidget* parent, LittleArrows& control) : QWidget(parent)
    {
        auto* up = new QToolButton(this);
        auto* down = new QToolButton(this);
        up->setArrowType(Qt::UpArrow);
        down->setArrowType(Qt::DownArrow);
        for (QToolButton* b : {up, down}) {
            b->setFocusPolicy(Qt::NoFocus);
            b->setAutoRaise(false);
        }
        up_ = up;
        down_ = down;
        connect(up, &QToolButton::clicked, this, [&control] { control.clickUp(); });
        connect(down, &QToolButton::clicked, this, [&control] { control.clickDown(); });
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        const int half = height() / 2;
        up_->setGeometry(0, 0, width(), half);
        down_->setGeometry(0, half, width(), height() - half);
    }

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace

// ---------------------------------------------------------------- Control

Control::Control(Window& window, const ControlRecord& record)
    : window_(window),
      name_(Text::fromUtf8(record.name)),
      index_(record.index),
      kind_(record.kind),
      tabPage_(record.tabPage),
      textSize_(record.textSize),
      visible_(record.visible)
{
}

Control::~Control() = default;

void Control::attach(QWidget* widget, const ControlRecord& record)
{
    widget_ = widget;
    widget_->setGeometry(record.left, record.top, record.width, record.height);
    widget_->setEnabled(record.enabled);
    if (record.helpTag && *record.helpTag)
        widget_->setToolTip(Text::fromUtf8(record.helpTag));
    applyVisibility();
}

void Control::raise(const std::function<void()>& handler) const
{
    if (handler)
        Application::instance().dispatch(handler);
}

int Control::left() const { return widget_->x(); }
int Control::top() const { return widget_->y(); }
int Control::width() const { return widget_->width(); }
int Control::height() const { return widget_->height(); }
void Control::setLeft(int left) { widget_->move(left, widget_->y()); }
void Control::setWidth(int width) { widget_->resize(width, widget_->height()); }

bool Control::enabled() const { return widget_->isEnabled(); }
void Control::setEnabled(bool enabled) { widget_->setEnabled(enabled); }

void Control::setVisible(bool visible)
{
    visible_ = visible;
    applyVisibility();
}

void Control::applyVisibility()
{
    bool shown = visible_;
    if (shown && tabPage_ > 0) {
        for (const auto& c : window_.controls())
            if (auto* panel = dynamic_cast<TabPanel*>(c.get()))
                shown = panel->value() + 1 == tabPage_;
    }
    // A control that goes away with its page while it holds the focus
    // takes it back when the page returns.
    if (!shown && widget_->hasFocus()) {
        window_.clearFocus();
        window_.setFocusWhenShown(this);
    }
    widget_->setVisible(shown);
    if (shown && window_.focusWhenShown() == this)
        setFocus();
}

Text Control::helpTag() const { return widget_->toolTip(); }
void Control::setHelpTag(const Text& tag) { widget_->setToolTip(tag); }

void Control::setFocus()
{
    // Qt gives no focus to a hidden widget and passes it to the next one
    // instead; keys typed there would be lost to this control.
    if (!widget_->isVisibleTo(window_.host())) {
        window_.clearFocus();
        window_.setFocusWhenShown(this);
        return;
    }
    window_.setFocusWhenShown(nullptr);
    widget_->setFocus(Qt::OtherFocusReason);
}
bool Control::hasFocus() const { return widget_->hasFocus(); }
void Control::refresh() { widget_->repaint(); }

// ---------------------------------------------------------------- PushButton

PushButton::PushButton(Window& window, const ControlRecord& record)
    : Control(window, record), default_(record.isDefault), cancel_(record.isCancel)
{
    auto* button = new QPushButton(Text::fromUtf8(record.caption), window.content());
    button->setFont(fontFor(textFont(), record.textSize, record.bold));
    button->setAutoDefault(false);
    button->setDefault(default_);
    // Buttons are worked by click and by the window's key rules only.
    button->setFocusPolicy(Qt::TabFocus);
    QObject::connect(button, &QPushButton::clicked, button, [this] {
        if (enabled())
            raise(onAction);
    });
    attach(button, record);
}

Text PushButton::caption() const { return static_cast<QPushButton*>(widget_)->text(); }
void PushButton::setCaption(const Text& caption) { static_cast<QPushButton*>(widget_)->setText(caption); }

void PushButton::setDefault(bool on)
{
    default_ = on;
    static_cast<QPushButton*>(widget_)->setDefault(on);
}

void PushButton::push()
{
    if (!enabled() || !onAction)
        return;
    // Pushed by a handler: a failure belongs to that handler, as a call would.
    if (Application::instance().dispatching())
        onAction();
    else
        raise(onAction);
}

// ---------------------------------------------------------------- StaticText

StaticText::StaticText(Window& window, const ControlRecord& record)
    : Control(window, record), text_(Text::fromUtf8(record.caption))
{
    auto* label = new QLabel(displayed(text_), window.content());
    label->setFont(fontFor(textFont(), record.textSize, record.bold));
    // A one-line text is centred in its height, as a check box's caption and
    // an entry field's text are, so that the texts of one row share a baseline.
    label->setAlignment(toAlignment(record.align) | (record.multiline ? Qt::AlignTop : Qt::AlignVCenter));
    label->setWordWrap(record.multiline);
    label->setTextFormat(Qt::PlainText);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, toColor(record.textColor));
    label->setPalette(pal);
    attach(label, record);
}

void StaticText::setText(const Text& text)
{
    text_ = text;
    static_cast<QLabel*>(widget_)->setText(displayed(text));
}

// ---------------------------------------------------------------- CheckBox

CheckBox::CheckBox(Window& window, const ControlRecord& record) : Control(window, record)
{
    auto* box = new QCheckBox(Text::fromUtf8(record.caption), window.content());
    box->setFont(fontFor(textFont(), record.textSize, record.bold));
    box->setChecked(record.value);
    QObject::connect(box, &QCheckBox::toggled, box, [this] { raise(onAction); });
    attach(box, record);
}

Text CheckBox::caption() const { return static_cast<QCheckBox*>(widget_)->text(); }
void CheckBox::setCaption(const Text& caption) { static_cast<QCheckBox*>(widget_)->setText(caption); }
bool CheckBox::value() const { return static_cast<QCheckBox*>(widget_)->isChecked(); }
void CheckBox::setValue(bool on) { static_cast<QCheckBox*>(widget_)->setChecked(on); }

// ---------------------------------------------------------------- EditField

EditField::EditField(Window& window, const ControlRecord& record)
    : Control(window, record), limit_(record.limitText)
{
    auto* edit = new QLineEdit(Text::fromUtf8(record.caption), window.content());
    edit->setFont(fontFor(textFont(), record.textSize, record.bold));
    edit->setAlignment(toAlignment(record.align) | Qt::AlignVCenter);
    edit->setTextMargins(1, 0, 1, 0);
    if (limit_ > 0)
        edit->setValidator(new LimitValidator(edit, limit_));
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this] { raise(onTextChange); });
    attach(edit, record);
}

Text EditField::text() const { return static_cast<QLineEdit*>(widget_)->text(); }
void EditField::setText(const Text& text)
{
    auto* edit = static_cast<QLineEdit*>(widget_);
    if (auto* limit = dynamic_cast<const LimitValidator*>(edit->validator()))
        limit->accept(text);
    edit->setText(text);
}

int EditField::selStart() const
{
    auto* edit = static_cast<QLineEdit*>(widget_);
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

int EditField::selLength() const { return static_cast<QLineEdit*>(widget_)->selectedText().size(); }

void EditField::setSelStart(int start)
{
    auto* edit = static_cast<QLineEdit*>(widget_);
    edit->setCursorPosition(qBound(0, start, static_cast<int>(edit->text().size())));
}

void EditField::setSelLength(int length)
{
    auto* edit = static_cast<QLineEdit*>(widget_);
    const int start = selStart();
    if (length <= 0)
        edit->setCursorPosition(start);
    else
        edit->setSelection(start, length);
}

// ---------------------------------------------------------------- Canvas

Canvas::Canvas(Window& window, const ControlRecord& record) : Control(window, record)
{
    attach(new CanvasWidget(window.content(), *this), record);
}

void Canvas::setBackdrop(const Picture* picture)
{
    backdrop_ = picture ? picture->drawing() : nullptr;
    widget_->update();
}

QImage Canvas::backdrop() const { return backdrop(widget_->devicePixelRatioF()); }
QImage Canvas::backdrop(double ratio) const { return backdrop_ ? backdrop_->rendered(ratio) : QImage(); }

// ---------------------------------------------------------------- TabPanel

TabPanel::TabPanel(Window& window, const ControlRecord& record) : Control(window, record)
{
    auto* panel = new TabPanelWidget(window.content(), record);
    QObject::connect(panel->bar(), &QTabBar::currentChanged, panel, [this] { window_.tabChanged(); });
    attach(panel, record);
    panel->lower();
}

int TabPanel::count() const { return static_cast<TabPanelWidget*>(widget_)->bar()->count(); }
Text TabPanel::caption(int tab) const { return static_cast<TabPanelWidget*>(widget_)->bar()->tabText(tab); }

void TabPanel::setCaption(int tab, const Text& caption)
{
    auto* panel = static_cast<TabPanelWidget*>(widget_);
    if (tab < 0 || tab >= panel->bar()->count())
        throw RuntimeException("tab index out of range");
    panel->bar()->setTabText(tab, caption);
    panel->bar()->adjustSize();
    QResizeEvent resize(panel->size(), panel->size());
    QCoreApplication::sendEvent(panel, &resize);
}

int TabPanel::value() const { return static_cast<TabPanelWidget*>(widget_)->bar()->currentIndex(); }
void TabPanel::setValue(int tab) { static_cast<TabPanelWidget*>(widget_)->bar()->setCurrentIndex(tab); }

// ---------------------------------------------------------------- Rectangle, LittleArrows

Rectangle::Rectangle(Window& window, const ControlRecord& record) : Control(window, record)
{
    attach(new RectangleWidget(window.content(), record), record);
}

LittleArrows::LittleArrows(Window& window, const ControlRecord& record) : Control(window, record)
{
    attach(new ArrowsWidget(window.content(), *this), record);
}

void LittleArrows::clickUp()
{
    if (enabled())
        raise(onUp);
}

void LittleArrows::clickDown()
{
    if (enabled())
        raise(onDown);
}

}  // namespace fw
