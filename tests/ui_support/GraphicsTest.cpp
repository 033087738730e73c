#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>

#include "ui/Gdi.h"
#include "ui/Graphics.h"

using namespace ui;

namespace {

// Red, green, blue bytes of pixel (x, y) read straight from the bitmap's rows.
TColor RowPixel(const TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
    return RGBColor(p[2], p[1], p[0]);
}

void SetRowPixel(TBitmap& bitmap, int x, int y, TColor color)
{
    std::uint8_t* p = bitmap.ScanLine(y) + x * bitmap.BytesPerPixel();
    p[0] = static_cast<std::uint8_t>(ColorBlue(color));
    p[1] = static_cast<std::uint8_t>(ColorGreen(color));
    p[2] = static_cast<std::uint8_t>(ColorRed(color));
}

void Fill(TBitmap& bitmap, TColor color)
{
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect(RECT{0, 0, bitmap.Width(), bitmap.Height()});
}

int CountPixels(const TBitmap& bitmap, TColor color)
{
    int n = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) n += RowPixel(bitmap, x, y) == color;
    return n;
}

}  // namespace

TEST(Colors, SystemColoursResolveAndFixedOnesStay)
{
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
    EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorToRGB(clInfoBk), static_cast<TColor>(GetSysColor(COLOR_INFOBK)));
    EXPECT_EQ(ColorToRGB(clHighlight), static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(ColorToRGB(clOlive), 0x008080);
    EXPECT_EQ(ColorToRGB(clFuchsia), 0xFF00FF);
    EXPECT_EQ(RGBColor(1, 2, 3), 0x030201);
}

TEST(Bitmap, ScanLineZeroIsTheTopRowInBothFormats)
{
    for (auto format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit, TPixelFormat::pfDevice}) {
        TBitmap bitmap(5, 3, format);
        ASSERT_FALSE(bitmap.Empty());
        EXPECT_EQ(bitmap.Stride(), format == TPixelFormat::pf24bit ? 16 : 20);
        EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), bitmap.Stride());

        SetRowPixel(bitmap, 0, 0, clRed);
        SetRowPixel(bitmap, 4, 2, clBlue);
        EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clRed);
        EXPECT_EQ(bitmap.Canvas().Pixel(4, 2), clBlue);

        bitmap.Canvas().SetPixel(2, 1, clLime);
        EXPECT_EQ(RowPixel(bitmap, 2, 1), clLime) << "canvas drawing shows in the rows";

        EXPECT_THROW(bitmap.ScanLine(3), EInvalidGraphicOperation);
        EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
    }
    TBitmap empty;
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.Handle(), nullptr);
    EXPECT_THROW(empty.ScanLine(0), EInvalidGraphicOperation);
}

TEST(Bitmap, ResizeAndFormatChangeKeepPixelsAndCanvas)
{
    TBitmap bitmap(4, 4);
    Fill(bitmap, clYellow);
    SetRowPixel(bitmap, 3, 3, clRed);
    TCanvas* canvas = &bitmap.Canvas();
    HBITMAP before = bitmap.Handle();

    bitmap.SetSize(6, 5);
    EXPECT_EQ(&bitmap.Canvas(), canvas) << "painters keep the canvas they were given";
    EXPECT_EQ(GetObjectType(before), 0u) << "the old DIB is deleted";
    EXPECT_EQ(RowPixel(bitmap, 3, 3), clRed);
    EXPECT_EQ(RowPixel(bitmap, 0, 0), clYellow);
    EXPECT_EQ(RowPixel(bitmap, 5, 4), clBlack) << "new pixels are black";
    EXPECT_EQ(bitmap.Canvas().Pixel(3, 3), clRed) << "the canvas draws on the new DIB";

    bitmap.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(bitmap.BytesPerPixel(), 4);
    EXPECT_EQ(RowPixel(bitmap, 3, 3), clRed);
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(RowPixel(bitmap, 0, 0), clYellow);

    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetSize(2, 2);
    EXPECT_EQ(RowPixel(bitmap, 1, 1), clBlack);
}

TEST(Bitmap, AssignIsADeepCopy)
{
    TBitmap a(3, 2);
    Fill(a, clTeal);
    a.Transparent = true;
    a.SetTransparentColor(clFuchsia);
    TBitmap b;
    b.Assign(a);
    EXPECT_NE(b.Handle(), a.Handle());
    EXPECT_EQ(b.Width(), 3);
    EXPECT_TRUE(b.Transparent);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    SetRowPixel(b, 0, 0, clRed);
    EXPECT_EQ(RowPixel(a, 0, 0), clTeal);
    EXPECT_EQ(RowPixel(b, 1, 1), clTeal);
}

