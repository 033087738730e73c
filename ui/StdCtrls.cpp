#include "ui/StdCtrls.h"

#include <commctrl.h>

#include "ui/Forms.h"

namespace ui {

namespace {

bool IsOrd(const PropValue& value, std::int64_t& out)
{
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        out = *i;
        return true;
    }
    return false;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClassName = L"EDIT";
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
    if (read_only_) params.Style |= ES_READONLY;
}

void TCustomEdit::CreateWindowHandleDone()
{
    // 0 lifts the limit: a transcript may be of any length.
    SendMessageW(WindowHandle(), EM_SETLIMITTEXT, static_cast<WPARAM>(max_length_), 0);
}

void TCustomEdit::SetReadOnly(bool value)
{
    read_only_ = value;
    if (WindowHandle()) SendMessageW(WindowHandle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetMaxLength(int value)
{
    max_length_ = value;
    if (WindowHandle()) SendMessageW(WindowHandle(), EM_SETLIMITTEXT, static_cast<WPARAM>(value), 0);
}

int TCustomEdit::SelStart() const
{
    DWORD start = 0, end = 0;
    if (WindowHandle()) SendMessageW(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() const
{
    DWORD start = 0, end = 0;
    if (WindowHandle()) SendMessageW(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::Select(int start, int length)
{
    HWND w = const_cast<TCustomEdit*>(this)->Handle();
    SendMessageW(w, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
    SendMessageW(w, EM_SCROLLCARET, 0, 0);
}

void TCustomEdit::SetSelStart(int start) { Select(start, 0); }
void TCustomEdit::SetSelLength(int length) { Select(SelStart(), length); }

std::wstring TCustomEdit::SelText() const
{
    const int start = SelStart();
    const int length = SelLength();
    std::wstring text = Text();
    if (start < 0 || length <= 0 || static_cast<size_t>(start) >= text.size()) return {};
    return text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

void TCustomEdit::SetSelText(const std::wstring& text)
{
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomEdit::SelectAll() { Select(0, -1); }

void TCustomEdit::CopyToClipboard() { SendMessageW(Handle(), WM_COPY, 0, 0); }

void TCustomEdit::ClearSelection() { SendMessageW(Handle(), WM_CLEAR, 0, 0); }

void TCustomEdit::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE) {
        if (OnChange) OnChange(this);
        return;
    }
    TWinControl::WndProc(message);
}

PropValue TCustomEdit::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"ReadOnly")) return BoolProp(read_only_);
    if (SameName(name, L"MaxLength")) return static_cast<std::int64_t>(max_length_);
    if (SameName(name, L"SelStart")) return static_cast<std::int64_t>(SelStart());
    if (SameName(name, L"SelLength")) return static_cast<std::int64_t>(SelLength());
    return TWinControl::GetProperty(name);
}

bool TCustomEdit::SetProperty(std::wstring_view name, const PropValue& value)
{
    std::int64_t v = 0;
    if (IsOrd(value, v)) {
        if (SameName(name, L"ReadOnly")) { SetReadOnly(v != 0); return true; }
        if (SameName(name, L"MaxLength")) { SetMaxLength(static_cast<int>(v)); return true; }
    }
    return TWinControl::SetProperty(name, value);
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

// ---------------------------------------------------------------------------------------
// TCustomMemo

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 185, 89); }

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (!word_wrap_) params.Style |= ES_AUTOHSCROLL;
    if (scroll_bars_ == TScrollStyle::ssVertical || scroll_bars_ == TScrollStyle::ssBoth) params.Style |= WS_VSCROLL;
    if (scroll_bars_ == TScrollStyle::ssHorizontal || scroll_bars_ == TScrollStyle::ssBoth) params.Style |= WS_HSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle value)
{
    if (scroll_bars_ == value) return;
    scroll_bars_ = value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value)
{
    if (word_wrap_ == value) return;
    word_wrap_ = value;
    RecreateWnd();
}

PropValue TCustomMemo::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"ScrollBars")) return EnumProp(TScrollStyleType, scroll_bars_);
    if (SameName(name, L"WordWrap")) return BoolProp(word_wrap_);
    return TCustomEdit::GetProperty(name);
}

