// The window's height follows whole card rows.

#include "table/playWin.h"

#include "table/layout.h"

#include <algorithm>

int playWin::cardLine(int row) const
{
    const fw::Canvas& view = cardView(1, row);
    return view.top() + view.height() + 5;
}

void playWin::setMinHeight()
{
    const int longest = std::max(std::max(std::max(cardCount(row1cards), cardCount(row2cards)), cardCount(row3cards)),
                                 cardCount(row4cards));
    const int n = longest - 1;
    if (n >= 0)
        fw::Window::setMinHeight(cardLine(n));
}

void playWin::fixHeight(fw::Canvas& canvas)
{
    const int target = canvas.top() + canvas.height() + 5;
    autoResize = true;
    while (height() < target) {
        const int before = height();
        setHeight(target < before + 2 ? target : before + 2);
        refresh();
        if (!isVisible())
            show();
        // The window system may refuse a height (a short screen): stop
        // rather than ask for ever.
        if (height() <= before)
            break;
    }
    autoResize = false;
}

void playWin::Resized()
{
    if (autoResize)
        return;
    for (int i = 0; i < cardViewsPerPile - 1; ++i) {
        const int h = height();
        if (cardLine(i) < h && h < cardLine(i + 1))
            setHeight(cardLine(i));
    }
}
