// The form controller and its non-client objects.
//
//   TWinSkinForm   one per skinned top-level window: takes over the window procedure (a
//                  removable subclass) and, for framework forms, hooks the form's WindowProc
//                  chain; paints frame, title bar, caption buttons and menu bar from the skin,
//                  answers non-client size and hit tests, runs caption buttons and the menu
//                  bar, and gives the window back exactly as it was on Unskin.
//   TNCObject      something on the frame with normal, pressed and hot looks
//   TWinSysButton  a caption button, one per caption-button element of the skin
//   TMenuBtn       one top-level item of the menu bar
//   TWinSkinMenu   the menu bar drawn in the band below the title
//
// Coordinates called "window" below have their origin at the window's top-left corner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "skin/data/SkinData.h"
#include "skin/form/SkinMessages.h"
#include "ui/Component.h"
#include "ui/Controls.h"
#include "ui/Gdi.h"
#include "ui/Graphics.h"
#include "ui/Menus.h"
#include "ui/Subclass.h"
#include "ui/Timers.h"

namespace ui {
class TCustomForm;
class TMainMenu;
}  // namespace ui

namespace skin {

class TSkinControl;
class TWinSkinForm;

enum class TFormSkinState : std::uint8_t { New = 0, Ready = 1, Reskinning = 3, Unhooking = 4, Fitting = 5, Dead = 6 };
enum class TFrameKind : std::uint8_t { Sizeable = 0, Fixed = 1, None = 2, Dialog = 3 };
enum class TMDIRole : std::uint8_t { Plain = 0, Frame = 1, Child = 2 };

// Border icons of the controller, as bits.
constexpr unsigned kIconMaximize = 1, kIconMinimize = 2, kIconHelp = 4, kIconSystemMenu = 8, kIconKeepStyle = 16;

enum class TNCState : std::uint8_t { Normal = 1, Pressed = 2, Hot = 3 };

class TNCObject {
public:
    explicit TNCObject(TWinSkinForm& form) : FForm(form) {}
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;
    virtual ~TNCObject() = default;

    void MouseDown();
    void MouseUp();
    void MouseEnter();
    void MouseLeave();
    virtual void Paint() {}
    virtual bool IsMenuButton() const { return false; }

    RECT FRect{};
    bool FVisible = true;
    TNCState FState = TNCState::Normal;
    bool FEnabled = true;

protected:
    TWinSkinForm& FForm;
};

class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm& form, const TDataSkinSysButton& element) : TNCObject(form), FElement(&element) {}
    void Paint() override;
    // Close, maximise ... (see the caption-button actions); 3, 11 and 12 are the window icon.
    int Action() const { return FElement->Action; }
    bool IsIconButton() const { return Action() == 3 || Action() == 11; }

    const TDataSkinSysButton* FElement;
};

class TMenuBtn : public TNCObject {
public:
    explicit TMenuBtn(TWinSkinForm& form) : TNCObject(form) {}
    void Paint() override;
    bool IsMenuButton() const override { return true; }

    int FIndex = 0;
    std::wstring FCaption;
    bool FItemEnabled = true;
    HMENU FSubMenu = nullptr;
    UINT FCommand = 0;
};

class TWinSkinMenu {
public:
    explicit TWinSkinMenu(TWinSkinForm& form);
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // Re-creates the buttons from the window's current menu (or the last one it had), then
    // takes the menu away from the window.
    void Build();
    void Paint(HDC dc, const RECT& barRect);
    void Layout();
    TMenuBtn* ButtonAtPoint(POINT windowPoint) const;
    // The first enabled, visible button whose caption has ch as its & accelerator.
    TMenuBtn* FindAccelButton(wchar_t ch) const;
    int Count() const { return static_cast<int>(FButtons.size()); }
    TMenuBtn* Button(int index) const { return FButtons.at(static_cast<std::size_t>(index)).get(); }

    std::vector<std::unique_ptr<TMenuBtn>> FButtons;
    HMENU FMenuHandle = nullptr;
    RECT FBarRect{};
    // The painted bar without captions, for repainting one item.
    ui::TBitmap FBarBitmap;
    // The skin changed: the bar is painted afresh.
    void Forget() { FKey = {}; }

private:
    struct TBarKey {
        RECT Place{};
        int Frame = 0;
        std::wstring Items;
        bool operator==(const TBarKey& other) const
        {
            return EqualRect(&Place, &other.Place) && Frame == other.Frame && Items == other.Items;
        }
    };
    TBarKey FKey;
    ui::TBitmap FComposed;

    // Where the first item starts and how wide an item is.
    int StartX(int barWidth) const;
    int ItemWidth(HDC dc, const std::wstring& caption) const;

    TWinSkinForm& FForm;
};

