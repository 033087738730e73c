// Skinned scroll bars. A native scroll bar lives in its window's non-client area, where
// nothing can draw over it for good; TWScrollbar is a small window of its own, kept exactly
// over the native bar, that draws the bar from the skin and hands every press to the native
// bar, so arrow repeat, paging and thumb tracking stay the platform's.
//
// TWScrollbar is a plain window of the engine's own class rather than a framework control,
// because its target's parent may be a window no framework object stands for (the list of
// a combo box, a dialog of the system).
//
// TScrollbarOverlays keeps a target's horizontal and vertical overlay in step with the
// target: its owner (the scroll-bar painter) hands it the target's messages.
#pragma once

#include <windows.h>

#include "skin/controls/BarGeometry.h"

namespace skin {

class TSkinData;

class TWScrollbar {
public:
    enum TKind : int { skHorizontal = 0, skVertical = 1, skControl = 2 };

    explicit TWScrollbar(const TSkinData& skin);
    ~TWScrollbar();
    TWScrollbar(const TWScrollbar&) = delete;
    TWScrollbar& operator=(const TWScrollbar&) = delete;

    // Covers the target's bar of that kind (skControl: the target is a scroll-bar control),
    // from a window made as the target's sibling, then places it.
    void AttachToWindow(HWND target, TKind kind);
    // Puts the overlay over the bar, or hides it when the bar is hidden or cannot be asked.
    void Place();
    void Conceal();
    // Re-reads the bar and repaints or re-places the overlay only when the bar changed.
    void Sync();
    TBarPart HitTest(POINT client) const;
    // The part the platform is operating (a scroll request code) shows pressed.
    void SetHotPart(int part);
    void Invalidate();

    HWND Handle() const { return window_; }
    HWND Target() const { return target_; }
    bool Shown() const { return shown_; }
    TKind Kind() const { return kind_; }
    bool Vertical() const;
    // The bar in the target's client coordinates at the last placement.
    RECT BarRect() const { return bar_rect_; }

private:
    struct TBarState {
        RECT Screen{};
        TBarThumb Thumb;
        bool Visible = false;
        bool Enabled = true;
        bool operator==(const TBarState& other) const
        {
            return EqualRect(&Screen, &other.Screen) && Thumb == other.Thumb && Visible == other.Visible &&
                   Enabled == other.Enabled;
        }
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    bool Query(TBarState& state) const;
    void Paint();
    void MouseMove(POINT point);
    void ButtonDown(POINT point);
    void ButtonUp(POINT point);
    int Along(POINT point) const { return Vertical() ? point.y : point.x; }

    const TSkinData& skin_;
    HWND window_ = nullptr;
    HWND target_ = nullptr;
    TKind kind_ = skHorizontal;
    int arrow_ = 0;
    int length_ = 0;
    TBarState last_;
    RECT bar_rect_{};
    bool shown_ = false;
    bool pressed_ = false;
    int hot_part_ = bpNone;
    POINT drag_cursor_{};
    int drag_thumb_ = 0;
};

// Draws a window's own vertical or horizontal bar (object OBJID_VSCROLL/OBJID_HSCROLL) from
// the skin straight into its window device context, where the platform has it: the drop-down
// list of a combo box, whose bar no sibling window can cover. False when nothing was drawn.
bool PaintWindowBar(HWND window, HDC windowDc, LONG object, const TSkinData& skin, int hotPart, bool pressed);

// Drags the thumb of a list's vertical bar from a press at `start` (screen) on the thumb: the
// list scrolls with the cursor until the button goes up. The drag also ends when the list
// loses the mouse capture and when the program is asked to quit (the quit request is posted
// again for the main loop). It waits for messages rather than polling. Returns the last
// position sent to the list.
int DragListThumb(HWND list, POINT start, int arrow);

class TScrollbarOverlays {
public:
    explicit TScrollbarOverlays(const TSkinData& skin);
    ~TScrollbarOverlays();
    TScrollbarOverlays(const TScrollbarOverlays&) = delete;
    TScrollbarOverlays& operator=(const TScrollbarOverlays&) = delete;
    // The target clips its sibling overlays from now on, so its own painting of the native
    // bars never shows through; the style is given back when the overlays go.
    void Attach(HWND target);
    // After the target handled a message: follows sizes, scrolling, typing and visibility.
    void AfterMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The square between two shown bars, in ButtonFace, into the target's window DC.
    void PaintCorner(HDC windowDc) const;
    // The frame a bordered control gets round its whole window: ButtonShadow outside,
    // ButtonFace inside.
    void PaintBorder(HDC windowDc) const;
    void Conceal();

    TWScrollbar& Horizontal() { return horizontal_; }
    TWScrollbar& Vertical() { return vertical_; }

private:
    const TSkinData& skin_;
    TWScrollbar horizontal_;
    TWScrollbar vertical_;
    HWND target_ = nullptr;
    bool added_clip_ = false;
};

}  // namespace skin
