#include "ui/Graphics.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

#include "ui/BmpCodec.h"

namespace ui {

namespace {

int Length(std::wstring_view text) { return static_cast<int>(text.size()); }

[[noreturn]] void OutOfResources() { throw EInvalidGraphicOperation(L"Out of system resources"); }

[[noreturn]] void ResourceNotFound(const wchar_t* name)
{
    if (IS_INTRESOURCE(name))
        throw Exception(Format(L"Resource %u not found", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(name))));
    throw Exception(Format(L"Resource %ls not found", name));
}

std::int64_t AsInt(const PropValue& value, bool& ok)
{
    ok = std::holds_alternative<std::int64_t>(value);
    return ok ? std::get<std::int64_t>(value) : 0;
}

}  // namespace

TColor ColorToRGB(TColor color)
{
    return IsSystemColor(color) ? static_cast<TColor>(GetSysColor(SystemColorIndex(color))) : color;
}

COLORREF ColorToColorRef(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)) & 0x00FFFFFF; }

int ScreenPixelsPerInch()
{
    static const int ppi = [] {
        ClientDC screen(nullptr);
        int value = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
        return value > 0 ? value : 96;
    }();
    return ppi;
}

void TGraphicsObject::Changed()
{
    if (OnChange) OnChange(this);
}

// The old handle outlives the notification, so that a canvas that holds it selected can put
// its DC's own font back before the handle is deleted.
void TFont::FontChanged()
{
    FontHandle old = std::move(handle_);
    Changed();
}

void TFont::SetName(const std::wstring& name)
{
    if (name.empty() || name == name_) return;
    name_ = name;
    FontChanged();
}

void TFont::SetHeight(int height)
{
    if (height == height_) return;
    height_ = height;
    FontChanged();
}

int TFont::Size() const { return -MulDiv(height_, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }

void TFont::SetStyle(TFontStyles style)
{
    style &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (style == style_) return;
    style_ = style;
    FontChanged();
}

void TFont::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetCharset(BYTE charset)
{
    if (charset == charset_) return;
    charset_ = charset;
    FontChanged();
}

void TFont::AssignLogFont(const LOGFONTW& font)
{
    name_ = font.lfFaceName;
    height_ = font.lfHeight;
    style_ = static_cast<TFontStyles>((font.lfWeight >= FW_BOLD ? fsBold : 0) | (font.lfItalic ? fsItalic : 0) |
                                      (font.lfUnderline ? fsUnderline : 0) | (font.lfStrikeOut ? fsStrikeOut : 0));
    charset_ = font.lfCharSet;
    FontChanged();
}

void TFont::Assign(const TFont& other)
{
    if (&other == this || SameAs(other)) return;
    bool newHandle = name_ != other.name_ || height_ != other.height_ || style_ != other.style_ || charset_ != other.charset_;
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    charset_ = other.charset_;
    color_ = other.color_;
    if (newHandle)
        FontChanged();
    else
        Changed();
}

bool TFont::SameAs(const TFont& other) const
{
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && color_ == other.color_ &&
           charset_ == other.charset_;
}

HFONT TFont::Handle() const
{
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = charset_;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        wcsncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_.reset(CreateFontIndirectW(&lf));
        if (!handle_) OutOfResources();
    }
    return handle_.get();
}

PropValue TFont::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Name")) return name_;
    if (SameName(name, L"Height")) return std::int64_t{height_};
    if (SameName(name, L"Size")) return std::int64_t{Size()};
    if (SameName(name, L"Style")) return std::int64_t{style_};
    if (SameName(name, L"Color")) return std::int64_t{color_};
    if (SameName(name, L"Charset")) return std::int64_t{charset_};
    return TGraphicsObject::GetProperty(name);
}

bool TFont::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (SameName(name, L"Name")) {
        if (!std::holds_alternative<std::wstring>(value)) return false;
        SetName(std::get<std::wstring>(value));
        return true;
    }
    bool ok = false;
    std::int64_t v = AsInt(value, ok);
    if (SameName(name, L"Height")) {
        if (ok) SetHeight(static_cast<int>(v));
    } else if (SameName(name, L"Size")) {
        if (ok) SetSize(static_cast<int>(v));
    } else if (SameName(name, L"Style")) {
        if (ok) SetStyle(static_cast<TFontStyles>(v));
    } else if (SameName(name, L"Color")) {
        if (ok) SetColor(static_cast<TColor>(v));
    } else if (SameName(name, L"Charset")) {
        if (ok) SetCharset(static_cast<BYTE>(v));
    } else {
        return TGraphicsObject::SetProperty(name, value);
    }
    return ok;
}