class TWinSkinForm : public ui::TComponent {
public:
    // owner: the framework form, or nullptr for a window without one (the skin manager then
    // owns the controller).
    explicit TWinSkinForm(ui::TComponent* owner);
    ~TWinSkinForm() override;
    std::wstring_view ClassName() const override { return L"TWinSkinForm"; }

    // Set by the skin manager right after creation.
    HWND FHandle = nullptr;
    std::wstring FClassName;
    HMODULE FOwnerID = nullptr;

    void AttachForm(TSkinData& skinData, ui::TCustomForm& form);
    void AttachWindow(TSkinData& skinData) { Hook(skinData); }
    void Hook(TSkinData& skinData);
    // Gives the window back completely: procedure, menu, style, size and region.
    void Unskin();
    // The window is going: only the hooks are removed.
    void Unhook();
    void Reskin();
    void FitWindowToFrame(bool keepClient);
    void RecordStandardFrame();
    // Frame widths and caption buttons from the skin elements.
    void ComputeFrameMetrics();
    void PaintFrame(HDC dc = nullptr);
    void BuildRegion();
    // resizing: set while the system resizes the window, before it repaints the frame.
    void BuildRegion(SIZE size, bool resizing);
    void ShapeBeforeResize(SIZE size);
    void FinishShape();
    void RemoveRegion();

    // The painter list: painters enter it when attached and leave it when freed.
    bool AddPainter(TSkinControl* painter);
    void RemovePainter(TSkinControl* painter);
    void PurgeDeadPainters();
    void ReleasePainters();
    const std::vector<TSkinControl*>& Painters() const { return FControls; }
    // Gives every control of the window a painter (the control classification).
    void SkinAllControls();

    POINT ToWindowPoint(POINT screenPoint) const;
    TWinSysButton* ButtonAt(POINT windowPoint) const;
    bool IsButtonVisible(int index);
    bool OpenMenuItem(TMenuBtn* button);
    // The keyboard's way into the menu bar (Alt + letter, or 0 for F10 and Alt alone): opens
    // the item and answers true, or false when there is nothing to open.
    bool KeyboardMenu(wchar_t ch);
    void SwitchToButton(TMenuBtn* button);
    TMenuBtn* FindAccelButton(wchar_t ch) const;
    void OpenSystemMenu(POINT screenPoint);
    // The popup the system menu was last shown with (tag 33333), or nullptr.
    ui::TPopupMenu* SystemMenuPopup() const { return FSysMenuPopup.get(); }
    void ToggleMaximize();
    void ToggleMinimize();
    void HideCaptionHint();

    TSkinData* SkinData() const { return FSkinData; }
    ui::TCustomForm* Form() const { return FForm; }
    TFormSkinState State() const { return FSkinState; }
    bool Hooked() const { return FSubclass.Attached(); }
    bool Active() const { return FActive; }
    bool SkinFrame() const { return FSkinFrame; }
    TWinSkinMenu* MenuBar() const { return FMenuBar.get(); }
    bool MenuTracking() const { return FMenuTracking; }
    HMENU OriginalMenu() const { return FOrigMenu; }
    RECT FrameWidths() const { return {FFrameLeft, FFrameTop, FFrameRight, FFrameBottom}; }
    int MenuHeight() const { return FMenuHeight; }
    const std::vector<std::unique_ptr<TWinSysButton>>& CaptionButtons() const { return FButtons; }
    TNCObject* HotObject() const { return FHotObject; }
    int WindowStateCode() const { return FWindowState; }
    // The menu font the bar draws with.
    HFONT MenuFont() const { return FMenuFont.get(); }

    bool RightToLeft() const { return FRightToLeft; }
    HMENU TrackedMenu() const { return FTrackedMenu; }
    // The bar item whose drop-down is open, -1 when none (one at a time on the GUI thread).
    static int TrackedIndex();
    // The skin component loaded another skin: frame pictures and caption buttons are redone.
    void SkinReloaded();

    TNCObject* FHotObject = nullptr;

private:
    friend class TNCObject;
    friend class TWinSysButton;
    friend class TMenuBtn;
    friend class TWinSkinMenu;

