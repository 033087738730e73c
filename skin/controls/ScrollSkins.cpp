#include "skin/controls/ScrollSkins.h"

#include <memory>

#include "skin/controls/BarSkins.h"
#include "skin/data/SkinData.h"
#include "ui/Exception.h"
#include "ui/Gdi.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"

namespace skin {

namespace {

constexpr wchar_t kOverlayClass[] = L"TWScrollbar";

void RegisterOverlayClass()
{
    static const bool registered = [] {
        WNDCLASSEXW type{sizeof(type)};
        type.style = CS_DBLCLKS;
        type.lpfnWndProc = DefWindowProcW;  // replaced per window once its object is known
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        type.lpszClassName = kOverlayClass;
        return RegisterClassExW(&type) != 0;
    }();
    (void)registered;
}

bool IsChild(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0; }

POINT PointOf(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

TWScrollbar::TWScrollbar(const TSkinData& skin) : skin_(skin), arrow_(GetSystemMetrics(SM_CXHSCROLL)) {}

TWScrollbar::~TWScrollbar()
{
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool TWScrollbar::Vertical() const
{
    if (kind_ == skControl) return (GetWindowLongPtrW(target_, GWL_STYLE) & SBS_VERT) != 0;
    return kind_ == skVertical;
}

void TWScrollbar::AttachToWindow(HWND target, TKind kind)
{
    target_ = target;
    kind_ = kind;
    RegisterOverlayClass();
    // A child target gets a sibling; a top-level one an owned pop-up, which stays above it.
    const bool child = IsChild(target);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kOverlayClass, L"",
                              (child ? WS_CHILD : WS_POPUP) | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                              child ? GetParent(target) : target, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWScrollbar::WindowProc));
    Place();
}

bool TWScrollbar::Query(TBarState& state) const
{
    if (!target_ || !IsWindow(target_)) return false;
    if (kind_ == skControl) {
        if (!GetWindowRect(target_, &state.Screen)) return false;
        SCROLLINFO info{sizeof(info), SIF_ALL};
        if (!GetScrollInfo(target_, SB_CTL, &info)) return false;
        const int length = Vertical() ? state.Screen.bottom - state.Screen.top : state.Screen.right - state.Screen.left;
        state.Thumb = StandaloneThumb(length, arrow_, info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos);
        state.Visible = IsWindowVisible(target_) != FALSE;
        state.Enabled = IsWindowEnabled(target_) != FALSE;
        return true;
    }
    SCROLLBARINFO info{};
    if (!SkinGetScrollBarInfo(target_, kind_ == skHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL, info)) return false;
    state.Screen = info.rcScrollBar;
    state.Thumb = {info.xyThumbTop, info.xyThumbBottom};
    state.Visible = IsWindowVisible(target_) && !(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) &&
                    !IsRectEmpty(&info.rcScrollBar);
    state.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    return true;
}

void TWScrollbar::Place()
{
    if (!window_) return;
    TBarState state;
    if (!Query(state) || !state.Visible) {
        last_ = state;
        Conceal();
        return;
    }
    last_ = state;
    const RECT& screen = state.Screen;
    length_ = Vertical() ? screen.bottom - screen.top : screen.right - screen.left;
    bar_rect_ = screen;
    MapWindowPoints(nullptr, target_, reinterpret_cast<POINT*>(&bar_rect_), 2);
    RECT place = screen;
    const bool child = IsChild(target_);
    if (child) MapWindowPoints(nullptr, GetParent(target_), reinterpret_cast<POINT*>(&place), 2);
    // Directly above the target: after whatever window is above it now.
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    HWND after = HWND_TOP;
    if (child) {
        const HWND above = GetWindow(target_, GW_HWNDPREV);
        if (above == window_)
            flags |= SWP_NOZORDER;
        else if (above)
            after = above;
    } else {
        flags |= SWP_NOZORDER;
    }
    SetWindowPos(window_, after, place.left, place.top, place.right - place.left, place.bottom - place.top, flags);
    shown_ = true;
    Invalidate();
}

void TWScrollbar::Conceal()
{
    if (window_ && shown_) ShowWindow(window_, SW_HIDE);
    shown_ = false;
}

void TWScrollbar::Sync()
{
    TBarState state;
    const bool known = Query(state);
    if (known && state == last_ && (shown_ == state.Visible)) return;
    Place();
}

TBarPart TWScrollbar::HitTest(POINT client) const { return BarHitTest(Along(client), length_, arrow_, last_.Thumb); }

void TWScrollbar::SetHotPart(int part)
{
    hot_part_ = part;
    Invalidate();
}

void TWScrollbar::Invalidate()
{
    if (window_ && shown_) InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK TWScrollbar::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TWScrollbar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, msg, wParam, lParam);
    LRESULT result = 0;
    if (!ui::Guarded([&] { result = self->Handle(msg, wParam, lParam); }))
        result = DefWindowProcW(window, msg, wParam, lParam);
    return result;
}

LRESULT TWScrollbar::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_MOUSEMOVE: MouseMove(PointOf(lParam)); return 0;
    case WM_MOUSELEAVE:
        if (!pressed_) {
            hot_part_ = bpNone;
            Invalidate();
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: ButtonDown(PointOf(lParam)); return 0;
    case WM_LBUTTONUP: ButtonUp(PointOf(lParam)); return 0;
    default: return DefWindowProcW(window_, msg, wParam, lParam);
    }
}