void TBrush::BrushChanged()
{
    BrushHandle old = std::move(handle_);
    Changed();
}

void TBrush::SetColor(TColor color)
{
    if (color == color_ && style_ == TBrushStyle::bsSolid) return;
    color_ = color;
    // Choosing a colour asks for paint: a hollow brush becomes solid.
    style_ = TBrushStyle::bsSolid;
    BrushChanged();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == style_) return;
    style_ = style;
    BrushChanged();
}

void TBrush::Assign(const TBrush& other)
{
    if (&other == this || (color_ == other.color_ && style_ == other.style_)) return;
    color_ = other.color_;
    style_ = other.style_;
    BrushChanged();
}

HBRUSH TBrush::Handle() const
{
    if (style_ == TBrushStyle::bsClear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    if (!handle_) {
        handle_.reset(CreateSolidBrush(ColorToColorRef(color_)));
        if (!handle_) OutOfResources();
    }
    return handle_.get();
}

PropValue TBrush::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Color")) return std::int64_t{color_};
    if (SameName(name, L"Style")) return EnumProp(TBrushStyleType, style_);
    return TGraphicsObject::GetProperty(name);
}

bool TBrush::SetProperty(std::wstring_view name, const PropValue& value)
{
    bool ok = false;
    std::int64_t v = AsInt(value, ok);
    if (SameName(name, L"Color")) {
        if (ok) SetColor(static_cast<TColor>(v));
    } else if (SameName(name, L"Style")) {
        ok = ok && v >= 0 && v <= static_cast<std::int64_t>(TBrushStyle::bsClear);
        if (ok) SetStyle(static_cast<TBrushStyle>(v));
    } else {
        return TGraphicsObject::SetProperty(name, value);
    }
    return ok;
}

void TPen::PenChanged()
{
    PenHandle old = std::move(handle_);
    Changed();
}

void TPen::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    PenChanged();
}

void TPen::SetWidth(int width)
{
    width = std::max(width, 1);
    if (width == width_) return;
    width_ = width;
    PenChanged();
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == style_) return;
    style_ = style;
    PenChanged();
}

void TPen::Assign(const TPen& other)
{
    if (&other == this || (color_ == other.color_ && width_ == other.width_ && style_ == other.style_)) return;
    color_ = other.color_;
    width_ = other.width_;
    style_ = other.style_;
    PenChanged();
}

HPEN TPen::Handle() const
{
    if (!handle_) {
        static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_NULL};
        handle_.reset(CreatePen(kStyles[static_cast<int>(style_)], width_, ColorToColorRef(color_)));
        if (!handle_) OutOfResources();
    }
    return handle_.get();
}

PropValue TPen::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Color")) return std::int64_t{color_};
    if (SameName(name, L"Width")) return std::int64_t{width_};
    if (SameName(name, L"Style")) return EnumProp(TPenStyleType, style_);
    return TGraphicsObject::GetProperty(name);
}

bool TPen::SetProperty(std::wstring_view name, const PropValue& value)
{
    bool ok = false;
    std::int64_t v = AsInt(value, ok);
    if (SameName(name, L"Color")) {
        if (ok) SetColor(static_cast<TColor>(v));
    } else if (SameName(name, L"Width")) {
        if (ok) SetWidth(static_cast<int>(v));
    } else if (SameName(name, L"Style")) {
        ok = ok && v >= 0 && v <= static_cast<std::int64_t>(TPenStyle::psClear);
        if (ok) SetStyle(static_cast<TPenStyle>(v));
    } else {
        return TGraphicsObject::SetProperty(name, value);
    }
    return ok;
}

TCanvas::TCanvas(HDC dc) : dc_(dc)
{
    font_.OnChange = [this](TObject*) { Deselect(originalFont_); };
    brush_.OnChange = [this](TObject*) { Deselect(originalBrush_); };
    pen_.OnChange = [this](TObject*) { Deselect(originalPen_); };
}

TCanvas::~TCanvas() { Refresh(); }

void TCanvas::SetHandle(HDC dc)
{
    if (dc == dc_) return;
    Refresh();
    dc_ = dc;
}

void TCanvas::Refresh()
{
    Deselect(originalFont_);
    Deselect(originalBrush_);
    Deselect(originalPen_);
}

