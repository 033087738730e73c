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

DWORD ViewStyleBits(TViewStyle style)
{
    static constexpr DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    return kViews[static_cast<size_t>(style)];
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

void TCustomTabControl::SetStyle(TTabStyle style)
{
    if (style == style_) return;
    style_ = style;
    if (WindowHandle()) RecreateWnd();
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
    if (const NMHDR* notify = ReflectedNotify(message); notify && notify->code == TCN_SELCHANGE) {
        TabChanged();
        if (OnChange) OnChange(this);
        return;
    }
    TWinControl::WndProc(message);
}

PropValue TCustomTabControl::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"TabHeight")) return static_cast<std::int64_t>(tab_height_);
    if (SameName(name, L"Style")) return EnumProp(TTabStyleType, style_);
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
    if (SameName(name, L"TickStyle")) return EnumProp(TTickStyleType, tick_style_);
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
    if (const NMHDR* notify = ReflectedNotify(message); notify && notify->code == DTN_DATETIMECHANGE) {
        value_ = DateTime();
        if (OnChange) OnChange(this);
        return;
    }
    TWinControl::WndProc(message);
}

PropValue TDateTimePicker::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Kind")) return EnumProp(TDateTimeKindType, kind_);
    if (SameName(name, L"DateMode")) return EnumProp(TDTDateModeType, date_mode_);
    return TWinControl::GetProperty(name);
}

// ---------------------------------------------------------------------------------------
// TRangeControl

void TRangeControl::CreateWindowHandleDone()
{
    SendMessageW(WindowHandle(), messages_.SetRange, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    SendPosition();
}

void TRangeControl::SendPosition() const
{
    const auto position = static_cast<std::intptr_t>(position_);
    SendMessageW(WindowHandle(), messages_.SetPosition, messages_.PositionInLParam ? 0 : static_cast<WPARAM>(position),
                 messages_.PositionInLParam ? static_cast<LPARAM>(position) : 0);
}

void TRangeControl::SetRange(int min, int max)
{
    min_ = min;
    max_ = max;
    if (WindowHandle()) SendMessageW(WindowHandle(), messages_.SetRange, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
}

int TRangeControl::Position() const
{
    if (!WindowHandle()) return position_;
    return static_cast<int>(SendMessageW(WindowHandle(), messages_.GetPosition, 0, 0));
}

void TRangeControl::SetPosition(int value)
{
    position_ = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (WindowHandle()) SendPosition();
}

PropValue TRangeControl::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Min")) return static_cast<std::int64_t>(min_);
    if (SameName(name, L"Max")) return static_cast<std::int64_t>(max_);
    if (SameName(name, L"Position")) return static_cast<std::int64_t>(Position());
    return TWinControl::GetProperty(name);
}

bool TRangeControl::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        if (SameName(name, L"Min")) { SetRange(static_cast<int>(*i), max_); return true; }
        if (SameName(name, L"Max")) { SetRange(min_, static_cast<int>(*i)); return true; }
        if (SameName(name, L"Position")) { SetPosition(static_cast<int>(*i)); return true; }
    }
    return TWinControl::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// TUpDown

TUpDown::TUpDown(TComponent* owner) : TRangeControl(owner, {UDM_SETRANGE32, UDM_SETPOS32, true, UDM_GETPOS32})
{
    SetBounds(0, 0, 17, 25);
}

void TUpDown::CreateParams(TCreateParams& params)
{
    EnsureCommonControls(ICC_UPDOWN_CLASS);
    TWinControl::CreateParams(params);
    params.BaseClassName = UPDOWN_CLASSW;
    params.Style |= UDS_ARROWKEYS;
}

void TUpDown::WndProc(TMessage& message)
{
    if (message.Msg == CN_VSCROLL || message.Msg == CN_HSCROLL) {
        position_ = Position();
        if (OnChanging) OnChanging(this);
        return;
    }
    TWinControl::WndProc(message);
}

// ---------------------------------------------------------------------------------------
// TProgressBar

TProgressBar::TProgressBar(TComponent* owner) : TRangeControl(owner, {PBM_SETRANGE32, PBM_SETPOS, false, PBM_GETPOS})
{
    SetBounds(0, 0, 150, 17);
}

void TProgressBar::CreateParams(TCreateParams& params)
{
    EnsureCommonControls(ICC_PROGRESS_CLASS);
    TWinControl::CreateParams(params);
    params.BaseClassName = PROGRESS_CLASSW;
}

// ---------------------------------------------------------------------------------------
// TStatusBar

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 200, 19);
    SetAlign(TAlign::alBottom);
}

