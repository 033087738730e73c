// Controls: TControl (bounds, alignment, visibility, font, colour, caption, hint, cursor,
// events, a chain of window hooks), TWinControl (a control with a window) and
// TCustomControl (a windowed control that paints itself on a canvas). Every control of this
// framework has a window; TControl holds what does not depend on it.
//
// Every control window belongs to a window class registered under the control's class name
// ("TEdit", "TPanel" ...), so the class name of a window tells what control it is. Standard
// controls are superclasses of the system classes ("EDIT", "BUTTON" ...). The object behind a
// window is found through the window property named by ControlAtomName().
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Component.h"
#include "ui/Graphics.h"
#include "ui/Messages.h"

namespace ui {

class TWinControl;
class TPopupMenu;

using TWndMethod = std::function<void(TMessage&)>;

// A window hook sees a control's messages before the control and before the hooks added
// earlier. It hands a message on with next(message); not calling next takes the message
// (message.Result is then its answer).
using TWindowHook = std::function<void(TMessage& message, const TWndMethod& next)>;
// Names one hook on one control; 0 names none.
using THookToken = std::uint64_t;

enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
inline constexpr std::wstring_view kAlignIdents[] = {L"alNone", L"alTop", L"alBottom", L"alLeft", L"alRight", L"alClient"};
inline constexpr TEnumType TAlignType{L"TAlign", kAlignIdents};

// Cursor identifiers: 0 is the default of the window class; negatives are system cursors.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHandPoint = -21;

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;
TShiftState KeyboardShiftState();

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TContextPopupEvent = std::function<void(TObject* sender, POINT mousePos, bool& handled)>;

// "ControlOfs%.8X%.8X" made from the module instance and the current thread id: the name of
// the window property that holds the control object, also registered as an atom.
const std::wstring& ControlAtomName();
ATOM ControlAtom();
// The framework control behind a window of this thread, or nullptr.
class TControl* FindControl(HWND window);
// The header of a WM_NOTIFY that a parent is reflecting to this child as CN_NOTIFY, or
// nullptr. The same number can arrive from elsewhere (a skin's private message carries a
// marker in lParam), and then lParam is no pointer at all.
const NMHDR* ReflectedNotify(const TMessage& message);

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    std::wstring_view ClassName() const override { return L"TControl"; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    RECT BoundsRect() const { return bounds_; }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    virtual void SetBounds(int left, int top, int width, int height);
    virtual RECT ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    virtual void SetClientSize(int width, int height);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent up to a top-level window.
    bool Showing() const;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TFont* Font() { return &font_; }
    const TFont* Font() const { return &font_; }
    bool ParentFont() const { return parent_font_; }
    void SetParentFont(bool value);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parent_color_; }
    void SetParentColor(bool value);

    std::wstring Caption() const { return GetText(); }
    void SetCaption(const std::wstring& text) { SetText(text); }
    std::wstring Text() const { return GetText(); }
    void SetText(const std::wstring& text);

    const std::wstring& Hint() const { return hint_; }
    void SetHint(std::wstring hint) { hint_ = std::move(hint); }
    bool ShowHint() const { return show_hint_; }
    void SetShowHint(bool value) { show_hint_ = value; }

