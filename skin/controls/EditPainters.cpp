#include "skin/controls/EditPainters.h"

#include <windowsx.h>

#include <cwctype>
#include <string>

#include "skin/controls/ScrollPainters.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinImage.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMessages.h"
#include "ui/Gdi.h"

namespace skin {

namespace {

constexpr unsigned kDropDownClosed = CBN_CLOSEUP;

SIZE WindowSize(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE ClientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

bool IsSpinClass(HWND window)
{
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    std::wstring name(buffer);
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
    return name == L"msctls_updown32" || name.find(L"spin") != std::wstring::npos ||
           name.find(L"updown") != std::wstring::npos;
}

bool ServedAlready(HWND window) { return SendMessageW(window, SKM_PROBE, 0, 0) == 1; }

}  // namespace

// ---------------------------------------------------------------------------------------
// TSkinEdit

bool TSkinEdit::BeforeMessage(ui::TMessage& message)
{
    if (message.Msg == SKM_PAINTCLIENTTO && message.LParam == kSkinMarker) {
        if (message.WParam) {
            ui::TMessage paint{WM_PAINT, message.WParam, 0, 0};
            CallPrevious(paint);
        }
        message.Result = kSkinMarker;
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinEdit::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case ui::CM_ENABLEDCHANGED:
        // Only the border is the painter's, and only the window device context reaches it.
        PaintWindow(nullptr);
        return;
    case WM_PRINTCLIENT:
        if (message.WParam && Elements())
            PaintPrintedEditBorder(reinterpret_cast<HDC>(message.WParam), WindowSize(window_), ClientSize(window_),
                                   *Elements());
        return;
    default: TSkinControl::AfterMessage(message);
    }
}

void TSkinEdit::Restore()
{
    TSkinControl::Restore();
    RedrawFrame();
}

void TSkinEdit::AdoptUpDown()
{
    if (adopted_ || !skin_data_ || !skin_data_->SkinControls.Contains(TSkinControlType::xcSpin)) return;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsSpinClass(child)) continue;
        adopted_ = true;
        if (ServedAlready(child)) return;
        ui::TComponent* owner = control_ && control_->Owner() ? control_->Owner() : static_cast<ui::TComponent*>(Form());
        auto* painter = new TSkinUpDown(owner);
        painter->SetBuddy(true);
        painter->InitByHandle(child, skin_data_, Form());
        return;
    }
}

void TSkinEdit::Paint(HDC dc, const RECT&)
{
    AdoptUpDown();
    if (Elements()) PaintControlBorder(dc, WindowSize(window_), ClientSize(window_), *Elements(), true);
}

// ---------------------------------------------------------------------------------------
// TSkinUpDown

int TSkinUpDown::HalfUnderCursor() const
{
    if (!(mouse_ & (kMouseOver | kMousePressed))) return -1;
    return hot_half_;
}

bool TSkinUpDown::BeforeMessage(ui::TMessage& message)
{
    const POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    const auto halfAt = [this](POINT point) {
        RECT client{};
        GetClientRect(window_, &client);
        const bool horizontal = horizontal_ || (Style() & UDS_HORZ);
        return horizontal ? (point.x < client.right / 2 ? 0 : 1) : (point.y < client.bottom / 2 ? 0 : 1);
    };
    switch (message.Msg) {
    case WM_PAINT: PaintOnMessage(message); return false;
    case WM_ERASEBKGND: {
        if (!control_) {
            RECT client{};
            GetClientRect(window_, &client);
            FillRect(reinterpret_cast<HDC>(message.WParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        message.Result = 1;
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!CallPrevious(message)) return false;
        hot_half_ = halfAt(at);
        mouse_ |= kMousePressed;
        PaintWindow(nullptr);
        return false;
    case WM_LBUTTONUP:
        mouse_ &= ~kMousePressed;
        if (CallPrevious(message)) PaintWindow(nullptr);
        return false;
    case WM_MOUSEMOVE: {
        if (!CallPrevious(message)) return false;
        const int half = halfAt(at);
        if (!(mouse_ & kMouseOver) || half != hot_half_) {
            mouse_ |= kMouseOver;
            hot_half_ = half;
            SkinTrackMouseLeave(window_);
            PaintWindow(nullptr);
        }
        return false;
    }
    case WM_MOUSELEAVE:
    case ui::CM_MOUSELEAVE:
        if (!CallPrevious(message)) return false;
        mouse_ &= ~kMouseOver;
        PaintWindow(nullptr);
        return false;
    default: return TSkinControl::BeforeMessage(message);
    }
}

void TSkinUpDown::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case ui::CM_ENABLEDCHANGED: PaintWindow(nullptr); return;
    default: TSkinControl::AfterMessage(message);
    }
}

void TSkinUpDown::Paint(HDC dc, const RECT&)
{
    if (!Elements()) return;
    TUpDownLook look;
    look.Horizontal = horizontal_;
    look.Enabled = WindowEnabled();
    look.HalfUnderCursor = HalfUnderCursor();
    look.Pressed = (mouse_ & kMousePressed) != 0;
    look.Over = (mouse_ & kMouseOver) != 0;
    PaintUpDownWindow(dc, window_, *Elements(), look, buddy_);
}

// ---------------------------------------------------------------------------------------
// TSkinComBox

TSkinComBox::TSkinComBox(ui::TComponent* owner, bool extended) : TSkinControl(owner), extended_(extended) {}

TSkinComBox::~TSkinComBox() { TSkinComBox::Restore(); }

void TSkinComBox::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    if (State() != TPainterState::Attached || list_painter_) return;
    COMBOBOXINFO info{};
    if (!SkinGetComboBoxInfo(window_, info) || !info.hwndList) return;
    if ((Style() & 3) != CBS_SIMPLE) {
        list_painter_ = new TComboxScrollBar(this);
    } else {
        // The list of a simple combo box is a child window: its bars get overlays.
        const LONG_PTR listStyle = GetWindowLongPtrW(info.hwndList, GWL_STYLE);
        if ((listStyle & WS_POPUP) || GetParent(info.hwndList) == GetDesktopWindow()) return;
        list_painter_ = new TSkinScrollbarH(this);
    }
    list_painter_->InitByHandle(info.hwndList, skinData, form);
}

