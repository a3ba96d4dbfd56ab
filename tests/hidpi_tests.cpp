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
// outline, wider the blurrier it is.
int rim(const QImage& image, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGreen(image.pixel(x, y)) > 40 && qGreen(image.pixel(x, y)) < 230;
    return count;
}

}  // namespace

using HidpiTest = TableTest;

TEST_F(HidpiTest, CardFacesKeepTheirLayoutAndAreSharpAtEachDensityAndNamedInTheirHelpTags)
{
    // With the outline of the rank label at 3x: its glyphs at 36 px, the queen's with a tail.
    for (const auto& [suit, rank, number, tag, outline] : {std::tuple{"a", "10", 168, "Ten of clubs", 150}, {"b", "14", 169, "Ace of diamonds", 83},
                                                          {"c", "12", 170, "Queen of hearts", 115}, {"d", "13", 171, "King of spades", 75}}) {
        w().getCard(view(2, 3), QString::fromLatin1(suit), QString::fromLatin1(rank));
        EXPECT_EQ(str(view(2, 3).helpTag()), tag) << "the card's name is its help tag";
        for (const int ratio : {1, 2, 3}) {
            SCOPED_TRACE(std::to_string(ratio) + suit);
            const QImage face = view(2, 3).backdrop(ratio);
            EXPECT_EQ(std::pair(face.size(), face.devicePixelRatio()), std::pair(QSize(25, 34) * ratio, 1.0 * ratio));
            EXPECT_EQ(face.copy(0, 0, ratio, ratio), file(172, ratio).copy(0, 0, ratio, ratio)) << "the corner";
            // Drawn from the picture made for the density, not a blown-up one.
            EXPECT_EQ(face.copy(4 * ratio, 4 * ratio, 16 * ratio, 16 * ratio), file(number, ratio)) << "the suit";
            // The rank label is text laid out at the density: its soft rim is
            // narrower than that of the 1x face blown up, smoothly or not.
            if (ratio > 1) {
                const QImage one = view(2, 3).backdrop(1);
                const QRect label(2 * ratio, 21 * ratio, 21 * ratio, 11 * ratio);
                const int blocky = rim(one.scaled(face.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation), label);
                const int smooth = rim(one.scaled(face.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation), label);
                EXPECT_LT(rim(face, label), std::min(blocky, smooth * 3 / 4)) << "the rank label";
                EXPECT_TRUE(ratio < 3 || rim(face, label) == outline) << "the rank label's size and letter";
            }
        }
    }
}

TEST_F(HidpiTest, ACardViewPaintsTheFaceMadeForTheDensityItIsPaintedAt)
{
    w().getCard(view(2, 3), "d", "13");
    for (const int ratio : {1, 2, 3}) {
        QImage painted(QSize(25, 34) * ratio, QImage::Format_ARGB32_Premultiplied);
        painted.setDevicePixelRatio(ratio);
        painted.fill(Qt::transparent);
        view(2, 3).widget()->render(&painted, {}, {}, {});
        EXPECT_EQ(painted, view(2, 3).backdrop(ratio).convertToFormat(painted.format())) << ratio << "x";
    }
}

TEST_F(HidpiTest, IconsShowTheirDensestPictureCutOutAlongTheirMaskAtEachDensity)
{
    // Each cut out along its mask, the logo along its own white.
    const std::tuple<const char*, const fw::Canvas*, int, int, QSize> icons[] = {
        {"stop", &forsokInte::instance().canvas("stopIcn"), 176, 177, {128, 128}},
        {"logo", &om::instance().canvas("Canvas1"), 173, 173, {133, 125}},
        {"note", (w().visaSlut("", "", false, false), &slut::instance().canvas("noteIcn")), 174, 175, {128, 128}},
    };
    for (const auto& [what, icon, number, mask, size] : icons) {
        for (const int ratio : {1, 2, 3}) {
            SCOPED_TRACE(what + std::to_string(ratio));
            const QImage shown = icon->backdrop(ratio), drawn = file(number, ratio), cover = file(mask, ratio);
            ASSERT_EQ(std::pair(shown.size(), shown.devicePixelRatio()), std::pair(size * ratio, 1.0 * ratio));
            // Across the middle, whatever shows is the picture's own pixel.
            int shows = 0, differ = 0;
            for (int x = 0, y = shown.height() / 2; x < shown.width(); ++x) {
                const bool opaque = qAlpha(shown.pixel(x, y)) == 255;
                shows += opaque;
                differ += opaque && shown.pixel(x, y) != drawn.pixel(x, y);
                differ += (qAlpha(shown.pixel(x, y)) > 0) != (cover.pixel(x, y) != 0xFFFFFFFF);
            }
            EXPECT_EQ(std::pair(differ, shows > shown.width() / 2), std::pair(0, true));
        }
    }
}
