#include "skin/controls/EditSkins.h"

#include <commctrl.h>

#include "skin/controls/BarGeometry.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinImage.h"
#include "ui/Exception.h"
#include "ui/Gdi.h"

namespace skin {

namespace {

void Frame(HDC dc, const RECT& rect, COLORREF colour)
{
    const ui::BrushHandle brush(CreateSolidBrush(colour));
    FrameRect(dc, &rect, brush.get());
}

void Fill(HDC dc, const RECT& rect, ui::TColor colour)
{
    const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(colour)));
    FillRect(dc, &rect, brush.get());
}

// A small solid triangle pointing `direction` (0 up, 1 down, 2 left, 3 right) at the centre.
void Arrow(HDC dc, const RECT& half, int direction, ui::TColor colour)
{
    const int cx = (half.left + half.right) / 2, cy = (half.top + half.bottom) / 2 - (direction < 2 ? 2 : 0);
    POINT points[3];
    switch (direction) {
    case 0: points[0] = {cx - 3, cy + 2}, points[1] = {cx + 3, cy + 2}, points[2] = {cx, cy - 1}; break;
    case 1: points[0] = {cx - 3, cy}, points[1] = {cx + 3, cy}, points[2] = {cx, cy + 3}; break;
    case 2: points[0] = {cx + 1, cy - 3}, points[1] = {cx + 1, cy + 3}, points[2] = {cx - 2, cy}; break;
    default: points[0] = {cx - 1, cy - 3}, points[1] = {cx - 1, cy + 3}, points[2] = {cx + 2, cy}; break;
    }
    const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(colour)));
    const ui::PenHandle pen(CreatePen(PS_SOLID, 1, ui::ColorToColorRef(colour)));
    const ui::ScopedSelect selectBrush(dc, brush.get());
    const ui::ScopedSelect selectPen(dc, pen.get());
    Polygon(dc, points, 3);
}

}  // namespace

bool HasBorder(SIZE window, SIZE client) { return client.cx < window.cx && client.cy < window.cy; }

void PaintControlBorder(HDC windowDc, SIZE window, SIZE client, const TSkinElements& skin, bool edit)
{
    if (!HasBorder(window, client)) return;
    RECT rect{0, 0, window.cx, window.cy};
    Frame(windowDc, rect, ui::ColorToColorRef(skin.Color(csButtonShadow)));
    InflateRect(&rect, -1, -1);
    Frame(windowDc, rect, RGB(255, 255, 255));
    if (!edit) return;
    InflateRect(&rect, -1, -1);
    Frame(windowDc, rect, RGB(255, 255, 255));
}

void PaintPrintedEditBorder(HDC dc, SIZE window, SIZE client, const TSkinElements& skin)
{
    if (client.cx + 2 >= window.cx || client.cy + 2 >= window.cy) return;
    RECT rect{0, 0, window.cx, window.cy};
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    Frame(dc, rect, ui::ColorToColorRef(skin.Color(csButtonShadow)));
}

void PaintUpDown(HDC dc, const RECT& rect, const TSkinElements& skin, const TUpDownLook& look)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    ui::TBitmap buffer(width, height, ui::TPixelFormat::pf24bit);
    const HDC work = buffer.Canvas().Handle();
    SetStretchBltMode(work, COLORONCOLOR);
    Fill(work, RECT{0, 0, width, height}, skin.Color(csButtonFace));
    const RECT halves[2] = {look.Horizontal ? RECT{0, 0, width / 2, height} : RECT{0, 0, width, height / 2},
                            look.Horizontal ? RECT{width / 2, 0, width, height} : RECT{0, height / 2, width, height}};
    const TDataSkinBorder* element = look.Horizontal ? skin.UpDownHorz.get() : skin.UpDownVert.get();
    for (int k = 0; k < 2; ++k) {
        const RECT& half = halves[k];
        const int state = UpDownHalfState(look.Enabled, look.HalfUnderCursor == k, look.Pressed, look.Over);
        if (element && !element->Image.Empty()) {
            const int frame = state + 4 * k;
            DrawFrameStretched(work, half, element->Image, element->Trans != 0, element->Frame, frame);
            const ui::TBitmap& glyphs = element->Image2;
            if (!glyphs.Empty()) {
                const int gw = glyphs.Width() / SafeFrameCount(element->Frame), gh = glyphs.Height();
                const int left = (half.left + half.right - gw) / 2, top = (half.top + half.bottom - gh) / 2;
                DrawFrameStretched(work, RECT{left, top, left + gw, top + gh}, glyphs, true, element->Frame, frame);
            }
            continue;
        }
        Fill(work, half, skin.Color(state == 2 || state == 4 ? csButtonShadow : csButtonFace));
        Frame(work, half, ui::ColorToColorRef(skin.Color(csButtonDkShadow)));
        const int direction = look.Horizontal ? 2 + k : k;
        Arrow(work, half, direction, skin.Color(state == 3 ? csButtonShadow : csButtonText));
    }
    BitBlt(dc, rect.left, rect.top, width, height, work, 0, 0, SRCCOPY);
}

