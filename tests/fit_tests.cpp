// Every key has its Swedish translation, and every text a window shows fits
// its control in English and in Swedish: none drawn smaller than its layout
// asks, cut, or wrapped onto more lines than it was laid out for.

#include "support.h"

#include "framework/fonts.h"
#include "table/results.h"
#include "table/slut.h"
#include "windows/forsokInte.h"
#include "windows/om.h"
#include "windows/pref.h"
#include "windows/regler.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTest>
#include <QTranslator>

using fw::Text;

namespace {

// A caption keeps this much of its button clear of the button's frame.
constexpr int buttonPadding = 8;

// Each text of the window that does not fit; a paragraph may wrap within
// its height.
std::vector<std::string> misfits(const fw::Window& window, const char* paragraph = "")
{
    std::vector<std::string> found;
    for (const auto& c : window.controls()) {
        QWidget* w = c->widget();
        Text text;
        int room = c->width();
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            text = button->text();
            room -= buttonPadding;
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            text = box->text();
            room -= box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                    box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            text = label->text();
        } else if (auto* bar = w->findChild<QTabBar*>()) {
            w = bar;
            for (int i = 0; i < bar->count(); ++i)
                text += bar->tabText(i);
            room -= bar->sizeHint().width() - bar->fontMetrics().horizontalAdvance(text);
        } else {
            continue;
        }
        const QFontMetrics fm(w->font());
        const QStringList lines = text.split('\n');
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, fm.horizontalAdvance(line));
        int tall = (lines.size() - 1) * fm.lineSpacing() + fm.height();
        if (c->name() == QLatin1String(paragraph)) {
            tall = fm.boundingRect(QRect(0, 0, room, 10000), Qt::TextWordWrap, text).height();
            widest = 0;
        }
        const int asked = fw::fontFor(c->textFont(), c->textSize()).pixelSize();
        const bool outside = c->left() + c->width() - room + widest > window.width();
        if (widest > room || tall > c->height() || w->font().pixelSize() != asked || outside)
            found.push_back(QString::asprintf("%s \"%s\" needs %d x %d px at %d px, has %d x %d at %d px",
                                              qPrintable(c->name()), qPrintable(text), widest, tall,
                                              w->font().pixelSize(), room, c->height(), asked)
                                .toStdString());
    }
    return found;
}

class FitTest : public GameTest {};

}  // namespace

TEST_F(FitTest, EveryKeyHasASwedishTranslationAndEveryTextFitsItsControlInEnglishAndSwedish)
{
    QFile file(VESKO_SOURCE_DIR "/resources/translations/keys.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList keys = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    EXPECT_GT(keys.size(), 50);
    for (const char* language : {"en", "sv"}) {
        SCOPED_TRACE(language);
        QTranslator translator;
        ASSERT_TRUE(translator.load(QStringLiteral(":/i18n/vesko_%1.qm").arg(language)));
        catalogue.entries.clear();
        for (const QString& key : keys) {
            EXPECT_EQ(key, text::lookupKey(key)) << "a key never ends in … . or :";
            const QString found = translator.translate("Localizable", key.toUtf8().constData());
            EXPECT_TRUE(!found.isEmpty() || language == std::string("en")) << "no translation: " << key.toStdString();
            if (!found.isEmpty())
                catalogue.entries[key] = found;
        }
        fw::Application::instance().reset();
        playWin& table = openTable();
        EXPECT_EQ(misfits(table), std::vector<std::string>{});
        // The self-discipline row in its singular and its plural form.
        emulerad& question = emulerad::instance();
        EXPECT_EQ(misfits(question), std::vector<std::string>{});
        QTest::keyClick(question.host(), Qt::Key_5);
        EXPECT_EQ(misfits(question), std::vector<std::string>{});
        question.close();
        EXPECT_EQ(misfits(pref::instance()), std::vector<std::string>{});
        EXPECT_EQ(misfits(forsokInte::instance()), std::vector<std::string>{});
        EXPECT_EQ(misfits(om::instance()), std::vector<std::string>{});
        EXPECT_EQ(misfits(regler::instance(), "StaticText1"), std::vector<std::string>{});
        // The end-of-game dialog's widest results, the last with its OK quitting.
        const EndState ends[] = {{.maxFaults = 0, .numFaults = 1, .timesLeft = 1}, {.cardsOnTable = 4, .antalFusk = 12},
                                 {.cardsOnTable = 4, .deckEmpty = false}, {.cardsOnTable = 9, .timesLeft = 8},
                                 {.cardsOnTable = 9, .timesLeft = 0}};
        for (const EndState& end : ends) {
            const GameResult r = composeResult(end);
            table.timesLeft = end.timesLeft;
            table.visaSlut(r.status, r.status2, r.showCancel, r.won);
            EXPECT_EQ(misfits(slut::instance()), std::vector<std::string>{});
        }
        // Its empty title stays empty: the window system would write the
        // application's name, untranslated, into an empty one.
        EXPECT_EQ(slut::instance().title(), "");
        EXPECT_FALSE(slut::instance().host()->windowTitle().isEmpty());
    }
}

TEST_F(FitTest, TheSelfDisciplineRowSharesOneBaseline)
{
    openTable();
    emulerad& question = emulerad::instance();
    QTest::keyClick(question.host(), Qt::Key_5);
    // Letters without descenders show where each control puts its baseline.
    question.checkBox("spelaBaraChk").setCaption("HH");
    question.staticText("ggrTxt").setText("HH");
    question.editField("antalTxt").setText("5");
    const QImage row = question.content()->grab().toImage();
    // The lowest row of dark pixels inside the control, past its first pixels on the left.
    const auto inkBottom = [&row](const fw::Control& c, int skipLeft) {
        for (int y = c.top() + c.height() - 4; y > c.top() + 2; --y)
            for (int x = c.left() + skipLeft; x < c.left() + c.width() - 3; ++x)
                if (qGray(row.pixel(x, y)) < 160)
                    return y;
        return -1;
    };
    const int box = inkBottom(question.checkBox("spelaBaraChk"), 20);
    EXPECT_EQ(std::pair(box > 0, inkBottom(question.staticText("ggrTxt"), 0)), std::pair(true, box));
    EXPECT_NEAR(inkBottom(question.editField("antalTxt"), 3), box, 1);
}
