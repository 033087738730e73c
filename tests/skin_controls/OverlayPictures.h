// What the tests of the field painters compare: a window's pixels on screen against the
// skin's picture drawn off-screen, and a scroll-bar overlay against its native bar.
#pragma once

#include <windows.h>

#include <functional>

#include "skin/controls/ScrollSkins.h"
#include "skin/data/SkinElements.h"

namespace skintest {

// The window's pixels in `area` (window coordinates) as the screen shows them after a full
// repaint, against a picture `draw` makes in a bitmap of the window's size: how many differ.
int DifferingPixels(HWND window, const RECT& area, const std::function<void(HDC)>& draw);

// The overlay against the skin's bar for the native bar's thumb, with `hotPart` hot (or
// pressed).
int OverlayDiffering(const skin::TWScrollbar& overlay, const skin::TSkinElements& skin, int hotPart,
                     bool pressed = false);

// The overlay is shown exactly over its native bar while that is visible, hidden with it.
bool MatchesBar(const skin::TWScrollbar& overlay);

// The window's rectangle with its top-left corner at 0, 0.
RECT WholeOf(HWND window);

}  // namespace skintest
