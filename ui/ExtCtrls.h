// Panels: containers with a bevelled edge and an optional centred caption. Radio groups:
// a group box holding one radio button per item.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/Controls.h"
#include "ui/StdCtrls.h"

namespace ui {

enum class TPanelBevel : std::uint8_t { bvNone, bvLowered, bvRaised };
inline constexpr std::wstring_view kPanelBevelIdents[] = {L"bvNone", L"bvLowered", L"bvRaised"};
inline constexpr TEnumType TPanelBevelType{L"TPanelBevel", kPanelBevelIdents};

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomPanel"; }

    TPanelBevel BevelOuter() const { return bevel_outer_; }
    void SetBevelOuter(TPanelBevel value);
    TPanelBevel BevelInner() const { return bevel_inner_; }
    void SetBevelInner(TPanelBevel value);
    int BevelWidth() const { return bevel_width_; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AlignControls(RECT& rect) override;
    void Paint() override;

private:
    TPanelBevel bevel_outer_ = TPanelBevel::bvRaised;
    TPanelBevel bevel_inner_ = TPanelBevel::bvNone;
    int bevel_width_ = 1;
    TAlignment alignment_ = TAlignment::taCenter;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
    std::wstring_view ClassName() const override { return L"TPanel"; }
};

class TCustomRadioGroup : public TCustomGroupBox {
public:
    explicit TCustomRadioGroup(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomRadioGroup"; }

    TStrings& Items() { return items_; }
    // Makes one radio button per item, after the items changed.
    void ItemsChanged();
    int ItemIndex() const { return item_index_; }
    void SetItemIndex(int index);
    TRadioButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }

    TNotifyEvent OnClick;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

protected:
    void AlignControls(RECT& rect) override;

private:
    TStringList items_;
    std::vector<TRadioButton*> buttons_;
    int item_index_ = -1;
};

class TRadioGroup : public TCustomRadioGroup {
public:
    explicit TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}
    std::wstring_view ClassName() const override { return L"TRadioGroup"; }
};

}  // namespace ui