void TCanvas::Deselect(HGDIOBJ& original)
{
    if (original && dc_) SelectObject(dc_, original);
    original = nullptr;
}

namespace {

HDC Drawable(HDC dc)
{
    if (!dc) throw EInvalidGraphicOperation(L"Canvas does not allow drawing");
    return dc;
}

void SelectOwn(HDC dc, HGDIOBJ object, HGDIOBJ& original)
{
    HGDIOBJ previous = SelectObject(dc, object);
    if (!original) original = previous;
}

}  // namespace

void TCanvas::RequireFont() { SelectOwn(Drawable(dc_), font_.Handle(), originalFont_); }
void TCanvas::RequireBrush() { SelectOwn(Drawable(dc_), brush_.Handle(), originalBrush_); }
void TCanvas::RequirePen() { SelectOwn(Drawable(dc_), pen_.Handle(), originalPen_); }

void TCanvas::PrepareText()
{
    RequireFont();
    SetTextColor(dc_, ColorToColorRef(font_.Color()));
    if (brush_.Style() == TBrushStyle::bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToColorRef(brush_.Color()));
    }
}

void TCanvas::FillRect(const RECT& rect)
{
    RequireBrush();
    ::FillRect(dc_, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& rect)
{
    RequireBrush();
    ::FrameRect(dc_, &rect, brush_.Handle());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    RequirePen();
    RequireBrush();
    ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    RequirePen();
    RequireBrush();
    ::RoundRect(dc_, left, top, right, bottom, cornerWidth, cornerHeight);
}

void TCanvas::Polygon(std::span<const POINT> points)
{
    RequirePen();
    RequireBrush();
    ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Drawable(dc_), x, y, nullptr); }

void TCanvas::LineTo(int x, int y)
{
    RequirePen();
    ::LineTo(dc_, x, y);
}

POINT TCanvas::PenPos() const
{
    POINT p{};
    GetCurrentPositionEx(Drawable(dc_), &p);
    return p;
}

void TCanvas::TextOut(int x, int y, std::wstring_view text)
{
    PrepareText();
    ::TextOutW(dc_, x, y, text.data(), Length(text));
}

void TCanvas::TextRect(const RECT& rect, int x, int y, std::wstring_view text)
{
    PrepareText();
    UINT options = ETO_CLIPPED | (brush_.Style() == TBrushStyle::bsClear ? 0u : static_cast<UINT>(ETO_OPAQUE));
    ExtTextOutW(dc_, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(std::wstring_view text)
{
    RequireFont();
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.data(), Length(text), &size);
    return size;
}

int TCanvas::DrawText(std::wstring_view text, RECT& rect, UINT flags)
{
    PrepareText();
    // DT_MODIFYSTRING may write into the text: hand over a private copy.
    std::wstring copy(text);
    copy.resize(copy.size() + 4);
    return ::DrawTextW(dc_, copy.data(), Length(text), &rect, flags);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    StretchDraw(RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void TCanvas::StretchDraw(const RECT& rect, const TBitmap& bitmap)
{
    if (bitmap.Empty()) return;
    HDC target = Drawable(dc_);
    HDC source = bitmap.Canvas().Handle();
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (bitmap.Transparent) {
        TransparentBlt(target, rect.left, rect.top, w, h, source, 0, 0, bitmap.Width(), bitmap.Height(),
                       ColorToColorRef(bitmap.TransparentColor()));
    } else if (w == bitmap.Width() && h == bitmap.Height()) {
        BitBlt(target, rect.left, rect.top, w, h, source, 0, 0, CopyMode);
    } else {
        StretchBlt(target, rect.left, rect.top, w, h, source, 0, 0, bitmap.Width(), bitmap.Height(), CopyMode);
    }
}

void TCanvas::Draw(int x, int y, const TIcon& icon)
{
    if (icon.Empty()) return;
    DrawIconEx(Drawable(dc_), x, y, icon.Handle(), icon.Width(), icon.Height(), 0, nullptr, DI_NORMAL);
}

void TCanvas::CopyRect(const RECT& dest, const TCanvas& source, const RECT& sourceRect)
{
    StretchBlt(Drawable(dc_), dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, Drawable(source.dc_),
               sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left, sourceRect.bottom - sourceRect.top,
               CopyMode);
}

TColor TCanvas::Pixel(int x, int y) const
{
    COLORREF c = GetPixel(Drawable(dc_), x, y);
    return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) { SetPixelV(Drawable(dc_), x, y, ColorToColorRef(color)); }

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format) { SetSize(width, height); }

TBitmap::~TBitmap()
{
    canvas_.reset();
    if (dc_ && dcOriginalBitmap_) SelectObject(dc_->get(), dcOriginalBitmap_);
}

int TBitmap::Stride() const { return static_cast<int>(BmpRowStride(width_, BytesPerPixel() * 8)); }

// Makes a new DIB of the given size and format, copies the shared part of `copyFrom`'s
// pixels into it (converting between 3 and 4 bytes per pixel) and puts it in place of the
// old one, in the canvas's DC too.
void TBitmap::Replace(int width, int height, TPixelFormat format, const TBitmap* copyFrom)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    BitmapHandle dib;
    std::uint8_t* bits = nullptr;
    if (width > 0 && height > 0) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(format == TPixelFormat::pf24bit ? 24 : 32);
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        dib.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
        if (!dib || !memory) OutOfResources();
        bits = static_cast<std::uint8_t*>(memory);
    }

    if (bits && copyFrom && !copyFrom->Empty()) {
        GdiFlush();
        const int srcStep = copyFrom->BytesPerPixel();
        const int dstStep = format == TPixelFormat::pf24bit ? 3 : 4;
        const auto dstStride = BmpRowStride(width, dstStep * 8);
        const int rows = std::min(height, copyFrom->height_);
        const int cols = std::min(width, copyFrom->width_);
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* src = copyFrom->ScanLine(y);
            std::uint8_t* dst = bits + static_cast<std::size_t>(y) * dstStride;
            if (srcStep == dstStep) {
                std::memcpy(dst, src, static_cast<std::size_t>(cols) * static_cast<std::size_t>(dstStep));
                continue;
            }
            for (int x = 0; x < cols; ++x) std::memcpy(dst + x * dstStep, src + x * srcStep, 3);
        }
    }

    BitmapHandle old = std::move(dib_);
    dib_ = std::move(dib);
    bits_ = bits;
    width_ = width;
    height_ = height;
    format_ = format;
    SelectIntoCanvas();
}

