// The painters of controls that show a value: progress bars drawn whole from "Progress"
// (BarSkins.h), and track bars, which draw their own ticks while the painter answers their
// custom-draw notices with the skin's channel and thumb.
#pragma once

#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinProgress : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinProgress"; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;
};

// The notices come to the track bar reflected by its framework parent (CN_NOTIFY), or as
// WM_NOTIFY when a window passes them on itself.
class TSkinTrackBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinTrackBar"; }
    ~TSkinTrackBar() override;
    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form) override;
    void Restore() override;
    void SkinChanged() override;

protected:
    bool BeforeMessage(ui::TMessage& message) override;

private:
    // The whole bar again: ticks, channel and thumb.
    void Redraw() const;
};

}  // namespace skin
