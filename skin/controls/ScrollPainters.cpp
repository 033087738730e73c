#include "skin/controls/ScrollPainters.h"

#include <windowsx.h>

#include <cwctype>

#include "skin/controls/Classify.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMessages.h"
#include "ui/Gdi.h"

namespace skin {

namespace {

constexpr UINT kListViewGetHeader = 0x101F;  // LVM_GETHEADER
constexpr UINT kListScrolled = 0x1AE;         // sent to a list box when its bar has moved

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

// A bar that has appeared since the last placement is placed. A shown one repaints only
// when the control's own painting can reach it: a child that clips its siblings leaves the
// overlay above it alone, and repainting it anyway would draw it twice on every resize.
void FollowBars(TScrollbarOverlays& overlays, LONG_PTR style)
{
    const bool paintsOver = (style & WS_CHILD) && !(style & WS_CLIPSIBLINGS);
    for (auto [bar, bit] : {std::pair{&overlays.Vertical(), LONG_PTR{WS_VSCROLL}},
                            std::pair{&overlays.Horizontal(), LONG_PTR{WS_HSCROLL}}}) {
        if (bar->Shown()) {
            if (paintsOver) bar->Invalidate();
        } else if (style & bit) {
            bar->Place();
        }
    }
}

void ShowOverlays(TScrollbarOverlays& overlays, bool active)
{
    if (active) {
        overlays.Horizontal().Place();
        overlays.Vertical().Place();
    } else {
        overlays.Conceal();
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------
// TSkinScrollbar

TSkinScrollbar::TSkinScrollbar(ui::TComponent* owner, bool single) : TSkinControl(owner), single_(single) {}

TSkinScrollbar::~TSkinScrollbar() { TSkinScrollbar::Restore(); }

void TSkinScrollbar::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    if (State() != TPainterState::Attached || overlays_) return;
    border_ = !single_ && Lower(EnumText(L"BorderStyle")) != L"bsnone" && control_->ClassName() != L"TImageScrollBox";
    if (ui::HasProperty(control_, L"FixedColor")) {
        saved_fixed_color_ = ui::GetIntProp(control_, L"FixedColor");
        owns_fixed_color_ = true;
        ApplyFixedColor();
    }
    overlays_ = std::make_unique<TScrollbarOverlays>(*skinData);
    overlays_->Attach(window_);
    if (!IsWindowVisible(window_)) overlays_->Conceal();
    RedrawFrame();
}

void TSkinScrollbar::ApplyFixedColor()
{
    if (owns_fixed_color_ && control_) ui::SetOrdProp(control_, L"FixedColor", SkinColor(csButtonFace));
}

void TSkinScrollbar::Restore()
{
    if (owns_fixed_color_ && control_) ui::SetOrdProp(control_, L"FixedColor", saved_fixed_color_);
    owns_fixed_color_ = false;
    TSkinControl::Restore();
    // The overlays are siblings of the control: they outlive a control window that goes alone.
    overlays_.reset();
    RedrawFrame();
}

void TSkinScrollbar::SkinChanged()
{
    ApplyFixedColor();
    TSkinControl::SkinChanged();
    RedrawFrame();
}

void TSkinScrollbar::ActiveChanged()
{
    if (overlays_) ShowOverlays(*overlays_, Active());
    RedrawFrame();
}

bool TSkinScrollbar::BeforeMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_NCPAINT: {
        if (!CallPrevious(message)) return false;
        ui::WindowDC dc(window_);
        if (!dc.get() || !overlays_) return false;
        if (border_) overlays_->PaintBorder(dc.get());
        overlays_->PaintCorner(dc.get());
        return false;
    }
    case SKM_PAINTFRAMETO:
        if (message.LParam != kSkinMarker) break;
        if (message.WParam && border_ && overlays_) overlays_->PaintBorder(reinterpret_cast<HDC>(message.WParam));
        message.Result = kSkinMarker;
        return false;
    case WM_NCDESTROY:
        // The framework may be recreating the window: the form then gives the new one a painter.
        if (Form() && control_) PostMessageW(Form()->FHandle, SKM_RESKINSCROLLBAR, reinterpret_cast<WPARAM>(window_), 0);
        break;
    default: break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinScrollbar::AfterMessage(ui::TMessage& message)
{
    if (overlays_) overlays_->AfterMessage(message.Msg, message.WParam, message.LParam);
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // Nothing the painter draws changes with the focus.
        return;
    default: TSkinControl::AfterMessage(message);
    }
}

void TSkinScrollbar::Paint(HDC, const RECT&)
{
    if (overlays_) FollowBars(*overlays_, Style());
}

void TSkinListView::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinScrollbar::Init(form, skinData, ownsColor);
    if (State() != TPainterState::Attached) return;
    const auto header = reinterpret_cast<HWND>(SendMessageW(window_, kListViewGetHeader, 0, 0));
    if (!header) return;
    if (TSkinControl* painter = CreatePainter(TPainterKind::Header, control_)) painter->InitByHandle(header, skinData, form);
}

bool ReskinScrollbar(TWinSkinForm& form, HWND oldWindow)
{
    const auto& painters = form.Painters();
    for (auto it = painters.rbegin(); it != painters.rend(); ++it) {
        auto* old = dynamic_cast<TSkinScrollbar*>(*it);
        if (!old || old->Window() != oldWindow) continue;
        auto* control = dynamic_cast<ui::TWinControl*>(old->Owner());
        const bool listView = dynamic_cast<TSkinListView*>(old) != nullptr;
        const bool single = old->Single();
        const bool ownsColor = old->OwnsColor();
        delete old;
        if (!control || !control->WindowHandle() || control->WindowHandle() == oldWindow || !form.SkinData()) return true;
        TSkinScrollbar* fresh = listView ? new TSkinListView(control, single) : new TSkinScrollbar(control, single);
        fresh->Init(&form, form.SkinData(), ownsColor);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// TSkinScrollbarH

TSkinScrollbarH::~TSkinScrollbarH() { TSkinScrollbarH::Restore(); }

void TSkinScrollbarH::InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form)
{
    TSkinControl::InitByHandle(window, skinData, form);
    if (State() != TPainterState::Attached || overlays_) return;
    overlays_ = std::make_unique<TScrollbarOverlays>(*skinData);
    overlays_->Attach(window_);
    if (!IsWindowVisible(window_)) overlays_->Conceal();
    RedrawFrame();
}

void TSkinScrollbarH::Restore()
{
    TSkinControl::Restore();
    overlays_.reset();
    RedrawFrame();
}

void TSkinScrollbarH::ActiveChanged()
{
    if (overlays_) ShowOverlays(*overlays_, Active());
    RedrawFrame();
}

void TSkinScrollbarH::AfterMessage(ui::TMessage& message)
{
    if (!overlays_) return;
    overlays_->AfterMessage(message.Msg, message.WParam, message.LParam);
    switch (message.Msg) {
    case WM_NCPAINT: {
        ui::WindowDC dc(window_);
        if (!dc.get()) return;
        // A sunken border (two pixels or more) gets the skin's, as the framework's lists have.
        POINT client{0, 0};
        ClientToScreen(window_, &client);
        RECT whole{};
        GetWindowRect(window_, &whole);
        if (client.x - whole.left >= 2 && client.y - whole.top >= 2) overlays_->PaintBorder(dc.get());
        overlays_->PaintCorner(dc.get());
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return;
    default: TSkinControl::AfterMessage(message);
    }
}

void TSkinScrollbarH::Paint(HDC, const RECT&)
{
    if (overlays_) FollowBars(*overlays_, Style());
}

// ---------------------------------------------------------------------------------------
// TSkinScControl

TSkinScControl::~TSkinScControl() { GiveBack(); }

void TSkinScControl::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    if (State() == TPainterState::Attached) Cover();
}

void TSkinScControl::InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form)
{
    TSkinControl::InitByHandle(window, skinData, form);
    if (State() == TPainterState::Attached) Cover();
}

void TSkinScControl::Cover()
{
    if (overlay_) return;
    // The bar's own painting never shows through its overlay.
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    if (!(style & WS_CLIPSIBLINGS)) {
        SetWindowLongPtrW(window_, GWL_STYLE, style | WS_CLIPSIBLINGS);
        added_clip_ = true;
    }
    overlay_ = std::make_unique<TWScrollbar>(*skin_data_);
    overlay_->AttachToWindow(window_, TWScrollbar::skControl);
}

void TSkinScControl::GiveBack()
{
    overlay_.reset();
    if (added_clip_ && window_ && IsWindow(window_))
        SetWindowLongPtrW(window_, GWL_STYLE, GetWindowLongPtrW(window_, GWL_STYLE) & ~LONG_PTR{WS_CLIPSIBLINGS});
    added_clip_ = false;
}

void TSkinScControl::Restore()
{
    TSkinControl::Restore();
    GiveBack();
}

void TSkinScControl::ActiveChanged()
{
    if (!overlay_) return;
    if (Active()) overlay_->Place();
    else overlay_->Conceal();
}

void TSkinScControl::AfterMessage(ui::TMessage& message)
{
    if (!overlay_) return;
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return;
    // What moves, shows, sizes or sets the bar. Not its queries: the overlay's own paint asks
    // the bar for its range.
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_NCPAINT:
    case WM_ENABLE:
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case SBM_ENABLE_ARROWS:
    case SBM_SETSCROLLINFO:
    case ui::CM_VISIBLECHANGED:
    case ui::CM_ENABLEDCHANGED:
    case ui::CN_HSCROLL:
    case ui::CN_VSCROLL: overlay_->Sync(); return;
    default: TSkinControl::AfterMessage(message);
    }
}

