// Card faces and icons at the screen's pixel density: the same logical
// size, each logical pixel drawn from pictures made for that density.

#include "table_support.h"

#include "table/slut.h"
#include "windows/forsokInte.h"
#include "windows/om.h"

namespace {

QImage file(int number, int ratio)
{
    const QString suffix = ratio == 1 ? QString() : QStringLiteral("@%1x").arg(ratio);
    return QImage(QStringLiteral(":/pictures/%1%2.png").arg(number).arg(suffix))
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Pixels part way between the paper and the ink: the soft rim along an
// outline, wider the blurrier it is. Ink is dark or red, so green tells.
int rim(const QImage& image, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGreen(image.pixel(x, y)) > 40 && qGreen(image.pixel(x, y)) < 230;
    return count;
}

QRect scaled(QRect r, int ratio) { return {r.topLeft() * ratio, r.size() * ratio}; }

}  // namespace

using HidpiTest = TableTest;

TEST_F(HidpiTest, CardFacesKeepTheirLayoutAndAreSharpAtEachDensity)
{
    const QRect suitBox(4, 4, 16, 16), labelBox(2, 21, 21, 11);
    for (const auto& [suit, rank, number] : {std::tuple{"a", "10", 168}, {"b", "14", 169}, {"c", "12", 170},
                                            {"d", "8", 171}}) {
        SCOPED_TRACE(suit);
        w().getCard(view(2, 3), QString::fromLatin1(suit), QString::fromLatin1(rank));
        const QImage one = view(2, 3).backdrop(1);
        for (const int ratio : {1, 2, 3}) {
            SCOPED_TRACE(ratio);
            const QImage face = view(2, 3).backdrop(ratio);
            EXPECT_EQ(std::pair(face.size(), face.devicePixelRatio()), std::pair(QSize(25, 34) * ratio, 1.0 * ratio));
            EXPECT_EQ(face.copy(0, 0, ratio, ratio), file(172, ratio).copy(0, 0, ratio, ratio)) << "the corner";
            EXPECT_EQ(face.copy(scaled(suitBox, ratio)), file(number, ratio)) << "the suit from its own picture";
            if (ratio == 1)
                continue;
            // The 1x face blown up has a wider rim along every outline.
            const QImage blownUp = one.scaled(face.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            for (const QRect box : {suitBox, labelBox})
                EXPECT_LT(rim(face, scaled(box, ratio)), rim(blownUp, scaled(box, ratio)) * 3 / 4) << box.top();
        }
    }
    EXPECT_EQ(view(2, 3).width(), 25);
    EXPECT_EQ(view(2, 3).height(), 34);
}

TEST_F(HidpiTest, IconsShowTheirDensestPictureWithTransparentCornersAtEachDensity)
{
    const auto noteIcon = [&](bool won) -> fw::Canvas& {
        w().visaSlut({}, {}, false, won);
        return slut::instance().canvas("noteIcn");
    };
    const std::tuple<const char*, std::function<fw::Canvas&()>, int, QSize> icons[] = {
        {"stop", [] { return std::ref(forsokInte::instance().canvas("stopIcn")); },
         176, {128, 128}},
        {"note", [&] { return std::ref(noteIcon(false)); }, 174, {128, 128}},
        {"win", [&] { return std::ref(noteIcon(true)); }, 178, {128, 128}},
        {"logo", [] { return std::ref(om::instance().canvas("Canvas1")); }, 173, {133, 125}},
    };
    for (const auto& [what, open, number, size] : icons) {
        SCOPED_TRACE(what);
        const fw::Canvas& icon = open();
        for (const int ratio : {1, 2, 3}) {
            SCOPED_TRACE(ratio);
            const QImage shown = icon.backdrop(ratio);
            const QImage drawn = file(number, ratio);
            ASSERT_EQ(std::pair(shown.size(), shown.devicePixelRatio()), std::pair(size * ratio, 1.0 * ratio));
            EXPECT_EQ(qAlpha(shown.pixel(0, 0)) + qAlpha(shown.pixel(shown.width() - 1, 0)), 0) << "corners";
            // Across the middle, whatever shows is the picture's own pixel.
            int shows = 0, differ = 0;
            for (int x = 0, y = shown.height() / 2; x < shown.width(); ++x) {
                const bool opaque = qAlpha(shown.pixel(x, y)) == 255;
                shows += opaque;
                differ += opaque && shown.pixel(x, y) != drawn.pixel(x, y);
            }
            EXPECT_EQ(differ, 0);
            EXPECT_GT(shows, shown.width() / 2);
        }
    }
}