// ---------------------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* owner) : TCustomControl(owner)
{
    SetParentColor(true);
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    transparent_ = value;
    Invalidate();
}

void TCustomLabel::EraseBackground(HDC dc)
{
    // A label shows what lies under it.
    if (transparent_ && Parent() && Parent()->WindowHandle()) {
        POINT origin{Left(), Top()};
        POINT previous;
        OffsetWindowOrgEx(dc, origin.x, origin.y, &previous);
        SendMessageW(Parent()->WindowHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        SetWindowOrgEx(dc, previous.x, previous.y, nullptr);
        return;
    }
    TCustomControl::EraseBackground(dc);
}

void TCustomLabel::Paint()
{
    RECT r = ClientRect();
    TCanvas& canvas = *Canvas();
    canvas.Font().Assign(*Font());
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    UINT flags = DT_NOPREFIX | DT_WORDBREAK;
    if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
    if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
    canvas.DrawText(Text(), r, flags);
}

void TCustomLabel::TextChanged()
{
    Invalidate();
    TCustomControl::TextChanged();
}

void TCustomLabel::FontChanged()
{
    Invalidate();
    TCustomControl::FontChanged();
}

void TCustomLabel::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(WindowHandle());
        break;
    case WM_LBUTTONUP:
        if (pressed_) {
            pressed_ = false;
            ReleaseCapture();
            POINT p{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
            RECT r = ClientRect();
            TCustomControl::WndProc(message);
            if (PtInRect(&r, p)) Click();
            return;
        }
        break;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        break;
    default:
        break;
    }
    TCustomControl::WndProc(message);
}

PropValue TCustomLabel::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Alignment")) return EnumProp(TAlignmentType, alignment_);
    if (SameName(name, L"Transparent")) return BoolProp(transparent_);
    return TCustomControl::GetProperty(name);
}

TLinkLabel::TLinkLabel(TComponent* owner) : TCustomLabel(owner)
{
    Font()->SetStyle(fsBold | fsUnderline);
    Font()->SetColor(clHighlight);
    SetCursor(crHandPoint);
}

// ---------------------------------------------------------------------------------------
// Buttons

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButtonControl::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClassName = L"BUTTON";
}

void TButtonControl::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    TWinControl::WndProc(message);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value)
{
    default_ = value;
    if (WindowHandle()) SendMessageW(WindowHandle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click()
{
    if (modal_result_ != 0)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modal_result_);
    TButtonControl::Click();
}

PropValue TButton::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"ModalResult")) return static_cast<std::int64_t>(modal_result_);
    if (SameName(name, L"Default")) return BoolProp(default_);
    return TButtonControl::GetProperty(name);
}

// ---------------------------------------------------------------------------------------
// TCheckControl

void TCheckControl::CreateWindowHandleDone() { SendMessageW(WindowHandle(), BM_SETCHECK, CheckValue(), 0); }

void TCheckControl::WndProc(TMessage& message)
{
    // The control changes the box itself, so that every change runs through SetChecked.
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
        Toggle();
        return;
    }
    TButtonControl::WndProc(message);
}

PropValue TCheckControl::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Checked")) return BoolProp(Checked());
    if (SameName(name, L"Alignment")) return EnumProp(TAlignmentType, alignment_);
    return TButtonControl::GetProperty(name);
}

bool TCheckControl::SetProperty(std::wstring_view name, const PropValue& value)
{
    std::int64_t v = 0;
    if (IsOrd(value, v) && SameName(name, L"Checked")) {
        SetChecked(v != 0);
        return true;
    }
    return TButtonControl::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TCheckControl(owner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& params)
{
    TCheckControl::CreateParams(params);
    params.Style |= BS_3STATE;
}

TCheckBoxState TCustomCheckBox::State() const { return state_; }

void TCustomCheckBox::SetState(TCheckBoxState state)
{
    if (state_ == state) return;
    state_ = state;
    if (WindowHandle()) SendMessageW(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state), 0);
    Click();
}

void TCustomCheckBox::SetChecked(bool value) { SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }

