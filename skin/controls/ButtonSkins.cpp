#include "skin/controls/ButtonSkins.h"

#include <algorithm>
#include <cwctype>

#include "skin/controls/PainterRules.h"
#include "skin/data/SkinImage.h"
#include "ui/Gdi.h"

namespace skin {

namespace {

constexpr std::intptr_t kTransparentTag = 5555;

RECT ToRect(const TRectI& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
TRectI ToRectI(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

UINT AlignFlag(int textAlign) { return textAlign == 1 ? DT_CENTER : textAlign == 2 ? DT_RIGHT : DT_LEFT; }

// The caption's size when drawn with flags in area; zero for an empty caption.
TSizeI MeasureText(HDC dc, const std::wstring& text, RECT area, UINT flags)
{
    if (text.empty()) return {};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, flags | DT_CALCRECT);
    return {area.right - area.left, area.bottom - area.top};
}

void DrawTextIn(HDC dc, const std::wstring& text, RECT rect, UINT flags)
{
    if (!text.empty()) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

struct TGlyphInfo {
    const ui::TBitmap* Bitmap = nullptr;
    int Count = 1;
    TSizeI Size;
};

TGlyphInfo ReadGlyph(const ui::TControl* control, std::wstring_view property, bool whole)
{
    TGlyphInfo info;
    info.Bitmap = ui::GetObjectPropOf<ui::TBitmap>(control, property);
    if (!info.Bitmap || info.Bitmap->Empty()) {
        info.Bitmap = nullptr;
        return info;
    }
    const std::int64_t count = whole ? 1 : ui::GetIntProp(control, L"NumGlyphs");
    info.Count = count < 1 ? 1 : static_cast<int>(count);
    info.Size = {info.Bitmap->Width() / info.Count, info.Bitmap->Height()};
    return info;
}

int IntPropOr(const ui::TControl* control, std::wstring_view name, int fallback)
{
    const std::int64_t v = ui::GetIntProp(control, name);
    return v == -1 && !ui::HasProperty(control, name) ? fallback : static_cast<int>(v);
}

}  // namespace

void DrawButtonCaption(HDC dc, const RECT& bounds, UINT alignment, const std::wstring& text, UINT extraFlags,
                       bool focusRect)
{
    const std::wstring caption = BreakCaption(text);
    RECT work = bounds;
    InflateRect(&work, -2, -2);
    SetBkMode(dc, TRANSPARENT);
    RECT measured = work;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP | extraFlags);
    OffsetRect(&measured, -measured.left, -measured.top);
    RECT placed = ToRect(PlaceCaption(ToRectI(bounds), ToRectI(measured), alignment == DT_CENTER ? 1 : 0));
    DrawTextIn(dc, caption, placed, DT_WORDBREAK | DT_EXPANDTABS | alignment | extraFlags);
    if (focusRect) {
        InflateRect(&placed, 2, 2);
        DrawFocusRect(dc, &placed);
    }
}

void DrawGlyphCell(HDC dc, POINT at, int numGlyphs, int cell, const ui::TBitmap& glyph)
{
    if (glyph.Empty()) return;
    numGlyphs = std::max(numGlyphs, 1);
    if (cell > numGlyphs || cell < 1) cell = 1;
    const int width = glyph.Width() / numGlyphs;
    const int height = glyph.Height();
    if (width <= 0) return;
    HDC source = glyph.Canvas().Handle();
    ui::TColor key = glyph.TransparentColor();
    ui::TBitmap piece(width, height);
    HDC target = piece.Canvas().Handle();
    if (cell == 2 && numGlyphs == 1) {
        // Embossed: the glyph's shape in highlight one pixel down-right, in shadow on top.
        const ui::TColor face = ui::clBtnFace;
        RECT all{0, 0, width, height};
        ui::BrushHandle faceBrush(CreateSolidBrush(ui::ColorToColorRef(face)));
        FillRect(target, &all, faceBrush.get());
        ui::BitmapHandle mask(CreateBitmap(width, height, 1, 1, nullptr));
        ui::MemoryDC maskDC;
        ui::ScopedSelect maskSelected(maskDC.get(), mask.get());
        const COLORREF oldBack = SetBkColor(source, ui::ColorToColorRef(key));
        BitBlt(maskDC.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
        SetBkColor(source, oldBack);
        // Glyph pixels become 1: the raster operation paints the brush where the mask is set.
        BitBlt(maskDC.get(), 0, 0, width, height, nullptr, 0, 0, DSTINVERT);
        SetTextColor(target, RGB(0, 0, 0));
        SetBkColor(target, RGB(255, 255, 255));
        constexpr DWORD kPaintWhereMaskSet = 0x00E20746;
        for (const auto& [offset, colorIndex] : {std::pair{1, COLOR_BTNHIGHLIGHT}, std::pair{0, COLOR_BTNSHADOW}}) {
            ui::BrushHandle brush(CreateSolidBrush(GetSysColor(colorIndex)));
            ui::ScopedSelect brushSelected(target, brush.get());
            BitBlt(target, offset, offset, width, height, maskDC.get(), 0, 0, kPaintWhereMaskSet);
        }
        key = face;
    } else {
        BitBlt(target, 0, 0, width, height, source, (cell - 1) * width, 0, SRCCOPY);
    }
    DrawTransparent(dc, RECT{at.x, at.y, at.x + width, at.y + height}, piece, key);
}

// ---------------------------------------------------------------------------------------
// TSkinButton

void TSkinButton::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    if (!control_) return;
    const std::wstring name = Lower(std::wstring(control_->ClassName()));
    mode_ = name.starts_with(L"trz") || name.starts_with(L"tel") ? 1 : 0;
    transparent_ = control_->Tag() == kTransparentTag ||
                   (skin_data_ && skin_data_->Options.Contains(TSkinOption::xoTransparent));
}

const TDataSkinButton* TSkinButton::ButtonsElement() const
{
    const TSkinElements* elements = Elements();
    const TDataSkinButton* buttons = elements ? elements->Buttons.get() : nullptr;
    return buttons && !buttons->Image.Empty() ? buttons : nullptr;
}

void TSkinButton::ReadState()
{
    focused_ = Focused();
    enabled_ = WindowEnabled();
    caption_ = control_ ? ui::GetTextProp(control_, L"Caption") : GetWindowTextWide(window_);
}

int TSkinButton::CurrentFrame()
{
    ReadState();
    const bool isDefault = control_ ? PropIsTrue(L"Default") : (Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    return PushButtonFrame({.Disabled = !enabled_,
                            .Pressed = (mouse_ & kMousePressed) != 0,
                            .Hot = (mouse_ & kMouseOver) != 0,
                            .FocusedOrDefault = focused_ || isDefault});
}

HDC TSkinButton::PrepareBuffer(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (buffer_.Width() != width || buffer_.Height() != height) buffer_.SetSize(width, height);
    HDC dc = buffer_.Canvas().Handle();
    const RECT all{0, 0, width, height};
    if (transparent_) {
        FillSkinColor(dc, all);
        if (control_) DrawParentImage(*control_, dc);
        else DrawParentImage(window_, dc);
    } else {
        FillSkinColor(dc, all);
    }
    return dc;
}

void TSkinButton::DrawFrame(int frame)
{
    const TDataSkinButton* element = ButtonsElement();
    if (!element) return;
    const RECT all{0, 0, buffer_.Width(), buffer_.Height()};
    DrawSkinElement(buffer_.Canvas().Handle(), all, element->Image, element->Margins(), false, element->Tile != 0,
                    element->Trans == 1, element->Frame, frame);
}

void TSkinButton::DrawFace(int frame, const TFaceGlyph& glyph)
{
    HDC dc = buffer_.Canvas().Handle();
    const auto draw = [&] {
        DrawFrame(frame);
        if (glyph.Bitmap) DrawGlyphCell(dc, glyph.At, glyph.Count, glyph.Cell, *glyph.Bitmap);
    };
    const TDataSkinButton* element = ButtonsElement();
    if (transparent_ || !element || frame < 1 || frame > static_cast<int>(faces_.size())) {
        draw();
        return;
    }
    const int width = buffer_.Width(), height = buffer_.Height();
    const TFaceKey key{skin_data_->Generation(), width, height, SkinColor(csButtonFace),
                       glyph.Bitmap ? glyph.Bitmap->PixelDigest() : 0, glyph.At.x, glyph.At.y, glyph.Cell, glyph.Count};
    TFace& face = faces_[static_cast<std::size_t>(frame - 1)];
    if (face.Valid && face.Key == key) {
        BitBlt(dc, 0, 0, width, height, face.Picture.Canvas().Handle(), 0, 0, SRCCOPY);
        return;
    }
    draw();
    face.Picture.SetSize(width, height);
    BitBlt(face.Picture.Canvas().Handle(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
    face.Key = key;
    face.Valid = true;
}

void TSkinButton::SkinChanged()
{
    for (TFace& face : faces_) face.Valid = false;
    TSkinControl::SkinChanged();
}

HFONT TSkinButton::CaptionFont() const
{
    if (const auto* font = ui::GetObjectPropOf<ui::TFont>(control_, L"Font")) return font->Handle();
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0))) return font;
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void TSkinButton::SetCaptionColors(HDC dc, int frame, bool firstFrameOnly)
{
    const TDataSkinButton* element = ButtonsElement();
    const auto* font = ui::GetObjectPropOf<ui::TFont>(control_, L"Font");
    ui::TColor color = font ? font->Color() : SkinColor(csButtonText);
    if (element) {
        if (element->NormalColour != -1 && (!firstFrameOnly || frame == bfNormal)) color = element->NormalColour;
        if (element->MouseOverColour != -1 && frame == bfHot) color = element->MouseOverColour;
        if (element->PressedColour != -1 && frame == bfPressed) color = element->PressedColour;
    }
    if (frame == bfDisabled) color = ui::clGrayText;
    SetTextColor(dc, ui::ColorToColorRef(color));
    SetBkMode(dc, TRANSPARENT);
}

void TSkinButton::CopyBuffer(HDC dc, const RECT& rect)
{
    BitBlt(dc, rect.left, rect.top, buffer_.Width(), buffer_.Height(), buffer_.Canvas().Handle(), 0, 0, SRCCOPY);
}

bool TSkinButton::FocusRectWanted() const
{
    return !(skin_data_ && skin_data_->Options.Contains(TSkinOption::xoNoFocusRect));
}

void TSkinButton::Paint(HDC dc, const RECT& rect)
{
    if (!ButtonsElement() || rect.right <= rect.left || rect.bottom <= rect.top) return;
    const int frame = CurrentFrame();
    multi_line_ = PropIsTrue(L"MultiLine");
    HDC buffer = PrepareBuffer(rect);
    DrawFace(frame, {});
    ui::ScopedSelect font(buffer, CaptionFont());
    SetCaptionColors(buffer, frame, false);
    caption_ = BreakCaption(caption_);
    DrawButtonCaption(buffer, RECT{0, 0, buffer_.Width(), buffer_.Height()}, DT_CENTER, caption_, TextFlags(0),
                      focused_ && FocusRectWanted());
    CopyBuffer(dc, rect);
}

void TSkinButton::ClickNow()
{
    if (control_) {
        control_->Click();
        return;
    }
    wchar_t name[64] = {};
    GetClassNameW(window_, name, 64);
    const WPARAM id = Lower(name) == L"tbutton" ? 0 : static_cast<WPARAM>(GetDlgCtrlID(window_));
    PostMessageW(GetParent(window_), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window_));
}

bool TSkinButton::BeforeMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        PaintOnMessage(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    case WM_TIMER:
        KillTimer(window_, 1);
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!Focused()) SetFocus(window_);
        mouse_ |= kMousePressed;
        PaintWindow(nullptr);
        if (mode_ == 0 && control_) ForwardMouseDown(message);
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinButton::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_SETTEXT:
        PaintWindow(nullptr);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.WParam == VK_SPACE) {
            if (message.Msg == WM_KEYDOWN) mouse_ |= kMousePressed;
            else mouse_ &= ~kMousePressed;
            Repaint();
        }
        break;
    case WM_MOUSEMOVE:
        if (WindowEnabled() && !(mouse_ & kMouseOver)) {
            mouse_ |= kMouseOver;
            Repaint();
        }
        SkinTrackMouseLeave(window_);
        break;
    case WM_LBUTTONUP:
        if (mouse_ & kMousePressed) {
            mouse_ &= ~kMousePressed;
            Repaint();
            ClickNow();  // may free this painter: nothing follows
        }
        break;
    case WM_MOUSELEAVE:
        mouse_ &= ~(kMouseOver | kMousePressed);
        Repaint();
        break;
    case ui::CM_DIALOGKEY:
    case ui::CM_FOCUSCHANGED:
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
    }
}