    TPopupMenu* PopupMenu() const { return popup_menu_; }
    void SetPopupMenu(TPopupMenu* menu);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    // The message entry point: the window hooks, newest first, then WndProc.
    //
    // Hooks come off by their token in any order, also from inside a hook while a message
    // is on its way: a removed hook is never called again, not even by a message that is
    // already passing through the chain. A hook added during a message sees the next one.
    //
    // Before the window goes. The framework destroys a control's window in DestroyWnd
    // (RecreateWnd, removal from its parent, deletion, an explicit DestroyWnd). It first
    // sends CM_DESTROYHANDLE through the chain while the control is whole and bound to the
    // window; the window's last messages (WM_DESTROY, WM_NCDESTROY ...) then pass through
    // the chain too, and from there to the default handling only, not to WndProc and the
    // control's events. When someone else destroys the window, its messages take the usual
    // way. RecreateWnd ends with CM_RECREATEWND,
    // the new window in place; hooks stay on through all of it.
    //
    // When the control is deleted, CM_CONTROLDESTROYING goes through the chain before its
    // window (a form's included) is destroyed; right after it every hook is dropped and
    // RemoveWindowHook has nothing left to do. By then the parts of classes derived from
    // the one whose destructor sends it are gone: a hook forgets the control and calls
    // nothing of it.
    void WindowProc(TMessage& message);
    THookToken AddWindowHook(TWindowHook hook);
    void RemoveWindowHook(THookToken token);
    // Hooks on the chain now: what anyone who hooks and unhooks must leave as found.
    std::size_t WindowHookCount() const { return hooks_.size(); }
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    void Invalidate();
    void Repaint();
    void Update();
    POINT ClientToScreen(POINT point) const;
    POINT ScreenToClient(POINT point) const;
    // The window this control draws in.
    virtual HWND DrawingWindow() const { return nullptr; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TContextPopupEvent OnContextPopup;

    virtual void Click();
    virtual void DblClick();

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

    // The handling of every message after WindowProc; ends in DefaultHandler.
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

protected:
    friend class TWinControl;

    virtual std::wstring GetText() const { return text_; }
    virtual void StoreText(const std::wstring& text) { text_ = text; }
    virtual void BoundsChanged() {}
    virtual void VisibleChanged();
    virtual void EnabledChanged();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void TextChanged();
    // The parent's font or colour changed: follow it when told to.
    void ParentFontChanged();
    void ParentColorChanged();
    void RequestAlign();
    // Tells the hooks with CM_CONTROLDESTROYING and drops them; the first destructor of
    // a control's class chain that still needs its window calls it.
    void ReleaseWindowHooks();
    // Mouse messages in client coordinates: events, clicks, hints, enter and leave.
    void HandleMouse(TMessage& message);
    bool ContextPopup(POINT screenPoint);

    RECT bounds_{0, 0, 0, 0};
    std::wstring text_;

private:
    struct THookEntry;
    static void RunHooks(TControl* control, const std::vector<std::shared_ptr<THookEntry>>& chain, size_t below,
        TMessage& message);

    // The end of the chain: WndProc, or only the default handling while DestroyWnd runs.
    void HandleMessage(TMessage& message);

    std::vector<std::shared_ptr<THookEntry>> hooks_;
    THookToken last_hook_token_ = 0;
    bool window_going_ = false;
    TWinControl* parent_ = nullptr;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TFont font_;
    bool parent_font_ = true;
    TColor color_ = clBtnFace;
    bool parent_color_ = false;
    std::wstring hint_;
    bool show_hint_ = false;
    TPopupMenu* popup_menu_ = nullptr;
    TCursor cursor_ = crDefault;
    bool mouse_inside_ = false;
    bool clicking_ = false;
};

// One hook on one control, owned: it comes off when the link is destroyed or re-hooked.
// When the control is deleted first, the link forgets it on CM_CONTROLDESTROYING (the hook
// still sees that message) and never touches the control again.
class TWindowHookLink {
public:
    TWindowHookLink() = default;
    ~TWindowHookLink() { Unhook(); }
    TWindowHookLink(const TWindowHookLink&) = delete;
    TWindowHookLink& operator=(const TWindowHookLink&) = delete;

    void Hook(TControl* control, TWindowHook hook);
    void Unhook();
    TControl* Control() const { return control_; }

private:
    TControl* control_ = nullptr;
    THookToken token_ = 0;
};

// The window class a control's window belongs to.
struct TCreateParams {
    std::wstring WinClassName;   // registered name, the control's class name
    std::wstring BaseClassName;  // system class to superclass ("EDIT"), empty for our own
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    UINT ClassStyle = CS_DBLCLKS;
    std::wstring Caption;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    std::wstring_view ClassName() const override { return L"TWinControl"; }

    // The window; created on first use, with the windows of all children.
    HWND Handle();
    HWND WindowHandle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    // Windowed children, nested, in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;

    bool TabStop() const { return tab_stop_; }
    void SetTabStop(bool value);
    int TabOrder() const;
    bool ParentBackground() const { return parent_background_; }
    void SetParentBackground(bool value);

    bool Focused() const;
    bool CanFocus() const;
    virtual void SetFocus();

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void SetClientSize(int width, int height) override;
    HWND DrawingWindow() const override { return handle_; }

    // Lays out the aligned children within the client area.
    void Realign();
    void Loaded() override;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

protected:
    friend class TControl;

    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // After the window exists: fonts, texts and children.
    virtual void CreateWindowHandleDone() {}
    virtual void DestroyWnd();
    virtual void AlignControls(RECT& rect);
    std::wstring GetText() const override;
    void StoreText(const std::wstring& text) override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    // Handles WM_CTLCOLOR* reflected from the parent: this control's text colour and brush.
    virtual LRESULT ControlColor(HDC dc);
    // A notification (WM_COMMAND, WM_NOTIFY, WM_HSCROLL ...) addressed to one of our children
    // goes back to that child as CN_*; returns true when a child took it.
    bool ReflectToChild(TMessage& message);
    bool KeyMessage(TMessage& message);

    TBrush brush_;

private:
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void CreateChildHandles();
    void UpdateBounds();
    static LRESULT CALLBACK InitWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void AttachHandle(HWND window);

    HWND handle_ = nullptr;
    WNDPROC default_proc_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tab_list_;
    bool tab_stop_ = false;
    bool parent_background_ = false;
    bool aligning_ = false;
};

// A windowed control that draws itself: WM_PAINT reaches Paint() with Canvas on the
// paint device context.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TCustomControl"; }
    TCanvas* Canvas() { return &canvas_; }
    void WndProc(TMessage& message) override;

protected:
    virtual void Paint() {}
    // The background under the control: the parent's colour, or its own.
    virtual void EraseBackground(HDC dc);

private:
    TCanvas canvas_;
};

}  // namespace ui
