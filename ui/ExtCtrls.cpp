#include "ui/ExtCtrls.h"

#include <algorithm>

namespace ui {

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 185, 41);
    SetParentBackground(true);
}

void TCustomPanel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
    params.ClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
}

void TCustomPanel::SetBevelOuter(TPanelBevel value)
{
    bevel_outer_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel value)
{
    bevel_inner_ = value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

void TCustomPanel::AlignControls(RECT& rect)
{
    int border = 0;
    if (bevel_outer_ != TPanelBevel::bvNone) border += bevel_width_;
    if (bevel_inner_ != TPanelBevel::bvNone) border += bevel_width_;
    InflateRect(&rect, -border, -border);
    TCustomControl::AlignControls(rect);
}

void TCustomPanel::Paint()
{
    TCanvas& canvas = *Canvas();
    RECT r = ClientRect();
    auto bevel = [&](TPanelBevel kind) {
        if (kind == TPanelBevel::bvNone) return;
        DrawEdge(canvas.Handle(), &r, kind == TPanelBevel::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    };
    bevel(bevel_outer_);
    bevel(bevel_inner_);
    const std::wstring caption = Text();
    if (caption.empty()) return;
    canvas.Font().Assign(*Font());
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (alignment_ == TAlignment::taCenter) flags |= DT_CENTER;
    if (alignment_ == TAlignment::taRightJustify) flags |= DT_RIGHT;
    canvas.DrawText(caption, r, flags);
}

void TCustomPanel::WndProc(TMessage& message)
{
    if (message.Msg == CM_TEXTCHANGED) Invalidate();
    TCustomControl::WndProc(message);
}

PropValue TCustomPanel::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"BevelOuter")) return EnumProp(TPanelBevelType, bevel_outer_);
    if (SameName(name, L"BevelInner")) return EnumProp(TPanelBevelType, bevel_inner_);
    if (SameName(name, L"BevelWidth")) return static_cast<std::int64_t>(bevel_width_);
    if (SameName(name, L"Alignment")) return EnumProp(TAlignmentType, alignment_);
    return TCustomControl::GetProperty(name);
}

bool TCustomPanel::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value); i && *i >= 0 && *i < std::ssize(kPanelBevelIdents)) {
        if (SameName(name, L"BevelOuter")) { SetBevelOuter(static_cast<TPanelBevel>(*i)); return true; }
        if (SameName(name, L"BevelInner")) { SetBevelInner(static_cast<TPanelBevel>(*i)); return true; }
    }
    return TCustomControl::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// TCustomRadioGroup

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {}

void TCustomRadioGroup::ItemsChanged()
{
    for (TRadioButton* button : buttons_) delete button;
    buttons_.clear();
    for (int i = 0; i < items_.Count(); ++i) {
        auto* button = new TRadioButton(this);
        button->SetCaption(items_.At(i));
        button->SetChecked(i == item_index_);
        button->OnClick = [this, i](TObject*) {
            if (!buttons_.at(static_cast<size_t>(i))->Checked()) return;
            item_index_ = i;
            if (OnClick) OnClick(this);
        };
        button->SetParent(this);
        buttons_.push_back(button);
    }
    Realign();
}

void TCustomRadioGroup::SetItemIndex(int index)
{
    item_index_ = index >= 0 && index < static_cast<int>(buttons_.size()) ? index : -1;
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetChecked(static_cast<int>(i) == item_index_);
}

void TCustomRadioGroup::AlignControls(RECT& rect)
{
    TCustomGroupBox::AlignControls(rect);
    // The items one under another, each a row of the client's share.
    const RECT inner{rect.left + 6, rect.top + 2, rect.right - 4, rect.bottom - 2};
    if (buttons_.empty()) return;
    const int row = std::max(1, static_cast<int>(inner.bottom - inner.top) / static_cast<int>(buttons_.size()));
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetBounds(inner.left, inner.top + static_cast<int>(i) * row, inner.right - inner.left, std::min(row, 20));
}

PropValue TCustomRadioGroup::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"ItemIndex")) return static_cast<std::int64_t>(item_index_);
    if (SameName(name, L"Items")) return PropValue(static_cast<TObject*>(const_cast<TStringList*>(&items_)));
    return TCustomGroupBox::GetProperty(name);
}

bool TCustomRadioGroup::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value); i && SameName(name, L"ItemIndex")) {
        SetItemIndex(static_cast<int>(*i));
        return true;
    }
    return TCustomGroupBox::SetProperty(name, value);
}

}  // namespace ui
