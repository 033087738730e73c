// Drawing objects of the framework over GDI:
//   ColorToRGB    resolves system colours (TColor itself is in ui/Colors.h)
//   TFont         a logical font by name, height and style; its HFONT made when first asked for
//   TBrush TPen   fill and line settings with lazily made handles
//   TCanvas       drawing on a DC it does not own, with its own font, brush and pen selected
//                 on demand and the DC's original objects put back
//   TBitmap       a 24- or 32-bit DIB section with row access, its own canvas and .bmp I/O
//   TIcon         an owned icon handle with its size
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ui/BmpCodec.h"
#include "ui/Classes.h"
#include "ui/Colors.h"
#include "ui/Gdi.h"

namespace ui {

// Damaged or unsupported image data.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
// An operation a graphic cannot do now (row outside the bitmap, no GDI resources left).
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// The RGB value to paint with: system colours resolved, other values unchanged.
TColor ColorToRGB(TColor color);
COLORREF ColorToColorRef(TColor color);

// Vertical resolution of the screen, which turns font points into pixels.
int ScreenPixelsPerInch();

// Shared by fonts, brushes and pens: a change notification after every property change.
class TGraphicsObject : public TObject {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

class TFont : public TGraphicsObject {
public:
    TFont() = default;
    std::wstring_view ClassName() const override { return L"TFont"; }

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    // Pixels: negative is the character height, positive the cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points, through the screen's resolution.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    BYTE Charset() const { return charset_; }
    void SetCharset(BYTE charset);

    // Takes name, height, style and charset of a system font (menu or caption font).
    void AssignLogFont(const LOGFONTW& font);
    void Assign(const TFont& other);
    bool SameAs(const TFont& other) const;

    // Made on first use and again after any change; owned by the font.
    HFONT Handle() const;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

private:
    void FontChanged();

    std::wstring name_ = L"MS Sans Serif";
    int height_ = -11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    BYTE charset_ = DEFAULT_CHARSET;
    mutable FontHandle handle_;
};

enum class TBrushStyle : std::uint8_t { bsSolid, bsClear };
inline constexpr std::wstring_view kBrushStyleIdents[] = {L"bsSolid", L"bsClear"};
inline constexpr TEnumType TBrushStyleType{L"TBrushStyle", kBrushStyleIdents};

class TBrush : public TGraphicsObject {
public:
    std::wstring_view ClassName() const override { return L"TBrush"; }

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    void Assign(const TBrush& other);
    // bsClear gives the stock hollow brush.
    HBRUSH Handle() const;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

private:
    void BrushChanged();

    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    mutable BrushHandle handle_;
};

enum class TPenStyle : std::uint8_t { psSolid, psDash, psDot, psClear };
inline constexpr std::wstring_view kPenStyleIdents[] = {L"psSolid", L"psDash", L"psDot", L"psClear"};
inline constexpr TEnumType TPenStyleType{L"TPenStyle", kPenStyleIdents};

class TPen : public TGraphicsObject {
public:
    std::wstring_view ClassName() const override { return L"TPen"; }

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    void Assign(const TPen& other);
    HPEN Handle() const;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

private:
    void PenChanged();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    mutable PenHandle handle_;
};

class TBitmap;
class TIcon;

// Drawing on a DC that someone else owns (a paint DC, a window DC, a bitmap's memory DC).
// The canvas selects its font, brush and pen only when an operation needs them and puts
// the DC's own objects back when it lets go of the DC, so the DC is left as found.
class TCanvas : public TObject {
public:
    explicit TCanvas(HDC dc = nullptr);
    ~TCanvas() override;
    std::wstring_view ClassName() const override { return L"TCanvas"; }

    HDC Handle() const { return dc_; }
    // Lets go of the current DC (restoring it) and takes another.
    void SetHandle(HDC dc);
    // Puts the DC's own objects back, e.g. before code draws on Handle() directly with its own.
    void Refresh();

    TFont& Font() { return font_; }
    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }
    // Raster operation of CopyRect and opaque Draw; SRCCOPY by default.
    DWORD CopyMode = SRCCOPY;

