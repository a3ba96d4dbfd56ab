#include "framework/fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace fw {

namespace {

// The layouts were made for a face of Helvetica's widths at 72 dpi, where
// a point is a pixel and the system size is 13. These faces have those
// widths; the first one installed is used.
const char* const gameFamilies[] = {"Liberation Sans", "Arimo", "Arial", "Helvetica"};
constexpr int systemPixels = 13;

}  // namespace

void installGameFont()
{
    QFont font = QGuiApplication::font();
    for (const char* family : gameFamilies) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            font.setFamily(QString::fromLatin1(family));
            break;
        }
    }
    font.setPixelSize(systemPixels);
    QGuiApplication::setFont(font);
}

QFont fontFor(const Text& family, int size, bool bold)
{
    QFont font = QGuiApplication::font();
    if (!family.isEmpty() && !SameText(family, QStringLiteral("System")))
        font.setFamily(family);
    font.setPixelSize(size > 0 ? size : systemPixels);
    font.setBold(bold);
    return font;
}

}  // namespace fw
