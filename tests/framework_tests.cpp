// The layer over Qt: key routing, buttons, canvases, window life cycle,
// sounds on the fake clock, and the text helpers.

#include "support.h"

#include "framework/date.h"
#include "framework/picture.h"
#include "framework/sound.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

using fw::ControlKind;
using fw::ControlRecord;
using fw::Text;

namespace {

class ProbeWin : public fw::Window {
public:
    static inline int closes = 0;
    std::vector<QString> opened;
    std::vector<QString> windowKeys;
    std::vector<QString> fieldKeys;
    std::vector<QString> pushed;
    std::vector<QString> clicks;
    bool fieldSwallows = false;

    void ok_Action() { pushed.push_back("ok"); }
    void cancel_Action() { pushed.push_back("cancel"); }
    void other_Action() { pushed.push_back("other"); }
    void ok_Open() { opened.push_back("ok"); }
    void field_Open() { opened.push_back("field"); }
    bool field_KeyDown(const Text& key)
    {
        fieldKeys.push_back(key);
        return fieldSwallows;
    }
    bool view_MouseDown(fw::Canvas& me, int x, int y)
    {
        clicks.push_back(QStringLiteral("down %1 %2,%3").arg(me.index()).arg(x).arg(y));
        return true;
    }
    void view_MouseUp(fw::Canvas& me, int x, int y)
    {
        clicks.push_back(QStringLiteral("up %1 %2,%3").arg(me.index()).arg(x).arg(y));
    }
    bool KeyDown(const Text& key) override
    {
        windowKeys.push_back(key);
        return key == QLatin1String("x");
    }
    void Open() override { opened.push_back("window"); }
    void Close() override { ++closes; }

protected:
    const fw::WindowRecord& layoutRecord() const override
    {
        static constexpr fw::WindowRecord record{.title = "Probe", .width = 300, .height = 200, .visible = false};
        return record;
    }
    std::span<const ControlRecord> controlRecords() const override
    {
        static constexpr ControlRecord records[] = {
            {.kind = ControlKind::PushButton, .name = "ok", .left = 200, .top = 160, .width = 80, .height = 20,
             .caption = "OK", .isDefault = true},
            {.kind = ControlKind::PushButton, .name = "cancel", .left = 100, .top = 160, .width = 80, .height = 20,
             .caption = "Cancel", .isCancel = true},
            {.kind = ControlKind::PushButton, .name = "other", .left = 10, .top = 160, .width = 80, .height = 20,
             .caption = "Other"},
            {.kind = ControlKind::EditField, .name = "field", .left = 10, .top = 10, .width = 100, .height = 20,
             .limitText = 5},
            {.kind = ControlKind::Canvas, .name = "view", .index = 0, .left = 10, .top = 50, .width = 30,
             .height = 30},
            {.kind = ControlKind::Canvas, .name = "view", .index = 1, .left = 20, .top = 60, .width = 30,
             .height = 30},
        };
        return records;
    }
    void bindHandlers() override
    {
        bind("ok", "Open", &ProbeWin::ok_Open);
        bind("ok", "Action", &ProbeWin::ok_Action);
        bind("cancel", "Action", &ProbeWin::cancel_Action);
        bind("other", "Action", &ProbeWin::other_Action);
        bind("field", "Open", &ProbeWin::field_Open);
        bind("field", "KeyDown", &ProbeWin::field_KeyDown);
        bind("view", "MouseDown", &ProbeWin::view_MouseDown);
        bind("view", "MouseUp", &ProbeWin::view_MouseUp);
    }
};

class OtherWin : public ProbeWin {};

class FrameworkTest : public GameTest {
protected:
    ProbeWin& probe()
    {
        ProbeWin& w = fw::Application::instance().implicitInstance<ProbeWin>();
        w.show();
        QApplication::setActiveWindow(w.host());
        return w;
    }
};

}  // namespace

TEST_F(FrameworkTest, ControlsOpenInCreationOrderThenTheWindow)
{
    ProbeWin& w = probe();
    EXPECT_EQ(w.opened, (std::vector<QString>{"ok", "field", "window"}));
}

TEST_F(FrameworkTest, FocusedButtonNeverActsOnAKeyByItself)
{
    ProbeWin& w = probe();
    fw::PushButton& other = w.pushButton("other");
    other.setFocus();
    ASSERT_TRUE(other.hasFocus());
    QTest::keyClick(other.widget(), Qt::Key_Space);
    QTest::keyClick(other.widget(), Qt::Key_T);
    EXPECT_TRUE(w.pushed.empty()) << "a focused button acted on a typed key";
    EXPECT_EQ(w.windowKeys, (std::vector<QString>{" ", "t"}));
}

