#pragma once
// Off-screen pictures and their drawing surface.

#include "framework/text.h"

#include <QImage>

#include <memory>

namespace fw {

class Picture;

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
    explicit Picture(QImage image);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    // 0: opaque; 1: white pixels show what lies beneath.
    int transparent() const { return transparent_; }
    void setTransparent(int mode) { transparent_ = mode; }

    Graphics& graphics() { return graphics_; }

    // The mask decides which pixels show: black shows, white hides. Made
    // on first use, all black.
    Picture& mask();
    bool hasMask() const { return mask_ != nullptr; }

    // What the picture looks like when drawn: transparency and mask applied.
    QImage rendered() const;
    const QImage& image() const { return image_; }
    QImage& image() { return image_; }

private:
    QImage image_;
    int transparent_ = 0;
    Graphics graphics_{*this};
    std::unique_ptr<Picture> mask_;
};

}  // namespace fw
