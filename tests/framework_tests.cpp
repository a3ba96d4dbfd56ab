// The layer over Qt: key routing, hidden focus,
// sounds and their lengths, the real machine's clock. The text
// helpers are tested through the game rules that use them.

#include "support.h"

#include "framework/sound.h"

#include <QApplication>
#include <QTimer>

#include <set>
#include <tuple>

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
    void Open() override { log.push_back("open"); }
    void Close() override { log.push_back("close"); }

protected:
    const fw::WindowRecord& layoutRecord() const override
    {
        static constexpr fw::WindowRecord record{.title = "Probe", .width = 300, .height = 200, .visible = false};
        return record;
    }
    std::span<const fw::ControlRecord> controlRecords() const override
    {
        static constexpr fw::ControlRecord records[] = {
            {.kind = ControlKind::PushButton, .name = "ok", .width = 80, .height = 20, .isDefault = true},
            {.kind = ControlKind::PushButton, .name = "cancel", .width = 80, .height = 20, .isCancel = true},
            {.kind = ControlKind::PushButton, .name = "other", .width = 80, .height = 20},
            {.kind = ControlKind::EditField, .name = "field", .top = 30, .width = 100, .height = 20, .limitText = 5},
        };
        return records;
    }
    void bindHandlers() override
    {
        for (const char* name : {"ok", "cancel", "other"})
            pushButton(name).onAction = [name] { log.push_back(QStringLiteral("push ") + name); };
        editField("field").onKeyDown = [this](const Text& key) {
            log.push_back("field " + shown(key));
            return takes.contains(key);
        };
    }
};

class FrameworkTest : public GameTest {
protected:
    // A fresh probe window in front, its Open event already logged.
    ProbeWin& probe()
    {
        fw::Application::instance().reset();
        ProbeWin& w = fw::Application::instance().implicitInstance<ProbeWin>();
        w.show();
        QApplication::setActiveWindow(w.host());
        w.clearFocus();
        ProbeWin::log.clear();
        return w;
    }
};

}  // namespace

TEST_F(FrameworkTest, KeysGoToTheFocusedFieldOrTheWindowThenTheDefaultOrCancelButtonNeverAFocusedButton)
{
    // Where the focus is, the keys the handlers take; keys typed, what the handlers saw and did, and the field's text.
    const struct { const char* focus; Text takes; std::vector<QKeyCombination> keys; Log log; Text fieldText; } cases[] = {
        {"", "", {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_T},
         {"window #13", "push ok", "window #3", "push ok", "window #27", "push cancel", "window t"}, ""},
        {"", "\r\x1b", {Qt::Key_Return, Qt::Key_Escape}, {"window #13", "window #27"}, ""},
        {"other", "", {Qt::Key_Space, Qt::Key_T, Qt::Key_Return}, {"window  ", "window t", "window #13", "push ok"}, ""},
        {"field", "", {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_D, Qt::Key_E, Qt::Key_F, Qt::Key_Return},
         {"field a", "field b", "field c", "field d", "field e", "field f", "field #13", "push ok"}, "abcde"},
        {"field", "z", {Qt::Key_Z, Qt::Key_Y}, {"field z", "field y"}, "y"},
        {"", "", {Qt::ControlModifier | Qt::Key_N}, {"window n with Command"}, ""},
    };
    for (const auto& c : cases) {
        ProbeWin& w = probe();
        w.takes = c.takes;
        if (*c.focus)
            w.control(c.focus).setFocus();
        for (const QKeyCombination key : c.keys)
            QTest::keyClick(*c.focus ? w.control(c.focus).widget() : w.host(), key.key(), key.keyboardModifiers());
        EXPECT_EQ(std::pair(ProbeWin::log, w.editField("field").text()), std::pair(c.log, c.fieldText)) << c.focus;
    }
    EXPECT_FALSE(fw::Keyboard::commandKey()) << "Command is held only while its key is handled";
    ProbeWin& w = probe();
    w.control("other").setFocus();
    QTest::keyClick(w.control("other").widget(), Qt::Key_Tab);
    EXPECT_FALSE(w.control("other").hasFocus()) << "Tab moves on from a focused button";
    // The program hides the focused field: keys go to the window, not to a
    // control Qt would pass the focus on to, and to the field once it shows.
    ProbeWin& hiding = probe();
    hiding.control("field").setFocus();
    const auto typeAt = [&](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : hiding.host(), key);
    };
    hiding.control("field").setVisible(false);
    typeAt(Qt::Key_Return);
    hiding.control("field").setVisible(true);
    typeAt(Qt::Key_B);
    EXPECT_EQ(ProbeWin::log, (Log{"window #13", "push ok", "field b"}));
    // X11 gives Ctrl+N the control character 14 as its text.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_N, Qt::ControlModifier, QString(QChar(14)));
    QApplication::sendEvent(probe().host(), &press);
    EXPECT_EQ(ProbeWin::log, Log{"window n with Command"});
}

