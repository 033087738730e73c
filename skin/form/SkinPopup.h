// Skinned popup menus: every menu window ("#32768") the skin manager catches gets a
// TWinSkinPopMenu that paints its border and background from the skin's MenuBackground
// element, and framework menu items are owner-drawn from the MenuItem element (check marks,
// images, captions, right-aligned shortcuts, separators, disabled and default items, the
// selected frame). The system menu of a skinned window is an owner-drawn popup of framework
// items (tag 33333).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/data/SkinData.h"
#include "ui/Menus.h"
#include "ui/Subclass.h"

namespace skin {

inline constexpr std::intptr_t kSystemMenuTag = 33333;
// Frames of the menu-item element.
inline constexpr int kMenuItemFrames = 5;
inline constexpr int kMenuItemNormal = 1;
inline constexpr int kMenuItemSeparator = 2;
inline constexpr int kMenuItemSelected = 4;

// Whether a popup of this kind (0 ordinary, 1 menu-bar drop-down, 2 system menu, others
// always) is drawn from the skin.
bool PopupKindSkinned(const TSkinData& skin, int kind);

// One skinned menu window. A component only so that it hears when its skin goes.
class TWinSkinPopMenu : public ui::TComponent {
public:
    TWinSkinPopMenu() : TComponent(nullptr) {}
    ~TWinSkinPopMenu() override;
    std::wstring_view ClassName() const override { return L"TWinSkinPopMenu"; }

    bool Hook(HWND window, TSkinData& skinData);
    void Unhook();
    HWND Handle() const { return FHandle; }
    HMENU MenuHandle() const { return FMenuHandle; }
    void SetMenuHandle(HMENU menu) { FMenuHandle = menu; }
    // The menu background composed at the window's size (window coordinates); null when
    // the skin has no menu background.
    const ui::TBitmap* Background();
    // Where the client area starts within the window (no offset where menus have no
    // non-client area).
    POINT ClientOffset() const;

    void Notification(ui::TComponent* component, ui::TOperation operation) override;

private:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    bool BuildBackground();
    void PaintBorder(HDC dc, bool whole);
    void PaintAroundItems();

    ui::TWindowSubclass FSubclass;
    HWND FHandle = nullptr;
    TSkinData* FSkinData = nullptr;
    std::unique_ptr<ui::TBitmap> FBackground;
    HMENU FMenuHandle = nullptr;
};

// The skin manager's list of skinned menu windows, newest last.
class TPopupMenuSkins {
public:
    // Hooks a menu window unless it is skinned already.
    bool Skin(HWND window, TSkinData& skin);
    // True when the window had a popup object (now freed).
    bool Release(HWND window);
    bool IsSkinned(HWND window) const;
    // The popup showing this menu: one already matched, else the newest unmatched one
    // takes the menu.
    TWinSkinPopMenu* Assign(HMENU menu);
    bool Empty() const { return popups_.empty(); }
    std::size_t Count() const { return popups_.size(); }
    void Clear() { popups_.clear(); }

private:
    std::vector<std::unique_ptr<TWinSkinPopMenu>> popups_;
};
TPopupMenuSkins& PopupMenuSkins();

// Item drawing and measuring from a skin; `skin` may be null (the skin is gone): then the
// plain look with system colours.
void MeasureSkinnedItem(TSkinData* skin, ui::TMenuItem& item, ui::TCanvas& canvas, int& width, int& height, bool menuBar);
void DrawSkinnedItem(TSkinData* skin, ui::TMenuItem& item, ui::TCanvas& canvas, bool selected, const RECT& rect);
void DrawPlainItem(TSkinData* skin, ui::TMenuItem& item, ui::TCanvas& canvas, bool selected, const RECT& rect);
void DrawItemContent(TSkinData* skin, ui::TMenuItem& item, ui::TCanvas& canvas, bool selected, const RECT& rect);
void DrawSeparatorBar(const TSkinData& skin, ui::TCanvas& canvas, const RECT& rect);
// An entry of a platform menu (known by its menu and command only) drawn from the skin.
void DrawRawItem(TSkinData* skin, HMENU menu, ui::TMenuItem& item, bool selected, const RECT& rect, ui::TCanvas& canvas);
// Marks every entry of a drop-down, through its submenus, as owner-drawn (other type bits kept).
void MarkOwnerDrawn(HMENU menu);
// WM_MEASUREITEM / WM_DRAWITEM of menu items on a skinned window: items of the window's menu
// bar (`barMenu`, the framework menu behind it, may be null) from the skin; other framework
// items are left to their own handlers (false); entries known only through the platform
// menu (`platformMenu`, searched by command) measured from their text and drawn from the skin.
bool MeasureMenuItem(HWND window, TSkinData* skin, ui::TMenu* barMenu, HMENU platformMenu, MEASUREITEMSTRUCT& item);
bool DrawMenuItem(TSkinData* skin, ui::TMenu* barMenu, const DRAWITEMSTRUCT& item);
// A temporary framework item standing for an entry of a platform menu.
std::unique_ptr<ui::TMenuItem> MakeTempItem(HMENU menu, UINT id);

// The installer of the skin's item handlers on a form's menus: owned by the form, removes
// exactly its own handlers when switched off or freed, and forgets a skin that goes.
class TMenuSkinner : public ui::TComponent {
public:
    explicit TMenuSkinner(ui::TComponent* form) : TComponent(form) {}
    ~TMenuSkinner() override;
    std::wstring_view ClassName() const override { return L"TMenuSkinner"; }
    TSkinData* Skin() const { return skin_; }
    void SetSkin(TSkinData* skin);
    void Install(ui::TMenu& menu, bool menuBar);
    void Uninstall();
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

private:
    void InstallItems(ui::TMenuItem& item, bool menuBar);
    TSkinData* skin_ = nullptr;
    std::vector<ui::TMenu*> menus_;
};

// Makes the popup menus of a form (and of the frames and forms it owns) owner-drawn from the
// skin, or puts them back; main menus too when the skin covers menu items.
void SetMenusOwnerDraw(ui::TComponent& form, TSkinData* skin, bool on);

// The window's system menu as an owner-drawn popup of framework items (tag 33333): one item
// per entry, tag = command, enabled for the window's state. Owned by `owner`.
struct TSystemMenuState {
    bool maximized = false;
    bool minimized = false;
    bool minimizeBox = false;
    bool maximizeBox = false;
};
ui::TPopupMenu* BuildSystemMenu(ui::TComponent* owner, HMENU systemMenu, const TSystemMenuState& state, TSkinData& skin);

}  // namespace skin
