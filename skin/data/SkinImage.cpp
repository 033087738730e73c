#include "skin/data/SkinImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/data/SkinLayout.h"

namespace skin {

namespace {

TRectI FromRect(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

TMargins MarginsOf(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}

HDC DcOf(const ui::TBitmap& bitmap) { return bitmap.Canvas().Handle(); }

TRectI FrameOf(const ui::TBitmap& image, int frameCount, int frameIndex, bool vertical) {
    return SelectFrame(image.Width(), image.Height(), frameCount, frameIndex, vertical);
}

// Scaled copies drop pixels, never smooth: skin edges must stay crisp.
class ScopedDropPixels {
public:
    explicit ScopedDropPixels(HDC dc) : dc_(dc), previous_(SetStretchBltMode(dc, COLORONCOLOR)) {}
    ScopedDropPixels(const ScopedDropPixels&) = delete;
    ScopedDropPixels& operator=(const ScopedDropPixels&) = delete;
    ~ScopedDropPixels() {
        if (previous_) SetStretchBltMode(dc_, previous_);
    }

private:
    HDC dc_;
    int previous_;
};

void Stretch(HDC target, const TRectI& to, HDC source, const TRectI& from) {
    StretchBlt(target, to.Left, to.Top, to.Width(), to.Height(), source, from.Left, from.Top, from.Width(),
               from.Height(), SRCCOPY);
}

void CopyPieces(HDC target, const ui::TBitmap& image, const std::vector<TPiece>& pieces) {
    const ScopedDropPixels mode(target);
    for (const TPiece& piece : pieces) Stretch(target, piece.Target, DcOf(image), piece.Source);
}

void PutWork(HDC dc, int x, int y, const ui::TBitmap& work, bool transparent) {
    if (transparent)
        DrawTransparent(dc, {x, y, x + work.Width(), y + work.Height()}, work, TransparentMagenta);
    else
        BitBlt(dc, x, y, work.Width(), work.Height(), DcOf(work), 0, 0, SRCCOPY);
}

}  // namespace

ui::BmpImage ImageOf(const ui::TBitmap& bitmap) {
    ui::BmpImage image;
    image.width = bitmap.Width();
    image.height = bitmap.Height();
    image.bitsPerPixel = bitmap.BytesPerPixel() * 8;
    image.pixels.resize(image.Stride() * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) std::memcpy(image.Row(y), bitmap.ScanLine(y), image.Stride());
    return image;
}

void AssignImage(ui::TBitmap& bitmap, const ui::BmpImage& image) {
    if (image.bitsPerPixel != bitmap.BytesPerPixel() * 8)
        bitmap.SetPixelFormat(image.bitsPerPixel == 24 ? ui::TPixelFormat::pf24bit : ui::TPixelFormat::pf32bit);
    bitmap.SetSize(image.width, image.height);
    for (int y = 0; y < image.height; ++y) std::memcpy(bitmap.ScanLine(y), image.Row(y), image.Stride());
}

TColor BlendColors(TColor colour1, TColor colour2, int weight) {
    return BlendRGB(ui::ColorToRGB(colour1), ui::ColorToRGB(colour2), weight);
}

void ReplaceMagenta(ui::TBitmap& bitmap, TColor colour) {
    bitmap.SetPixelFormat(ui::TPixelFormat::pf24bit);
    if (!bitmap.Empty()) AssignImage(bitmap, MagentaReplaced(ImageOf(bitmap), colour));
}

void MirrorHorizontal(ui::TBitmap& bitmap) {
    if (!bitmap.Empty()) AssignImage(bitmap, Mirrored(ImageOf(bitmap)));
}

void MirrorFrames(ui::TBitmap& bitmap, int frameCount) {
    if (!bitmap.Empty()) AssignImage(bitmap, MirroredFrames(ImageOf(bitmap), frameCount));
}

void FlipVertical(ui::TBitmap& bitmap) {
    if (!bitmap.Empty()) AssignImage(bitmap, Flipped(ImageOf(bitmap)));
}

void RotateLeft(ui::TBitmap& bitmap) {
    if (!bitmap.Empty()) AssignImage(bitmap, RotatedLeft(ImageOf(bitmap)));
}

void RotateRight(ui::TBitmap& bitmap) {
    if (!bitmap.Empty()) AssignImage(bitmap, RotatedRight(ImageOf(bitmap)));
}

void FillGradient(HDC dc, const RECT& rect, TColor from, TColor to, bool vertical) {
    if (!RectVisible(dc, &rect)) return;
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR) return;
    const int n = static_cast<int>(vertical ? rect.bottom - rect.top : rect.right - rect.left);
    if (n <= 0) return;
    const int start = static_cast<int>(vertical ? rect.top : rect.left);
    const TLineRange lines = vertical ? GradientLines(n, start, clip.top, clip.bottom)
                                      : GradientLines(n, start, clip.left, clip.right);
    const std::vector<TColor>& ramp = GradientRamp(GetGradient(n, ui::ColorToRGB(from), ui::ColorToRGB(to)));
    for (int i = lines.First; i <= lines.Last; ++i) {
        const ui::BrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(ramp[static_cast<std::size_t>(i)])));
        const RECT line = vertical ? RECT{rect.left, start + i, rect.right, start + i + 1}
                                   : RECT{start + i, rect.top, start + i + 1, rect.bottom};
        FillRect(dc, &line, brush.get());
    }
}

