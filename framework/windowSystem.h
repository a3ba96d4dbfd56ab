#pragma once
// What the window manager did to a top-level widget, asked of the X server
// itself rather than of Qt's cache: the frame it gave, whether it minimised
// or shaded the window. Elsewhere (offscreen) a window has no frame and is
// never shaded.

#include <QColor>
#include <QMargins>

#include <functional>
#include <memory>
#include <optional>

class QAbstractNativeEventFilter;
class QWidget;

namespace fw::windowSystem {

// The frame round the window's content; nothing until the window manager
// has said (or, without one, a window has no frame).
std::optional<QMargins> frameOf(const QWidget& top);
bool minimised(const QWidget& top);
bool shaded(const QWidget& top);
void unshade(const QWidget& top);

// Rows the window system uncovers show this colour until painted.
void setBackground(const QWidget& top, QColor colour);

// Calls back, from the event loop once Qt has seen the change too, when the
// window manager changes the frame or the state of a shown window.
std::unique_ptr<QAbstractNativeEventFilter> watch(std::function<void(QWidget& top)> frameChanged,
                                                  std::function<void(QWidget& top)> stateChanged);

}  // namespace fw::windowSystem
