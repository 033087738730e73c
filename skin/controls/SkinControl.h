// TSkinControl: the base of every control painter. A painter serves one control window and
// sits in the painter list of the window's form controller (TWinSkinForm::AddPainter).
// It has exactly one owner: the framework control it serves, or the form controller for a
// bare window. Whoever frees it, it leaves the controller's list in its destructor, so the
// list never holds a freed painter.
//
// Two ways in: Init hooks a framework control's WindowProc chain (the object route);
// InitByHandle subclasses a bare window (the window route). Either way every message runs
// through Dispatch: SKM_SKINENABLE switches painting, an inactive painter passes everything
// on, an active one sees each message in BeforeMessage (false: handled here) and, after the
// control handled it, in AfterMessage.
//
// Freeing a painter, or Restore, gives back everything attaching changed: the hook, the
// control's colour and its parent background, whether painting was switched on or off.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "skin/data/SkinData.h"
#include "ui/Component.h"
#include "ui/Controls.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"
#include "ui/Subclass.h"

namespace skin {

class TWinSkinForm;

enum class TPainterState : std::uint8_t { New = 0, Attached = 1, Dead = 6 };

// Mouse state bits.
constexpr unsigned kMouseOver = 1, kMousePressed = 2;

class TSkinControl : public ui::TComponent {
public:
    explicit TSkinControl(ui::TComponent* owner);
    ~TSkinControl() override;
    std::wstring_view ClassName() const override { return L"TSkinControl"; }

    // Attaches to the owner, a framework control. ownsColor: the painter takes over the
    // control's background colour (and switches its parent background off).
    virtual void Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor);
    // Attaches to a bare window.
    virtual void InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form);
    // Gives back what attaching changed on the control (colour, parent background). Runs
    // once, whether painting is on or off; freeing the painter runs it too.
    virtual void Restore();
    // The skin changed: re-apply colours and repaint.
    virtual void SkinChanged();
    // SKM_SKINENABLE switched painting on or off: windows of the painter's own (overlays,
    // buttons over the control) show or hide with it.
    virtual void ActiveChanged() {}

    HWND Window() const { return window_; }
    ui::TControl* Control() const { return control_; }
    bool Dead() const { return state_ == TPainterState::Dead; }
    TPainterState State() const { return state_; }
    bool Active() const { return active_; }
    bool OwnsColor() const { return owns_color_; }
    int Mode() const { return mode_; }
    unsigned MouseState() const { return mouse_; }
    TWinSkinForm* Form() const { return form_; }
    // Enters a controller's list (leaving the previous one); nullptr leaves it.
    void SetForm(TWinSkinForm* form);
    // Repaint requests go to this control instead of the window.
    void SetRepaintProxy(ui::TControl* proxy) { proxy_ = proxy; }

    void Repaint();
    // The window's frame is drawn again at the next paint: by the painter, or by the system
    // once the painter is off or gone.
    void RedrawFrame() const;
    // Measures the window and calls Paint on dc, or on the window's own DC when dc is null.
    void PaintWindow(HDC dc);

    // The parent's picture behind control, drawn into dc as the control's client sees it.
    // The parent is asked with WM_ERASEBKGND and WM_PRINTCLIENT, so a paint it has pending
    // stays pending.
    static void DrawParentImage(ui::TControl& control, HDC dc);
    static void DrawParentImage(HWND window, HDC dc);

protected:
    // The message pipeline: true passes the message on to the control.
    virtual bool BeforeMessage(ui::TMessage& message);
    virtual void AfterMessage(ui::TMessage& message);
    virtual void Paint(HDC dc, const RECT& rect);

    // False when the control's own handling freed this painter (a click handler that switches
    // the skin off, say): the caller then touches nothing of it.
    bool CallPrevious(ui::TMessage& message);
    // The shared WM_PAINT handling of painters that draw everything themselves: the paint
    // cycle ends even when drawing fails.
    void PaintOnMessage(ui::TMessage& message);
    // For painters that draw a whole control from one skin picture: while `pictured`, WM_PAINT
    // is drawn by the painter and the erase skipped; without the picture the control paints
    // itself, its erase still skipped when `skipErase`. False when the message was answered.
    bool PaintWholeOnMessage(ui::TMessage& message, bool pictured, bool skipErase);
    // The shared WM_ERASEBKGND handling: the parent's image, or the parent's colour.
    void EraseBackground(ui::TMessage& message);
    void FillSkinColor(HDC dc, const RECT& rect) const;
    void FillParentColor(HDC dc, const RECT& rect) const;
    static void FillColor(HDC dc, const RECT& rect, ui::TColor color);
    // Plus right-to-left reading for a right-to-left window.
    UINT TextFlags(UINT flags) const;
    // A focus rectangle around caption_ as drawn in bounds with flags.
    void DrawFocusAroundText(HDC dc, UINT flags, const RECT& bounds);
    // The control's mouse-down handling for the left button at the message's point.
    void ForwardMouseDown(const ui::TMessage& message);
    bool Focused() const { return window_ && GetFocus() == window_; }
    // Expires when the painter is freed: code after a nested message loop asks it first.
    std::weak_ptr<int> LifeToken() const { return life_; }
    bool WindowEnabled() const;
    LONG_PTR Style() const;
    // A property of the control, or empty without one.
    std::wstring EnumText(std::wstring_view name) const;
    bool PropIsTrue(std::wstring_view name) const;
    TSkinElements* Elements() const { return skin_data_ ? &skin_data_->Elements() : nullptr; }
    ui::TColor SkinColor(int slot) const;
    // The control's colour before the painter took it over.
    ui::TColor SavedColor() const { return saved_color_; }

    HWND window_ = nullptr;
    TSkinData* skin_data_ = nullptr;
    ui::TControl* control_ = nullptr;
    TPainterState state_ = TPainterState::New;
    unsigned mouse_ = 0;
    bool enabled_ = true;
    bool focused_ = false;
    bool active_ = true;
    bool unicode_ = true;
    int mode_ = 0;
    std::wstring caption_;
    RECT window_rect_{};
    ui::TControl* proxy_ = nullptr;

private:
    void Dispatch(ui::TMessage& message);
    void HookControl();
    void Unhook();
    void SwitchParentBackground(bool attach);

    TWinSkinForm* form_ = nullptr;
    ui::TWindowSubclass subclass_;
    ui::THookToken hook_{};
    bool hooked_ = false;
    // The next handler while a message of the object route is being handled.
    const ui::TWndMethod* next_ = nullptr;
    // Expires when the painter is freed, also while one of its messages is being handled.
    std::shared_ptr<int> life_ = std::make_shared<int>(0);
    bool owns_color_ = false;
    ui::TColor saved_color_ = 0;
    bool parent_background_switched_ = false;
    bool restored_ = false;
};

// The window text, read as wide text.
std::wstring GetWindowTextWide(HWND window);

}  // namespace skin