// The digest follows the picture, not the object: equal pictures agree, and every way of
// drawing, including GDI straight on the canvas's DC, changes it.
TEST(Bitmap, PixelDigestFollowsEveryChangeOfThePicture)
{
    TBitmap a(5, 4);
    Fill(a, clTeal);
    TBitmap b;
    b.Assign(a);
    EXPECT_EQ(a.PixelDigest(), b.PixelDigest());
    const std::uint64_t original = a.PixelDigest();
    struct Change {
        const char* what;
        std::function<void(TBitmap&)> apply;
    };
    const Change changes[] = {
        {"canvas pixel", [](TBitmap& bitmap) { bitmap.Canvas().SetPixel(4, 3, clRed); }},
        {"GDI on the canvas's DC", [](TBitmap& bitmap) { ::SetPixel(bitmap.Canvas().Handle(), 0, 0, RGB(1, 2, 3)); }},
        {"scan line", [](TBitmap& bitmap) { SetRowPixel(bitmap, 2, 1, clYellow); }},
        {"size", [](TBitmap& bitmap) { bitmap.SetSize(4, 5); }},
        {"format", [](TBitmap& bitmap) { bitmap.SetPixelFormat(TPixelFormat::pf32bit); }},
    };
    for (const Change& change : changes) {
        TBitmap changed;
        changed.Assign(a);
        change.apply(changed);
        EXPECT_NE(changed.PixelDigest(), original) << change.what;
    }
    EXPECT_EQ(a.PixelDigest(), original);
}

TEST(Bitmap, StreamRoundTripAndDamagedData)
{
    TBitmap source(7, 3, TPixelFormat::pf32bit);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) SetRowPixel(source, x, y, RGBColor(x * 30, y * 80, 255 - x));
    TMemoryStream stream;
    stream.WriteBuffer("xy", 2);
    source.SaveToStream(stream);
    std::uint8_t header[2];
    stream.SetPosition(2);
    stream.ReadBuffer(header, 2);
    EXPECT_EQ(header[0], 'B');
    EXPECT_EQ(stream.Memory()[2 + 28], 24) << "saved as 24 bits per pixel";

    TBitmap loaded;
    stream.SetPosition(2);
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.PixelFormat(), TPixelFormat::pf24bit);
    ASSERT_EQ(loaded.Width(), 7);
    ASSERT_EQ(loaded.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(RowPixel(loaded, x, y), RowPixel(source, x, y));

    std::vector<std::uint8_t> damaged(stream.Memory() + 2, stream.Memory() + stream.Size() - 1);
    EXPECT_THROW(loaded.LoadFromBytes(damaged), EInvalidGraphic);
    EXPECT_EQ(loaded.Width(), 7) << "a failed load keeps the picture";
    EXPECT_EQ(RowPixel(loaded, 6, 2), RowPixel(source, 6, 2));
}

TEST(Bitmap, TransparentColourDefaultsToTheBottomLeftPixel)
{
    TBitmap bitmap(2, 2);
    Fill(bitmap, clWhite);
    SetRowPixel(bitmap, 0, 1, clOlive);
    EXPECT_EQ(bitmap.TransparentColor(), clOlive);
    EXPECT_EQ(GetOrdProp(&bitmap, L"TransparentColor"), clOlive);
    bitmap.SetTransparentColor(clFuchsia);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    EXPECT_TRUE(SetOrdProp(&bitmap, L"Width", 5));
    EXPECT_EQ(bitmap.Width(), 5);
}