void TBitmap::SelectIntoCanvas() const
{
    if (!dc_) return;
    if (dib_) {
        HGDIOBJ previous = SelectObject(dc_->get(), dib_.get());
        if (!dcOriginalBitmap_) dcOriginalBitmap_ = previous;
    } else if (dcOriginalBitmap_) {
        SelectObject(dc_->get(), dcOriginalBitmap_);
        dcOriginalBitmap_ = nullptr;
    }
}

void TBitmap::SetSize(int width, int height)
{
    if (width == width_ && height == height_) return;
    Replace(width, height, format_, this);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == format_) return;
    Replace(width_, height_, format, this);
}

std::uint8_t* TBitmap::ScanLine(int row)
{
    if (row < 0 || row >= height_ || !bits_) throw EInvalidGraphicOperation(L"Scan line index out of range");
    // Drawing through the canvas may still be queued; the rows must show it.
    GdiFlush();
    return bits_ + static_cast<std::size_t>(row) * static_cast<std::size_t>(Stride());
}

const std::uint8_t* TBitmap::ScanLine(int row) const { return const_cast<TBitmap*>(this)->ScanLine(row); }

std::uint64_t TBitmap::PixelDigest() const
{
    // FNV-1a over the measures, then the used bytes of every row (not the row padding).
    std::uint64_t digest = 0xcbf29ce484222325ull;
    const auto mix = [&digest](std::uint64_t byte) { digest = (digest ^ byte) * 0x100000001b3ull; };
    for (const int measure : {width_, height_, static_cast<int>(format_)})
        for (int shift = 0; shift < 32; shift += 8) mix(static_cast<std::uint8_t>(measure >> shift));
    if (!bits_) return digest;
    const auto used = static_cast<std::size_t>(width_) * static_cast<std::size_t>(BytesPerPixel());
    for (int row = 0; row < height_; ++row) {
        const std::uint8_t* line = ScanLine(row);
        for (std::size_t k = 0; k < used; ++k) mix(line[k]);
    }
    return digest;
}

TCanvas& TBitmap::Canvas() const
{
    if (!canvas_) {
        if (!dc_) {
            dc_.emplace(nullptr);
            if (!dc_->get()) {
                dc_.reset();
                OutOfResources();
            }
        }
        SelectIntoCanvas();
        canvas_ = std::make_unique<TCanvas>(dc_->get());
    }
    return *canvas_;
}

