#include "hints/BalloonHints.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace hints {

namespace {

std::vector<TBalloonHints*>& LiveComponents()
{
    static std::vector<TBalloonHints*> components;
    return components;
}

// The application's show-hint event while a balloon window is linked; knows its window so
// that the window takes away only its own handler.
struct BalloonShowHint {
    TBalloonHintWindow* window;
    std::function<void(TBalloonHintWindow*, std::wstring&, bool&, ui::THintInfo&)> call;
    void operator()(std::wstring& hint, bool& canShow, ui::THintInfo& info) const { call(window, hint, canShow, info); }
};

BRect ToBRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const BRect& r) { return {r.left, r.top, r.right, r.bottom}; }

UINT AlignmentFlags(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    case TAlignment::taLeftJustify: break;
    }
    return DT_LEFT;
}

// Mirrors a 32-bit bitmap in place.
void Mirror(ui::TBitmap& bitmap, bool leftRight, bool topBottom)
{
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    if (leftRight) {
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(bitmap.ScanLine(y));
            std::reverse(row, row + w);
        }
    }
    if (topBottom) {
        for (int y = 0; y < h / 2; ++y) {
            auto* a = reinterpret_cast<std::uint32_t*>(bitmap.ScanLine(y));
            auto* b = reinterpret_cast<std::uint32_t*>(bitmap.ScanLine(h - 1 - y));
            std::swap_ranges(a, a + w, b);
        }
    }
}

// A region of every pixel of a 32-bit bitmap whose colour differs from `key`.
ui::RegionHandle RegionOutsideColor(const ui::TBitmap& bitmap, COLORREF key)
{
    const std::uint32_t keyPixel = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    std::vector<RECT> runs;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(bitmap.ScanLine(y));
        for (int x = 0; x < bitmap.Width();) {
            if ((row[x] & 0xFFFFFF) == keyPixel) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < bitmap.Width() && (row[x] & 0xFFFFFF) != keyPixel) ++x;
            runs.push_back({start, y, x, y + 1});
        }
    }
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(runs.size()), 0,
        {0, 0, bitmap.Width(), bitmap.Height()}};
    std::copy(runs.begin(), runs.end(), reinterpret_cast<RECT*>(region->Buffer));
    return ui::RegionHandle(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region));
}

}  // namespace

// ---------------------------------------------------------------------------------------
// TBalloonBitmaps

const ui::TBitmap& TBalloonBitmaps::Bitmap(THintCorner corner) const
{
    static const ui::TBitmap none;
    switch (corner) {
    case THintCorner::hcLowerRight: return lowerRight_;
    case THintCorner::hcLowerLeft: return lowerLeft_;
    case THintCorner::hcUpperLeft: return upperLeft_;
    case THintCorner::hcUpperRight: return upperRight_;
    case THintCorner::hcNone: break;
    }
    return none;
}

void TBalloonBitmaps::SetBitmap(THintCorner corner, const ui::TBitmap& bitmap)
{
    if (corner == THintCorner::hcNone) return;
    auto& target = const_cast<ui::TBitmap&>(Bitmap(corner));
    if (&target == &bitmap) return;
    target.Assign(bitmap);
    if (OnChange) OnChange(this);
}

bool TBalloonBitmaps::AnyBitmap() const
{
    return !lowerRight_.Empty() || !lowerLeft_.Empty() || !upperLeft_.Empty() || !upperRight_.Empty();
}

void TBalloonBitmaps::CornerBitmap(THintCorner corner, ui::TBitmap& result) const
{
    result.SetSize(0, 0);
    if (corner == THintCorner::hcNone) return;
    THintCorner source = corner;
    if (Bitmap(corner).Empty()) {
        for (THintCorner candidate : {THintCorner::hcUpperRight, THintCorner::hcUpperLeft, THintCorner::hcLowerRight,
                 THintCorner::hcLowerLeft}) {
            if (!Bitmap(candidate).Empty()) {
                source = candidate;
                break;
            }
        }
        if (Bitmap(source).Empty()) return;
    }
    result.Assign(Bitmap(source));
    result.SetPixelFormat(ui::TPixelFormat::pf32bit);
    Mirror(result, IsLeft(source) != IsLeft(corner), IsUpper(source) != IsUpper(corner));
}

// ---------------------------------------------------------------------------------------
// TBalloonHints

