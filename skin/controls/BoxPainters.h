// The container and bar painters: panels, dialogs, group boxes, tab sheets, size grips, tab
// and page controls (tabs on any side, close boxes, button style), status bars and headers.
// The drawing itself is in BoxSkins.h; these classes decide when it runs.
//
//   TSkinBox        panels and embedded forms: the skin's face colour, nothing drawn; the
//                   panel's messages all pass, so it answers SKM_PROBE as it would unskinned
//   TSkinBoxH       dialogs and tool bars of the system: face-coloured background and statics
//   TSkinGroupBox   rounded frame with the caption cut into it
//   TSkinTabSheet   the face colour behind a page
//   TSkinSizer      a size grip in the face colour
//   TSkinTab        tab strip and pane from "Tabs"; close boxes on page controls tagged 7777
//   TSkinTabBtn     tab controls in button style, from "Buttons"
//   TSkinTab31      old-style tab sets (tabs at the bottom) from the flipped "Tabs" picture
//   TSkinAdvPage    page controls that take their tab pictures as properties
//   TSkinStatusBar  panels from "StatusBarEdges", the size grip from "ExtraImages"
//   TSkinHeader     sections from "Headerbar", the one under the mouse hot
#pragma once

#include <vector>

#include "skin/controls/SkinControl.h"

namespace skin {

// Tag of a page control whose tabs carry close boxes. A click on one sends its form
// SKM_TABCLOSE (wParam: the tab control's window, lParam: the tab); a zero answer lets the
// page go.
constexpr std::intptr_t kCloseBoxTag = 7777;

class TSkinBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinBox"; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage&) override {}
    void ActiveChanged() override;
};

class TSkinBoxH : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinBoxH"; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
};

class TSkinGroupBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinGroupBox"; }
    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;
};

class TSkinTabSheet : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinTabSheet"; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;
};

class TSkinSizer : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinSizer"; }

protected:
    void Paint(HDC dc, const RECT& rect) override;
};

// Gives an up-down child of `window` (a tab scroller) an up-down painter once.
void AdoptUpDown(HWND window, TSkinData* skinData, TWinSkinForm* form);

class TSkinTab : public TSkinControl {
public:
    // tabControl: a tab control that is not a page control (mode 2).
    explicit TSkinTab(ui::TComponent* owner, bool tabControl = false);
    ~TSkinTab() override;
    std::wstring_view ClassName() const override { return L"TSkinTab"; }
    void Restore() override;
    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form) override;
    bool CloseBoxes() const { return close_boxes_; }
    // Close boxes of the last paint, in client coordinates (empty for tabs without one).
    const std::vector<RECT>& CloseBoxRects() const { return close_rects_; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    bool HasTabsImage() const;
    void GiveBackPadding();
    // A click on tab's close box: the form may keep the page, else it goes.
    void CloseTab(int tab);

    bool tab_control_;
    bool close_boxes_ = false;
    std::vector<RECT> close_rects_;
};

class TSkinTabBtn : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinTabBtn"; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;
};

// Tab sets (class "TTabSet"): a row of tabs along the bottom, read from the control's "Tabs"
// list, "TabIndex", "FirstIndex", "StartMargin" and "EndMargin". The set's first owned
// component, when windowed, is its scroller: it gets a horizontal up-down painter, and the
// tabs keep clear of it while it shows.
class TSkinTab31 : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinTab31"; }
    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    HWND Scroller() const;
};

// Page controls of other libraries that draw their tabs from the bitmap properties
// "TabBackGround" and "TabBackGroundActive": the painter hands them the skin's tab frames.
class TSkinAdvPage : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinAdvPage"; }
    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void Restore() override;
    void SkinChanged() override;
    ~TSkinAdvPage() override;

protected:
    void Paint(HDC dc, const RECT& rect) override;

private:
    void HandOverTabImages(bool give);

    std::unique_ptr<ui::TBitmap> normal_, active_picture_;
};

class TSkinStatusBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinStatusBar"; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;
};

class TSkinHeader : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::wstring_view ClassName() const override { return L"TSkinHeader"; }
    void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor) override;
    void InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form) override;
    int HotSection() const { return hot_; }

protected:
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void Paint(HDC dc, const RECT& rect) override;

private:
    bool HasBarImage() const;

    std::vector<RECT> sections_;
    int hot_ = -1;
};

}  // namespace skin