std::unique_ptr<ui::TBitmap> BuildNineGrid(SIZE size, const ui::TBitmap& image, const RECT& margins,
                                           bool vertical, bool tile, int frameCount, int frameIndex) {
    if (size.cx <= 0 || size.cy <= 0 || image.Empty()) return nullptr;
    auto grid = std::make_unique<ui::TBitmap>(static_cast<int>(size.cx), static_cast<int>(size.cy),
                                              ui::TPixelFormat::pf24bit);
    const TRectI frame = FrameOf(image, frameCount, frameIndex, vertical);
    const std::vector<TPiece> pieces = NineGridPieces(static_cast<int>(size.cx), static_cast<int>(size.cy),
                                                      frame, MarginsOf(margins), tile);
    HDC dc = DcOf(*grid);
    const ScopedDropPixels mode(dc);
    for (const TPiece& piece : pieces) {
        if (piece.Tiled) {
            const TRectI& s = piece.Source;
            const TRectI& t = piece.Target;
            TileFill(grid->Canvas(), {t.Left, t.Top, t.Right, t.Bottom}, image, {s.Left, s.Top, s.Right, s.Bottom});
        } else {
            Stretch(dc, piece.Target, DcOf(image), piece.Source);
        }
    }
    return grid;
}

void TileFill(ui::TCanvas& canvas, const RECT& target, const ui::TBitmap& image, const RECT& source) {
    const int width = static_cast<int>(source.right - source.left);
    const int height = static_cast<int>(source.bottom - source.top);
    if (width <= 0 || height <= 0) return;
    ui::TBitmap piece(width, height, ui::TPixelFormat::pf24bit);
    BitBlt(DcOf(piece), 0, 0, width, height, DcOf(image), source.left, source.top, SRCCOPY);
    for (const TPointI& at : TilePositions(FromRect(target), width, height))
        BitBlt(canvas.Handle(), at.X, at.Y, width, height, DcOf(piece), 0, 0, SRCCOPY);
}

void DrawSkinElement(HDC dc, const RECT& rect, const ui::TBitmap& image, const RECT& margins, bool vertical,
                     bool tile, bool transparent, int frameCount, int frameIndex) {
    if (rect.right < rect.left || rect.bottom < rect.top) return;
    const auto grid = BuildNineGrid({rect.right - rect.left, rect.bottom - rect.top}, image, margins, vertical,
                                    tile, frameCount, frameIndex);
    if (grid) PutWork(dc, static_cast<int>(rect.left), static_cast<int>(rect.top), *grid, transparent);
}

void DrawThreePartTiled(ui::TCanvas& canvas, const RECT& rect, const ui::TBitmap& image, bool vertical,
                        bool transparent, int frameCount, int frameIndex, const RECT& margins) {
    const TRectI area = FromRect(rect);
    if (area.Inverted() || area.Width() == 0 || area.Height() == 0 || image.Empty()) return;
    ui::TBitmap work(area.Width(), area.Height(), ui::TPixelFormat::pf24bit);
    const TRectI frame = FrameOf(image, frameCount, frameIndex, vertical);
    CopyPieces(DcOf(work), image,
               ThreePartTiledPieces(area.Width(), area.Height(), frame, static_cast<int>(margins.left),
                                    static_cast<int>(margins.right)));
    PutWork(canvas.Handle(), area.Left, area.Top, work, transparent);
}

void DrawThreePartStretched(HDC dc, const RECT& rect, const ui::TBitmap& image, const RECT& margins,
                            int frameIndex, int frameCount, bool vertical) {
    if (image.Empty()) return;
    const TRectI frame = FrameOf(image, frameCount, frameIndex, vertical);
    CopyPieces(dc, image,
               ThreePartStretchedPieces(FromRect(rect), frame, static_cast<int>(margins.left),
                                        static_cast<int>(margins.right)));
}

