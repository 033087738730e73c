#include "skin_controls/OverlayPictures.h"

#include "skin/controls/BarSkins.h"
#include "skin/data/SkinData.h"
#include "skin_form/SkinWindows.h"
#include "ui/Graphics.h"

namespace skintest {

RECT WholeOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {0, 0, r.right - r.left, r.bottom - r.top};
}

int DifferingPixels(HWND window, const RECT& area, const std::function<void(HDC)>& draw)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(std::chrono::milliseconds(40));
    const WindowPicture seen(window);
    ui::TBitmap expected(seen.Width(), seen.Height());
    draw(expected.Canvas().Handle());
    int differing = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) differing += seen.At(x, y) != expected.Canvas().Pixel(x, y);
    return differing;
}

int OverlayDiffering(const skin::TWScrollbar& overlay, const skin::TSkinElements& skin, int hotPart, bool pressed)
{
    SCROLLBARINFO info{};
    if (!skin::SkinGetScrollBarInfo(overlay.Target(), overlay.Vertical() ? OBJID_VSCROLL : OBJID_HSCROLL, info)) return -1;
    const RECT whole = WholeOf(overlay.Handle());
    return DifferingPixels(overlay.Handle(), whole, [&](HDC dc) {
        skin::TScrollBarLook look;
        look.Vertical = overlay.Vertical();
        look.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
        look.Arrow = GetSystemMetrics(SM_CXHSCROLL);
        look.Thumb = {info.xyThumbTop, info.xyThumbBottom};
        look.HotPart = hotPart;
        look.Pressed = pressed;
        skin::PaintScrollBar(dc, whole, skin, look);
    });
}

bool MatchesBar(const skin::TWScrollbar& overlay)
{
    SCROLLBARINFO info{};
    if (!skin::SkinGetScrollBarInfo(overlay.Target(), overlay.Vertical() ? OBJID_VSCROLL : OBJID_HSCROLL, info)) return false;
    const bool visible = IsWindowVisible(overlay.Target()) &&
                         !(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) &&
                         !IsRectEmpty(&info.rcScrollBar);
    if (!visible) return !overlay.Shown() && !IsWindowVisible(overlay.Handle());
    RECT covered{};
    GetWindowRect(overlay.Handle(), &covered);
    return overlay.Shown() && IsWindowVisible(overlay.Handle()) && EqualRect(&covered, &info.rcScrollBar);
}

}  // namespace skintest