// ---------------------------------------------------------------------------------------
// TSkinBitButton

void TSkinBitButton::Paint(HDC dc, const RECT& rect)
{
    if (!ButtonsElement() || rect.right <= rect.left || rect.bottom <= rect.top) return;
    if (proxy_ && Lower(ui::GetEnumPropText(proxy_, L"Visible")) == L"false") return;
    const int frame = CurrentFrame();
    HDC buffer = PrepareBuffer(rect);
    ui::ScopedSelect font(buffer, CaptionFont());

    const bool graphic = !GlyphPropName.empty();
    const TGlyphInfo glyph = ReadGlyph(control_, graphic ? std::wstring_view(GlyphPropName) : L"Glyph", graphic);
    const int margin = IntPropOr(control_, L"Margin", -1);
    const int spacing = IntPropOr(control_, L"Spacing", -1);
    const TGlyphLayout layout = GlyphLayoutFromText(EnumText(L"Layout"));
    const bool centred = Lower(EnumText(L"Alignment")) == L"tacenter";
    const bool across = layout == TGlyphLayout::Left || layout == TGlyphLayout::Right;
    const TSizeI client{rect.right - rect.left, rect.bottom - rect.top};

    caption_ = BreakCaption(caption_);
    RECT area{2, 2, client.Width - 2, client.Height - 2};
    if (across) area.right -= glyph.Size.Width + 2;
    else area.bottom -= glyph.Size.Height + 2;
    const TSizeI text = MeasureText(buffer, caption_, area, DT_WORDBREAK);
    const TGlyphPlacement place = PlaceBitButton(client, glyph.Size, text, margin, spacing, layout, centred);

    DrawFace(frame, {.Bitmap = glyph.Bitmap,
                     .Count = glyph.Count,
                     .Cell = graphic ? 1 : GlyphCell(frame, false, glyph.Count),
                     .At = POINT{place.Glyph.X, place.Glyph.Y}});
    SetCaptionColors(buffer, frame, false);
    RECT textRect = ToRect(place.Text);
    DrawTextIn(buffer, caption_, textRect, TextFlags(DT_WORDBREAK | AlignFlag(place.TextAlign)));
    if (focused_ && FocusRectWanted() && !caption_.empty()) {
        InflateRect(&textRect, 2, 2);
        DrawFocusRect(buffer, &textRect);
    }
    CopyBuffer(dc, rect);
}