void TWScrollbar::Paint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    RECT client{};
    GetClientRect(window_, &client);
    TBarState state;
    if (Query(state) && state.Visible) {
        TScrollBarLook look;
        look.Vertical = Vertical();
        look.Enabled = state.Enabled;
        look.Arrow = arrow_;
        look.Thumb = state.Thumb;
        look.HotPart = hot_part_;
        look.Pressed = pressed_;
        if (pressed_ && hot_part_ == bpThumb && kind_ != skControl) {
            // The thumb goes where the cursor puts it, not where the platform last reported it.
            POINT cursor{};
            GetCursorPos(&cursor);
            look.Thumb = FollowingThumb(drag_thumb_, Along(cursor) - Along(drag_cursor_), state.Thumb.Length(),
                                        look.Vertical ? client.bottom : client.right, arrow_);
        }
        if (!PaintScrollBar(dc, client, skin_.Elements(), look)) FillRect(dc, &client, skin_.FaceBrush());
    }
    EndPaint(window_, &paint);
}

void TWScrollbar::MouseMove(POINT point)
{
    const TBarPart part = HitTest(point);
    if (part != hot_part_) {
        hot_part_ = part;
        Invalidate();
    }
    SkinTrackMouseLeave(window_);
}

void TWScrollbar::ButtonDown(POINT point)
{
    GetCursorPos(&drag_cursor_);
    TBarState state;
    if (Query(state)) {
        drag_thumb_ = state.Thumb.Start;
        last_.Thumb = state.Thumb;
    }
    hot_part_ = HitTest(point);
    POINT screen = point;
    ClientToScreen(window_, &screen);
    pressed_ = true;
    Invalidate();
    UpdateWindow(window_);
    ReleaseCapture();
    // The platform tracks the press in a loop of its own until the button goes up; the
    // overlay may be freed meanwhile (the skin switched off), so nothing of it is touched after.
    const HWND self = window_;
    if (kind_ == skControl) {
        POINT inTarget = screen;
        ScreenToClient(target_, &inTarget);
        SendMessageW(target_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inTarget.x, inTarget.y));
    } else {
        SendMessageW(target_, WM_NCLBUTTONDOWN, kind_ == skHorizontal ? HTHSCROLL : HTVSCROLL,
                     MAKELPARAM(screen.x, screen.y));
    }
    if (!IsWindow(self) || GetWindowLongPtrW(self, GWLP_USERDATA) != reinterpret_cast<LONG_PTR>(this)) return;
    pressed_ = false;
    if (GetCapture() == window_) ReleaseCapture();
    Sync();
    Invalidate();
}

void TWScrollbar::ButtonUp(POINT point)
{
    POINT screen = point;
    ClientToScreen(window_, &screen);
    pressed_ = false;
    if (GetCapture() == window_) ReleaseCapture();
    if (kind_ == skControl) {
        POINT inTarget = screen;
        ScreenToClient(target_, &inTarget);
        PostMessageW(target_, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(inTarget.x, inTarget.y));
    } else {
        PostMessageW(target_, WM_NCLBUTTONUP, kind_ == skHorizontal ? HTHSCROLL : HTVSCROLL,
                     MAKELPARAM(screen.x, screen.y));
    }
    Invalidate();
}

bool PaintWindowBar(HWND window, HDC windowDc, LONG object, const TSkinData& skin, int hotPart, bool pressed)
{
    SCROLLBARINFO info{};
    if (!SkinGetScrollBarInfo(window, object, info)) return false;
    if (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN) || IsRectEmpty(&info.rcScrollBar))
        return false;
    RECT frame{};
    GetWindowRect(window, &frame);
    RECT bar = info.rcScrollBar;
    OffsetRect(&bar, -frame.left, -frame.top);
    if (bar.left < 0 || bar.top < 0 || bar.right > frame.right - frame.left || bar.bottom > frame.bottom - frame.top)
        return false;
    TScrollBarLook look;
    look.Vertical = object == OBJID_VSCROLL;
    look.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    look.Arrow = GetSystemMetrics(SM_CXHSCROLL);
    look.Thumb = {info.xyThumbTop, info.xyThumbBottom};
    look.HotPart = hotPart;
    look.Pressed = pressed;
    return PaintScrollBar(windowDc, bar, skin.Elements(), look);
}

