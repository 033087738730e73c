// Private window messages of the skin engine. The values are fixed: windows, popups and
// painters of this engine recognise each other by them, and the 0xBC4x messages carry the
// marker kSkinMarker in lParam (it is also their answer).
#pragma once

#include <windows.h>

namespace skin {

constexpr UINT SKM_RESKIN = 0x3401;
constexpr UINT SKM_REPAINTFRAME = 0x3502;
// wParam 0, lParam kActivateParam: finish skinning after the window's own creation.
constexpr UINT SKM_ACTIVATE = 0x3503;
constexpr UINT SKM_SKINENABLE = 0x3506;
constexpr UINT SKM_TABCLOSE = 0x3507;
// wParam: the action of a caption button that the controller does not perform itself.
constexpr UINT SKM_BUTTONACTION = 0x3514;
// wParam: visibility code 1000..2000, lParam: action; an answer above 0 shows the button.
constexpr UINT SKM_QUERYVISIBLE = 0x3515;
constexpr UINT SKM_MDIREDRAW = 0x3516;
constexpr UINT SKM_RESKINSCROLLBAR = 0x3517;
// lParam: a screen point; opens the menu-bar item under it.
constexpr UINT SKM_OPENMENUITEM = 0x3518;
// Every skinned window, popup and painter answers 1.
constexpr UINT SKM_PROBE = 0x3523;
constexpr UINT SKM_PAINTCLIENTTO = 0xBC4A;
// wParam: a device context to paint the frame into.
constexpr UINT SKM_PAINTFRAMETO = 0xBC4B;
constexpr UINT SKM_QUERYSKINNED = 0xBC4D;
// Sent to a window after it has been skinned or re-skinned.
constexpr UINT SKM_REFRESHED = 0xBC4E;

constexpr LPARAM kSkinMarker = 0x41A2;
constexpr LPARAM kActivateParam = 1000;

// The system's request to draw the caption of a themed window; answered without drawing.
constexpr UINT WM_NCUAHDRAWCAPTION = 0xAE;

}  // namespace skin
