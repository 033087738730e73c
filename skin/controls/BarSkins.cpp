#include "skin/controls/BarSkins.h"

#include <algorithm>
#include <cstdlib>

#include "skin/data/SkinImage.h"

namespace skin {

namespace {

constexpr int kScrollCells = 23;
constexpr ui::TColor kMagenta = 0xFF00FF;

void Fill(HDC dc, const RECT& rect, ui::TColor colour)
{
    const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(colour)));
    FillRect(dc, &rect, brush.get());
}

void Element(HDC dc, const RECT& rect, const TDataSkinObject& element, int frameCount, int frame)
{
    DrawSkinElement(dc, rect, element.Image, element.Margins(), false, element.Tile == 1, element.Trans != 0,
                    frameCount, frame);
}

// A rectangle along the bar's axis, from `from` to `to`, across its whole thickness.
RECT Along(bool vertical, int from, int to, int thickness)
{
    return vertical ? RECT{0, from, thickness, to} : RECT{from, 0, to, thickness};
}

}  // namespace

bool PaintScrollBar(HDC dc, const RECT& bar, const TSkinElements& skin, const TScrollBarLook& look)
{
    if (!skin.Scrollbar || skin.Scrollbar->Image.Empty()) return false;
    const int width = bar.right - bar.left, height = bar.bottom - bar.top;
    if (width <= 0 || height <= 0) return true;
    const bool vertical = look.Vertical;
    const int length = vertical ? height : width;
    const int thickness = vertical ? width : height;
    const int arrow = ArrowLength(length, look.Arrow);
    const ui::TBitmap& strip = skin.Scrollbar->Image;

    ui::TBitmap buffer(width, height, ui::TPixelFormat::pf24bit);
    const HDC work = buffer.Canvas().Handle();
    SetStretchBltMode(work, COLORONCOLOR);
    Fill(work, RECT{0, 0, width, height}, skin.Color(csButtonFace));

    // Each track and thumb with its own element's tile flag, frames and transparency.
    const TDataSkinObject* track = vertical ? skin.VertScroll.get() : skin.HorzScroll.get();
    if (track && !track->Image.Empty() && length > 2 * look.Arrow)
        Element(work, Along(vertical, look.Arrow, length - look.Arrow, thickness), *track, 4, look.Enabled ? 1 : 3);

    const auto arrowCell = [&](bool second) {
        const TBarPart part = second ? bpSecondArrow : bpFirstArrow;
        return ArrowCell(vertical, second, look.HotPart == part, look.Pressed);
    };
    DrawFrameStretched(work, Along(vertical, 0, arrow, thickness), strip, true, kScrollCells, arrowCell(false));
    DrawFrameStretched(work, Along(vertical, length - arrow, length, thickness), strip, true, kScrollCells,
                       arrowCell(true));

    const TBarThumb thumb = look.Thumb;
    const bool inside = thumb.Start >= 0 && thumb.End <= length && thumb.Start < thumb.End;
    if (look.Enabled && inside) {
        const bool hot = look.HotPart == bpThumb;
        const TDataSkinObject* element = vertical ? skin.VertScrollThumb.get() : skin.HorzScrollThumb.get();
        const RECT area = Along(vertical, thumb.Start, thumb.End, thickness);
        if (element && !element->Image.Empty())
            Element(work, area, *element, element->Frame, ThumbFrame(hot, hot && look.Pressed));
        const int cellHeight = strip.Height();
        const int cellWidth = strip.Width() / kScrollCells;
        const int gripAlong = vertical ? cellHeight : cellWidth;
        if (thumb.Length() > cellHeight - 2 && gripAlong <= thumb.Length() &&
            (vertical ? cellWidth : cellHeight) <= thickness)
            DrawFrameCentered(work, area, strip, true, kScrollCells, GripCell(vertical, hot, hot && look.Pressed));
    }
    BitBlt(dc, bar.left, bar.top, width, height, work, 0, 0, SRCCOPY);
    return true;
}

