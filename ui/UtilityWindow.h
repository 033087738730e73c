// A hidden message-only window of the GUI thread for framework services that need a window
// but show none: it owns the clipboard data the program puts there and receives the ticks
// of TTimer.
#pragma once

#include <windows.h>

namespace ui {

// Made on first use and owned by the thread that asked first, which must be the GUI thread;
// lives until the process ends.
HWND UtilityWindow();

// Where WM_TIMER of the utility window goes (one receiver: the timer service).
using UtilityTimerHandler = void (*)(UINT_PTR id);
void SetUtilityTimerHandler(UtilityTimerHandler handler);

}  // namespace ui
