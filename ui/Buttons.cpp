#include "ui/Buttons.h"

#include <algorithm>

namespace ui {

void TButtonGlyph::SetCount(int value) { Count = std::clamp(value, 1, 4); }

PropValue TButtonGlyph::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Glyph")) return PropValue(static_cast<TObject*>(Bitmap.get()));
    if (SameName(name, L"NumGlyphs")) return static_cast<std::int64_t>(Count);
    if (SameName(name, L"Layout")) return EnumProp(TButtonLayoutType, Layout);
    if (SameName(name, L"Spacing")) return static_cast<std::int64_t>(Spacing);
    if (SameName(name, L"Margin")) return static_cast<std::int64_t>(Margin);
    return {};
}

bool TButtonGlyph::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (SameName(name, L"Glyph")) {
        auto* const* o = std::get_if<TObject*>(&value);
        auto* bitmap = o ? dynamic_cast<TBitmap*>(*o) : nullptr;
        if (!bitmap) return false;
        Bitmap->Assign(*bitmap);
        return true;
    }
    const auto* i = std::get_if<std::int64_t>(&value);
    if (!i) return false;
    if (SameName(name, L"NumGlyphs")) SetCount(static_cast<int>(*i));
    else if (SameName(name, L"Spacing")) Spacing = static_cast<int>(*i);
    else if (SameName(name, L"Margin")) Margin = static_cast<int>(*i);
    else if (SameName(name, L"Layout") && *i >= 0 && *i < std::ssize(kButtonLayoutIdents)) Layout = static_cast<TButtonLayout>(*i);
    else return false;
    return true;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    params.Style = (params.Style & ~static_cast<DWORD>(BS_DEFPUSHBUTTON | BS_PUSHBUTTON)) | BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(const TBitmap& bitmap)
{
    glyph_.Bitmap->Assign(bitmap);
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int value)
{
    glyph_.SetCount(value);
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value)
{
    glyph_.Layout = value;
    Invalidate();
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item)
{
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;

    // Off-screen first, one block transfer after: no flicker while the caption changes.
    TBitmap buffer(r.right - r.left, r.bottom - r.top);
    TCanvas& canvas = buffer.Canvas();
    RECT face{0, 0, buffer.Width(), buffer.Height()};
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(face);
    DrawFrameControl(canvas.Handle(), &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    canvas.Font().Assign(*Font());
    if (disabled) canvas.Font().SetColor(clGrayText);
    const std::wstring caption = Text();
    const SIZE text = canvas.TextExtent(caption);
    const int glyphWidth = glyph_.Bitmap->Empty() ? 0 : glyph_.Bitmap->Width() / glyph_.Count;
    const int glyphHeight = glyph_.Bitmap->Empty() ? 0 : glyph_.Bitmap->Height();
    const int gap = glyphWidth && !caption.empty() ? glyph_.Spacing : 0;
    const int total = glyphWidth + gap + text.cx;
    int x = (buffer.Width() - total) / 2 + (pressed ? 1 : 0);
    const int y = (buffer.Height() - text.cy) / 2 + (pressed ? 1 : 0);
    if (glyphWidth) {
        TBitmap frame(glyphWidth, glyphHeight);
        const int index = disabled && glyph_.Count > 1 ? 1 : 0;
        RECT source{index * glyphWidth, 0, (index + 1) * glyphWidth, glyphHeight};
        frame.Canvas().CopyRect(RECT{0, 0, glyphWidth, glyphHeight}, glyph_.Bitmap->Canvas(), source);
        frame.Transparent = true;
        canvas.Draw(x, (buffer.Height() - glyphHeight) / 2 + (pressed ? 1 : 0), frame);
        x += glyphWidth + gap;
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.TextOut(x, y, caption);
    if (focused) {
        RECT focus = face;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(canvas.Handle(), &focus);
    }
    BitBlt(item.hDC, r.left, r.top, buffer.Width(), buffer.Height(), canvas.Handle(), 0, 0, SRCCOPY);
}

void TBitBtn::WndProc(TMessage& message)
{
    if (message.Msg == CN_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
        message.Result = TRUE;
        return;
    }
    // The owner-drawn button has no double-click of its own: a quick second press is a click.
    if (message.Msg == WM_LBUTTONDBLCLK) message.Msg = WM_LBUTTONDOWN;
    TButton::WndProc(message);
}

PropValue TBitBtn::GetProperty(std::wstring_view name) const
{
    if (PropValue value = glyph_.GetProperty(name); !std::holds_alternative<std::monostate>(value)) return value;
    return TButton::GetProperty(name);
}

bool TBitBtn::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (!glyph_.SetProperty(name, value)) return TButton::SetProperty(name, value);
    Invalidate();
    return true;
}

// ---------------------------------------------------------------------------------------
// TSpeedButton

TSpeedButton::TSpeedButton(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(const TBitmap& bitmap)
{
    glyph_.Bitmap->Assign(bitmap);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value)
{
    glyph_.SetCount(value);
    Invalidate();
}

void TSpeedButton::SetFlat(bool value)
{
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetDown(bool value)
{
    if (down_ == value) return;
    down_ = value;
    if (value && group_index_ > 0 && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
                other && other != this && other->group_index_ == group_index_)
                other->SetDown(false);
    Invalidate();
}

void TSpeedButton::Click()
{
    if (group_index_ > 0) SetDown(!down_ || !allow_all_up_);
    TCustomControl::Click();
}

void TSpeedButton::Paint()
{
    TCanvas& canvas = *Canvas();
    RECT r = ClientRect();
    const bool sunken = pressed_ || down_;
    if (!flat_ || hot_ || sunken) DrawEdge(canvas.Handle(), &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int offset = sunken ? 1 : 0;
    const int cellWidth = glyph_.Bitmap->Empty() ? 0 : glyph_.Bitmap->Width() / glyph_.Count;
    const std::wstring caption = Text();
    canvas.Font().Assign(*Font());
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    const SIZE text = caption.empty() ? SIZE{0, 0} : canvas.TextExtent(caption);
    const int gap = cellWidth && text.cx ? glyph_.Spacing : 0;
    int x = (Width() - cellWidth - gap - text.cx) / 2 + offset;
    if (cellWidth) {
        const int cell = !Enabled() ? 2 : down_ ? 4 : pressed_ ? 3 : 1;
        const int index = (cell <= glyph_.Count ? cell : 1) - 1;
        TBitmap frame(cellWidth, glyph_.Bitmap->Height());
        frame.Canvas().CopyRect(RECT{0, 0, cellWidth, glyph_.Bitmap->Height()}, glyph_.Bitmap->Canvas(),
                                RECT{index * cellWidth, 0, (index + 1) * cellWidth, glyph_.Bitmap->Height()});
        frame.Transparent = true;
        canvas.Draw(x, (Height() - glyph_.Bitmap->Height()) / 2 + offset, frame);
        x += cellWidth + gap;
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    if (text.cx) canvas.TextOut(x, (Height() - text.cy) / 2 + offset, caption);
}

void TSpeedButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Enabled()) {
            pressed_ = true;
            SetCapture(WindowHandle());
            Invalidate();
        }
        break;
    case WM_LBUTTONUP:
        if (pressed_) {
            pressed_ = false;
            ReleaseCapture();
            Invalidate();
            const POINT at{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
            const RECT client = ClientRect();
            if (PtInRect(&client, at)) Click();
        }
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        hot_ = message.Msg == CM_MOUSEENTER;
        if (flat_) Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(message);
}

PropValue TSpeedButton::GetProperty(std::wstring_view name) const
{
    if (PropValue value = glyph_.GetProperty(name); !std::holds_alternative<std::monostate>(value)) return value;
    if (SameName(name, L"Flat")) return BoolProp(flat_);
    if (SameName(name, L"Down")) return BoolProp(down_);
    if (SameName(name, L"GroupIndex")) return static_cast<std::int64_t>(group_index_);
    if (SameName(name, L"AllowAllUp")) return BoolProp(allow_all_up_);
    return TCustomControl::GetProperty(name);
}

bool TSpeedButton::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (glyph_.SetProperty(name, value)) {
        Invalidate();
        return true;
    }
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        if (SameName(name, L"Flat")) { SetFlat(*i != 0); return true; }
        if (SameName(name, L"Down")) { SetDown(*i != 0); return true; }
        if (SameName(name, L"GroupIndex")) { SetGroupIndex(static_cast<int>(*i)); return true; }
        if (SameName(name, L"AllowAllUp")) { SetAllowAllUp(*i != 0); return true; }
    }
    return TCustomControl::SetProperty(name, value);
}

}  // namespace ui