int ComboFrame(bool pressed, bool focusedOrOver, bool enabled)
{
    if (!enabled) return 3;
    if (pressed) return 2;
    return focusedOrOver ? 4 : 1;
}

RECT PaintComboBox(HDC windowDc, SIZE window, const TSkinElements& skin, int frame, bool leftScroll)
{
    const TDataSkinBorder* button = skin.ComboButton.get();
    if (!button || button->Image.Empty() || window.cx <= 0 || window.cy <= 0) return {};
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const RECT whole{0, 0, window.cx, window.cy};
    const ui::ScopedSaveDC saved(windowDc);
    SetStretchBltMode(windowDc, COLORONCOLOR);
    if (button->Style == 1) {
        // Flat: a face-coloured ring and button column, a shadow frame, the button cell.
        const int column = GetSystemMetrics(SM_CXVSCROLL);
        RECT inner = whole;
        InflateRect(&inner, -1, -1);
        FrameRect(windowDc, &inner, skin.FaceBrush.get());
        RECT columnRect = leftScroll ? RECT{2, 2, 2 + column, window.cy - 2}
                                     : RECT{window.cx - 2 - column, 2, window.cx - 2, window.cy - 2};
        FillRect(windowDc, &columnRect, skin.FaceBrush.get());
        Frame(windowDc, whole, ui::ColorToColorRef(skin.Color(csButtonShadow)));
        const int cellWidth = button->FrameWidth(), cellHeight = button->Image.Height();
        RECT cell = columnRect;
        if (leftScroll)
            cell.right = cell.left + cellWidth;
        else
            cell.left = cell.right - cellWidth;
        if (cellHeight < column) {
            cell.top = (window.cy - cellHeight) / 2;
            cell.bottom = cell.top + cellHeight;
        }
        DrawFrameStretched(windowDc, cell, button->Image, true, button->Frame, frame);
        return cell;
    }
    if (button->Style == 2) {
        // One composed picture per state, its text area transparent.
        const TDataSkinObject& element =
            leftScroll && skin.SunkEdge ? *skin.SunkEdge : static_cast<const TDataSkinObject&>(*button);
        DrawSkinElement(windowDc, whole, element.Image, element.Margins(), false, false, true, element.Frame, frame);
        return leftScroll ? RECT{0, 0, arrow + 2, window.cy} : RECT{window.cx - arrow - 2, 0, window.cx, window.cy};
    }
    RECT buttonRect{window.cx - arrow - 2, 0, window.cx, window.cy};
    RECT glyph{buttonRect.left, 0, window.cx - 2, window.cy};
    if (leftScroll) {
        ExcludeClipRect(windowDc, arrow + 4, 2, window.cx - 2, window.cy - 2);
        buttonRect = RECT{0, 0, arrow + 2, window.cy};
        glyph = RECT{2, 0, arrow + 2, window.cy};
    } else {
        ExcludeClipRect(windowDc, 2, 2, window.cx - arrow - 4, window.cy - 2);
    }
    if (skin.SunkEdge && !skin.SunkEdge->Image.Empty())
        DrawSkinElement(windowDc, whole, skin.SunkEdge->Image, skin.SunkEdge->Margins(), false, false, false,
                        skin.SunkEdge->Frame, frame);
    DrawFrameStretched(windowDc, buttonRect, leftScroll ? button->Image2 : button->Image, true, button->Frame, frame);
    if (skin.ExtraImages && !skin.ExtraImages->Image.Empty())
        DrawFrameCentered(windowDc, glyph, skin.ExtraImages->Image, true, skin.ExtraImages->Frame, frame);
    return buttonRect;
}

void PaintArrowButton(HDC dc, const RECT& rect, const TSkinElements& skin, bool over)
{
    FillRect(dc, &rect, skin.FaceBrush.get());
    const TDataSkinObject* arrow = skin.ComboxArrow.get();
    if (arrow && !arrow->Image.Empty()) DrawFrameStretched(dc, rect, arrow->Image, false, arrow->Frame, over ? 4 : 1);
}

