#pragma once
// Dialogs over a window, sheets among them: a sheet hangs from the top of
// the window it blocks, just under its title bar, and goes where the window
// goes. The one place that knows a window's dialogs and the frame the window
// manager really gave.

#include <vector>

namespace fw {

class Window;

namespace sheets {

// The open, shown dialogs over the window, back to front.
std::vector<Window*> over(const Window& window);

// Puts a sheet's frame just under its window's title bar, centred on it.
void hang(Window& sheet);

// The window moved: its sheets follow.
void moved(Window& window);
// The window manager gave the window a frame or changed it.
void frameChanged(Window& window);
// The window manager minimised, restored or shaded the window.
void stateChanged(Window& window, bool wasMinimised);
// The window became active: the dialog in front keeps the keyboard.
void activated(Window& window);

}  // namespace sheets
}  // namespace fw