// ---------------------------------------------------------------------------------------
// TSkinSpeedButton

int TSkinSpeedButton::CurrentFrame()
{
    caption_ = ui::GetTextProp(control_, L"Caption");
    const bool enabled = control_ ? Lower(EnumText(L"Enabled")) == L"true" : WindowEnabled();
    return SpeedButtonFrame({.Disabled = !enabled,
                             .Pressed = (mouse_ & kMousePressed) != 0,
                             .Hot = (mouse_ & kMouseOver) != 0},
                            PropIsTrue(L"Down"));
}

bool TSkinSpeedButton::BeforeMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The speed button presses itself (and clicks on its release); the painter shows it.
        if (!CallPrevious(message)) return false;
        mouse_ |= kMousePressed;
        PaintWindow(nullptr);
        return false;
    case WM_LBUTTONUP:
        return true;
    default:
        return TSkinButton::BeforeMessage(message);
    }
}

void TSkinSpeedButton::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_ENABLE:
    case ui::CM_FOCUSCHANGED:
    case ui::CM_ENABLEDCHANGED:
        break;
    case WM_LBUTTONUP:
        mouse_ &= ~kMousePressed;
        Repaint();
        break;
    case ui::CM_MOUSEENTER:
        mouse_ |= kMouseOver;
        Repaint();
        break;
    case ui::CM_MOUSELEAVE:
        mouse_ &= ~(kMouseOver | kMousePressed);
        if (IsWindowVisible(window_)) Repaint();
        break;
    default:
        TSkinButton::AfterMessage(message);
    }
}

