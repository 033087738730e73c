// Menus: a main menu (the menu bar of a form) and popup menus, built from menu items with
// captions, check marks and owner drawing. Each item owns a command number; the form that
// receives WM_COMMAND for it calls the item's Click.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/Gdi.h"
#include "ui/Graphics.h"

namespace ui {

class TMenu;

using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas* canvas, RECT rect, bool selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas* canvas, int& width, int& height)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
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
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    virtual void Click();
    // Owner drawing: the handlers when assigned, else the plain look.
    void DrawItem(TCanvas* canvas, RECT rect, bool selected);
    void MeasureItem(TCanvas* canvas, int& width, int& height);

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

private:
    friend class TMenu;
    void Changed();
    // Refills this item's drop-down (or the menu's bar/popup for the root) from the items.
    void RebuildHandle(HMENU menu);

    std::wstring caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
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
    // The window whose menu bar this is, for main menus.
    virtual HWND WindowHandle() const { return nullptr; }
    TMenuItem* FindItemByCommand(UINT command);

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

protected:
    friend class TMenuItem;
    virtual HMENU CreateMenuHandle() = 0;
    virtual void MenuChanged();

private:
    TMenuItem items_;
    bool owner_draw_ = false;
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
// WM_DRAWITEM / WM_MEASUREITEM of owner-drawn items, on whatever window receives them.
bool DispatchMenuDrawItem(const DRAWITEMSTRUCT& item);
bool DispatchMenuMeasureItem(HWND window, MEASUREITEMSTRUCT& item);

}  // namespace ui
