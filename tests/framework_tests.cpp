// The layer over Qt: key routing, buttons, canvases, window life cycle,
// sounds on the fake clock, and the text helpers.

#include "support.h"

#include "framework/date.h"
#include "framework/picture.h"
#include "framework/sound.h"

#include <QApplication>
#include <QTest>

#include <cmath>
#include <tuple>
#include <utility>

using fw::ControlKind;
using fw::Text;
using Log = std::vector<QString>;

namespace {

// A key as the handlers saw it: a printable character itself, others by code.
QString shown(const Text& key) { return key.size() == 1 && key.at(0).isPrint() ? key : "#" + fw::Str(fw::Asc(key)); }

// Logs every event it gets, Close included, which outlives the window.
class ProbeWin : public fw::Window {
public:
    static inline Log log;
    Text takes;  // keys the window's and the field's KeyDown handle

    bool KeyDown(const Text& key) override
    {
        log.push_back("window " + shown(key) + (fw::Keyboard::commandKey() ? " with Command" : ""));
        return takes.contains(key);
    }
    void Open() override { log.push_back("open window"); }
    void Close() override { log.push_back("close"); }

protected:
    const fw::WindowRecord& layoutRecord() const override
    {
        static constexpr fw::WindowRecord record{.title = "Probe", .width = 300, .height = 200, .visible = false};
        return record;
    }
    std::span<const fw::ControlRecord> controlRecords() const override
    {
        // The two views overlap at (25, 65).
        static constexpr fw::ControlRecord records[] = {
            {.kind = ControlKind::PushButton, .name = "ok", .width = 80, .height = 20, .isDefault = true},
            {.kind = ControlKind::PushButton, .name = "cancel", .width = 80, .height = 20, .isCancel = true},
            {.kind = ControlKind::PushButton, .name = "other", .width = 80, .height = 20},
            {.kind = ControlKind::EditField, .name = "field", .top = 30, .width = 100, .height = 20, .limitText = 5},
            {.kind = ControlKind::Canvas, .name = "view", .index = 0, .left = 10, .top = 50, .width = 30, .height = 30},
            {.kind = ControlKind::Canvas, .name = "view", .index = 1, .left = 20, .top = 60, .width = 30, .height = 30},
        };
        return records;
    }
    void bindHandlers() override
    {
        for (const char* name : {"ok", "cancel", "other"})
            pushButton(name).onAction = [name] { log.push_back(QStringLiteral("push ") + name); };
        pushButton("ok").onOpen = [] { log.push_back("open ok"); };
        editField("field").onOpen = [] { log.push_back("open field"); };
        editField("field").onKeyDown = [this](const Text& key) {
            log.push_back("field " + shown(key));
            return takes.contains(key);
        };
        for (const int i : {0, 1}) {
            canvas("view", i).onMouseDown = [i](int x, int y) {
                log.push_back(QStringLiteral("down %1 %2,%3").arg(i).arg(x).arg(y));
                return true;
            };
            canvas("view", i).onMouseUp = [i](int x, int y) {
                log.push_back(QStringLiteral("up %1 %2,%3").arg(i).arg(x).arg(y));
            };
        }
    }
};

class OtherWin : public ProbeWin {};

class FrameworkTest : public GameTest {
protected:
    // A fresh probe window in front, its Open events already logged.
    ProbeWin& probe()
    {
        fw::Application::instance().reset();
        ProbeWin& w = fw::Application::instance().implicitInstance<ProbeWin>();
        w.show();
        QApplication::setActiveWindow(w.host());
        ProbeWin::log.clear();
        return w;
    }
};

}  // namespace

