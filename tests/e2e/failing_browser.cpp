// Loaded ahead of Qt into the real game: the browser fails as a platform
// service may, by throwing, which no handler of the game catches.

#include <QDesktopServices>
#include <QUrl>

#include <stdexcept>

bool QDesktopServices::openUrl(const QUrl&) { throw std::runtime_error("the browser could not be started"); }