void TSkinScControl::Paint(HDC, const RECT&)
{
    if (overlay_) overlay_->Invalidate();
}

// ---------------------------------------------------------------------------------------
// TComboxScrollBar

bool TComboxScrollBar::OnThumb(POINT screen) const
{
    SCROLLBARINFO bar{};
    if (!SkinGetScrollBarInfo(window_, OBJID_VSCROLL, bar) || !PtInRect(&bar.rcScrollBar, screen)) return false;
    const int along = screen.y - bar.rcScrollBar.top;
    return along >= bar.xyThumbTop && along < bar.xyThumbBottom;
}

bool TComboxScrollBar::BeforeMessage(ui::TMessage& message)
{
    const POINT screen{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    switch (message.Msg) {
    case WM_NCMOUSEMOVE: {
        if (message.WParam != HTVSCROLL && message.WParam != HTHSCROLL) break;
        SCROLLBARINFO bar{};
        int part = bpNone;
        if (message.WParam == HTVSCROLL && SkinGetScrollBarInfo(window_, OBJID_VSCROLL, bar))
            part = BarHitTest(screen.y - bar.rcScrollBar.top, bar.rcScrollBar.bottom - bar.rcScrollBar.top,
                              GetSystemMetrics(SM_CXHSCROLL), {bar.xyThumbTop, bar.xyThumbBottom});
        if (part != hot_part_) {
            hot_part_ = part;
            PaintWindow(nullptr);
        }
        return false;
    }
    case WM_NCMOUSELEAVE:
        hot_part_ = bpNone;
        PaintWindow(nullptr);
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        if (message.WParam != HTVSCROLL) break;
        pressed_ = true;
        if (OnThumb(screen)) {
            hot_part_ = bpThumb;
            PaintWindow(nullptr);
            // The drag runs a message loop until the button goes up; the skin may be switched
            // off and this painter freed meanwhile.
            const std::weak_ptr<int> alive = LifeToken();
            DragListThumb(window_, screen, GetSystemMetrics(SM_CXHSCROLL));
            if (alive.expired()) return false;
        } else if (!CallPrevious(message)) {
            // Arrows and page areas: the platform tracks the press (the bar shows it pressed).
            return false;
        }
        pressed_ = false;
        PaintWindow(nullptr);
        return false;
    }
    default: break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TComboxScrollBar::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_VSCROLL:
        if (pressed_ && LOWORD(message.WParam) != SB_ENDSCROLL) hot_part_ = LOWORD(message.WParam);
        PaintWindow(nullptr);
        return;
    case WM_NCPAINT:
    case WM_HSCROLL:
    case kListScrolled:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SHOWWINDOW:
    case WM_WINDOWPOSCHANGED:
    case LB_SETTOPINDEX:
    case LB_SETCURSEL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
        PaintWindow(nullptr);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return;
    default: TSkinControl::AfterMessage(message);
    }
}

void TComboxScrollBar::Paint(HDC dc, const RECT&)
{
    if (skin_data_) PaintWindowBar(window_, dc, OBJID_VSCROLL, *skin_data_, hot_part_, pressed_);
}

}  // namespace skin
