// What the whole-window tests and benchmark share: the skin switched off and on through the
// skin manager, and a window with every control as the program sees it, to compare before
// and after.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/Colors.h"

namespace skin {
class TSkinData;
}
namespace ui {
class TCustomForm;
class TWinControl;
}  // namespace ui

namespace wholewindow {

std::vector<HWND> ChildWindows(HWND parent);
// Class, framework class and the start of the caption, for messages.
std::wstring Describe(HWND window);
std::string Narrow(const std::wstring& text);

void RepaintWhole(HWND window);
bool Probed(HWND window);
// The skin manager holds a controller for the window and it has finished skinning.
bool FormReady(HWND window);
// Through the skin manager, as a program switches its skin; true when the window got there.
bool SwitchSkin(ui::TCustomForm& form, skin::TSkinData& skin, bool on);

// A control from the outside and through its object.
struct ControlState {
    ui::TWinControl* Control;
    HWND Window;
    LONG_PTR Procedure;
    std::size_t Hooks;  // on its WindowProc chain
    ui::TColor Color;
    bool ParentColor;
    bool ParentBackground;
    bool Probed;
    int Painters;  // painters the control owns

    bool operator==(const ControlState&) const = default;
};

struct MenuItemState {
    UINT Type;
    UINT State;
    std::wstring Text;

    bool operator==(const MenuItemState&) const = default;
};

// The window itself: its frame, its menu bar and its own message chain. Shown or not aside:
// the skin attaches as the window is first shown, so the plain window is seen before that.
struct FrameState {
    LONG_PTR Procedure;
    std::size_t Hooks;
    LONG_PTR Style, ExStyle;
    SIZE Window, Client;
    bool Region;
    HMENU Menu;
    std::vector<MenuItemState> MenuItems;
    bool Probed;

    bool operator==(const FrameState& other) const;
};

struct WindowState {
    FrameState Frame;
    std::vector<ControlState> Controls;

    bool operator==(const WindowState&) const = default;
};

// The framework controls of a form and their children, without the engine's own overlays
// (controls nobody owns), which come and go with their painters.
std::vector<ui::TWinControl*> FrameworkControls(ui::TWinControl& parent);

// The form and its framework controls (not the engine's own overlays, which come and go
// with their painters).
WindowState Snapshot(ui::TCustomForm& form);
// What differs, one line a control.
std::string Differences(const WindowState& expected, const WindowState& actual);

}  // namespace wholewindow
