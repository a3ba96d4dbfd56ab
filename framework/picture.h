#pragma once
// Off-screen pictures and their drawing surface.
//
// Sizes and positions are logical pixels. A picture remembers what was
// drawn into it rather than the pixels, so it can be rendered at any
// pixel density: crisp on a screen with two or three pixels to a point.

#include "framework/text.h"

#include <QFont>
#include <QImage>
#include <QPoint>

#include <memory>
#include <vector>

namespace fw {

class Picture;

// A picture's contents, shared by the pictures and canvases it was drawn
// into; never changed once made.
struct Drawing {
    struct Step {
        std::shared_ptr<const Drawing> picture;  // a picture, or else the text
        QPoint at;                               // top-left; the text's baseline
        Text text;
        QFont font;
    };

    QSize size;
    // Pixels at each density they come in (devicePixelRatio), densest last;
    // none: white.
    std::vector<QImage> pixels;
    std::vector<Step> steps;
    int transparent = 0;
    std::shared_ptr<const Drawing> mask;

    // The pixels at exactly this density, before transparency and mask.
    QImage painted(qreal density) const;
    // As it looks when drawn on a screen of this pixel ratio: transparency
    // and mask applied, devicePixelRatio set. Kept for the next call.
    QImage rendered(qreal ratio) const;

private:
    mutable std::vector<QImage> renderings_;
};

// The drawing surface of a picture. Font and size persist between calls.
class Graphics {
public:
    explicit Graphics(Picture& target) : target_(target) {}

    void setTextFont(const Text& font) { font_ = font; }
    void setTextSize(int size) { size_ = size; }
    Text textFont() const { return font_; }
    int textSize() const { return size_; }

    // Whole picture at its own size, top-left at x, y.
    void drawPicture(const Picture& picture, int x, int y);
    // Text with its baseline at y, in black.
    void drawString(const Text& text, int x, int y);
    int stringWidth(const Text& text) const;

private:
    Picture& target_;
    Text font_ = QStringLiteral("System");
    int size_ = 0;
};

class Picture {
public:
    // An empty picture, white, of the given size.
    Picture(int width, int height);
    // From pixels at one or more densities (each image's devicePixelRatio),
    // the first at 1x.
    explicit Picture(QImage image);
    explicit Picture(std::vector<QImage> densities);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int width() const { return drawing_.size.width(); }
    int height() const { return drawing_.size.height(); }

    // 0: opaque; 1: white pixels show what lies beneath.
    int transparent() const { return drawing_.transparent; }
    void setTransparent(int mode);

    Graphics& graphics() { return graphics_; }

    // The mask decides which pixels show: black shows, white hides. Made
    // on first use, all black.
    Picture& mask();
    bool hasMask() const { return mask_ != nullptr; }

    // What the picture looks like when drawn on a screen of this pixel
    // ratio: transparency and mask applied.
    QImage rendered(qreal ratio = 1) const { return drawing()->rendered(ratio); }
    // The pixels at 1x, before transparency and mask.
    QImage image() const { return drawing()->painted(1); }
    std::shared_ptr<const Drawing> drawing() const;

private:
    friend class Graphics;
    void add(Drawing::Step step);

    Drawing drawing_;
    Graphics graphics_{*this};
    std::unique_ptr<Picture> mask_;
    mutable std::shared_ptr<const Drawing> frozen_;
};

}  // namespace fw