TBalloonHints::TBalloonHints(ui::TComponent* owner) : TComponent(owner)
{
    font_.SetName(L"MS Sans Serif");
    font_.SetHeight(-11);
    font_.SetColor(ui::clInfoText);
    if (ui::TApplication* app = ui::Application()) {
        hint_pause_ = app->HintPause();
        hint_short_pause_ = app->HintShortPause();
    }
    LiveComponents().push_back(this);
    // The application makes its next hint window a balloon window, which links with this.
    SwapHintWindowClass([](ui::TComponent* windowOwner) { return new TBalloonHintWindow(windowOwner); });
}

TBalloonHints::~TBalloonHints()
{
    std::erase(LiveComponents(), this);
    if (window_) window_->Unlink();
    window_ = nullptr;
    SwapHintWindowClass(std::move(previous_class_));
}

TBalloonHints* TBalloonHints::Current() { return LiveComponents().empty() ? nullptr : LiveComponents().back(); }

void TBalloonHints::SwapHintWindowClass(ui::THintWindowFactory factory)
{
    ui::TApplication* app = ui::Application();
    if (!app) return;
    ui::THintWindowFactory replaced = app->HintWindowClass();
    // With hints switched off meanwhile, the application drops its current window and
    // makes the next one from the new class.
    const bool showHint = app->ShowHint();
    app->SetShowHint(false);
    app->SetHintWindowClass(std::move(factory));
    app->SetShowHint(showHint);
    if (!previous_class_) previous_class_ = std::move(replaced);
}

template <typename Change>
void TBalloonHints::UpdateWindow(Change change)
{
    if (window_) {
        change(*window_);
        window_->Invalidate();
    }
}

void TBalloonHints::SetAlignment(TAlignment value)
{
    alignment_ = value;
    UpdateWindow([&](TBalloonHintWindow& w) { w.SetAlignment(value); });
}

void TBalloonHints::SetCaptionWidth(int value)
{
    caption_width_ = value;
    UpdateWindow([&](TBalloonHintWindow& w) { w.SetCaptionWidth(value); });
}

void TBalloonHints::SetColor(ui::TColor value)
{
    color_ = value;
    UpdateWindow([&](TBalloonHintWindow& w) { w.SetColor(value); });
}

void TBalloonHints::SetFrameColor(ui::TColor value)
{
    frame_color_ = value;
    UpdateWindow([&](TBalloonHintWindow& w) { w.SetFrameColor(value); });
}

void TBalloonHints::SetCorner(THintCorner value)
{
    corner_ = value;
    UpdateWindow([&](TBalloonHintWindow& w) { w.SetCorner(value); });
}

void TBalloonHints::FontChanged()
{
    UpdateWindow([&](TBalloonHintWindow& w) { w.Font()->Assign(font_); });
}

void TBalloonHints::SetHintPause(int ms)
{
    hint_pause_ = ms;
    if (ui::Application()) ui::Application()->SetHintPause(ms);
}

void TBalloonHints::SetHintShortPause(int ms)
{
    hint_short_pause_ = ms;
    if (ui::Application()) ui::Application()->SetHintShortPause(ms);
}

void TBalloonHints::SetOnSetHintWinSize(TSetHintWinSizeEvent handler)
{
    on_set_hint_win_size_ = std::move(handler);
    UpdateWindow([&](TBalloonHintWindow& w) { w.OnSetHintWinSize = on_set_hint_win_size_; });
}

void TBalloonHints::SetOnSetHintRect(TSetHintRectEvent handler)
{
    on_set_hint_rect_ = std::move(handler);
    UpdateWindow([&](TBalloonHintWindow& w) { w.OnSetHintRect = on_set_hint_rect_; });
}

ui::PropValue TBalloonHints::GetProperty(std::wstring_view name) const
{
    auto i64 = [](auto v) { return ui::PropValue(static_cast<std::int64_t>(v)); };
    if (ui::SameName(name, L"Alignment")) return i64(alignment_);
    if (ui::SameName(name, L"CaptionWidth")) return i64(caption_width_);
    if (ui::SameName(name, L"Color")) return i64(color_);
    if (ui::SameName(name, L"FrameColor")) return i64(frame_color_);
    if (ui::SameName(name, L"Corner")) return i64(corner_);
    if (ui::SameName(name, L"HintPause")) return i64(hint_pause_);
    if (ui::SameName(name, L"HintShortPause")) return i64(hint_short_pause_);
    if (ui::SameName(name, L"Shadow")) return i64(shadow_);
    if (ui::SameName(name, L"ShowBalloon")) return i64(show_balloon_);
    if (ui::SameName(name, L"Font")) return ui::PropValue(static_cast<ui::TObject*>(const_cast<ui::TFont*>(&font_)));
    return TComponent::GetProperty(name);
}

