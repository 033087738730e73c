// The scroll-bar painters: they keep TWScrollbar overlays (ScrollSkins.h) over the native bars
// of the control they serve and hand the overlays the control's messages.
//
//   TSkinScrollbar    framework controls with bars of their own: memos, grids, rich edits
//   TSkinListView     the same, and the list view's header gets its painter
//   TSkinScrollbarH   bare windows with bars (list boxes, the list of a simple combo box)
//   TSkinScControl    stand-alone scroll-bar controls, covered whole
//   TComboxScrollBar  the drop-down list of a combo box: its bar is drawn into the list's own
//                     frame (no sibling can cover a pop-up) and its thumb dragged by the painter
//
// Switched off (SKM_SKINENABLE 0) the overlays hide and the native bars show again; freed or
// restored, the overlays go and the control's style and colours are given back.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/controls/ScrollSkins.h"
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinScrollbar : public TSkinControl {
public:
    // single: the control shows one bar and gets no border (a "singlescrollbar" class).
    explicit TSkinScrollbar(ui::TComponent* owner, bool single = false);
    ~TSkinScrollbar() override;
    std::wstring_view ClassName() const override { return L"TSkinScrollbar"; }

    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void Restore() override;
    void SkinChanged() override;
    void ActiveChanged() override;

    TScrollbarOverlays* Overlays() const { return overlays_.get(); }
    bool Single() const { return single_; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    void ApplyFixedColor();

    std::unique_ptr<TScrollbarOverlays> overlays_;
    bool single_ = false;
    bool border_ = false;
    bool owns_fixed_color_ = false;
    std::int64_t saved_fixed_color_ = 0;
};

class TSkinListView : public TSkinScrollbar {
public:
    using TSkinScrollbar::TSkinScrollbar;
    std::wstring_view ClassName() const override { return L"TSkinListView"; }
    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
};

// The form controller's answer to SKM_RESKINSCROLLBAR: the scroll-bar painter left behind by
// the control's old window (wParam) is freed and a fresh one of the same kind serves the
// control's new window. False when no such painter is in the list.
bool ReskinScrollbar(TWinSkinForm& form, HWND oldWindow);

class TSkinScrollbarH : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinScrollbarH() override;
    std::wstring_view ClassName() const override { return L"TSkinScrollbarH"; }

    void InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form) override;
    void Restore() override;
    void ActiveChanged() override;
    TScrollbarOverlays* Overlays() const { return overlays_.get(); }

protected:
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    std::unique_ptr<TScrollbarOverlays> overlays_;
};

class TSkinScControl : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinScControl() override;
    std::wstring_view ClassName() const override { return L"TSkinScControl"; }

    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form) override;
    void Restore() override;
    void ActiveChanged() override;
    TWScrollbar* Overlay() const { return overlay_.get(); }

protected:
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    void Cover();
    void GiveBack();

    std::unique_ptr<TWScrollbar> overlay_;
    bool added_clip_ = false;
};

class TComboxScrollBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TComboxScrollBar"; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    bool OnThumb(POINT screen) const;

    int hot_part_ = -1;
    bool pressed_ = false;
};

}  // namespace skin
