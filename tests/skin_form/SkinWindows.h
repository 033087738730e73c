// What the tests of skinned windows share: pumping the loop, steps run on timer ticks while
// a modal loop (a drop-down, a box) holds the thread, and what a window shows on screen.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "support/MessagePump.h"
#include "ui/Colors.h"

namespace skintest {

using testing_support::Pump;
using testing_support::PumpUntil;

// Steps run one per timer tick of the thread, also inside modal loops; each step returns
// true when it is done, false to be asked again on the next tick.
class TickScript {
public:
    explicit TickScript(std::vector<std::function<bool()>> steps);
    ~TickScript();
    TickScript(const TickScript&) = delete;
    TickScript& operator=(const TickScript&) = delete;
    bool Finished() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<std::function<bool()>> steps_;
    std::size_t next_ = 0;
    UINT_PTR timer_ = 0;
};

// The visible popup menu window of this thread, or nullptr.
HWND OpenMenuWindow();
// The visible window of this thread with the class, or nullptr.
HWND ThreadWindow(const wchar_t* className);

// The whole window as it shows on screen, frame included.
class WindowPicture {
public:
    explicit WindowPicture(HWND window);
    int Width() const { return width_; }
    int Height() const { return height_; }
    ui::TColor At(int x, int y) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// The window's size less its client's.
SIZE FrameExtent(HWND window);
SIZE ClientSize(HWND window);

// How far the process's table of GDI objects reaches with a few thousand more in it. Wine
// hands out free slots before new ones, so this grows exactly when objects are left behind.
std::uintptr_t GdiTableReach();
// The same for the table of window-manager objects (windows, menus, hooks), which hands
// out free slots first too.
std::uintptr_t UserTableReach();

// A key pressed and released as the window gets it from the keyboard.
void TapKey(HWND window, WORD key, bool alt);

}  // namespace skintest