TEST_F(FrameworkTest, ReturnAndEnterPushTheDefaultButtonEscapeTheCancelButton)
{
    ProbeWin& w = probe();
    w.clearFocus();
    QTest::keyClick(w.host(), Qt::Key_Return);
    QTest::keyClick(w.host(), Qt::Key_Enter);
    QTest::keyClick(w.host(), Qt::Key_Escape);
    EXPECT_EQ(w.pushed, (std::vector<QString>{"ok", "ok", "cancel"}));
    // The window's KeyDown sees them first: Return is CR, Enter code 3.
    ASSERT_EQ(w.windowKeys.size(), 3u);
    EXPECT_EQ(fw::Asc(w.windowKeys[0]), 13);
    EXPECT_EQ(fw::Asc(w.windowKeys[1]), 3);
}

TEST_F(FrameworkTest, KeyHandledByTheWindowDoesNotReachTheDefaultButton)
{
    ProbeWin& w = probe();
    w.clearFocus();
    QTest::keyClick(w.host(), Qt::Key_X);
    EXPECT_EQ(w.windowKeys, (std::vector<QString>{"x"}));
    EXPECT_TRUE(w.pushed.empty());
}

TEST_F(FrameworkTest, DisabledButtonsAreNotPushed)
{
    ProbeWin& w = probe();
    w.pushButton("ok").setEnabled(false);
    w.pushButton("ok").push();
    w.clearFocus();
    QTest::keyClick(w.host(), Qt::Key_Return);
    EXPECT_TRUE(w.pushed.empty());
}

TEST_F(FrameworkTest, FocusedEntryFieldTakesKeysUnlessItsHandlerSwallowsThem)
{
    ProbeWin& w = probe();
    fw::EditField& field = w.editField("field");
    field.setFocus();
    QTest::keyClicks(field.widget(), "abcdefg");
    EXPECT_EQ(field.text(), "abcde") << "the limit of 5 characters";
    EXPECT_TRUE(w.windowKeys.empty());
    w.fieldSwallows = true;
    field.setText("");
    QTest::keyClicks(field.widget(), "zz");
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(w.fieldKeys.size(), 9u);
    // Return in a field that does not swallow it pushes the default button.
    w.fieldSwallows = false;
    QTest::keyClick(field.widget(), Qt::Key_Return);
    EXPECT_EQ(w.pushed, (std::vector<QString>{"ok"}));
}