    void FillRect(const RECT& rect);
    void FrameRect(const RECT& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& rect) { Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Polygon(std::span<const POINT> points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos() const;

    // Text in the font's colour; the background is the brush's colour unless the brush is
    // bsClear, which leaves it transparent.
    void TextOut(int x, int y, std::wstring_view text);
    // Text at (x, y) clipped to the rectangle, whose background is filled first.
    void TextRect(const RECT& rect, int x, int y, std::wstring_view text);
    SIZE TextExtent(std::wstring_view text);
    int TextWidth(std::wstring_view text) { return TextExtent(text).cx; }
    int TextHeight(std::wstring_view text) { return TextExtent(text).cy; }
    // DrawTextW with the canvas's font; DT_CALCRECT updates the rectangle. Returns the height.
    int DrawText(std::wstring_view text, RECT& rect, UINT flags);

    // A bitmap at (x, y) unscaled, or scaled into a rectangle; a Transparent bitmap leaves
    // the pixels of its transparent colour unpainted.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const RECT& rect, const TBitmap& bitmap);
    // An icon at its own size, its mask applied.
    void Draw(int x, int y, const TIcon& icon);
    void CopyRect(const RECT& dest, const TCanvas& source, const RECT& sourceRect);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

private:
    void RequireFont();
    void RequireBrush();
    void RequirePen();
    void Deselect(HGDIOBJ& original);
    void PrepareText();

    HDC dc_ = nullptr;
    TFont font_;
    TBrush brush_;
    TPen pen_;
    // What the DC held before the canvas selected its own object; null while not selected.
    HGDIOBJ originalFont_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
};

// pfDevice is held as a 32-bit DIB, the format screens use today.
enum class TPixelFormat : std::uint8_t { pfDevice, pf24bit, pf32bit };

// A bitmap in memory with direct access to its rows: ScanLine(0) is the top row and each
// row holds Width pixels of 3 (pf24bit) or 4 bytes, blue first, padded to 4 bytes.
class TBitmap : public TObject {
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
    ~TBitmap() override;
    std::wstring_view ClassName() const override { return L"TBitmap"; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    // Keeps the pixels of the part both sizes share; new pixels are black.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    TPixelFormat PixelFormat() const { return format_; }
    // Converts the pixels; the fourth byte of 32-bit pixels is lost going to pf24bit.
    void SetPixelFormat(TPixelFormat format);
    int BytesPerPixel() const { return format_ == TPixelFormat::pf24bit ? 3 : 4; }
    int Stride() const;

    std::uint8_t* ScanLine(int row);
    const std::uint8_t* ScanLine(int row) const;
    // A digest of the size, format and pixels: it changes with any change of the picture,
    // whichever way it was drawn (canvas, the canvas's DC directly, scan lines).
    std::uint64_t PixelDigest() const;

    // The memory DC with this bitmap selected, made when first asked for.
    TCanvas& Canvas() const;
    HBITMAP Handle() const { return dib_.get(); }

    bool Transparent = false;
    // clDefault (the default) means the colour of the bottom-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color) { transparentColor_ = color; }

    void Assign(const TBitmap& other);

    // .bmp data; damaged data throws EInvalidGraphic and leaves the bitmap as it was.
    void LoadFromStream(TStream& stream);
    void LoadFromBytes(std::span<const std::uint8_t> bytes);
    void LoadFromFile(const std::wstring& path);
    // A bitmap resource (RT_BITMAP) of a module.
    void LoadFromResourceName(HINSTANCE instance, const wchar_t* name);
    // Always 24 bits per pixel, bottom-up.
    void SaveToStream(TStream& stream) const;
    void SaveToFile(const std::wstring& path) const;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

private:
    void Replace(int width, int height, TPixelFormat format, const TBitmap* copyFrom);
    void TakeImage(const std::optional<BmpImage>& image);
    void SelectIntoCanvas() const;

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::pfDevice;
    TColor transparentColor_ = clDefault;
    BitmapHandle dib_;
    std::uint8_t* bits_ = nullptr;
    // The canvas must go before the DC it draws on, and the DC before the bitmap.
    mutable std::optional<MemoryDC> dc_;
    mutable HGDIOBJ dcOriginalBitmap_ = nullptr;
    mutable std::unique_ptr<TCanvas> canvas_;
};

// A window or program icon for painters that draw it themselves.
class TIcon : public TObject {
public:
    std::wstring_view ClassName() const override { return L"TIcon"; }

    HICON Handle() const { return icon_.get(); }
    // Takes ownership of the handle (nullptr empties the icon).
    void SetHandle(HICON icon);
    // A copy of an icon owned elsewhere (a window's or a class's icon).
    void AssignHandle(HICON icon);
    // An icon resource (RT_GROUP_ICON) of a module at the given size, 0 meaning the default.
    void LoadFromResourceName(HINSTANCE instance, const wchar_t* name, int width = 0, int height = 0);
    bool Empty() const { return !icon_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    IconHandle icon_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace ui