void TSkinComBox::Restore()
{
    TSkinControl::Restore();
    delete list_painter_;
    list_painter_ = nullptr;
    RedrawFrame();
}

void TSkinComBox::SetMouse(unsigned bits, bool on)
{
    const unsigned before = mouse_;
    mouse_ = on ? mouse_ | bits : mouse_ & ~bits;
    if (mouse_ != before) PaintWindow(nullptr);
}

void TSkinComBox::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return;
    case WM_MOUSEMOVE: {
        const POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        // The button rectangle is in window coordinates, the point in client coordinates.
        POINT inWindow = at;
        ClientToScreen(window_, &inWindow);
        RECT frame{};
        GetWindowRect(window_, &frame);
        inWindow.x -= frame.left;
        inWindow.y -= frame.top;
        const bool over = WindowEnabled() && PtInRect(&button_, inWindow);
        if (over) SkinTrackMouseLeave(window_);
        SetMouse(kMouseOver, over);
        return;
    }
    case WM_MOUSELEAVE:
    case ui::CM_MOUSELEAVE: SetMouse(kMouseOver, false); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: SetMouse(kMousePressed, true); return;
    case WM_LBUTTONUP: SetMouse(kMousePressed, false); return;
    case ui::CN_COMMAND:
        // The list closes with the press that opened it still marked.
        if (HIWORD(message.WParam) == kDropDownClosed) SetMouse(kMousePressed, false);
        return;
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_DRAWITEM:
    case WM_ENABLE:
    case ui::CM_ENABLEDCHANGED: PaintWindow(nullptr); return;
    default: TSkinControl::AfterMessage(message);
    }
}

void TSkinComBox::Paint(HDC dc, const RECT& rect)
{
    const TSkinElements* elements = Elements();
    if (!elements || !elements->ComboButton || elements->ComboButton->Image.Empty()) return;
    HWND focus = GetFocus();
    const bool focused = focus && (focus == window_ || IsChild(window_, focus));
    const bool pressed = (mouse_ & kMousePressed) != 0, over = (mouse_ & kMouseOver) != 0;
    if (!extended_) {
        button_ = PaintComboWindow(window_, *elements, pressed, focused || over);
        return;
    }
    // The extended kind: the border, and its first child (the button area) filled and given the
    // arrow cell of the state.
    PaintControlBorder(dc, {rect.right, rect.bottom}, ClientSize(window_), *elements, false);
    const HWND child = GetWindow(window_, GW_CHILD);
    const TDataSkinObject* arrow = elements->ComboxArrow.get();
    if (!child || !arrow || arrow->Image.Empty()) return;
    RECT area{}, frame{};
    GetWindowRect(child, &area);
    GetWindowRect(window_, &frame);
    OffsetRect(&area, -frame.left, -frame.top);
    FillRect(dc, &area, elements->FaceBrush.get());
    DrawFrameStretched(dc, area, arrow->Image, false, arrow->Frame, ComboFrame(pressed, focused || over, WindowEnabled()));
    button_ = area;
}

// ---------------------------------------------------------------------------------------
// TSkinDateTime

void TSkinDateTime::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    if (State() != TPainterState::Attached || arrow_) return;
    arrow_ = std::make_unique<TArrowButton>(*skinData);
    arrow_->Attach(window_);
}

void TSkinDateTime::Restore()
{
    TSkinControl::Restore();
    arrow_.reset();
    RedrawFrame();
}

void TSkinDateTime::ActiveChanged()
{
    if (arrow_ && arrow_->Handle()) ShowWindow(arrow_->Handle(), Active() ? SW_SHOWNA : SW_HIDE);
    RedrawFrame();
}

void TSkinDateTime::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_SIZE:
        if (arrow_) arrow_->Place();
        return;
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case ui::CM_ENABLEDCHANGED: PaintWindow(nullptr); return;
    default: TSkinControl::AfterMessage(message);
    }
}

void TSkinDateTime::Paint(HDC dc, const RECT& rect)
{
    if (arrow_) arrow_->Place();
    if (Elements()) PaintControlBorder(dc, {rect.right, rect.bottom}, ClientSize(window_), *Elements(), false);
}

}  // namespace skin