TEST_F(FrameworkTest, KeysGoToTheFocusedFieldOrTheWindowThenTheDefaultOrCancelButtonNeverAFocusedButton)
{
    const struct {
        const char* focus;
        Text takes;
        bool okDisabled;
        std::vector<QKeyCombination> keys;
        Log log;
        Text fieldText;
    } cases[] = {
        {"", "", false, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_T},
         {"window #13", "push ok", "window #3", "push ok", "window #27", "push cancel", "window t"}, ""},
        {"", "\r\x1b", false, {Qt::Key_Return, Qt::Key_Escape}, {"window #13", "window #27"}, ""},
        {"other", "", false, {Qt::Key_Space, Qt::Key_T, Qt::Key_Return},
         {"window  ", "window t", "window #13", "push ok"}, ""},
        {"", "", true, {Qt::Key_Return}, {"window #13"}, ""},
        {"", "", false, {Qt::ControlModifier | Qt::Key_N}, {"window n with Command"}, ""},
        {"field", "", false, {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D, Qt::Key_E, Qt::Key_F, Qt::Key_Return},
         {"field a", "field b", "field c", "field d", "field e", "field f", "field #13", "push ok"}, "abcde"},
        {"field", "z", false, {Qt::Key_Z, Qt::Key_Y}, {"field z", "field y"}, "y"},
    };
    for (const auto& c : cases) {
        ProbeWin& w = probe();
        w.takes = c.takes;
        w.pushButton("ok").setEnabled(!c.okDisabled);
        if (c.okDisabled)
            w.pushButton("ok").push();
        w.clearFocus();
        if (*c.focus)
            w.control(c.focus).setFocus();
        for (const QKeyCombination key : c.keys)
            QTest::keyClick(*c.focus ? w.control(c.focus).widget() : w.host(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(ProbeWin::log, c.log) << "focus on \"" << c.focus << "\"";
        EXPECT_EQ(w.editField("field").text(), c.fieldText);
    }
    EXPECT_FALSE(fw::Keyboard::commandKey()) << "Command is held only while its key is handled";
}

TEST_F(FrameworkTest, CtrlLetterFromTheWindowSystemArrivesAsItsLetter)
{
    // X11 gives Ctrl+N the control character 14 as its text.
    ProbeWin& w = probe();
    w.clearFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_N, Qt::ControlModifier, QString(QChar(14)));
    QApplication::sendEvent(w.host(), &press);
    EXPECT_EQ(ProbeWin::log, Log{"window n with Command"});
}

