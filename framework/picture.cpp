#include "framework/picture.h"

#include "framework/fonts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

namespace fw {

void Graphics::drawPicture(const Picture& picture, int x, int y)
{
    QPainter painter(&target_.image());
    painter.drawImage(x, y, picture.rendered());
}

void Graphics::drawString(const Text& text, int x, int y)
{
    QPainter painter(&target_.image());
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(fontFor(font_, size_ == 0 ? 12 : size_));
    painter.setPen(Qt::black);
    painter.drawText(x, y, text);
}

int Graphics::stringWidth(const Text& text) const
{
    return QFontMetrics(fontFor(font_, size_ == 0 ? 12 : size_)).horizontalAdvance(text);
}

Picture::Picture(int width, int height)
    : image_(qMax(width, 1), qMax(height, 1), QImage::Format_ARGB32_Premultiplied)
{
    image_.fill(Qt::white);
}

Picture::Picture(QImage image) : image_(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {}

Picture::~Picture() = default;

Picture& Picture::mask()
{
    if (!mask_) {
        mask_ = std::make_unique<Picture>(width(), height());
        mask_->image().fill(Qt::black);
    }
    return *mask_;
}

QImage Picture::rendered() const
{
    if (transparent_ != 1 && !mask_)
        return image_;
    QImage out = image_.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            QRgb p = line[x];
            int alpha = qAlpha(p);
            if (transparent_ == 1 && (p & 0x00FFFFFF) == 0x00FFFFFF)
                alpha = 0;
            if (mask_) {
                const QRgb m = mask_->image().pixel(qMin(x, mask_->width() - 1), qMin(y, mask_->height() - 1));
                alpha = alpha * (255 - qGray(m)) / 255;
            }
            line[x] = qRgba(qRed(p), qGreen(p), qBlue(p), alpha);
        }
    }
    return out;
}

}  // namespace fw
