// Loaded ahead of Qt into the real game: the browser fails as a platform
// service may, by throwing, which no handler of the game catches.

#include <QDesktopServices>
#include <QUrl>

#include <cstdio>
#include <stdexcept>

bool QDesktopServices::openUrl(const QUrl& url)
{
    std::fprintf(stderr, "the browser was asked for %s\n", url.toString().toUtf8().constData());
    throw std::runtime_error("the browser could not be started");
}