TEST_F(FrameworkTest, ReleaseGoesToTheViewThatTookThePressAndLaterViewsLieAbove)
{
    ProbeWin& w = probe();
    QWidget* top = w.canvas("view", 1).widget();
    QTest::mousePress(top, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(top, Qt::LeftButton, {}, QPoint(40, -20));
    EXPECT_EQ(ProbeWin::log, (Log{"down 1 5,5", "up 1 40,-20"}));
    EXPECT_EQ(w.content()->childAt(25, 65), top);
}

TEST_F(FrameworkTest, ImplicitInstanceIsMadeOnceRemadeAfterCloseAndQuitClosesEveryWindow)
{
    ProbeWin::log.clear();
    fw::Application& app = fw::Application::instance();
    ProbeWin& first = app.implicitInstance<ProbeWin>();
    EXPECT_EQ(&first, &app.implicitInstance<ProbeWin>());
    first.close();
    EXPECT_EQ(app.openInstance<ProbeWin>(), nullptr);
    app.implicitInstance<ProbeWin>();
    app.implicitInstance<OtherWin>();
    app.quit();
    EXPECT_EQ(ProbeWin::log, (Log{"open ok", "open field", "open window", "close", "open ok", "open field",
                                  "open window", "open ok", "open field", "open window", "close", "close"}));
    EXPECT_EQ(std::tuple(app.quitting(), app.openInstance<ProbeWin>(), app.exitStatus()), std::tuple(true, nullptr, 0));
}

TEST_F(FrameworkTest, UnhandledExceptionIsReportedAndQuitsWithStatusOne)
{
    probe();
    fw::Application::instance().dispatch([] { throw fw::RuntimeException("nil object"); });
    EXPECT_EQ(ProbeWin::log, Log{"close"});
    EXPECT_EQ(fw::Application::instance().exitStatus(), 1);
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_TRUE(sys.messages[0].contains("nil object")) << sys.messages[0].toStdString();
}

TEST_F(FrameworkTest, SoundStopsWhenItsLengthHasPassedAndWaitsAdvanceTheClock)
{
    fw::Sound sound(1, "test:1", 0.5);
    sound.play();
    const auto start = fw::Ticks();
    fw::waitUntil([&] { return !sound.isPlaying(); });
    EXPECT_EQ(fw::Ticks(), start + 30) << "half a second of ticks";
    EXPECT_EQ(sys.yields, 30);
    EXPECT_EQ(sys.played.size(), 1u);
}

TEST(WavLength, ReadsTheDataChunkAndRejectsOtherFiles)
{
    // One second: a byte rate of 88200 (0x15888) and as many bytes of data.
    const QByteArray wav = QByteArray("RIFF\0\0\0\0WAVEfmt \x10\0\0\0", 20) + QByteArray(8, '\0') +
                           QByteArray("\x88\x58\x01\0\0\0\0\0data\x88\x58\x01\0", 16) + QByteArray(88200, '\0');
    EXPECT_DOUBLE_EQ(fw::wavSeconds(wav), 1.0);
    EXPECT_EQ(fw::wavSeconds("RIFX" + wav.mid(4)), 0.0);
    EXPECT_EQ(fw::wavSeconds(wav.left(30)), 0.0);
}

TEST(TextHelpers, FollowTheGamesOneBasedRules)
{
    EXPECT_EQ(std::tuple(fw::InStr("tgb 0", " "), fw::InStr("qaz1", "Q"), fw::InStr("tgb 0", "x"), fw::InStr("a", "")),
              std::tuple(4, 1, 0, 0));
    EXPECT_EQ((std::vector<Text>{fw::NthField("a,b,c,d", ",", 3), fw::NthField("0", ":", 2), fw::NthField("x", ",", 0),
                                 fw::Mid("d14", 2), fw::Mid("abcdef", 2, 3), fw::Mid("abc", 9),
                                 fw::Replace("%1 %1", "%1", "x")}),
              (std::vector<Text>{"c", "", "", "14", "bcd", "", "x %1"}));
    const std::pair<const char*, double> vals[] = {
        {"", 0},      {"abc", 0},   {"007", 7}, {"12.", 12}, {"-3", -3}, {"99.5", 99.5},
        {" 42x", 42}, {"1e2", 100}, {"1e", 1},  {"-", 0},    {"+5", 5},  {"1e999", 1.7976931348623157e308},
    };
    for (const auto& [text, value] : vals)
        EXPECT_DOUBLE_EQ(fw::Val(text), value) << text;
    for (const auto& [value, text] : {std::pair{51.0, "51"}, {-3.0, "-3"}, {2.5, "2.5"}, {0.0, "0"}})
        EXPECT_EQ(fw::Str(value), text);
    for (const auto& [value, saturated] :
         {std::pair{1e12, 2147483647}, {-1e12, -2147483647 - 1}, {-2.9, -2}, {std::nan(""), 0}})
        EXPECT_EQ(fw::ToInt32(value), saturated) << value;
}

TEST_F(FrameworkTest, DateFieldsRollOverAndKeepTheOthers)
{
    sys.setNow(QDateTime(QDate(2026, 5, 1), QTime(23, 58, 40)));
    fw::Date d;
    d.setMinute(3);
    d.setHour(25);
    EXPECT_EQ(std::tuple(d.day(), d.hour(), d.minute(), d.second()), std::tuple(2, 1, 3, 40));
    d.setTotalSeconds(d.totalSeconds() + 300);
    EXPECT_EQ(std::tuple(d.day(), d.hour(), d.minute(), d.second()), std::tuple(2, 1, 8, 40));
}

TEST_F(FrameworkTest, PictureWhiteIsTransparentWhenAskedAndWhiteInTheMaskHides)
{
    const auto pixels = [](QRgb left, QRgb right) {
        QImage image(2, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, left);
        image.setPixel(1, 0, right);
        return image;
    };
    fw::Picture symbol(pixels(qRgb(255, 255, 255), qRgb(200, 0, 0)));
    symbol.setTransparent(1);
    fw::Picture target(pixels(qRgb(0, 127, 0), qRgb(0, 127, 0)));
    target.graphics().drawPicture(symbol, 0, 0);
    EXPECT_EQ(std::pair(target.image().pixel(0, 0), target.image().pixel(1, 0)),
              std::pair(qRgb(0, 127, 0), qRgb(200, 0, 0)));
    fw::Picture icon(pixels(qRgb(10, 20, 30), qRgb(10, 20, 30)));
    icon.mask().graphics().drawPicture(fw::Picture(pixels(qRgb(0, 0, 0), qRgb(255, 255, 255))), 0, 0);
    const QImage rendered = icon.rendered();
    EXPECT_EQ(std::pair(qAlpha(rendered.pixel(0, 0)), qAlpha(rendered.pixel(1, 0))), std::pair(255, 0));
}
