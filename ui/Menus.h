// Menus: a main menu (the menu bar of a form) and popup menus, built from menu items with
// captions, check marks, images, shortcuts and owner drawing. Each item owns a command number;
// the form that receives WM_COMMAND for it calls the item's Click.
//
// Command numbers are the lowest free ones in [kFirstMenuCommand, kMenuCommandLimit): they
// stay below the system commands (0xF000 and up), which a window treats as WM_SYSCOMMAND,
// and are reused as items go. Temporary items (drawn once, then freed) take none.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/Gdi.h"
#include "ui/Graphics.h"

namespace ui {

class TMenu;
class TCustomImageList;

constexpr UINT kFirstMenuCommand = 100;
constexpr UINT kMenuCommandLimit = 0xF000;

// A key with its modifiers: the virtual key in the low byte.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(WORD key, TShiftState shift);
// "Ctrl+S", "Shift+Del", "F9", "Alt+F4"; empty for scNone.
std::wstring ShortCutToText(TShortCut shortCut);
// Whether the caption's accelerator ("&F" in "&File"; "&&" is a plain "&") is this key.
bool IsAccel(wchar_t key, std::wstring_view caption);

// An item handler with the token of whoever installed it, so that an installer can take away
// exactly its own handlers and leave the application's in place. Plain assignment installs
// with no token (the application's own).
template <typename Fn>
class TMenuItemHandler {
public:
    TMenuItemHandler& operator=(Fn fn)
    {
        Set(std::move(fn), nullptr);
        return *this;
    }
    void Set(Fn fn, const void* token)
    {
        fn_ = std::move(fn);
        token_ = fn_ ? token : nullptr;
    }
    // Removes the handler when it was installed with this token.
    bool ClearIf(const void* token)
    {
        if (!fn_ || token_ != token) return false;
        Set(nullptr, nullptr);
        return true;
    }
    const void* Token() const { return token_; }
    const Fn& Function() const { return fn_; }
    explicit operator bool() const { return static_cast<bool>(fn_); }
    template <typename... Args>
    void operator()(Args&&... args) const
    {
        fn_(std::forward<Args>(args)...);
    }

private:
    Fn fn_;
    const void* token_ = nullptr;
};

using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas* canvas, RECT rect, bool selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas* canvas, int& width, int& height)>;

enum class TMenuItemKind : std::uint8_t { Registered, Temporary };

class TMenuItem : public TComponent {
public:
    // A temporary item has command 0 and is never found by command.
    explicit TMenuItem(TComponent* owner, TMenuItemKind kind = TMenuItemKind::Registered);
    ~TMenuItem() override;
    std::wstring_view ClassName() const override { return L"TMenuItem"; }

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool IsSeparator() const { return caption_ == L"-"; }
    UINT Command() const { return command_; }
    // The menu's default item, shown bold.
    bool Default() const { return default_; }
    void SetDefault(bool value);
    TShortCut ShortCut() const { return shortcut_; }
    void SetShortCut(TShortCut value);
    // Index into the menu's image list; -1 for none.
    int ImageIndex() const { return image_index_; }
    void SetImageIndex(int value);
    // The image list this item draws from: its menu's.
    TCustomImageList* GetImageList() const;

    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    // The menu this item belongs to (through its parents).
    TMenu* GetParentMenu() const;
    // The drop-down of an item with children; nullptr for a leaf.
    HMENU Handle();

    TNotifyEvent OnClick;
    TMenuItemHandler<TMenuDrawItemEvent> OnDrawItem;
    TMenuItemHandler<TMenuMeasureItemEvent> OnMeasureItem;

    virtual void Click();
    // Owner drawing: the handlers when assigned, else the plain look.
    void DrawItem(TCanvas* canvas, RECT rect, bool selected);
    void MeasureItem(TCanvas* canvas, int& width, int& height);
    // The plain look's size, whatever handler is installed.
    void MeasureDefault(TCanvas* canvas, int& width, int& height);

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

private:
    friend class TMenu;
    friend TMenuItem* FindMenuItemByHandle(HMENU menu);
    void Changed();
    // Refills this item's drop-down (or the menu's bar/popup for the root) from the items.
    void RebuildHandle(HMENU menu);

    std::wstring caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    TShortCut shortcut_ = scNone;
    int image_index_ = -1;
    UINT command_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item of a menu
    std::vector<TMenuItem*> items_;
    MenuHandle handle_;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    std::wstring_view ClassName() const override { return L"TMenu"; }

    TMenuItem* Items() { return &items_; }
    HMENU Handle();
    bool OwnerDraw() const { return owner_draw_; }
    void SetOwnerDraw(bool value);
    // Fills every level's platform menu again from the items, dropping what others changed
    // in the entries (owner-draw marks, states).
    void RebuildHandles();
    // The window whose menu bar this is, for main menus.
    virtual HWND WindowHandle() const { return nullptr; }
    TMenuItem* FindItemByCommand(UINT command);
    // The item whose drop-down is this menu handle (the root item for the menu's own).
    TMenuItem* FindItemByHandle(HMENU menu);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* images);
    void Notification(TComponent* component, TOperation operation) override;

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

protected:
    friend class TMenuItem;
    virtual HMENU CreateMenuHandle() = 0;
    virtual void MenuChanged();

private:
    TMenuItem items_;
    bool owner_draw_ = false;
    TCustomImageList* images_ = nullptr;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    std::wstring_view ClassName() const override { return L"TMainMenu"; }
    HWND WindowHandle() const override;

protected:
    HMENU CreateMenuHandle() override { return CreateMenu(); }
    void MenuChanged() override;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
    std::wstring_view ClassName() const override { return L"TPopupMenu"; }
    bool AutoPopup() const { return auto_popup_; }
    void SetAutoPopup(bool value) { auto_popup_ = value; }
    TControl* PopupComponent() const { return popup_component_; }
    void SetPopupComponent(TControl* control) { popup_component_ = control; }
    // Shows the menu at a screen point and runs the chosen item's Click.
    virtual void Popup(int x, int y);

protected:
    HMENU CreateMenuHandle() override { return CreatePopupMenu(); }

private:
    bool auto_popup_ = true;
    TControl* popup_component_ = nullptr;
};

// The item of any live menu with this command number.
TMenuItem* FindMenuItemByCommand(UINT command);
// The item of any live menu whose drop-down (or whose menu's own handle) this is.
TMenuItem* FindMenuItemByHandle(HMENU menu);
// WM_DRAWITEM / WM_MEASUREITEM of owner-drawn items, on whatever window receives them.
bool DispatchMenuDrawItem(const DRAWITEMSTRUCT& item);
bool DispatchMenuMeasureItem(HWND window, MEASUREITEMSTRUCT& item);

}  // namespace ui