    LRESULT FormWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    // The procedure below answers into result; false when a handler there freed this
    // controller (switched the skin off or freed it), which must then not be touched again.
    bool CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    std::weak_ptr<int> Alive() const { return FLife; }
    bool Stage2(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT Stage3(UINT msg, WPARAM wParam, LPARAM lParam);
    void FormHook(ui::TMessage& message, const ui::TWndMethod& next);
    void Activate();
    // Tells the window and the OnAfterSkinForm handler that the skin is on; false when either
    // freed this controller.
    bool Refreshed();
    void HandleSize(WPARAM wParam, LPARAM lParam);
    void ReadWindowState();
    LRESULT SysCommand(WPARAM wParam, LPARAM lParam);
    // The form's menu changed: the bar takes the new menu, the window gets none.
    void TakeMenu();
    LRESULT NCCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT NCHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT NCPaint(WPARAM wParam, LPARAM lParam);
    LRESULT NCActivate(WPARAM wParam, LPARAM lParam);
    LRESULT NCMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT NCLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT NCLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT NCLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT NCRButtonDown(WPARAM wParam, LPARAM lParam);
    void PerformAction(TWinSysButton& button, POINT screenPoint);
    TNCObject* ObjectAt(POINT windowPoint) const;
    void HoverTick();
    // Border pictures by slot (0 left, 1 right, 2 bottom, 3 top), kept while size and look
    // stay the same.
    const ui::TBitmap* BorderPicture(int slot, const TDataSkinBorder& element, SIZE size, bool vertical);
    void PaintBorder(HDC dc, int slot, const TDataSkinBorder& element, const RECT& rect, bool vertical);
    bool MDIChildMaximized() const;
    void PaintTitle(HDC dc);
    void PaintCaptionText(ui::TCanvas& canvas, const RECT& title, const std::wstring& text);
    // The caption as the title bar shows it, with its spaces before and after.
    std::wstring CaptionText() const;
    void LayoutCaptionButtons();
    void PaintCaptionButtons(HDC dc);
    void PaintWindowIcon(HDC dc, const RECT& rect);
    void RenderIconBitmap();
    std::wstring WindowText() const;
    void RestoreSystemMenuStyle();
    void DropSystemMenuStyle();
    bool Maximized() const { return FWindowState == 1; }
    bool Minimized() const { return FWindowState == 2; }
    void SetHoverTimer(bool enabled);

    ui::TCustomForm* FForm = nullptr;
    TSkinData* FSkinData = nullptr;
    ui::TWindowSubclass FSubclass;
    ui::TWindowHookLink FFormHook;
    bool FUnicode = true;

    TMDIRole FMDIRole = TMDIRole::Plain;
    TFrameKind FFrameKind = TFrameKind::Sizeable;
    unsigned FBorderIcons = 0;
    int FWindowState = 0;
    bool FActive = true;
    bool FRightToLeft = false;
    bool FSizeable = false;
    bool FChild = false;
    bool FMessageDialog = false;
    bool FSkinFrame = false;
    LONG_PTR FStyle = 0;
    HWND FOwnerWnd = nullptr;

    int FFrameLeft = 0, FFrameTop = 0, FFrameRight = 0, FFrameBottom = 0;
    int FMenuHeight = 0;
    SIZE FStdFrame{};
    RECT FClientRect{};
    RECT FWindowRect{};
    int FWidth = 0, FHeight = 0;
    RECT FCaptionRect{};
    RECT FTitleTextRect{};
    int FRightReserve = 0;

    std::wstring FCaptionPrefix = L" ";
    std::wstring FCaptionSuffix = L"  ";
    ui::TFont FCaptionFont;
    ui::FontHandle FMenuFont;
    ui::TBitmap FFrameBitmap;
    ui::TBitmap FIconBitmap;
    int FIconWidth = 16;
    struct TBorderCache {
        std::unique_ptr<ui::TBitmap> Picture;
        SIZE Size{};
        int Frame = 0;
    };
    std::array<TBorderCache, 4> FBorderCache;
    struct TTitleKey {
        int Width = 0, Height = 0;
        bool Active = false;
        std::wstring Text;
        std::string Buttons;
        bool operator==(const TTitleKey&) const = default;
    };
    TTitleKey FTitleKey;
    bool FPaintFailed = false;
    bool FRegionOwned = false;
    int FRegionWidth = 0, FRegionHeight = 0;
    bool FShaping = false;
    ui::RegionHandle FExactRegion;  // the shape a resize under way ends with

    std::vector<std::unique_ptr<TWinSysButton>> FButtons;
    std::unique_ptr<TWinSkinMenu> FMenuBar;
    HMENU FOrigMenu = nullptr;
    HMENU FTrackedMenu = nullptr;
    bool FMenuTracking = false;
    HMENU FSysMenu = nullptr;
    // The owner-drawn popup that shows the system menu (tag 33333), while it is open and after.
    std::unique_ptr<ui::TPopupMenu> FSysMenuPopup;
    DWORD FLastSysMenuTick = 0;
    UINT FDoubleClickTime = 500;

    std::vector<TSkinControl*> FControls;
    ui::TTimer FTimer;
    int FHintTime = 0;
    ui::TColor FOrigColor = 0;
    TFormSkinState FSkinState = TFormSkinState::New;
    bool FActivated = false;
    // Lives exactly as long as the controller: whatever lets the application run (the
    // procedure below, a modal menu loop, a callback) checks a weak copy taken before.
    std::shared_ptr<int> FLife = std::make_shared<int>(0);
};

}  // namespace skin
