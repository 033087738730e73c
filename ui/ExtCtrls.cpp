#include "ui/ExtCtrls.h"

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

}  // namespace ui