void TStatusBar::CreateParams(TCreateParams& params)
{
    EnsureCommonControls(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = STATUSCLASSNAMEW;
    // The framework places the bar; the control must not move itself to the parent's bottom.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | SBARS_SIZEGRIP;
}

void TStatusBar::CreateWindowHandleDone() { ApplyPanels(); }

// The window keeps the simple text apart from the panels' texts; both are set in it.
void TStatusBar::ApplyPanels()
{
    const HWND bar = WindowHandle();
    if (!bar) return;
    std::vector<int> rights;
    int right = 0;
    for (const TPanel& panel : panels_) rights.push_back(right += panel.Width);
    if (!rights.empty()) rights.back() = -1;
    if (!rights.empty()) SendMessageW(bar, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (std::size_t k = 0; k < panels_.size(); ++k)
        SendMessageW(bar, SB_SETTEXTW, k, reinterpret_cast<LPARAM>(panels_[k].Text.c_str()));
    SendMessageW(bar, SB_SIMPLE, ShowsSimple(), 0);
    SendMessageW(bar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simple_text_.c_str()));
}

void TStatusBar::SetSimpleText(const std::wstring& text)
{
    simple_text_ = text;
    if (WindowHandle()) SendMessageW(WindowHandle(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simple_text_.c_str()));
}

void TStatusBar::SetSimplePanel(bool value)
{
    simple_panel_ = value;
    ApplyPanels();
}

int TStatusBar::AddPanel(const std::wstring& text, int width)
{
    panels_.push_back({text, width});
    ApplyPanels();
    return PanelCount() - 1;
}

void TStatusBar::SetPanelText(int index, const std::wstring& text)
{
    panels_.at(static_cast<std::size_t>(index)).Text = text;
    if (WindowHandle()) SendMessageW(WindowHandle(), SB_SETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

PropValue TStatusBar::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"SimpleText")) return simple_text_;
    if (SameName(name, L"SimplePanel")) return BoolProp(simple_panel_);
    return TWinControl::GetProperty(name);
}

bool TStatusBar::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (const auto* s = std::get_if<std::wstring>(&value); s && SameName(name, L"SimpleText")) {
        SetSimpleText(*s);
        return true;
    }
    if (const auto* i = std::get_if<std::int64_t>(&value); i && SameName(name, L"SimplePanel")) {
        SetSimplePanel(*i != 0);
        return true;
    }
    return TWinControl::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// THeaderControl

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 200, 17);
    SetAlign(TAlign::alTop);
}

void THeaderControl::CreateParams(TCreateParams& params)
{
    EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = WC_HEADERW;
    params.Style |= HDS_HORZ | HDS_BUTTONS;
}

int THeaderControl::AddSection(const std::wstring& text, int width)
{
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.cxy = width;
    item.fmt = HDF_LEFT | HDF_STRING;
    return static_cast<int>(SendMessageW(Handle(), HDM_INSERTITEMW, static_cast<WPARAM>(SectionCount()), reinterpret_cast<LPARAM>(&item)));
}

int THeaderControl::SectionCount() const
{
    if (!WindowHandle()) return 0;
    return static_cast<int>(SendMessageW(WindowHandle(), HDM_GETITEMCOUNT, 0, 0));
}

// ---------------------------------------------------------------------------------------
// TListView

TListView::TListView(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetTabStop(true);
}

void TListView::CreateParams(TCreateParams& params)
{
    EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    TWinControl::CreateParams(params);
    params.BaseClassName = WC_LISTVIEWW;
    params.ExStyle |= WS_EX_CLIENTEDGE;
    params.Style |= LVS_SHOWSELALWAYS;
    params.Style |= ViewStyleBits(view_style_);
}

void TListView::SetViewStyle(TViewStyle value)
{
    view_style_ = value;
    if (HWND w = WindowHandle()) {
        const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
        SetWindowLongPtrW(w, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | ViewStyleBits(value));
    }
}

void TListView::AddColumn(const std::wstring& caption, int width)
{
    HWND w = Handle();
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(caption.c_str());
    column.cx = width;
    const int count = Header_GetItemCount(ListView_GetHeader(w));
    SendMessageW(w, LVM_INSERTCOLUMNW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&column));
}

int TListView::AddItem(const std::wstring& caption)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = ItemCount();
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    return static_cast<int>(SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int TListView::ItemCount() const
{
    if (!WindowHandle()) return 0;
    return static_cast<int>(SendMessageW(WindowHandle(), LVM_GETITEMCOUNT, 0, 0));
}

PropValue TListView::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"ViewStyle")) return EnumProp(TViewStyleType, view_style_);
    return TWinControl::GetProperty(name);
}

bool TListView::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value); i && SameName(name, L"ViewStyle")) {
        if (*i < 0 || *i >= std::ssize(kViewStyleIdents)) return false;
        SetViewStyle(static_cast<TViewStyle>(*i));
        return true;
    }
    return TWinControl::SetProperty(name, value);
}

}  // namespace ui