void DrawFrameStretched(HDC dc, const RECT& rect, const ui::TBitmap& image, bool transparent, int frameCount,
                        int frameIndex) {
    const TRectI area = FromRect(rect);
    if (area.Width() <= 0 || area.Height() <= 0 || image.Empty()) return;
    ui::TBitmap work(area.Width(), area.Height(), ui::TPixelFormat::pf24bit);
    CopyPieces(DcOf(work), image,
               {{FrameOf(image, frameCount, frameIndex, false), {0, 0, area.Width(), area.Height()}}});
    PutWork(dc, area.Left, area.Top, work, transparent);
}

void DrawFrameCentered(HDC dc, const RECT& rect, const ui::TBitmap& image, bool transparent, int frameCount,
                       int frameIndex) {
    const TRectI area = FromRect(rect);
    if (area.Inverted() || image.Empty()) return;
    const TRectI frame = FrameOf(image, frameCount, frameIndex, false);
    if (frame.Width() <= 0) return;
    const TPointI at = CenteredOrigin(area, frame.Width(), frame.Height());
    ui::TBitmap work(frame.Width(), frame.Height(), ui::TPixelFormat::pf24bit);
    BitBlt(DcOf(work), 0, 0, frame.Width(), frame.Height(), DcOf(image), frame.Left, frame.Top, SRCCOPY);
    PutWork(dc, at.X, at.Y, work, transparent);
}

void DrawTransparent(HDC dc, const RECT& rect, const ui::TBitmap& bitmap, TColor key) {
    if (rect.right < rect.left || rect.bottom < rect.top || bitmap.Empty()) return;
    const int width = std::min(static_cast<int>(rect.right - rect.left), bitmap.Width());
    const int height = std::min(static_cast<int>(rect.bottom - rect.top), bitmap.Height());
    if (width <= 0 || height <= 0) return;
    HDC source = DcOf(bitmap);
    // The mask: 1 where the bitmap has the key colour (a colour-to-monochrome copy sets the
    // pixels that equal the source's background colour).
    const ui::BitmapHandle maskBitmap(CreateBitmap(width, height, 1, 1, nullptr));
    const ui::MemoryDC maskDc(dc);
    if (!maskBitmap || !maskDc) return;
    const ui::ScopedSelect selectMask(maskDc.get(), maskBitmap.get());
    const COLORREF sourceBack = SetBkColor(source, static_cast<COLORREF>(ui::ColorToRGB(key)) & 0xFFFFFF);
    BitBlt(maskDc.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    SetBkColor(source, sourceBack);
    // dest ^ src, then AND with the mask (white where keyed, black elsewhere), then ^ src:
    // keyed pixels come back to the destination, the others become the source.
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, rect.left, rect.top, width, height, source, 0, 0, SRCINVERT);
    BitBlt(dc, rect.left, rect.top, width, height, maskDc.get(), 0, 0, SRCAND);
    BitBlt(dc, rect.left, rect.top, width, height, source, 0, 0, SRCINVERT);
    SetBkColor(dc, back);
    SetTextColor(dc, text);
}

ui::RegionHandle RegionFromColorRange(const ui::TBitmap& bitmap, int dx, int dy, int blueTolerance,
                                      int greenTolerance, int redTolerance, TColor base) {
    ui::RegionHandle result(CreateRectRgn(0, 0, 0, 0));
    if (bitmap.Empty() || !result) return result;
    const std::vector<TRectI> runs =
        ColorRangeRuns(ImageOf(bitmap), dx, dy, blueTolerance, greenTolerance, redTolerance, base);
    // Regions are made from batches of at most 2000 rectangles to keep the data small.
    constexpr std::size_t Batch = 2000;
    std::vector<std::uint8_t> data;
    for (std::size_t first = 0; first < runs.size(); first += Batch) {
        const std::size_t count = std::min(Batch, runs.size() - first);
        data.assign(sizeof(RGNDATAHEADER) + count * sizeof(RECT), 0);
        auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
        header->dwSize = sizeof(RGNDATAHEADER);
        header->iType = RDH_RECTANGLES;
        header->nCount = static_cast<DWORD>(count);
        header->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
        RECT bounds{runs[first].Left, runs[first].Top, runs[first].Right, runs[first].Bottom};
        auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
        for (std::size_t k = 0; k < count; ++k) {
            const TRectI& run = runs[first + k];
            rects[k] = {run.Left, run.Top, run.Right, run.Bottom};
            bounds = {std::min<LONG>(bounds.left, run.Left), std::min<LONG>(bounds.top, run.Top),
                      std::max<LONG>(bounds.right, run.Right), std::max<LONG>(bounds.bottom, run.Bottom)};
        }
        header->rcBound = bounds;
        const ui::RegionHandle part(
            ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
        if (part) CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
    }
    return result;
}

}  // namespace skin
