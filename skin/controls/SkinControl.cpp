#include "skin/controls/SkinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <cwctype>

#include "skin/controls/PainterRules.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMessages.h"
#include "ui/Exception.h"

namespace skin {

namespace {

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

RECT ToRect(const TRectI& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
TRectI ToRectI(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

std::wstring GetWindowTextWide(HWND window)
{
    if (!window) return {};
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

TSkinControl::TSkinControl(ui::TComponent* owner) : ui::TComponent(owner) {}

TSkinControl::~TSkinControl()
{
    TSkinControl::Restore();
    Unhook();
    SetForm(nullptr);
}

void TSkinControl::SetForm(TWinSkinForm* form)
{
    if (form_ == form) return;
    if (form_) form_->RemovePainter(this);
    form_ = form;
    if (form_) form_->AddPainter(this);
}

void TSkinControl::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    if (state_ != TPainterState::New) return;
    control_ = dynamic_cast<ui::TControl*>(Owner());
    auto* windowed = dynamic_cast<ui::TWinControl*>(control_);
    if (!windowed) return;
    owns_color_ = ownsColor;
    skin_data_ = skinData;
    window_ = windowed->Handle();
    unicode_ = IsWindowUnicode(window_) != FALSE;
    HookControl();
    SetForm(form);
    if (owns_color_) {
        SwitchParentBackground(true);
        saved_color_ = static_cast<ui::TColor>(ui::GetIntProp(control_, L"Color"));
        ui::SetOrdProp(control_, L"Color", SkinColor(csButtonFace));
    }
    if (parent_background_switched_) mode_ = 1;
    control_->Invalidate();
    state_ = TPainterState::Attached;
}

void TSkinControl::InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form)
{
    if (state_ != TPainterState::New || !IsWindow(window)) return;
    skin_data_ = skinData;
    window_ = window;
    enabled_ = true;
    mode_ = 0;
    SetForm(form);
    unicode_ = IsWindowUnicode(window) != FALSE;
    caption_ = GetWindowTextWide(window);
    const bool attached = subclass_.Attach(window, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
        ui::TMessage message{msg, wParam, lParam, 0};
        Dispatch(message);
        return message.Result;
    });
    if (!attached) return;
    subclass_.OnWindowGone = [this] { state_ = TPainterState::Dead; };
    InvalidateRect(window, nullptr, TRUE);
    state_ = TPainterState::Attached;
}

void TSkinControl::HookControl()
{
    hook_ = control_->AddWindowHook([this](ui::TMessage& message, const ui::TWndMethod& next) {
        if (message.Msg == ui::CM_CONTROLDESTROYING) {
            // The control is going and drops its hooks: forget it.
            control_ = nullptr;
            hooked_ = false;
            state_ = TPainterState::Dead;
            next(message);
            return;
        }
        const std::weak_ptr<int> alive = life_;
        const ui::TWndMethod* outer = std::exchange(next_, &next);
        struct Reset {
            const std::weak_ptr<int>& alive;
            TSkinControl* painter;
            const ui::TWndMethod* outer;
            ~Reset()
            {
                if (!alive.expired()) painter->next_ = outer;
            }
        } reset{alive, this, outer};
        Dispatch(message);
    });
    hooked_ = true;
}

void TSkinControl::Unhook()
{
    if (hooked_ && control_) control_->RemoveWindowHook(hook_);
    hooked_ = false;
    subclass_.Detach();
}

void TSkinControl::Dispatch(ui::TMessage& message)
{
    if (message.Msg == SKM_SKINENABLE) {
        active_ = static_cast<int>(message.WParam) > 0;
        if (state_ == TPainterState::Attached) ActiveChanged();
        // Off or on, the control shows its new look at once.
        Repaint();
        return;
    }
    // Switched off, or left behind by a window that is gone: the control is on its own.
    if (!active_ || state_ == TPainterState::Dead) {
        CallPrevious(message);
        return;
    }
    if (BeforeMessage(message) && CallPrevious(message)) AfterMessage(message);
}

bool TSkinControl::CallPrevious(ui::TMessage& message)
{
    const std::weak_ptr<int> alive = life_;
    if (next_) {
        (*next_)(message);
    } else if (subclass_.Attached()) {
        message.Result = subclass_.CallNext(message.Msg, message.WParam, message.LParam);
    }
    return !alive.expired();
}

bool TSkinControl::BeforeMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_NCDESTROY:
        state_ = TPainterState::Dead;
        if (CallPrevious(message)) Restore();
        return false;
    case SKM_PROBE:
        message.Result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinControl::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case ui::CM_ENABLEDCHANGED:
        Repaint();
        break;
    case WM_PAINT:
        PaintWindow(reinterpret_cast<HDC>(message.WParam));
        break;
    default:
        break;
    }
}

void TSkinControl::Paint(HDC, const RECT&) {}

void TSkinControl::Repaint()
{
    if (proxy_) {
        proxy_->Invalidate();
        return;
    }
    if (!window_ || !IsWindow(window_)) return;
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
}

