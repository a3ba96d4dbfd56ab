#pragma once
// The one font family every text of the game is shown in, and the pixel
// size a layout's text size means.

#include "framework/text.h"

#include <QFont>

namespace fw {

// Makes the game's family the application's font; falls back to the
// platform's default font when the family is not installed.
void installGameFont();

// The font a text size means on this platform (0: the system's size).
QFont fontFor(const Text& family, int size, bool bold = false);

}  // namespace fw