TColor TBitmap::TransparentColor() const
{
    if (transparentColor_ != clDefault || Empty()) return transparentColor_;
    const std::uint8_t* p = ScanLine(height_ - 1);
    return RGBColor(p[2], p[1], p[0]);
}

void TBitmap::Assign(const TBitmap& other)
{
    if (&other == this) return;
    Replace(other.width_, other.height_, other.format_, &other);
    Transparent = other.Transparent;
    transparentColor_ = other.transparentColor_;
}

void TBitmap::LoadFromBytes(std::span<const std::uint8_t> bytes)
{
    TakeImage(DecodeBmp(bytes));
}

void TBitmap::TakeImage(const std::optional<BmpImage>& image)
{
    if (!image) throw EInvalidGraphic(L"Bitmap image is not valid");
    Replace(image->width, image->height, image->bitsPerPixel == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit, nullptr);
    for (int y = 0; y < height_; ++y) std::memcpy(ScanLine(y), image->Row(y), image->Stride());
}

void TBitmap::LoadFromStream(TStream& stream)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max<std::int64_t>(stream.Size() - stream.Position(), 0)));
    stream.ReadBuffer(bytes.data(), bytes.size());
    LoadFromBytes(bytes);
}

void TBitmap::LoadFromFile(const std::wstring& path) { LoadFromBytes(ReadFileBytes(path)); }

void TBitmap::LoadFromResourceName(HINSTANCE instance, const wchar_t* name)
{
    HRSRC found = FindResourceW(instance, name, reinterpret_cast<LPCWSTR>(RT_BITMAP));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) ResourceNotFound(name);
    TakeImage(DecodeDib(std::span(static_cast<const std::uint8_t*>(data), SizeofResource(instance, found))));
}

void TBitmap::SaveToStream(TStream& stream) const
{
    BmpImage image{width_, height_, BytesPerPixel() * 8, {}};
    if (!Empty()) {
        const std::uint8_t* first = ScanLine(0);
        image.pixels.assign(first, first + static_cast<std::size_t>(Stride()) * static_cast<std::size_t>(height_));
    }
    auto bytes = EncodeBmp24(image);
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap::SaveToFile(const std::wstring& path) const
{
    TMemoryStream stream;
    SaveToStream(stream);
    stream.SaveToFile(path);
}

PropValue TBitmap::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Width")) return std::int64_t{width_};
    if (SameName(name, L"Height")) return std::int64_t{height_};
    if (SameName(name, L"Empty")) return std::int64_t{Empty() ? 1 : 0};
    if (SameName(name, L"Transparent")) return std::int64_t{Transparent ? 1 : 0};
    if (SameName(name, L"TransparentColor")) return std::int64_t{TransparentColor()};
    return TObject::GetProperty(name);
}

bool TBitmap::SetProperty(std::wstring_view name, const PropValue& value)
{
    bool ok = false;
    std::int64_t v = AsInt(value, ok);
    if (SameName(name, L"Width")) {
        if (ok) SetWidth(static_cast<int>(v));
    } else if (SameName(name, L"Height")) {
        if (ok) SetHeight(static_cast<int>(v));
    } else if (SameName(name, L"Transparent")) {
        if (ok) Transparent = v != 0;
    } else if (SameName(name, L"TransparentColor")) {
        if (ok) SetTransparentColor(static_cast<TColor>(v));
    } else {
        return TObject::SetProperty(name, value);
    }
    return ok;
}

void TIcon::SetHandle(HICON icon)
{
    icon_.reset(icon);
    width_ = height_ = 0;
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return;
    // GetIconInfo hands out copies of the icon's bitmaps.
    BitmapHandle mask(info.hbmMask), color(info.hbmColor);
    BITMAP bm{};
    if (GetObjectW(info.hbmMask, sizeof bm, &bm)) {
        width_ = bm.bmWidth;
        height_ = color ? bm.bmHeight : bm.bmHeight / 2;
    }
}

void TIcon::AssignHandle(HICON icon) { SetHandle(icon ? CopyIcon(icon) : nullptr); }

void TIcon::LoadFromResourceName(HINSTANCE instance, const wchar_t* name, int width, int height)
{
    auto icon = static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, width, height, width || height ? 0 : LR_DEFAULTSIZE));
    if (!icon) ResourceNotFound(name);
    SetHandle(icon);
}

}  // namespace ui
