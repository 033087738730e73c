// Drawing of containers and bars from the skin: group boxes, tab strips with their pane (tabs
// on any side, close boxes), the content of a tab or header section, status bars and headers.
// Each whole picture is composed off-screen and put in one copy.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "skin/data/SkinElements.h"

namespace skin {

// A group box's frame and caption over `rect` (window-relative). withControl: the box is a
// framework control and the painter fills it first; otherwise it keeps its own background.
void PaintGroupBox(HDC dc, const RECT& rect, const std::wstring& caption, HFONT font, ui::TColor textColour,
                   const TSkinElements& skin, bool withControl, bool rightToLeft);

// Image and text of one tab or header section: alignment 0 left, 1 centre, 2 right.
void DrawTabContent(HDC dc, const RECT& rect, int alignment, const std::wstring& text, int imageIndex,
                    HIMAGELIST images, bool enabled);

enum TTabPosition : int { tpTop = 0, tpBottom = 1, tpLeft = 2, tpRight = 3 };

// The side the tabs of a tab control with this window style are on.
TTabPosition TabPositionOf(LONG_PTR style);

struct TTabItem {
    RECT Rect{};  // in the control's client coordinates, as the control reports it
    std::wstring Text;
    int Image = -1;
};

struct TTabStripLook {
    SIZE Control{};
    RECT Display{};  // the control's display area (its adjust-rectangle answer)
    TTabPosition Position = tpTop;
    int Focused = -1;
    bool CloseBoxes = false;
    bool Enabled = true;
    HFONT Font = nullptr;
    HIMAGELIST Images = nullptr;
    ui::TColor ParentColour = 0;
    RECT Exclude{};  // a visible up-down child the strip must not cover, or empty
};

// The strip of tabs and the pane; false (nothing drawn) without a "Tabs" image. The close
// boxes' rectangles of the tabs drawn with one are returned in control coordinates.
bool PaintTabStrip(HDC dc, const TSkinElements& skin, const std::vector<TTabItem>& tabs, const TTabStripLook& look,
                   std::vector<RECT>* closeBoxes);

struct TStatusPanel {
    RECT Rect{};
    std::wstring Text;
    int Bevel = 1;      // 0 raised, 1 lowered, 2 none
    int Alignment = 0;  // 0 left, 1 right, 2 centre
};

// A status bar `size` big: one lowered panel with `simpleText` in simple mode (no panels),
// else every panel; the size grip when asked for and the skin has it.
void PaintStatusBar(HDC dc, SIZE size, const TSkinElements& skin, const std::vector<TStatusPanel>& panels,
                    const std::wstring& simpleText, HFONT font, bool sizeGrip, bool rightToLeft);

struct THeaderSection {
    RECT Rect{};
    std::wstring Text;
    int Alignment = 0;  // 0 left, 1 centre, 2 right
    int Image = -1;
};

// A header control `size` big; `hot` is the section under the mouse or -1. False without a
// "Headerbar" image.
bool PaintHeader(HDC dc, SIZE size, const TSkinElements& skin, const std::vector<THeaderSection>& sections, int hot,
                 HFONT font, HIMAGELIST images);

// The pictures of the system's own tab, status-bar and header windows, from what each window
// reports (items, rectangles, texts, images, style), in its client device context.

// The section under a point for hot tracking: section rectangles narrowed by 3 on each side,
// so the dividers belong to none; -1 for none.
int HeaderSectionAt(POINT point, const std::vector<RECT>& sections);
// The tab whose close box holds the point, or -1.
int CloseBoxAt(POINT point, const std::vector<RECT>& closeBoxes);

// A group box window of the system (no framework control): frame and caption from its text.
void PaintGroupBoxWindow(HDC dc, HWND box, const TSkinElements& skin);

// A tab control's strip and pane; the close boxes' rectangles when asked for them.
bool PaintTabControlWindow(HDC dc, HWND tab, const TSkinElements& skin, ui::TColor parentColour, bool closeBoxes,
                           std::vector<RECT>* closeRects);
// simpleText: the text of simple mode when the bar's owner keeps it (a framework control),
// else it is asked of the window.
void PaintStatusBarWindow(HDC dc, HWND bar, const TSkinElements& skin, const std::wstring* simpleText = nullptr);
// A tab control in button style: every tab on a "Buttons" frame (2 for the selected one) over
// the face colour. False (nothing drawn) without a "Buttons" image.
bool PaintTabButtonsWindow(HDC dc, HWND tab, const TSkinElements& skin);
// `hot` is the section under the mouse or -1; the sections' rectangles are returned.
bool PaintHeaderWindow(HDC dc, HWND header, const TSkinElements& skin, int hot, std::vector<RECT>* sections);

}  // namespace skin