bool PaintProgress(HDC dc, const RECT& rect, const TSkinElements& skin, int position, int lower, int upper,
                   bool vertical)
{
    if (!skin.Progress || skin.Progress->Image.Empty()) return false;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return true;
    // Vertical bars are drawn lying down and turned, so they fill from the bottom.
    const int along = vertical ? height : width;
    const int across = vertical ? width : height;
    ui::TBitmap buffer(along, across, ui::TPixelFormat::pf24bit);
    const HDC work = buffer.Canvas().Handle();
    SetStretchBltMode(work, COLORONCOLOR);
    Fill(work, RECT{0, 0, along, across}, skin.Color(csButtonFace));
    const TDataSkinBorder& bar = *skin.Progress;
    const TDataSkinObject* chunk = skin.ProgressChunk.get();
    if (bar.Style == 1 && chunk && !chunk->Image.Empty()) {
        DrawSkinElement(work, RECT{0, 0, along, across}, bar.Image, bar.Margins(), false, false, true, 1, 1);
        const int fill = ChunkFill(along, position, upper);
        if (fill > 0) {
            const ui::TBitmap& image = chunk->Image;
            if (chunk->Tile == 1) {
                const int top = (across - image.Height()) / 2;
                const int left = chunk->LeftWidth + 2;
                for (int x = 0; x <= fill / std::max(1, image.Width()); ++x) {
                    const int from = left + x * image.Width();
                    const int to = std::min(from + image.Width(), left + fill);
                    if (to > from)
                        DrawFrameStretched(work, RECT{from, top, to, top + image.Height()}, image, true, 1, 1);
                }
            } else {
                DrawThreePartStretched(work, RECT{2, 2, 2 + fill, across - 2}, image, chunk->Margins(), 1, 1, false);
            }
        }
    } else {
        DrawSkinElement(work, RECT{0, 0, along, across}, bar.Image, bar.Margins(), false, false, true, 2, 1);
        const int fill = ProgressFill(along, position, lower, upper);
        if (fill > 0)
            DrawSkinElement(work, RECT{0, 0, fill, across}, bar.Image, bar.Margins(), false, false, true, 2, 2);
    }
    if (vertical) RotateLeft(buffer);
    BitBlt(dc, rect.left, rect.top, width, height, buffer.Canvas().Handle(), 0, 0, SRCCOPY);
    return true;
}

void PaintTrackChannel(HDC dc, const RECT& channel, const TSkinElements& skin, bool vertical)
{
    const int width = channel.right - channel.left, height = channel.bottom - channel.top;
    if (width <= 0 || height <= 0) return;
    if (vertical && skin.TrackVert && !skin.TrackVert->Image.Empty()) {
        // Top and bottom caps at their size, the middle stretched between them.
        const TDataSkinObject& track = *skin.TrackVert;
        const ui::TBitmap& image = track.Image;
        const int w = image.Width();
        const int left = w < width ? channel.left + (width - w) / 2 : channel.left;
        const int top = std::min<int>(track.TopHeight, height / 2);
        const int bottom = std::min<int>(track.BottomHeight, height - top);
        const HDC source = image.Canvas().Handle();
        SetStretchBltMode(dc, COLORONCOLOR);
        BitBlt(dc, left, channel.top, w, top, source, 0, 0, SRCCOPY);
        StretchBlt(dc, left, channel.top + top, w, height - top - bottom, source, 0, track.TopHeight, w,
                   std::max(1, image.Height() - track.TopHeight - track.BottomHeight), SRCCOPY);
        BitBlt(dc, left, channel.bottom - bottom, w, bottom, source, 0, image.Height() - bottom, SRCCOPY);
        return;
    }
    if (skin.Track && !skin.Track->Image.Empty()) {
        const TDataSkinObject& track = *skin.Track;
        const int h = track.Image.Height();
        const int top = h < height ? channel.top + (height - h) / 2 : channel.top;
        DrawThreePartStretched(dc, RECT{channel.left, top, channel.right, top + h}, track.Image, track.Margins(), 1,
                               track.Frame, false);
    }
}

void PaintTrackThumb(HDC dc, const RECT& thumb, const TSkinElements& skin, bool vertical)
{
    const TDataSkinObject* element = vertical && skin.ThumbVert && !skin.ThumbVert->Image.Empty()
                                         ? skin.ThumbVert.get()
                                         : skin.ThumbHorz.get();
    if (element && !element->Image.Empty()) {
        DrawFrameStretched(dc, thumb, element->Image, true, 5, 2);
        return;
    }
    const ui::PenHandle pen(CreatePen(PS_SOLID, 1, ui::ColorToColorRef(skin.Color(csButtonShadow))));
    const ui::ScopedSelect selectPen(dc, pen.get());
    const ui::ScopedSelect selectBrush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

bool PaintProgressWindow(HDC dc, HWND bar, const TSkinElements& skin)
{
    RECT client{};
    GetClientRect(bar, &client);
    PBRANGE range{};
    SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const int position = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
    const bool vertical = (GetWindowLongPtrW(bar, GWL_STYLE) & PBS_VERTICAL) != 0;
    return PaintProgress(dc, client, skin, position, range.iLow, range.iHigh, vertical);
}

LRESULT AnswerTrackBarCustomDraw(const NMCUSTOMDRAW& draw, const TSkinElements& skin)
{
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const HWND track = draw.hdr.hwndFrom;
    const bool vertical = (GetWindowLongPtrW(track, GWL_STYLE) & TBS_VERT) != 0;
    switch (draw.dwItemSpec) {
    case TBCD_THUMB: {
        RECT thumb{};
        SendMessageW(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        PaintTrackThumb(draw.hdc, thumb, skin, vertical);
        return CDRF_SKIPDEFAULT;
    }
    case TBCD_CHANNEL: {
        RECT channel{};
        SendMessageW(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        // Some versions of the control report a vertical bar's channel lying down.
        if (vertical && channel.right - channel.left > channel.bottom - channel.top)
            channel = RECT{channel.top, channel.left, channel.bottom, channel.right};
        PaintTrackChannel(draw.hdc, channel, skin, vertical);
        return CDRF_SKIPDEFAULT;
    }
    default: return CDRF_DODEFAULT;
    }
}

}  // namespace skin