bool TBalloonHints::SetProperty(std::wstring_view name, const ui::PropValue& value)
{
    // Forms of older versions carry a balloon style; its value means nothing any more.
    if (ui::SameName(name, L"BalloonStyle")) return true;
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        const int v = static_cast<int>(*i);
        if (ui::SameName(name, L"Alignment")) { SetAlignment(static_cast<TAlignment>(v)); return true; }
        if (ui::SameName(name, L"CaptionWidth")) { SetCaptionWidth(v); return true; }
        if (ui::SameName(name, L"Color")) { SetColor(static_cast<ui::TColor>(*i)); return true; }
        if (ui::SameName(name, L"FrameColor")) { SetFrameColor(static_cast<ui::TColor>(*i)); return true; }
        if (ui::SameName(name, L"Corner")) { SetCorner(static_cast<THintCorner>(v)); return true; }
        if (ui::SameName(name, L"HintPause")) { SetHintPause(v); return true; }
        if (ui::SameName(name, L"HintShortPause")) { SetHintShortPause(v); return true; }
        if (ui::SameName(name, L"Shadow")) { SetShadow(v != 0); return true; }
        if (ui::SameName(name, L"ShowBalloon")) { SetShowBalloon(v != 0); return true; }
    }
    return TComponent::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// TBalloonHintWindow

TBalloonHintWindow::TBalloonHintWindow(ui::TComponent* owner) : THintWindow(owner)
{
    ui::TApplication* app = ui::Application();
    if (!app || owner != app) return;
    previous_show_hint_ = app->OnShowHint;
    app->OnShowHint = BalloonShowHint{this, [](TBalloonHintWindow* w, std::wstring& hint, bool& canShow, ui::THintInfo& info) {
                                          w->ShowHintHandler(hint, canShow, info);
                                      }};
    if (TBalloonHints* component = TBalloonHints::Current()) Link(component);
}

TBalloonHintWindow::~TBalloonHintWindow()
{
    if (linked_ && linked_->window_ == this) linked_->window_ = nullptr;
    if (ui::TApplication* app = ui::Application()) {
        const auto* handler = app->OnShowHint.target<BalloonShowHint>();
        if (handler && handler->window == this) app->OnShowHint = std::move(previous_show_hint_);
    }
}

void TBalloonHintWindow::Link(TBalloonHints* component)
{
    linked_ = component;
    component->window_ = this;
    caption_width_ = component->CaptionWidth();
    SetColor(component->Color());
    // The frame colour comes along too: the window is made long after the form set it.
    frame_color_ = component->FrameColor();
    corner_ = component->Corner();
    alignment_ = component->Alignment();
    OnSetHintWinSize = component->OnSetHintWinSize();
    OnSetHintRect = component->OnSetHintRect();
    Font()->Assign(*component->Font());
}

void TBalloonHintWindow::SetFrameColor(ui::TColor value)
{
    frame_color_ = value;
    Invalidate();
}

void TBalloonHintWindow::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TBalloonHintWindow::Notification(ui::TComponent* component, ui::TOperation operation)
{
    THintWindow::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == info_.HintControl) info_.HintControl = nullptr;
}

void TBalloonHintWindow::ShowHintHandler(std::wstring& hint, bool& canShow, ui::THintInfo& info)
{
    if (linked_) {
        info.HintColor = linked_->Color();
        canShow = true;
        info.HintMaxWidth = linked_->CaptionWidth();
        if (linked_->OnShowHint) linked_->OnShowHint(hint, canShow, info);
    }
    if (previous_show_hint_) previous_show_hint_(hint, canShow, info);
    if (info_.HintControl) RemoveFreeNotification(info_.HintControl);
    info_ = info;
    if (info_.HintControl) FreeNotification(info_.HintControl);
    SetColor(info.HintColor);
}

void TBalloonHintWindow::CreateParams(ui::TCreateParams& params)
{
    THintWindow::CreateParams(params);
    params.Style = WS_POPUP;
    // The balloon's own shadow, if any, is drawn; the system's would be rectangular.
    params.ClassStyle = CS_SAVEBITS;
}

RECT TBalloonHintWindow::CalcHintRect(int maxWidth, const std::wstring& hint)
{
    RECT r = THintWindow::CalcHintRect(maxWidth, hint);
    r.right = std::max<LONG>(r.right, kBalloonMinWidth);
    return r;
}

