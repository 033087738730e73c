// Standard controls: edits and memos (superclasses of "EDIT"), labels and link labels,
// push buttons and check boxes (superclasses of "BUTTON"), group boxes.
#pragma once

#include <cstdint>
#include <string>

#include "ui/Classes.h"
#include "ui/Controls.h"

namespace ui {

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum class TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };
enum class TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList };
inline constexpr std::wstring_view kAlignmentIdents[] = {L"taLeftJustify", L"taRightJustify", L"taCenter"};
inline constexpr TEnumType TAlignmentType{L"TAlignment", kAlignmentIdents};
inline constexpr std::wstring_view kScrollStyleIdents[] = {L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth"};
inline constexpr TEnumType TScrollStyleType{L"TScrollStyle", kScrollStyleIdents};
inline constexpr std::wstring_view kCheckBoxStateIdents[] = {L"cbUnchecked", L"cbChecked", L"cbGrayed"};
inline constexpr TEnumType TCheckBoxStateType{L"TCheckBoxState", kCheckBoxStateIdents};
inline constexpr std::wstring_view kComboBoxStyleIdents[] = {L"csDropDown", L"csSimple", L"csDropDownList"};
inline constexpr TEnumType TComboBoxStyleType{L"TComboBoxStyle", kComboBoxStyleIdents};

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomEdit"; }

    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool value);
    int MaxLength() const { return max_length_; }
    void SetMaxLength(int value);

    // Selections count UTF-16 units of the control's text.
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    void Select(int start, int length);
    std::wstring SelText() const;
    // Replaces the selection (or inserts at the caret); undoable like typing.
    void SetSelText(const std::wstring& text);
    void SelectAll();
    void CopyToClipboard();
    void ClearSelection();

    TNotifyEvent OnChange;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;

private:
    bool read_only_ = false;
    int max_length_ = 0;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TEdit"; }
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomMemo"; }

    TScrollStyle ScrollBars() const { return scroll_bars_; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool value);

    PropValue GetProperty(std::wstring_view name) const override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TScrollStyle scroll_bars_ = TScrollStyle::ssNone;
    bool word_wrap_ = true;
};

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
    std::wstring_view ClassName() const override { return L"TMemo"; }
};

// A line of text drawn by the control itself; a click anywhere on it is its Click.
class TCustomLabel : public TCustomControl {
public:
    explicit TCustomLabel(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomLabel"; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    PropValue GetProperty(std::wstring_view name) const override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void EraseBackground(HDC dc) override;
    void TextChanged() override;
    void FontChanged() override;

private:
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool transparent_ = false;
    bool pressed_ = false;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
    std::wstring_view ClassName() const override { return L"TLabel"; }
};

// A label that reads as a link: bold, underlined, in the highlight colour, with a hand.
class TLinkLabel : public TCustomLabel {
public:
    explicit TLinkLabel(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TLinkLabel"; }
};

class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TButtonControl"; }
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TButton"; }

    int ModalResult() const { return modal_result_; }
    void SetModalResult(int value) { modal_result_ = value; }
    bool Default() const { return default_; }
    void SetDefault(bool value);
    void Click() override;

    PropValue GetProperty(std::wstring_view name) const override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    int modal_result_ = 0;
    bool default_ = false;
};

// What check boxes and radio buttons share: the box beside the caption, the side the caption
// is on, and the user's click, which changes the box through SetChecked.
class TCheckControl : public TButtonControl {
public:
    using TButtonControl::TButtonControl;

    virtual bool Checked() const = 0;
    // Checking is a click: OnClick runs, as when the user changes the box.
    virtual void SetChecked(bool value) = 0;
    TAlignment Alignment() const { return alignment_; }

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateWindowHandleDone() override;
    // What the user's click does to the box.
    virtual void Toggle() = 0;
    // The BM_SETCHECK value the window shows.
    virtual WPARAM CheckValue() const = 0;

private:
    TAlignment alignment_ = TAlignment::taRightJustify;
};

class TCustomCheckBox : public TCheckControl {
public:
    explicit TCustomCheckBox(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomCheckBox"; }

    bool Checked() const override { return State() == TCheckBoxState::cbChecked; }
    void SetChecked(bool value) override;
    TCheckBoxState State() const;
    void SetState(TCheckBoxState state);

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Toggle() override { SetChecked(!Checked()); }
    WPARAM CheckValue() const override { return static_cast<WPARAM>(state_); }

private:
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
public:
    explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
    std::wstring_view ClassName() const override { return L"TCheckBox"; }
};

// A round button of a group: checking one clears the others of its parent.
class TRadioButton : public TCheckControl {
public:
    explicit TRadioButton(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TRadioButton"; }

    bool Checked() const override { return checked_; }
    void SetChecked(bool value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Toggle() override { SetChecked(true); }
    WPARAM CheckValue() const override { return checked_ ? BST_CHECKED : BST_UNCHECKED; }

private:
    bool checked_ = false;
};

// A list of texts to pick from, with an edit (csDropDown, csSimple) or without.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TComboBox"; }

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    TStrings& Items() { return items_; }
    // Puts the items into the window after they changed.
    void ItemsChanged();
    int ItemIndex() const;
    void SetItemIndex(int index);

    TNotifyEvent OnChange;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandleDone() override;

private:
    TStringList items_;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    int item_index_ = -1;
};

// A frame with a caption that holds other controls.
class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomGroupBox"; }
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AlignControls(RECT& rect) override;
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
public:
    explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
    std::wstring_view ClassName() const override { return L"TGroupBox"; }
};

}  // namespace ui
