// Every text a window shows, each window opened as the player opens it, is
// the looked-up one in English and in Swedish, and fits its control: none
// drawn smaller than its layout asks, cut, or wrapped onto more lines than
// it was laid out for; a one-line text sits in the middle of its height.

#include "support.h"

#include "app/App.h"
#include "app/Menu.h"
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
#include <QRegularExpression>
#include <QStyle>
#include <QTabBar>
#include <QLocale>
#include <QPainter>

using fw::Text;

namespace {

// A caption keeps this much of its button clear of the button's frame.
constexpr int buttonPadding = 8;

// A stored text as the catalogue shows it: looked up whole, but a field of the
// sentence around the number of games through the whole sentence, and the
// About title and text without what follows them: version numbers, web address.
Text lookedUp(const Text& stored)
{
    for (const Text sentence : {"I'll play just % times more", "I'll play just % time more"})
        if (const int n = sentence.startsWith(stored) ? 1 : 2; fw::NthField(sentence, "%", n) == stored)
            return fw::NthField(text::lookup(sentence), "%", n);
    const qsizetype cut = stored.indexOf(QRegularExpression(" [\\d.]+$|\\nhttps:[^\\n]*$"));
    return cut > 0 ? text::lookup(stored.left(cut)) + stored.mid(cut) : text::lookup(stored);
}

// The first and the last row that hold ink.
std::pair<int, int> inkRows(const QImage& image)
{
    std::pair rows(-1, -1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                rows = {rows.first < 0 ? y : rows.first, y};
    return rows;
}

// The label's text as drawn in its box, a single line centred in its height;
// a carriage return, as the game writes it, breaks a line.
QImage drawnIn(const QLabel& label, Text text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace('\r', '\n');
    QImage image(label.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(label.font());
    painter.drawText(image.rect(),
                     label.wordWrap() ? label.alignment() | Qt::TextWordWrap
                                      : Qt::AlignVCenter | (label.alignment() & Qt::AlignHorizontal_Mask),
                     text);
    return image;
}

class FitTest : public GameTest {
protected:
    // Checks that every text of the window, those of its menu too, fits; a
    // paragraph may wrap within its height. Keeps them by window and control.
    void see(const fw::Window& window, const std::string& as, const char* paragraph = "")
    {
        std::vector<std::string> found;
        shown[as + " title"] = window.title();
        for (const auto& c : window.controls()) {
            const std::string at = as + " " + c->name().toStdString();
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
                looks += {label->font().bold(), (label->alignment() & Qt::AlignHCenter) != 0};
                if (c->visible()) {
                    EXPECT_EQ(inkRows(label->grab().toImage()),
                              inkRows(drawnIn(*label, static_cast<const fw::StaticText&>(*c).text())))
                        << at << " in its lines, one centred in its height";
                }
            } else if (auto* bar = w->findChild<QTabBar*>()) {
                w = bar;
                for (int i = 0; i < bar->count(); ++i)
                    text += shown[at + " tab " + std::to_string(i)] = bar->tabText(i);
                room -= bar->sizeHint().width() - bar->fontMetrics().horizontalAdvance(text);
            } else {
                continue;
            }
            if (!qobject_cast<QTabBar*>(w))
                shown[at] = text;
            if (!c->helpTag().isEmpty())
                shown[at + " tag"] = c->helpTag();
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
            const int asked = c->textSize() > 0 ? c->textSize() : 13;
            const bool outside = c->left() + c->width() - room + widest > window.width();
            if (widest > room || tall > c->height() || w->font().pixelSize() != asked || outside)
                found.push_back(QString::asprintf("%s \"%s\" needs %d x %d px at %d px, has %d x %d at %d px",
                                                  qPrintable(c->name()), qPrintable(text), widest, tall,
                                                  w->font().pixelSize(), room, c->height(), asked)
                                    .toStdString());
        }
        EXPECT_EQ(found, std::vector<std::string>{}) << as;
        if (auto* bar = window.host()->findChild<QMenuBar*>())
            for (QAction* item : bar->actions().at(0)->menu()->actions() + bar->actions())
                shown[as + " menu " + std::to_string(bar->actions().at(0)->menu()->actions().indexOf(item))] = item->text();
    }
    std::map<std::string, Text> shown;
    // Texts drawn bold, and centred, over every window seen.
    QPoint looks;
};

}  // namespace

TEST_F(FitTest, EveryTextShownIsTheLookedUpOneAndFitsItsControlInEnglishAndSwedish)
{
    QFile file(VESKO_SOURCE_DIR "/resources/translations/keys.txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList keys = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    std::map<std::string, Text> stored;
    Text cardTag;
    // The texts as stored, without a catalogue; then in Swedish.
    for (const char* language : {"", "sv"}) {
        SCOPED_TRACE(language);
        // The game's own catalogue, loaded for the language on its first use.
        QLocale::setDefault(QLocale(language));
        text::setCatalogue(*language ? nullptr : &catalogue);
        std::map<QString, QString> readsAs;
        for (const QString& key : keys) {
            const QString found = text::lookupKey(text::lookup(key));
            EXPECT_TRUE(found != key || !*language || key == "K") << "no translation: " << key.toStdString();
            // Two texts never read the same, and a list keeps its length.
            EXPECT_TRUE(readsAs.emplace(found, key).second)
                << key.toStdString() << " reads as " << readsAs[found].toStdString();
            if (!key.contains(' ')) {
                EXPECT_EQ(found.count(','), key.count(',')) << key.toStdString();
            }
            if (found != key)
                catalogue.entries[key] = found;
        }
        text::setCatalogue(&catalogue);
        shown.clear();
        // A first start-up, where the player promises one game more, which is lost.
        QFile::remove(prefs.path() + "/vesko.txt");
        fw::Application::instance().reset();
        static_cast<App&>(fw::Application::instance()).Open();
        playWin& table = *playWin::openInstance();
        for (const Qt::Key key : {Qt::Key_5, Qt::Key_1, Qt::Key_Return}) {
            see(emulerad::instance(), "question before " + QKeySequence(key).toString().toStdString());
            QTest::keyClick(emulerad::instance().host(), key);
        }
        see(table, "table");
        QTest::mouseClick(table.control("nyttspel").widget(), Qt::LeftButton);
        table.row1cards.push_back("a2");
        table.deck.resize(1);
        sys.advanceSeconds(1);
        QTest::mouseClick(table.control("delaut").widget(), Qt::LeftButton);
        see(table, "last game");
        cardTag = table.cardView(1, 0).helpTag();
        see(slut::instance(), "end");
        see(chooseFromMenu<regler>(menuItems::helpRegler), "rules", "StaticText1");
        see(chooseFromMenu<pref>(menuItems::menuPref), "settings");
        see(chooseFromMenu<om>(menuItems::omVesko), "about");
        // "New game", now "Quit", quits; a start-up within five minutes meets the lock-out.
        QTest::mouseClick(table.control("nyttspel").widget(), Qt::LeftButton);
        sys.advanceSeconds(60);
        fw::Application::instance().reset();
        static_cast<App&>(fw::Application::instance()).Open();
        see(forsokInte::instance(), "lock-out");
        if (!*language) {
            stored = shown;
            QStringList items;
            for (int i = 0; i < 5; ++i)
                items << stored["table menu " + std::to_string(i)];
            EXPECT_EQ(items.join('|'), "Rules…|Settings…|Quit|About Vesko's Solvary…|Emulated Self Discipline…");
        }
        // The end-of-game dialog's widest results, the last with its OK quitting.
        const EndState ends[] = {{.maxFaults = 0, .numFaults = 1, .timesLeft = 1}, {.cardsOnTable = 4, .antalFusk = 12},
                                 {.cardsOnTable = 4, .deckEmpty = false}, {.cardsOnTable = 9, .timesLeft = 8},
                                 {.cardsOnTable = 9, .timesLeft = 0}};
        for (const EndState& end : ends) {
            const GameResult r = composeResult(end);
            playWin::openInstance()->timesLeft = end.timesLeft;
            playWin::openInstance()->visaSlut(r.status, r.status2, r.showCancel, r.won);
            see(slut::instance(), "result " + std::to_string(&end - ends));
        }
        // Its empty title stays empty: the window system would write the
        // application's name, untranslated, into an empty one.
        EXPECT_EQ(slut::instance().title(), "");
        EXPECT_FALSE(slut::instance().host()->windowTitle().isEmpty());
        // Each text as the catalogue has it, and none of its English left.
        for (const auto& [at, text] : stored)
            EXPECT_EQ(shown[at], lookedUp(text)) << at;
        for (const auto& [at, text] : shown)
            for (const auto& [key, value] : catalogue.entries)
                EXPECT_FALSE(key.size() > 3 && key != value && text::lookupKey(text).contains(key)) << at << ": " << key.toStdString();
    }
    // What the code puts around looked-up texts, as the Swedish player reads it.
    EXPECT_EQ(QStringList({shown["question before 1 spelaBaraChk"] + shown["question before 1 ggrTxt"], shown["result 3 status2"], shown["table menu 3"],
                           shown["settings StaticText2"], shown["settings helpChk tag"], shown["about StaticText2"].section('\n', -1), cardTag}).join('|'),
              "Jag spelar bara  gånger till|Åtta försök kvar.|Om Veskos Solvary…|Dela ut med (utöver retur):|Ungefär så här|https://vesko-solvary.example.org/|Klöver två");
    // Per language 12 texts bold (headings, the saying, each result's headline) and 9 centred.
    EXPECT_EQ(std::pair(looks.x(), looks.y()), std::pair(2 * 12, 2 * 9));
}
