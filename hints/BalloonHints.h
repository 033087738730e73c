// Balloon hints: every hint of the application shows as a rounded box whose tail points at
// the mouse. TBalloonHints, placed on a form, holds the settings and makes
// TBalloonHintWindow the application's hint window class while it exists; TBalloonBitmaps
// holds optional corner pictures for a balloon drawn from bitmaps.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "hints/BalloonGeometry.h"
#include "ui/Forms.h"
#include "ui/Gdi.h"
#include "ui/StdCtrls.h"

namespace hints {

using ui::TAlignment;

using TSetHintWinSizeEvent =
    std::function<void(ui::TObject* sender, ui::TCanvas* canvas, int& width, int& height, const std::wstring& hint, THintCorner corner)>;
using TSetHintRectEvent =
    std::function<void(ui::TObject* sender, ui::TCanvas* canvas, RECT& rect, const std::wstring& hint, THintCorner corner)>;

class TBalloonBitmaps : public ui::TObject {
public:
    std::wstring_view ClassName() const override { return L"TBalloonBitmaps"; }

    // The bitmap of a corner (hcNone has none).
    const ui::TBitmap& Bitmap(THintCorner corner) const;
    void SetBitmap(THintCorner corner, const ui::TBitmap& bitmap);
    bool AnyBitmap() const;
    ui::TColor TransparentColor() const { return transparent_; }
    void SetTransparentColor(ui::TColor color) { transparent_ = color; }

    // For the corner: its own bitmap, or the first one of UpperRight, UpperLeft, LowerRight,
    // LowerLeft, mirrored onto the corner's side and level. Empty when there is none.
    void CornerBitmap(THintCorner corner, ui::TBitmap& result) const;

    ui::TNotifyEvent OnChange;

private:
    ui::TBitmap lowerRight_, lowerLeft_, upperLeft_, upperRight_;
    ui::TColor transparent_ = ui::clOlive;
};

class TBalloonHintWindow;

class TBalloonHints : public ui::TComponent {
public:
    explicit TBalloonHints(ui::TComponent* owner);
    ~TBalloonHints() override;
    std::wstring_view ClassName() const override { return L"TBalloonHints"; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TBalloonBitmaps& Bitmaps() { return bitmaps_; }
    const TBalloonBitmaps& Bitmaps() const { return bitmaps_; }
    int CaptionWidth() const { return caption_width_; }
    void SetCaptionWidth(int value);
    ui::TColor Color() const { return color_; }
    void SetColor(ui::TColor value);
    ui::TColor FrameColor() const { return frame_color_; }
    void SetFrameColor(ui::TColor value);
    THintCorner Corner() const { return corner_; }
    void SetCorner(THintCorner value);
    ui::TFont* Font() { return &font_; }
    // Call after changing Font() so that the showing window follows.
    void FontChanged();
    // The stored pauses drive the application's hint timing.
    int HintPause() const { return hint_pause_; }
    void SetHintPause(int ms);
    int HintShortPause() const { return hint_short_pause_; }
    void SetHintShortPause(int ms);
    bool Shadow() const { return shadow_; }
    void SetShadow(bool value) { shadow_ = value; }
    bool ShowBalloon() const { return show_balloon_; }
    void SetShowBalloon(bool value) { show_balloon_ = value; }

    void SetOnSetHintWinSize(TSetHintWinSizeEvent handler);
    void SetOnSetHintRect(TSetHintRectEvent handler);
    const TSetHintWinSizeEvent& OnSetHintWinSize() const { return on_set_hint_win_size_; }
    const TSetHintRectEvent& OnSetHintRect() const { return on_set_hint_rect_; }
    ui::TShowHintEvent OnShowHint;

    // The hint window linked with this component, if any.
    TBalloonHintWindow* HintWindow() const { return window_; }

    ui::PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const ui::PropValue& value) override;

    // The newest live component: the one a new hint window links with.
    static TBalloonHints* Current();

private:
    friend class TBalloonHintWindow;
    void SwapHintWindowClass(ui::THintWindowFactory factory);
    template <typename Change>
    void UpdateWindow(Change change);

    TAlignment alignment_ = TAlignment::taLeftJustify;
    TBalloonBitmaps bitmaps_;
    int caption_width_ = 100;
    ui::TColor color_ = ui::clInfoBk;
    ui::TColor frame_color_ = ui::clBlack;
    THintCorner corner_ = THintCorner::hcUpperRight;
    ui::TFont font_;
    int hint_pause_ = 500;
    int hint_short_pause_ = 0;
    bool shadow_ = false;
    bool show_balloon_ = true;
    TSetHintWinSizeEvent on_set_hint_win_size_;
    TSetHintRectEvent on_set_hint_rect_;
    TBalloonHintWindow* window_ = nullptr;
    ui::THintWindowFactory previous_class_;
};

class TBalloonHintWindow : public ui::THintWindow {
public:
    explicit TBalloonHintWindow(ui::TComponent* owner);
    ~TBalloonHintWindow() override;
    std::wstring_view ClassName() const override { return L"TBalloonHintWindow"; }

    int CaptionWidth() const { return caption_width_; }
    void SetCaptionWidth(int value) { caption_width_ = value; }
    ui::TColor FrameColor() const { return frame_color_; }
    void SetFrameColor(ui::TColor value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    // The preferred corner; the corner of the hint now showing is CurrentCorner.
    THintCorner Corner() const { return corner_; }
    void SetCorner(THintCorner value) { corner_ = value; }
    THintCorner CurrentCorner() const { return current_corner_; }
    TSetHintWinSizeEvent OnSetHintWinSize;
    TSetHintRectEvent OnSetHintRect;

    TBalloonHints* Linked() const { return linked_; }
    // The mouse point the tail points at, on the screen.
    POINT Anchor() const { return anchor_; }
    bool Showing() const { return showing_; }

    RECT CalcHintRect(int maxWidth, const std::wstring& hint) override;
    void ActivateHint(const RECT& rect, const std::wstring& hint) override;
    void ReleaseHint() override;

protected:
    void CreateParams(ui::TCreateParams& params) override;
    void Paint() override;
    void WndProc(ui::TMessage& message) override;

private:
    friend class TBalloonHints;
    void Link(TBalloonHints* component);
    void Unlink() { linked_ = nullptr; }
    bool Balloon() const { return linked_ && linked_->ShowBalloon(); }
    bool WithShadow() const { return linked_ && linked_->Shadow(); }
    void ShowHintHandler(std::wstring& hint, bool& canShow, ui::THintInfo& info);
    // Draws the whole window (shape, text) on a canvas of the window's size.
    void DrawBalloon(ui::TCanvas& canvas, const RECT& client, bool shapeOnly);
    void ApplyRegion(int width, int height);
    void PassToHintControl(const ui::TMessage& message);
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

    int caption_width_ = 100;
    ui::TColor frame_color_ = ui::clInfoText;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    THintCorner corner_ = THintCorner::hcUpperRight;
    THintCorner current_corner_ = THintCorner::hcUpperRight;
    TBalloonHints* linked_ = nullptr;
    RECT last_rect_{};
    bool showing_ = false;
    ui::THintInfo info_;
    POINT anchor_{};
    ui::TShowHintEvent previous_show_hint_;
};

}  // namespace hints