void TSkinSpeedButton::Paint(HDC dc, const RECT& rect)
{
    if (painting_ || !ButtonsElement() || rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return;
    if (Lower(EnumText(L"Visible")) == L"false") return;
    painting_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{painting_};

    const int frame = CurrentFrame();
    const bool down = PropIsTrue(L"Down");
    const bool graphic = !GlyphPropName.empty();
    const TGlyphInfo glyph = ReadGlyph(control_, graphic ? std::wstring_view(GlyphPropName) : L"Glyph", graphic);
    const bool flat = PropIsTrue(L"Flat");
    const int margin = IntPropOr(control_, L"Margin", -1);
    const int spacing = IntPropOr(control_, L"Spacing", -1);
    const TGlyphLayout layout = GlyphLayoutFromText(EnumText(L"Layout"));
    const TSizeI client{rect.right - rect.left, rect.bottom - rect.top};

    HDC buffer = PrepareBuffer(rect);
    if (frame == bfPressed || frame == bfHot || !flat) DrawFrame(frame);
    ui::ScopedSelect font(buffer, CaptionFont());
    caption_ = BreakCaption(caption_);
    if (glyph.Bitmap) {
        const bool across = layout == TGlyphLayout::Left || layout == TGlyphLayout::Right;
        RECT area{2, 2, client.Width - 2, client.Height - 2};
        if (across) area.right -= glyph.Size.Width + 2;
        else area.bottom -= glyph.Size.Height + 2;
        const TSizeI text = MeasureText(buffer, caption_, area, DT_WORDBREAK);
        const TGlyphPlacement place = PlaceSpeedButton(client, glyph.Size, text, margin, spacing, layout);
        DrawGlyphCell(buffer, POINT{place.Glyph.X, place.Glyph.Y}, glyph.Count,
                      graphic ? 1 : GlyphCell(frame, down, glyph.Count), *glyph.Bitmap);
        SetCaptionColors(buffer, frame, true);
        DrawTextIn(buffer, caption_, ToRect(place.Text), TextFlags(DT_WORDBREAK | AlignFlag(place.TextAlign)));
    } else {
        SetCaptionColors(buffer, frame, true);
        DrawButtonCaption(buffer, RECT{0, 0, client.Width, client.Height}, DT_CENTER, caption_, TextFlags(0), false);
    }
    CopyBuffer(dc, rect);
}

// ---------------------------------------------------------------------------------------
// TSkinMenuButton

int TSkinMenuButton::CurrentFrame()
{
    ReadState();
    return MenuButtonFrame({.Disabled = !enabled_,
                            .Pressed = (mouse_ & kMousePressed) != 0,
                            .Hot = (mouse_ & kMouseOver) != 0},
                           focused_);
}

void TSkinMenuButton::Paint(HDC dc, const RECT& rect)
{
    if (!ButtonsElement() || rect.right <= rect.left || rect.bottom <= rect.top) return;
    const int frame = CurrentFrame();
    HDC buffer = PrepareBuffer(rect);
    DrawFrame(frame);
    ui::ScopedSelect font(buffer, CaptionFont());

    const TGlyphInfo glyph = ReadGlyph(control_, L"Glyph", true);
    const int margin = IntPropOr(control_, L"Margin", -1);
    const int spacing = IntPropOr(control_, L"Spacing", -1);
    const TSizeI client{rect.right - rect.left, rect.bottom - rect.top};
    constexpr int kArrowWidth = 8;

    caption_ = BreakCaption(caption_);
    RECT area{2, 2, client.Width - glyph.Size.Width - kArrowWidth - 2, client.Height - 2};
    const TSizeI text = MeasureText(buffer, caption_, area, DT_WORDBREAK);
    const TMenuButtonPlacement place = PlaceMenuButton(client, glyph.Size, text, margin, spacing);

    if (glyph.Bitmap) DrawGlyphCell(buffer, POINT{place.Glyph.X, place.Glyph.Y}, 1, 1, *glyph.Bitmap);
    SetCaptionColors(buffer, frame, true);
    const int x = place.Arrow.X;
    const int y = place.Arrow.Y;
    const POINT arrow[] = {{x, y + 2}, {x - 3, y - 1}, {x + 3, y - 1}};
    const COLORREF arrowColor = GetSysColor(frame == bfDisabled ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
    ui::BrushHandle arrowBrush(CreateSolidBrush(arrowColor));
    ui::PenHandle arrowPen(CreatePen(PS_SOLID, 1, arrowColor));
    {
        ui::ScopedSelect brush(buffer, arrowBrush.get());
        ui::ScopedSelect pen(buffer, arrowPen.get());
        Polygon(buffer, arrow, 3);
    }
    RECT textRect{place.Text.X, place.Text.Y, place.Text.X + text.Width, place.Text.Y + text.Height};
    DrawTextIn(buffer, caption_, textRect, TextFlags(DT_WORDBREAK));
    if (focused_ && FocusRectWanted() && !caption_.empty()) {
        InflateRect(&textRect, 2, 2);
        DrawFocusRect(buffer, &textRect);
    }
    CopyBuffer(dc, rect);
}

}  // namespace skin
