#include "ui/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

namespace {

void EnsureCommonControls(DWORD classes)
{
    INITCOMMONCONTROLSEX init{sizeof(init), classes};
    InitCommonControlsEx(&init);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// TCustomTabControl

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

void TCustomTabControl::CreateParams(TCreateParams& params)
{
    EnsureCommonControls(ICC_TAB_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = WC_TABCONTROLW;
    params.Style |= WS_CLIPCHILDREN;
    if (style_ == TTabStyle::tsButtons) params.Style |= TCS_BUTTONS;
    if (style_ == TTabStyle::tsFlatButtons) params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
}

void TCustomTabControl::CreateWindowHandleDone()
{
    if (tab_height_ > 0) SendMessageW(WindowHandle(), TCM_SETITEMSIZE, 0, MAKELPARAM(0, tab_height_));
}

void TCustomTabControl::SetTabHeight(int height)
{
    tab_height_ = height;
    if (WindowHandle()) {
        SendMessageW(WindowHandle(), TCM_SETITEMSIZE, 0, MAKELPARAM(0, height));
        Realign();
    }
}

RECT TCustomTabControl::DisplayRect()
{
    RECT r = ClientRect();
    if (WindowHandle()) SendMessageW(WindowHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomTabControl::AlignControls(RECT& rect)
{
    rect = DisplayRect();
    TWinControl::AlignControls(rect);
}

void TCustomTabControl::WndProc(TMessage& message)
{
    if (message.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(message.LParam)->code == TCN_SELCHANGE) {
        TabChanged();
        if (OnChange) OnChange(this);
        return;
    }
    TWinControl::WndProc(message);
}

PropValue TCustomTabControl::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"TabHeight")) return static_cast<std::int64_t>(tab_height_);
    if (SameName(name, L"Style")) return static_cast<std::int64_t>(style_);
    return TWinControl::GetProperty(name);
}

// ---------------------------------------------------------------------------------------
// TPageControl

void TPageControl::InsertPage(TTabSheet* page)
{
    pages_.push_back(page);
    page->SetParent(this);
    page->SetVisible(false);
    RebuildTabs();
    if (!active_) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page)
{
    std::erase(pages_, page);
    if (active_ == page) active_ = nullptr;
    RebuildTabs();
    if (!active_ && !pages_.empty()) SetActivePage(pages_.front());
}

void TPageControl::RebuildTabs()
{
    HWND w = WindowHandle();
    if (!w) return;
    SendMessageW(w, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < pages_.size(); ++i) {
        std::wstring caption = pages_[i]->Caption();
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(w, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    if (int index = ActivePageIndex(); index >= 0) SendMessageW(w, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    Realign();
}

void TPageControl::UpdateTab(TTabSheet* page)
{
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end() || !WindowHandle()) return;
    std::wstring caption = page->Caption();
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(WindowHandle(), TCM_SETITEMW, static_cast<WPARAM>(it - pages_.begin()), reinterpret_cast<LPARAM>(&item));
}

void TPageControl::CreateWindowHandleDone()
{
    TCustomTabControl::CreateWindowHandleDone();
    RebuildTabs();
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->page_control_ != this) return;
    if (page == active_) return;
    TTabSheet* previous = active_;
    active_ = page;
    if (WindowHandle() && page) SendMessageW(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
    if (page) {
        page->SetVisible(true);
        if (page->WindowHandle()) BringWindowToTop(page->WindowHandle());
    }
    if (previous) previous->SetVisible(false);
}

int TPageControl::ActivePageIndex() const
{
    auto it = std::find(pages_.begin(), pages_.end(), active_);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

void TPageControl::SetActivePageIndex(int index)
{
    if (index >= 0 && index < PageCount()) SetActivePage(pages_[static_cast<size_t>(index)]);
}

void TPageControl::TabChanged()
{
    const auto index = static_cast<int>(SendMessageW(WindowHandle(), TCM_GETCURSEL, 0, 0));
    SetActivePageIndex(index);
}

PropValue TPageControl::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"ActivePageIndex")) return static_cast<std::int64_t>(ActivePageIndex());
    if (SameName(name, L"ActivePage")) return PropValue(static_cast<TObject*>(active_));
    if (SameName(name, L"PageCount")) return static_cast<std::int64_t>(PageCount());
    return TCustomTabControl::GetProperty(name);
}

// ---------------------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner)
{
    SetAlign(TAlign::alClient);
    SetParentBackground(true);
}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* control)
{
    if (page_control_ == control) return;
    if (page_control_) page_control_->RemovePage(this);
    page_control_ = control;
    if (control) control->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!page_control_) return -1;
    for (int i = 0; i < page_control_->PageCount(); ++i)
        if (page_control_->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::TextChanged()
{
    if (page_control_) page_control_->UpdateTab(this);
    TCustomControl::TextChanged();
}

void TTabSheet::VisibleChanged()
{
    TCustomControl::VisibleChanged();
    if (Visible()) {
        if (OnShow) OnShow(this);
    } else if (OnHide) {
        OnHide(this);
    }
}

// ---------------------------------------------------------------------------------------
// TTrackBar

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& params)
{
    EnsureCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = TRACKBAR_CLASSW;
    params.Style |= TBS_HORZ | TBS_FIXEDLENGTH;
    params.Style |= tick_style_ == TTickStyle::tsNone ? TBS_NOTICKS : TBS_AUTOTICKS;
}

void TTrackBar::CreateWindowHandleDone()
{
    HWND w = WindowHandle();
    SendMessageW(w, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumb_length_), 0);
    SendMessageW(w, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(w, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(w, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::SetRange(int min, int max)
{
    min_ = min;
    max_ = std::max(min, max);
    if (HWND w = WindowHandle()) {
        SendMessageW(w, TBM_SETRANGEMIN, FALSE, min_);
        SendMessageW(w, TBM_SETRANGEMAX, TRUE, max_);
    }
    if (position_ < min_ || position_ > max_) SetPosition(std::clamp(position_, min_, max_));
}

void TTrackBar::SetMin(int value) { SetRange(value, max_); }
void TTrackBar::SetMax(int value) { SetRange(min_, value); }

int TTrackBar::Position() const
{
    if (HWND w = WindowHandle()) return static_cast<int>(SendMessageW(w, TBM_GETPOS, 0, 0));
    return position_;
}

void TTrackBar::SetPosition(int value)
{
    value = std::clamp(value, min_, max_);
    if (value == Position()) return;
    position_ = value;
    if (HWND w = WindowHandle()) SendMessageW(w, TBM_SETPOS, TRUE, value);
    Changed();
}

void TTrackBar::Changed()
{
    if (OnChange) OnChange(this);
}

void TTrackBar::SetThumbLength(int value)
{
    thumb_length_ = value;
    if (HWND w = WindowHandle()) SendMessageW(w, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetTickStyle(TTickStyle value)
{
    if (tick_style_ == value) return;
    tick_style_ = value;
    RecreateWnd();
}

void TTrackBar::WndProc(TMessage& message)
{
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        const int position = Position();
        if (position != position_) {
            position_ = position;
            Changed();
        }
        return;
    }
    TWinControl::WndProc(message);
}

PropValue TTrackBar::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Min")) return static_cast<std::int64_t>(min_);
    if (SameName(name, L"Max")) return static_cast<std::int64_t>(max_);
    if (SameName(name, L"Position")) return static_cast<std::int64_t>(Position());
    if (SameName(name, L"ThumbLength")) return static_cast<std::int64_t>(thumb_length_);
    if (SameName(name, L"TickStyle")) return static_cast<std::int64_t>(tick_style_);
    return TWinControl::GetProperty(name);
}

bool TTrackBar::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        if (SameName(name, L"Min")) { SetMin(static_cast<int>(*i)); return true; }
        if (SameName(name, L"Max")) { SetMax(static_cast<int>(*i)); return true; }
        if (SameName(name, L"Position")) { SetPosition(static_cast<int>(*i)); return true; }
    }
    return TWinControl::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// TDateTimePicker

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 186, 21);
    SetColor(clWindow);
    SetTabStop(true);
    GetLocalTime(&value_);
}

void TDateTimePicker::CreateParams(TCreateParams& params)
{
    EnsureCommonControls(ICC_DATE_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = DATETIMEPICK_CLASSW;
    params.Style |= DTS_SHORTDATEFORMAT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDateTimePicker::CreateWindowHandleDone()
{
    SendMessageW(WindowHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

SYSTEMTIME TDateTimePicker::DateTime() const
{
    SYSTEMTIME value = value_;
    if (HWND w = WindowHandle()) SendMessageW(w, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
    return value;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value)
{
    value_ = value;
    if (HWND w = WindowHandle()) SendMessageW(w, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

void TDateTimePicker::WndProc(TMessage& message)
{
    if (message.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(message.LParam)->code == DTN_DATETIMECHANGE) {
        value_ = DateTime();
        if (OnChange) OnChange(this);
        return;
    }
    TWinControl::WndProc(message);
}

PropValue TDateTimePicker::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Kind")) return static_cast<std::int64_t>(kind_);
    if (SameName(name, L"DateMode")) return static_cast<std::int64_t>(date_mode_);
    return TWinControl::GetProperty(name);
}

}  // namespace ui