TEST(Canvas, ShapesAndBitmapsReadBackByPixel)
{
    TBitmap target(20, 10);
    TCanvas& canvas = target.Canvas();
    Fill(target, clWhite);

    canvas.Brush().SetColor(clRed);
    canvas.FrameRect(RECT{2, 2, 8, 8});
    EXPECT_EQ(RowPixel(target, 2, 2), clRed);
    EXPECT_EQ(RowPixel(target, 7, 5), clRed);
    EXPECT_EQ(RowPixel(target, 4, 4), clWhite) << "a frame leaves the inside";

    canvas.Pen().SetColor(clBlue);
    canvas.MoveTo(0, 9);
    canvas.LineTo(5, 9);
    EXPECT_EQ(RowPixel(target, 4, 9), clBlue);
    EXPECT_EQ(RowPixel(target, 5, 9), clWhite) << "the end point is not drawn";
    EXPECT_EQ(canvas.PenPos().x, 5);

    // A 4 × 2 sprite with a magenta key: only its other pixels land.
    TBitmap sprite(4, 2);
    Fill(sprite, clFuchsia);
    SetRowPixel(sprite, 1, 0, clGreen);
    SetRowPixel(sprite, 2, 1, clNavy);
    sprite.Transparent = true;
    sprite.SetTransparentColor(clFuchsia);
    canvas.Draw(10, 3, sprite);
    EXPECT_EQ(RowPixel(target, 11, 3), clGreen);
    EXPECT_EQ(RowPixel(target, 12, 4), clNavy);
    EXPECT_EQ(CountPixels(target, clFuchsia), 0);

    sprite.Transparent = false;
    canvas.StretchDraw(RECT{10, 0, 18, 2}, sprite);
    EXPECT_EQ(CountPixels(target, clFuchsia), 12) << "an opaque stretch copies the key colour too";
    EXPECT_EQ(RowPixel(target, 12, 0), clGreen);
    EXPECT_EQ(RowPixel(target, 13, 0), clGreen);

    TBitmap copy(3, 3);
    copy.Canvas().CopyRect(RECT{0, 0, 3, 3}, canvas, RECT{1, 1, 4, 4});
    EXPECT_EQ(RowPixel(copy, 1, 1), clRed);
    EXPECT_EQ(RowPixel(copy, 0, 0), clWhite);
}

TEST(Canvas, TextUsesFontColourAndBrushBackground)
{
    TBitmap target(60, 30);
    TCanvas& canvas = target.Canvas();
    Fill(target, clWhite);
    canvas.Font().SetHeight(-20);
    canvas.Font().SetColor(clRed);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.TextOut(2, 2, L"墨W");
    EXPECT_GT(CountPixels(target, clRed), 10);
    // Smoothed edges mix red into white; any other colour would be a painted background.
    int foreign = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            TColor c = RowPixel(target, x, y);
            foreign += ColorRed(c) != 255 || ColorGreen(c) != ColorBlue(c);
        }
    EXPECT_EQ(foreign, 0) << "a clear brush paints no text background";

    Fill(target, clWhite);
    canvas.Brush().SetColor(clYellow);
    canvas.TextRect(RECT{0, 0, 30, 30}, 2, 2, L"WWWWWWWW");
    EXPECT_EQ(RowPixel(target, 0, 29), clYellow) << "the rectangle is filled";
    EXPECT_EQ(RowPixel(target, 40, 10), clWhite) << "the text is clipped to the rectangle";

    RECT measure{0, 0, 1000, 0};
    int h = canvas.DrawText(L"一\r\n二", measure, DT_CALCRECT);
    EXPECT_EQ(measure.bottom, h);
    EXPECT_GE(h, 2 * canvas.TextHeight(L"一"));
}

TEST(Canvas, FontChangesMakeANewHandleAndTheOldOneIsFreed)
{
    TFont font;
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(32);
    EXPECT_EQ(font.Height(), -43);
    EXPECT_EQ(GetOrdProp(&font, L"Size"), 32);
    EXPECT_TRUE(SetStrProp(&font, L"Name", L"Tahoma"));
    EXPECT_EQ(font.Name(), L"Tahoma");

    int changes = 0;
    font.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    };
    HFONT first = font.Handle();
    EXPECT_EQ(font.Handle(), first) << "made once";
    font.SetColor(clRed);
    EXPECT_EQ(font.Handle(), first) << "colour is not part of the GDI font";
    font.SetStyle(fsBold | fsUnderline);
    HFONT second = font.Handle();
    EXPECT_NE(second, first);
    EXPECT_EQ(GetObjectType(first), 0u);
    LOGFONTW lf{};
    GetObjectW(second, sizeof lf, &lf);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_EQ(lf.lfHeight, -43);
    font.SetStyle(fsBold | fsUnderline);
    EXPECT_EQ(changes, 2) << "setting the same value is no change";

    // The canvas's font is selected in its DC; a change there must free the old handle too.
    TBitmap target(10, 10);
    TCanvas& canvas = target.Canvas();
    canvas.Font().SetHeight(-10);
    int small = canvas.TextHeight(L"W");
    HFONT selected = static_cast<HFONT>(GetCurrentObject(canvas.Handle(), OBJ_FONT));
    EXPECT_EQ(selected, canvas.Font().Handle());
    canvas.Font().Assign(font);
    EXPECT_EQ(GetObjectType(selected), 0u);
    EXPECT_GT(canvas.TextHeight(L"W"), small);
    EXPECT_EQ(canvas.Font().Color(), clRed);
}