void PaintUpDownWindow(HDC dc, HWND upDown, const TSkinElements& skin, TUpDownLook look, bool buddy)
{
    RECT rect{};
    GetClientRect(upDown, &rect);
    look.Horizontal = look.Horizontal || (GetWindowLongPtrW(upDown, GWL_STYLE) & UDS_HORZ);
    look.Enabled = look.Enabled && !(GetWindowLongPtrW(upDown, GWL_STYLE) & WS_DISABLED);
    if (buddy) {
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT own{}, parent{};
        GetWindowRect(upDown, &own);
        GetWindowRect(GetParent(upDown), &parent);
        if (own.top - parent.top < 3) rect.top += 3 - (own.top - parent.top);
        if (parent.bottom - own.bottom < 3) rect.bottom -= 3 - (parent.bottom - own.bottom);
        if (parent.right - own.right < 3) rect.right -= 3 - (parent.right - own.right);
    }
    PaintUpDown(dc, rect, skin, look);
}

RECT PaintComboWindow(HWND combo, const TSkinElements& skin, bool pressed, bool focusedOrOver)
{
    COMBOBOXINFO info{};
    const bool known = SkinGetComboBoxInfo(combo, info);
    RECT frame{};
    GetWindowRect(combo, &frame);
    const LONG_PTR style = GetWindowLongPtrW(combo, GWL_STYLE);
    if (known && (style & 3) == CBS_SIMPLE && info.hwndList) {
        // No button: the edit part above the list gets an edit's border.
        RECT list{};
        GetWindowRect(info.hwndList, &list);
        const SIZE part{frame.right - frame.left, list.top - frame.top};
        const ui::WindowDC dc(combo);
        PaintControlBorder(dc.get(), part, SIZE{part.cx - 4, part.cy - 4}, skin, true);
        return {};
    }
    if (known && (info.stateButton & STATE_SYSTEM_INVISIBLE)) return {};
    const bool leftScroll = (GetWindowLongPtrW(combo, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const ui::WindowDC dc(combo);
    return PaintComboBox(dc.get(), SIZE{frame.right - frame.left, frame.bottom - frame.top}, skin,
                         ComboFrame(pressed, focusedOrOver, !(style & WS_DISABLED)), leftScroll);
}

namespace {

constexpr wchar_t kArrowClass[] = L"TArrowButton";

void RegisterArrowClass()
{
    static const bool registered = [] {
        WNDCLASSEXW type{sizeof(type)};
        type.lpfnWndProc = DefWindowProcW;  // replaced per window once its object is known
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        type.lpszClassName = kArrowClass;
        return RegisterClassExW(&type) != 0;
    }();
    (void)registered;
}

}  // namespace

TArrowButton::TArrowButton(const TSkinData& skin) : skin_(skin), arrow_(GetSystemMetrics(SM_CXHSCROLL)) {}

TArrowButton::~TArrowButton()
{
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (added_clip_ && IsWindow(picker_))
        SetWindowLongPtrW(picker_, GWL_STYLE, GetWindowLongPtrW(picker_, GWL_STYLE) & ~LONG_PTR{WS_CLIPCHILDREN});
}

void TArrowButton::Attach(HWND picker)
{
    picker_ = picker;
    RegisterArrowClass();
    const LONG_PTR style = GetWindowLongPtrW(picker, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) {
        SetWindowLongPtrW(picker, GWL_STYLE, style | WS_CLIPCHILDREN);
        added_clip_ = true;
    }
    window_ = CreateWindowExW(0, kArrowClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, picker, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TArrowButton::WindowProc));
    Place();
}

void TArrowButton::Place()
{
    if (!window_) return;
    // Over the native arrow at the client area's end, whatever border the picker has.
    RECT client{};
    GetClientRect(picker_, &client);
    const bool leftScroll = (GetWindowLongPtrW(picker_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const int left = leftScroll ? 0 : client.right - arrow_;
    SetWindowPos(window_, HWND_TOP, left, 0, arrow_, client.bottom, SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK TArrowButton::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TArrowButton*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, msg, wParam, lParam);
    LRESULT result = 0;
    if (!ui::Guarded([&] { result = self->Handle(msg, wParam, lParam); }))
        result = DefWindowProcW(window, msg, wParam, lParam);
    return result;
}

LRESULT TArrowButton::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window_, &paint);
        RECT client{};
        GetClientRect(window_, &client);
        PaintArrowButton(dc, client, skin_.Elements(), over_);
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (!over_ && IsWindowEnabled(picker_)) {
            over_ = true;
            SkinTrackMouseLeave(window_);
            InvalidateRect(window_, nullptr, FALSE);
        }
        return 0;
    case WM_MOUSELEAVE:
        if (over_) {
            over_ = false;
            InvalidateRect(window_, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The press, moved into the picker, where its own arrow opens the calendar.
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        MapWindowPoints(window_, picker_, &point, 1);
        PostMessageW(picker_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        PostMessageW(picker_, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        InvalidateRect(window_, nullptr, FALSE);
        return 0;
    }
    case WM_LBUTTONUP: SetFocus(picker_); return 0;
    default: return DefWindowProcW(window_, msg, wParam, lParam);
    }
}

}  // namespace skin
