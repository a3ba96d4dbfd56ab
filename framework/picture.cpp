#include "framework/picture.h"

#include "framework/fonts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace fw {

namespace {

constexpr QImage::Format pixelFormat = QImage::Format_ARGB32_Premultiplied;

// A picture of this logical size on a screen of this ratio; a part pixel
// is a whole one.
QSize deviceSize(QSize size, qreal ratio)
{
    return {qMax(1, qCeil(size.width() * ratio - 0.01)), qMax(1, qCeil(size.height() * ratio - 0.01))};
}

// Density of the pixels to start from: the least that is at least as dense
// as the screen, else the densest there is.
qreal sourceDensity(const std::vector<QImage>& pixels, qreal ratio)
{
    for (const QImage& p : pixels)
        if (p.devicePixelRatio() >= ratio - 0.01)
            return p.devicePixelRatio();
    return pixels.back().devicePixelRatio();
}

}  // namespace

// ---------------------------------------------------------------- Drawing

QImage Drawing::painted(qreal density) const
{
    QImage out;
    if (pixels.empty()) {
        out = QImage(deviceSize(size, density), pixelFormat);
        out.fill(Qt::white);
    } else {
        const qreal from = sourceDensity(pixels, density);
        const auto source = std::find_if(pixels.begin(), pixels.end(),
                                         [&](const QImage& p) { return p.devicePixelRatio() == from; });
        out = qFuzzyCompare(from, density)
                  ? *source
                  : source->scaled(deviceSize(size, density), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    out.setDevicePixelRatio(density);
    if (steps.empty())
        return out;
    // The painter works in logical pixels; pictures come rendered at this
    // density and text is laid out at it, so both land pixel for pixel.
    QPainter painter(&out);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    for (const Step& step : steps) {
        if (step.picture) {
            painter.drawImage(step.at, step.picture->rendered(density));
        } else {
            painter.setFont(step.font);
            painter.drawText(step.at, step.text);
        }
    }
    return out;
}

QImage Drawing::rendered(qreal ratio) const
{
    for (const QImage& done : renderings_)
        if (done.devicePixelRatio() == ratio)
            return done;
    // Transparency and mask go on at a density the pixels come in, before
    // any resampling, so that edges blend with what lies beneath instead of
    // keeping a light fringe.
    const qreal density = pixels.empty() ? ratio : sourceDensity(pixels, ratio);
    QImage out = painted(density);
    if (transparent == 1 || mask) {
        out = out.convertToFormat(QImage::Format_ARGB32);
        const QImage cover = mask ? mask->painted(density) : QImage();
        for (int y = 0; y < out.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x) {
                const QRgb p = line[x];
                int alpha = qAlpha(p);
                if (transparent == 1 && (p & 0x00FFFFFF) == 0x00FFFFFF)
                    alpha = 0;
                if (mask) {
                    const QRgb m = cover.pixel(qMin(x, cover.width() - 1), qMin(y, cover.height() - 1));
                    alpha = alpha * (255 - qGray(m)) / 255;
                }
                line[x] = qRgba(qRed(p), qGreen(p), qBlue(p), alpha);
            }
        }
        out = out.convertToFormat(pixelFormat);
    }
    if (!qFuzzyCompare(density, ratio))
        out = out.scaled(deviceSize(size, ratio), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.setDevicePixelRatio(ratio);
    // A few ratios at most: one a screen.
    if (renderings_.size() >= 4)
        renderings_.erase(renderings_.begin());
    renderings_.push_back(out);
    return out;
}

// ---------------------------------------------------------------- Graphics

void Graphics::drawPicture(const Picture& picture, int x, int y)
{
    target_.add({picture.drawing(), {x, y}, {}, {}});
}

void Graphics::drawString(const Text& text, int x, int y)
{
    target_.add({nullptr, {x, y}, text, fontFor(font_, size_)});
}

int Graphics::stringWidth(const Text& text) const
{
    return QFontMetrics(fontFor(font_, size_)).horizontalAdvance(text);
}

// ---------------------------------------------------------------- Picture

Picture::Picture(int width, int height) { drawing_.size = QSize(qMax(width, 1), qMax(height, 1)); }

Picture::Picture(QImage image) : Picture(std::vector<QImage>{std::move(image)}) {}

Picture::Picture(std::vector<QImage> densities)
{
    for (QImage& pixels : densities)
        pixels = pixels.convertToFormat(pixelFormat);
    std::stable_sort(densities.begin(), densities.end(),
                     [](const QImage& a, const QImage& b) { return a.devicePixelRatio() < b.devicePixelRatio(); });
    const QSize size = densities.empty() ? QSize(1, 1) : densities.front().deviceIndependentSize().toSize();
    drawing_.size = size.expandedTo(QSize(1, 1));
    drawing_.pixels = std::move(densities);
}

Picture::~Picture() = default;

void Picture::setTransparent(int mode)
{
    drawing_.transparent = mode;
    frozen_.reset();
}

void Picture::add(Drawing::Step step)
{
    drawing_.steps.push_back(std::move(step));
    frozen_.reset();
}

Picture& Picture::mask()
{
    if (!mask_) {
        QImage black(drawing_.size, pixelFormat);
        black.fill(Qt::black);
        mask_ = std::make_unique<Picture>(std::move(black));
    }
    return *mask_;
}

std::shared_ptr<const Drawing> Picture::drawing() const
{
    // A mask changed since: its drawing is a new one.
    std::shared_ptr<const Drawing> mask = mask_ ? mask_->drawing() : nullptr;
    if (!frozen_ || frozen_->mask != mask) {
        Drawing now = drawing_;
        now.mask = std::move(mask);
        frozen_ = std::make_shared<const Drawing>(std::move(now));
    }
    return frozen_;
}

}  // namespace fw