TEST(Canvas, LeavesTheDcAsItFoundIt)
{
    MemoryDC dc(nullptr);
    HGDIOBJ font = GetCurrentObject(dc.get(), OBJ_FONT);
    HGDIOBJ brush = GetCurrentObject(dc.get(), OBJ_BRUSH);
    HGDIOBJ pen = GetCurrentObject(dc.get(), OBJ_PEN);
    HFONT canvasFont = nullptr;
    {
        TCanvas canvas(dc.get());
        canvas.Rectangle(0, 0, 2, 2);
        canvas.TextWidth(L"x");
        canvasFont = canvas.Font().Handle();
        EXPECT_NE(GetCurrentObject(dc.get(), OBJ_FONT), font);
        canvas.Refresh();
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font);
        canvas.TextWidth(L"x");
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), pen);
    EXPECT_EQ(GetObjectType(canvasFont), 0u) << "deselected, so it could be deleted";

    TCanvas detached;
    EXPECT_THROW(detached.FillRect(RECT{0, 0, 1, 1}), EInvalidGraphicOperation);
}

TEST(Gdi, OwnersFreeAndSelectionsRestore)
{
    HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
    {
        BrushHandle brush(raw);
        BrushHandle moved(std::move(brush));
        EXPECT_FALSE(brush);
        EXPECT_EQ(moved.get(), raw);
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(GetObjectType(raw), 0u);

    RegionHandle region(CreateRectRgn(0, 0, 1, 1));
    HRGN given = region.release();
    EXPECT_FALSE(region);
    EXPECT_EQ(GetObjectType(given), static_cast<DWORD>(OBJ_REGION)) << "released, not deleted";
    DeleteObject(given);

    MemoryDC dc(nullptr);
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
    BitmapHandle bitmap(CreateCompatibleBitmap(dc.get(), 2, 2));
    {
        ScopedSelect select(dc.get(), bitmap.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
        ScopedSaveDC saved(dc.get());
        SetBkMode(dc.get(), TRANSPARENT);
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original);
    EXPECT_EQ(GetBkMode(dc.get()), OPAQUE);
}

TEST(Bitmap, LoadsBitmapResourcesOfTheProgram)
{
    TBitmap bitmap;
    bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), L"PATTERN");
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(RowPixel(bitmap, 0, 0), clRed);
    EXPECT_EQ(RowPixel(bitmap, 2, 0), clBlue);
    EXPECT_EQ(RowPixel(bitmap, 2, 1), clFuchsia);
    EXPECT_EQ(bitmap.TransparentColor(), clWhite) << "bottom-left pixel";

    EXPECT_THROW(bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), L"NOSUCH"), Exception);
    EXPECT_EQ(bitmap.Width(), 3);
}

TEST(Icon, TakesACopyKnowsItsSizeAndDraws)
{
    TIcon icon;
    EXPECT_TRUE(icon.Empty());
    HICON shared = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    ASSERT_NE(shared, nullptr);
    icon.AssignHandle(shared);
    EXPECT_NE(icon.Handle(), shared) << "a copy, so freeing it leaves the shared icon";
    EXPECT_EQ(icon.Width(), GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(icon.Height(), GetSystemMetrics(SM_CYICON));

    TBitmap target(icon.Width() + 4, icon.Height() + 4);
    Fill(target, clWhite);
    target.Canvas().Draw(2, 2, icon);
    EXPECT_LT(CountPixels(target, clWhite), target.Width() * target.Height());
    EXPECT_EQ(RowPixel(target, 0, 0), clWhite);

    HICON copy = icon.Handle();
    icon.SetHandle(nullptr);
    EXPECT_TRUE(icon.Empty());
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(copy, &info)) << "the copy was destroyed";
    EXPECT_TRUE(GetIconInfo(shared, &info));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}