void TSkinControl::RedrawFrame() const
{
    if (window_ && IsWindow(window_) && !Dead())
        RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinControl::PaintWindow(HDC dc)
{
    if (!window_ || !GetWindowRect(window_, &window_rect_)) return;
    const RECT r{0, 0, window_rect_.right - window_rect_.left, window_rect_.bottom - window_rect_.top};
    try {
        if (dc) {
            Paint(dc, r);
            return;
        }
        ui::WindowDC own(window_);
        if (own.get()) Paint(own.get(), r);
    } catch (...) {
        // A failing paint leaves the control as it was; the message loop goes on.
    }
}

void TSkinControl::PaintOnMessage(ui::TMessage& message)
{
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    if (!GetWindowRect(window_, &window_rect_)) return;
    const RECT r{0, 0, window_rect_.right - window_rect_.left, window_rect_.bottom - window_rect_.top};
    if (dc) {
        Paint(dc, r);
        return;
    }
    ui::PaintDC paint(window_);
    Paint(paint.get(), r);
}

bool TSkinControl::PaintWholeOnMessage(ui::TMessage& message, bool pictured, bool skipErase)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (!pictured) return true;
        PaintOnMessage(message);
        message.Result = 0;
        return false;
    case WM_ERASEBKGND:
        if (!pictured && !skipErase) return true;
        message.Result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinControl::EraseBackground(ui::TMessage& message)
{
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    if (control_) {
        DrawParentImage(*control_, dc);
    } else {
        RECT client{};
        GetClientRect(window_, &client);
        FillParentColor(dc, client);
    }
    message.Result = 1;
}

void TSkinControl::DrawParentImage(ui::TControl& control, HDC dc)
{
    if (!control.Parent() || !control.Parent()->WindowHandle()) return;
    HWND parent = control.Parent()->WindowHandle();
    const int saved = SaveDC(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - control.Left(), origin.y - control.Top(), nullptr);
    IntersectClipRect(dc, control.Left(), control.Top(), control.Left() + control.Width(), control.Top() + control.Height());
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    RestoreDC(dc, saved);
}

void TSkinControl::DrawParentImage(HWND window, HDC dc)
{
    HWND parent = GetParent(window);
    if (!parent) return;
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    const int saved = SaveDC(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - bounds.left, origin.y - bounds.top, nullptr);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    RestoreDC(dc, saved);
}

void TSkinControl::FillSkinColor(HDC dc, const RECT& rect) const { FillColor(dc, rect, SkinColor(csButtonFace)); }

void TSkinControl::FillParentColor(HDC dc, const RECT& rect) const
{
    ui::TControl* parent = control_ ? control_->Parent() : nullptr;
    const std::int64_t color = ui::GetIntProp(parent, L"Color");
    if (parent && color != -1) FillColor(dc, rect, static_cast<ui::TColor>(color));
    else FillSkinColor(dc, rect);
}

void TSkinControl::FillColor(HDC dc, const RECT& rect, ui::TColor color)
{
    ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(color)));
    FillRect(dc, &rect, brush.get());
}

ui::TColor TSkinControl::SkinColor(int slot) const
{
    return skin_data_ ? skin_data_->Color(slot) : ui::clBtnFace;
}

UINT TSkinControl::TextFlags(UINT flags) const
{
    HWND w = proxy_ ? proxy_->DrawingWindow() : window_;
    if (w && (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_RTLREADING)) flags |= DT_RTLREADING;
    return flags;
}

void TSkinControl::DrawFocusAroundText(HDC dc, UINT flags, const RECT& bounds)
{
    RECT measured{bounds.left, bounds.top, bounds.right, bounds.bottom};
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &measured, flags | DT_CALCRECT | DT_NOCLIP);
    OffsetRect(&measured, -measured.left, -measured.top);
    const RECT focus = ToRect(FocusAroundText(ToRectI(bounds), ToRectI(measured), flags));
    DrawFocusRect(dc, &focus);
}

void TSkinControl::ForwardMouseDown(const ui::TMessage& message)
{
    if (!control_ || !control_->OnMouseDown) return;
    POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (control_->Width() > 32768 || control_->Height() > 32768) {
        GetCursorPos(&at);
        at = control_->ScreenToClient(at);
    }
    ui::TShiftState shift = ui::KeyboardShiftState() | ui::ssLeft;
    if (message.Msg == WM_LBUTTONDBLCLK) shift |= ui::ssDouble;
    control_->OnMouseDown(control_, ui::TMouseButton::mbLeft, shift, at.x, at.y);
}

bool TSkinControl::WindowEnabled() const { return (Style() & WS_DISABLED) == 0; }

LONG_PTR TSkinControl::Style() const { return window_ ? GetWindowLongPtrW(window_, GWL_STYLE) : 0; }

std::wstring TSkinControl::EnumText(std::wstring_view name) const { return ui::GetEnumPropText(control_, name); }

bool TSkinControl::PropIsTrue(std::wstring_view name) const { return Lower(EnumText(name)) == L"true"; }

void TSkinControl::SwitchParentBackground(bool attach)
{
    if (!control_ || (skin_data_ && skin_data_->Options.Contains(TSkinOption::xoParentBackGround))) return;
    if (attach) {
        if (PropIsTrue(L"ParentBackground")) {
            parent_background_switched_ = true;
            ui::SetPropText(control_, L"ParentBackground", L"False");
        }
    } else if (parent_background_switched_) {
        parent_background_switched_ = false;
        ui::SetPropText(control_, L"ParentBackground", L"True");
    }
}

void TSkinControl::Restore()
{
    if (restored_ || state_ == TPainterState::New) return;
    restored_ = true;
    if (!control_) return;
    SwitchParentBackground(false);
    if (owns_color_) ui::SetOrdProp(control_, L"Color", saved_color_);
}

void TSkinControl::SkinChanged()
{
    if (owns_color_ && control_) ui::SetOrdProp(control_, L"Color", SkinColor(csButtonFace));
    Repaint();
}

}  // namespace skin