TEST_F(FrameworkTest, CtrlGivesTheLetterWithCommandHeld)
{
    struct CtrlWin : ProbeWin {
        bool command = false;
        bool KeyDown(const Text& key) override
        {
            command = fw::Keyboard::commandKey();
            return ProbeWin::KeyDown(key);
        }
    };
    auto& w = fw::Application::instance().implicitInstance<CtrlWin>();
    w.show();
    w.clearFocus();
    QTest::keyClick(w.host(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(w.windowKeys, (std::vector<QString>{"n"}));
    EXPECT_TRUE(w.command);
    EXPECT_FALSE(fw::Keyboard::commandKey()) << "Command is held only while its key is handled";
}

TEST_F(FrameworkTest, ReleaseGoesToTheViewThatTookThePressAndLaterViewsLieAbove)
{
    ProbeWin& w = probe();
    // (25, 65) in the window lies in both views; view 1 was made later.
    QWidget* top = w.canvas("view", 1).widget();
    QTest::mousePress(top, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(top, Qt::LeftButton, {}, QPoint(40, -20));
    EXPECT_EQ(w.clicks, (std::vector<QString>{"down 1 5,5", "up 1 40,-20"}));
    EXPECT_EQ(w.content()->childAt(25, 65), top);
}

TEST_F(FrameworkTest, ImplicitInstanceIsMadeOnceAndRemadeAfterClose)
{
    ProbeWin& first = fw::Application::instance().implicitInstance<ProbeWin>();
    EXPECT_EQ(&first, &fw::Application::instance().implicitInstance<ProbeWin>());
    const int closes = ProbeWin::closes;
    first.close();
    EXPECT_EQ(ProbeWin::closes, closes + 1);
    EXPECT_EQ(fw::Application::instance().openInstance<ProbeWin>(), nullptr);
    ProbeWin& second = fw::Application::instance().implicitInstance<ProbeWin>();
    EXPECT_TRUE(second.isOpen());
    EXPECT_EQ(second.opened.size(), 3u) << "a new window runs its Open events again";
}

TEST_F(FrameworkTest, QuitClosesEveryOpenWindowRaisingClose)
{
    fw::Application::instance().implicitInstance<ProbeWin>();
    fw::Application::instance().implicitInstance<OtherWin>();
    const int closes = ProbeWin::closes;
    fw::Application::instance().quit();
    EXPECT_EQ(ProbeWin::closes, closes + 2);
    EXPECT_TRUE(fw::Application::instance().quitting());
    EXPECT_EQ(fw::Application::instance().openInstance<ProbeWin>(), nullptr);
}

TEST_F(FrameworkTest, UnhandledExceptionIsReportedAndQuits)
{
    fw::Application::instance().implicitInstance<ProbeWin>();
    const int closes = ProbeWin::closes;
    fw::Application::instance().dispatch([] { throw fw::RuntimeException("nil object"); });
    ASSERT_EQ(sys.messages.size(), 1u);
    EXPECT_TRUE(sys.messages[0].contains("nil object"));
    EXPECT_EQ(ProbeWin::closes, closes + 1) << "the quit closes the windows, as a quit does";
    EXPECT_EQ(fw::Application::instance().exitStatus(), 1);
}

TEST_F(FrameworkTest, SoundStopsPlayingWhenItsLengthHasPassed)
{
    fw::Sound sound(1, "test:1", 0.5);
    sound.setVolume(140);
    EXPECT_EQ(sound.volume(), 100);
    EXPECT_FALSE(sound.isPlaying());
    sound.play();
    EXPECT_TRUE(sound.isPlaying());
    sys.advanceTicks(29);
    EXPECT_TRUE(sound.isPlaying());
    sys.advanceTicks(1);
    EXPECT_FALSE(sound.isPlaying()) << "no device can keep a sound playing for ever";
    ASSERT_EQ(sys.played.size(), 1u);
    EXPECT_EQ(sys.played[0].volume, 100);
}

TEST_F(FrameworkTest, WaitsAdvanceTheClockAndEnd)
{
    const auto start = fw::Ticks();
    fw::waitUntil([&] { return fw::Ticks() >= start + 12; });
    EXPECT_EQ(fw::Ticks(), start + 12);
    EXPECT_EQ(sys.yields, 12);
}

TEST(WavLength, ReadsTheDataChunkAndRejectsOtherFiles)
{
    QByteArray wav("RIFF\0\0\0\0WAVEfmt ", 16);
    QByteArray fmt(16, '\0');
    fmt[8] = char(0x88);  // byte rate 44100 * 2 = 88200 = 0x15888
    fmt[9] = char(0x58);
    fmt[10] = char(0x01);
    wav += QByteArray("\x10\0\0\0", 4) + fmt;
    wav += QByteArray("data", 4) + QByteArray("\x88\x58\x01\0", 4) + QByteArray(88200, '\0');
    EXPECT_DOUBLE_EQ(fw::wavSeconds(wav), 1.0);
    EXPECT_EQ(fw::wavSeconds("not a wave"), 0.0);
    EXPECT_EQ(fw::wavSeconds(wav.left(30)), 0.0);
}

TEST(TextHelpers, OneBasedPositionsAndFields)
{
    EXPECT_EQ(fw::InStr("tgb 0", " "), 4);
    EXPECT_EQ(fw::InStr("tgb 0", "x"), 0);
    EXPECT_EQ(fw::InStr("qaz1", "Q"), 1) << "case-insensitive";
    EXPECT_EQ(fw::InStr("abc", ""), 0);
    EXPECT_EQ(fw::NthField("a,b,c,d", ",", 3), "c");
    EXPECT_EQ(fw::NthField("10:3", ":", 2), "3");
    EXPECT_EQ(fw::NthField("0", ":", 2), "");
    EXPECT_EQ(fw::NthField("x", ",", 0), "");
    EXPECT_EQ(fw::Left("d14", 1), "d");
    EXPECT_EQ(fw::Mid("d14", 2), "14");
    EXPECT_EQ(fw::Mid("abc", 9), "");
    EXPECT_EQ(fw::Mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(fw::Len("\u2026"), 1);
}

TEST(TextHelpers, ValAndStrFollowTheGameRules)
{
    const std::pair<const char*, double> vals[] = {
        {"", 0},    {"abc", 0}, {"007", 7},   {"12.", 12},    {"-3", -3},    {"99.5", 99.5},
        {" 42x", 42}, {"1e2", 100}, {"1e", 1}, {"-", 0}, {"+5", 5}, {"1e999", 1.7976931348623157e308},
    };
    for (const auto& [text, value] : vals)
        EXPECT_DOUBLE_EQ(fw::Val(text), value) << text;
    EXPECT_EQ(fw::Str(51.0), "51");
    EXPECT_EQ(fw::Str(-3.0), "-3");
    EXPECT_EQ(fw::Str(2.5), "2.5");
    EXPECT_EQ(fw::Str(0), "0");
    EXPECT_EQ(fw::ToInt32(1e12), 2147483647);
    EXPECT_EQ(fw::ToInt32(-1e12), -2147483647 - 1);
    EXPECT_EQ(fw::ToInt32(-2.9), -2);
    EXPECT_EQ(fw::ToInt32(std::nan("")), 0);
}

TEST(TextHelpers, ReplaceFirstOrAllAndUppercase)
{
    EXPECT_EQ(fw::Replace("%1 %1", "%1", "x"), "x %1");
    EXPECT_EQ(fw::ReplaceAll("a*b*c", "*", "\n"), "a\nb\nc");
    EXPECT_EQ(fw::Uppercase("två"), "TVÅ");
    EXPECT_EQ(fw::Asc("\r"), 13);
    EXPECT_EQ(fw::Chr(13), "\r");
}

TEST_F(FrameworkTest, DateFieldsRollOverAndKeepTheOthers)
{
    sys.setNow(QDateTime(QDate(2026, 5, 1), QTime(23, 58, 40)));
    fw::Date d;
    EXPECT_EQ(d.hour(), 23);
    d.setMinute(3);
    EXPECT_EQ(d.hour(), 23);
    EXPECT_EQ(d.second(), 40);
    d.setHour(25);
    EXPECT_EQ(d.day(), 2);
    EXPECT_EQ(d.hour(), 1);
    const double before = d.totalSeconds();
    d.setTotalSeconds(before + 300);
    EXPECT_EQ(d.minute(), 8);
}

TEST_F(FrameworkTest, PictureTransparencyAndMask)
{
    fw::Picture symbol(2, 1);
    symbol.image().setPixel(1, 0, qRgb(200, 0, 0));
    symbol.setTransparent(1);
    fw::Picture target(2, 1);
    target.image().fill(qRgb(0, 127, 0));
    target.graphics().drawPicture(symbol, 0, 0);
    EXPECT_EQ(target.image().pixel(0, 0), qRgb(0, 127, 0)) << "white lets the green through";
    EXPECT_EQ(target.image().pixel(1, 0), qRgb(200, 0, 0));

    fw::Picture icon(2, 1);
    icon.image().fill(qRgb(10, 20, 30));
    icon.mask().image().setPixel(1, 0, qRgb(255, 255, 255));
    const QImage shown = icon.rendered();
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(shown.pixel(1, 0)), 0) << "white in the mask hides";
}

TEST_F(FrameworkTest, CheckBoxCaptionShrinksToFitItsBoxAndGrowsBack)
{
    struct BoxWin : fw::Window {
        const fw::WindowRecord& layoutRecord() const override
        {
            static constexpr fw::WindowRecord record{.title = "Boxes", .width = 300, .height = 100, .visible = false};
            return record;
        }
        std::span<const ControlRecord> controlRecords() const override
        {
            static constexpr ControlRecord records[] = {
                {.kind = ControlKind::CheckBox, .name = "box", .left = 10, .top = 10, .width = 120, .height = 20,
                 .caption = "Short", .textSize = 10},
            };
            return records;
        }
    };
    auto& w = fw::Application::instance().implicitInstance<BoxWin>();
    w.show();
    fw::CheckBox& box = w.checkBox("box");
    const int natural = box.widget()->font().pixelSize();
    const Text longer = "Rather long for this box";
    box.setCaption(longer);
    const QFont shrunk = box.widget()->font();
    EXPECT_LT(shrunk.pixelSize(), natural);
    EXPECT_LT(QFontMetrics(shrunk).horizontalAdvance(longer), box.width()) << "the caption still runs past the box";
    EXPECT_EQ(box.width(), 120) << "the box keeps its size";
    box.setWidth(400);
    EXPECT_EQ(box.widget()->font().pixelSize(), natural) << "room enough again: the caption's own size";
}