PropValue TCustomCheckBox::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"State")) return EnumProp(TCheckBoxStateType, state_);
    return TCheckControl::GetProperty(name);
}

bool TCustomCheckBox::SetProperty(std::wstring_view name, const PropValue& value)
{
    std::int64_t v = 0;
    if (IsOrd(value, v) && SameName(name, L"State") && v >= 0 && v < std::ssize(kCheckBoxStateIdents)) {
        SetState(static_cast<TCheckBoxState>(v));
        return true;
    }
    return TCheckControl::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TCheckControl(owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::CreateParams(TCreateParams& params)
{
    TCheckControl::CreateParams(params);
    params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::SetChecked(bool value)
{
    if (checked_ == value) return;
    checked_ = value;
    if (WindowHandle()) SendMessageW(WindowHandle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value) return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
                sibling->SetChecked(false);
    Click();
}

// ---------------------------------------------------------------------------------------
// TComboBox

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner)
{
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
}

void TComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.BaseClassName = L"COMBOBOX";
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
    switch (style_) {
    case TComboBoxStyle::csDropDown: params.Style |= CBS_DROPDOWN; break;
    case TComboBoxStyle::csSimple: params.Style |= CBS_SIMPLE; break;
    case TComboBoxStyle::csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
    }
}

void TComboBox::CreateWindowHandleDone() { ItemsChanged(); }

void TComboBox::SetStyle(TComboBoxStyle value)
{
    if (style_ == value) return;
    style_ = value;
    if (WindowHandle()) RecreateWnd();
}

void TComboBox::ItemsChanged()
{
    HWND w = WindowHandle();
    if (!w) return;
    SendMessageW(w, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.Count(); ++i)
        SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.At(i).c_str()));
    SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(item_index_), 0);
}

int TComboBox::ItemIndex() const
{
    if (!WindowHandle()) return item_index_;
    return static_cast<int>(SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index)
{
    item_index_ = index >= 0 && index < items_.Count() ? index : -1;
    if (WindowHandle()) SendMessageW(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(item_index_), 0);
}

void TComboBox::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == CBN_SELCHANGE) {
        item_index_ = ItemIndex();
        if (OnChange) OnChange(this);
        return;
    }
    TWinControl::WndProc(message);
}

PropValue TComboBox::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Style")) return EnumProp(TComboBoxStyleType, style_);
    if (SameName(name, L"ItemIndex")) return static_cast<std::int64_t>(ItemIndex());
    if (SameName(name, L"Items")) return PropValue(static_cast<TObject*>(const_cast<TStringList*>(&items_)));
    return TWinControl::GetProperty(name);
}

bool TComboBox::SetProperty(std::wstring_view name, const PropValue& value)
{
    std::int64_t v = 0;
    if (IsOrd(value, v)) {
        if (SameName(name, L"ItemIndex")) { SetItemIndex(static_cast<int>(v)); return true; }
        if (SameName(name, L"Style") && v >= 0 && v < std::ssize(kComboBoxStyleIdents)) {
            SetStyle(static_cast<TComboBoxStyle>(v));
            return true;
        }
    }
    return TWinControl::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 105); }

void TCustomGroupBox::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
}

void TCustomGroupBox::AlignControls(RECT& rect)
{
    rect.top += std::abs(Font()->Height()) + 4;
    InflateRect(&rect, -2, -2);
    TCustomControl::AlignControls(rect);
}

void TCustomGroupBox::Paint()
{
    TCanvas& canvas = *Canvas();
    canvas.Font().Assign(*Font());
    const std::wstring caption = Text();
    const int textHeight = canvas.TextHeight(L"0");
    RECT frame = ClientRect();
    frame.top += textHeight / 2;
    DrawEdge(canvas.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    if (caption.empty()) return;
    RECT text{8, 0, 8 + canvas.TextWidth(caption) + 4, textHeight};
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(text);
    text.left += 2;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    canvas.DrawText(caption, text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
}

void TCustomGroupBox::WndProc(TMessage& message)
{
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) Invalidate();
    TCustomControl::WndProc(message);
}

}  // namespace ui