int DragListThumb(HWND list, POINT start, int arrow)
{
    SCROLLINFO range{sizeof(range), SIF_ALL};
    SCROLLBARINFO bar{};
    if (!GetScrollInfo(list, SB_VERT, &range) || !SkinGetScrollBarInfo(list, OBJID_VSCROLL, bar)) return -1;
    const int offset = bar.xyThumbTop - arrow;
    const int track = (bar.rcScrollBar.bottom - bar.rcScrollBar.top) - 2 * arrow;
    const int thumb = bar.xyThumbBottom - bar.xyThumbTop;
    const int page = static_cast<int>(range.nPage);
    int position = range.nPos;
    SetCapture(list);
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        const bool move = msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE;
        const bool up = msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP;
        if (up) {
            SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
            PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (GetCapture() != list) break;
        if (!move) continue;
        const int moved = DragPosition(offset, msg.pt.y - start.y, track, thumb, range.nMin, range.nMax, page);
        if (moved != position) {
            position = moved;
            SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0);
        }
    }
    if (GetCapture() == list) ReleaseCapture();
    return position;
}

TScrollbarOverlays::TScrollbarOverlays(const TSkinData& skin) : skin_(skin), horizontal_(skin), vertical_(skin) {}

TScrollbarOverlays::~TScrollbarOverlays()
{
    if (added_clip_ && IsWindow(target_))
        SetWindowLongPtrW(target_, GWL_STYLE, GetWindowLongPtrW(target_, GWL_STYLE) & ~LONG_PTR{WS_CLIPSIBLINGS});
}

void TScrollbarOverlays::Attach(HWND target)
{
    target_ = target;
    const LONG_PTR style = GetWindowLongPtrW(target, GWL_STYLE);
    if (!(style & WS_CLIPSIBLINGS)) {
        SetWindowLongPtrW(target, GWL_STYLE, style | WS_CLIPSIBLINGS);
        added_clip_ = true;
    }
    horizontal_.AttachToWindow(target, TWScrollbar::skHorizontal);
    vertical_.AttachToWindow(target, TWScrollbar::skVertical);
}

void TScrollbarOverlays::AfterMessage(UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_STYLECHANGED:
    case ui::CM_VISIBLECHANGED:
    case ui::CM_ENABLEDCHANGED:
        horizontal_.Place();
        vertical_.Place();
        return;
    case WM_HSCROLL: horizontal_.SetHotPart(LOWORD(wParam)); break;
    case WM_VSCROLL: vertical_.SetHotPart(LOWORD(wParam)); break;
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_SETTEXT:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_TIMER:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        break;
    default:
        // The edit and list requests that change the text or scroll it.
        if (!(msg >= EM_GETSEL && msg <= EM_GETIMESTATUS) && !(msg >= LB_ADDSTRING && msg <= LB_MSGMAX)) return;
        break;
    }
    horizontal_.Sync();
    vertical_.Sync();
}

void TScrollbarOverlays::PaintCorner(HDC windowDc) const
{
    if (!horizontal_.Shown() || !vertical_.Shown() || !target_) return;
    // The bars in window coordinates: the client origin's offset inside the window added.
    RECT window{};
    GetWindowRect(target_, &window);
    POINT origin{0, 0};
    ClientToScreen(target_, &origin);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    const RECT v = vertical_.BarRect(), h = horizontal_.BarRect();
    const RECT corner{v.left + dx, h.top + dy, v.right + dx, h.bottom + dy};
    FillRect(windowDc, &corner, skin_.FaceBrush());
}

void TScrollbarOverlays::PaintBorder(HDC windowDc) const
{
    if (!target_) return;
    RECT window{};
    GetWindowRect(target_, &window);
    RECT frame{0, 0, window.right - window.left, window.bottom - window.top};
    const ui::BrushHandle shadow(CreateSolidBrush(ui::ColorToColorRef(skin_.Color(csButtonShadow))));
    FrameRect(windowDc, &frame, shadow.get());
    InflateRect(&frame, -1, -1);
    FrameRect(windowDc, &frame, skin_.FaceBrush());
}

void TScrollbarOverlays::Conceal()
{
    horizontal_.Conceal();
    vertical_.Conceal();
}

}  // namespace skin