TEST_F(FrameworkTest, SoundPlaysForItsLengthRoundedUpToWholeTicks)
{
    for (const auto& [seconds, ticks] : {std::pair{0.5, 30}, {0.11, 7}, {0.0, 0}}) {
        fw::Sound sound(1, "test:1", seconds);
        sound.play();
        const auto start = fw::Ticks();
        fw::waitUntil([&] { return !sound.isPlaying(); });
        EXPECT_EQ(fw::Ticks() - start, ticks) << seconds << " s";
    }
}

TEST(WavLength, IsTheDataChunkOverTheByteRateAfterChunksOfAnySize)
{
    // 44100 samples a second, 88200 (0x15888) bytes a second.
    const QByteArray fmt = QByteArray("fmt \x10\0\0\0\1\0\2\0\x44\xAC\0\0\x88\x58\x01\0\4\0\x10\0", 24);
    const auto riff = [](const QByteArray& chunks) { return QByteArray("RIFF\0\0\0\0WAVE", 12) + chunks; };
    const QByteArray second = QByteArray("data\x88\x58\x01\0", 8) + QByteArray(88200, '\0');
    const QByteArray odd = QByteArray("LIST\3\0\0\0abc\0", 12);  // three bytes and a pad byte
    const std::pair<QByteArray, double> cases[] = {
        {riff(fmt + second), 1.0}, {riff(fmt + odd + second), 1.0}, {riff(odd + fmt + second), 1.0},
        {riff(fmt + second.left(8 + 44100)), 0.5},  // the data cut short
        // Not a wave file, or one without its data or its format.
        {"RIFX" + riff(fmt + second).mid(4), 0.0}, {riff(fmt), 0.0}, {riff(second), 0.0},
    };
    for (const auto& [wav, seconds] : cases)
        EXPECT_DOUBLE_EQ(fw::wavSeconds(QByteArray(wav)), seconds) << wav.left(60).toPercentEncoding().toStdString();
}

TEST(RealSystem, ClockGivesSixtyTicksASecondYieldHandlesEventsAndRandomStaysBelowOne)
{
    fw::System& real = fw::realSystem();
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    const auto msecs = real.nowMSecs(), ticks = real.ticks();
    while (real.nowMSecs() - msecs < 300)
        real.yield();
    const double rate = (real.ticks() - ticks) * 1000.0 / (real.nowMSecs() - msecs);
    EXPECT_TRUE(rate > 30 && rate < 90) << rate << " ticks a second";
    EXPECT_TRUE(handled) << "a wait handles the events that come in";
    std::set<double> values;
    for (int i = 0; i < 1000; ++i)
        values.insert(real.rnd());
    EXPECT_TRUE(*values.begin() >= 0.0 && *values.begin() < 0.02 && *values.rbegin() > 0.98 &&
                *values.rbegin() < 1.0 && values.size() > 990) << "spread over [0, 1)";
}