void TBalloonHintWindow::ActivateHint(const RECT& rect, const std::wstring& hint)
{
    current_corner_ = corner_;
    SetText(hint);
    RECT r = rect;
    if (OnSetHintRect) OnSetHintRect(this, Canvas(), r, hint, current_corner_);
    const POINT requested{r.left, r.top};
    const bool balloon = Balloon();
    if (balloon) {
        r = ToRect(GrowForBalloon(ToBRect(r), current_corner_, WithShadow()));
    } else {
        InflateRect(&r, 2, 2);
    }
    anchor_ = info_.HintControl ? info_.HintControl->ClientToScreen(info_.CursorPos) : requested;
    if (balloon && corner_ != THintCorner::hcNone) {
        OffsetRect(&r, anchor_.x - r.left, anchor_.y - r.top);
        if (showing_ && !EqualRect(&r, &last_rect_)) {
            ShowWindow(WindowHandle(), SW_HIDE);
            showing_ = false;
        }
    }
    last_rect_ = r;
    int width = std::max<int>(kBalloonMinWidth, r.right - r.left);
    int height = r.bottom - r.top;
    if (OnSetHintWinSize) OnSetHintWinSize(this, Canvas(), width, height, hint, current_corner_);
    width = std::max(kBalloonMinWidth, width);
    // A plain hint lies below and to the right of the point; only this showing's corner
    // says so, the preferred corner stays for the next balloon.
    if (!balloon) current_corner_ = THintCorner::hcLowerRight;
    const BalloonPlacement place = PlaceBalloon(ToBRect(r), width, height, current_corner_, GetSystemMetrics(SM_CXSCREEN),
        GetSystemMetrics(SM_CYSCREEN));
    current_corner_ = place.corner;

    HandleNeeded();
    SetBounds(place.x, place.y, width, height);
    ApplyRegion(width, height);
    SetWindowPos(WindowHandle(), HWND_TOPMOST, place.x, place.y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ui::TControl::SetVisible(true);
    Invalidate();
    showing_ = true;
}

void TBalloonHintWindow::ReleaseHint()
{
    showing_ = false;
    THintWindow::ReleaseHint();
}

void TBalloonHintWindow::ApplyRegion(int width, int height)
{
    ui::RegionHandle region;
    const bool bitmaps = linked_ && linked_->Bitmaps().AnyBitmap();
    if (Balloon() && !(bitmaps && current_corner_ == THintCorner::hcNone)) {
        // The region is exactly what is drawn: the shape painted once more as a mask.
        ui::TBitmap mask(width, height, ui::TPixelFormat::pf32bit);
        const RECT client{0, 0, width, height};
        COLORREF key = RGB(255, 255, 255);
        if (bitmaps) {
            key = ui::ColorToRGB(linked_->Bitmaps().TransparentColor());
            ui::TBitmap corner;
            linked_->Bitmaps().CornerBitmap(current_corner_, corner);
            SetStretchBltMode(mask.Canvas().Handle(), COLORONCOLOR);
            StretchBlt(mask.Canvas().Handle(), 0, 0, width, height, corner.Canvas().Handle(), 0, 0, corner.Width(),
                corner.Height(), SRCCOPY);
        } else {
            mask.Canvas().Brush().SetColor(ui::clWhite);
            mask.Canvas().FillRect(client);
            DrawBalloon(mask.Canvas(), client, true);
        }
        GdiFlush();
        region = RegionOutsideColor(mask, key);
    }
    if (!region) {
        SetWindowRgn(WindowHandle(), nullptr, FALSE);
        return;
    }
    ui::SetWindowRegion(WindowHandle(), region, false);
}

void TBalloonHintWindow::Paint()
{
    const RECT client = ClientRect();
    ui::TBitmap buffer(client.right, client.bottom, ui::TPixelFormat::pf32bit);
    DrawBalloon(buffer.Canvas(), client, false);
    Canvas()->CopyRect(client, buffer.Canvas(), client);
}

void TBalloonHintWindow::DrawBalloon(ui::TCanvas& canvas, const RECT& clientRect, bool shapeOnly)
{
    const BRect client = ToBRect(clientRect);
    const bool balloon = Balloon();
    const bool shadow = WithShadow();
    RECT body = balloon ? ToRect(BalloonBody(client, current_corner_, shadow)) : clientRect;
    const std::wstring text = Text();
    if (!shapeOnly && OnSetHintRect) OnSetHintRect(this, &canvas, body, text, current_corner_);

    auto pick = [&](ui::TColor color) { return shapeOnly ? ui::clBlack : color; };
    const ui::TColor fill = pick(Color());
    const ui::TColor frame = pick(frame_color_);
    if (!shapeOnly) {
        canvas.Brush().SetColor(fill);
        canvas.FillRect(clientRect);
    }
    const bool bitmaps = linked_ && linked_->Bitmaps().AnyBitmap();
    if (bitmaps) {
        if (!shapeOnly && current_corner_ != THintCorner::hcNone) {
            ui::TBitmap corner;
            linked_->Bitmaps().CornerBitmap(current_corner_, corner);
            corner.Transparent = true;
            corner.SetTransparentColor(linked_->Bitmaps().TransparentColor());
            canvas.StretchDraw(clientRect, corner);
        }
    } else if (balloon) {
        const bool tail = current_corner_ != THintCorner::hcNone;
        const TailShape shape = BalloonTail(client, ToBRect(body), current_corner_);
        const POINT points[] = {{shape.base1.x, shape.base1.y}, {shape.tip.x, shape.tip.y}, {shape.base2.x, shape.base2.y}};
        auto shaped = [&](ui::TColor outline, ui::TColor inside, int offset, bool withTail) {
            canvas.Pen().SetColor(outline);
            canvas.Brush().SetColor(inside);
            canvas.RoundRect(body.left + offset, body.top + offset, body.right + offset, body.bottom + offset, 10, 10);
            if (!withTail) return;
            POINT moved[3];
            for (int i = 0; i < 3; ++i) moved[i] = {points[i].x + offset, points[i].y + offset};
            canvas.Polygon(moved);
        };
        if (shadow) {
            const bool tailShadow = tail && current_corner_ != THintCorner::hcLowerRight;
            shaped(pick(ui::clBtnShadow), pick(ui::clBtnShadow), 2, tailShadow);
            shaped(pick(ui::cl3DDkShadow), pick(ui::cl3DDkShadow), 1, tailShadow);
        }
        shaped(frame, fill, 0, false);
        if (tail) {
            canvas.Polygon(points);
            canvas.Brush().SetColor(fill);
            canvas.FillRect(ToRect(shape.joint));
        }
    } else {
        canvas.Pen().SetColor(ui::clBlack);
        canvas.Brush().SetColor(fill);
        canvas.Rectangle(body);
        if (!shapeOnly) {
            RECT edge = body;
            if (shadow) {
                DrawEdge(canvas.Handle(), &edge, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_RECT);
            } else {
                canvas.Brush().SetColor(frame);
                canvas.FrameRect(body);
            }
        }
    }
    if (shapeOnly) return;

    RECT textRect = body;
    if (balloon && current_corner_ != THintCorner::hcNone) {
        InflateRect(&textRect, -4, -4);
    } else {
        const int dx = alignment_ == TAlignment::taLeftJustify ? 2 : alignment_ == TAlignment::taRightJustify ? -2 : 0;
        OffsetRect(&textRect, dx, 2);
    }
    canvas.Brush().SetStyle(ui::TBrushStyle::bsClear);
    canvas.Font().Assign(*Font());
    canvas.DrawText(text, textRect, DT_WORDBREAK | DT_NOPREFIX | AlignmentFlags(alignment_));
    canvas.Brush().SetStyle(ui::TBrushStyle::bsSolid);
}

void TBalloonHintWindow::PassToHintControl(const ui::TMessage& message)
{
    ui::TControl* control = info_.HintControl;
    HWND target = control ? control->DrawingWindow() : nullptr;
    if (!target) return;
    POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    ::ClientToScreen(WindowHandle(), &point);
    ::ScreenToClient(target, &point);
    PostMessageW(target, message.Msg, message.WParam, MAKELPARAM(point.x, point.y));
}

void TBalloonHintWindow::WndProc(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_SETFOCUS:
        // A hint never keeps the focus.
        if (message.WParam) ::SetFocus(reinterpret_cast<HWND>(message.WParam));
        return;
    case WM_ERASEBKGND:
        message.Result = 1;
        return;
    case WM_MOUSEACTIVATE:
        message.Result = MA_NOACTIVATE;
        return;
    case WM_MOUSEMOVE: {
        POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        ::ClientToScreen(WindowHandle(), &point);
        if (showing_ && !WithinAnchorSquare({anchor_.x, anchor_.y}, {point.x, point.y})) {
            showing_ = false;
            if (ui::Application()) ui::Application()->CancelHint();
        }
        PassToHintControl(message);
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        PassToHintControl(message);
        return;
    default:
        break;
    }
    THintWindow::WndProc(message);
}

}  // namespace hints
