#include "ui/Menus.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_set>

#include "ui/Exception.h"
#include "ui/Forms.h"
#include "ui/ImgList.h"

namespace ui {

namespace {

// Registered items by command; WM_COMMAND carries 16 bits of them.
std::map<UINT, TMenuItem*>& LiveItems()
{
    static std::map<UINT, TMenuItem*> items;
    return items;
}

// Every live item, temporary ones too: the owner-draw data of a menu entry is checked here.
std::unordered_set<const TMenuItem*>& AllItems()
{
    static std::unordered_set<const TMenuItem*> items;
    return items;
}

// The lowest free command: freed commands below the high-water mark, else the mark itself.
class CommandPool {
public:
    UINT Take()
    {
        if (!freed_.empty()) return freed_.extract(freed_.begin()).value();
        if (next_ >= kMenuCommandLimit) throw Exception(L"Too many menu items");
        return next_++;
    }
    void Give(UINT command)
    {
        if (command + 1 != next_) {
            freed_.insert(command);
            return;
        }
        --next_;
        while (!freed_.empty() && *freed_.rbegin() + 1 == next_) {
            freed_.erase(std::prev(freed_.end()));
            --next_;
        }
    }

private:
    std::set<UINT> freed_;
    UINT next_ = kFirstMenuCommand;
};

CommandPool& Commands()
{
    static CommandPool pool;
    return pool;
}

void SetCanvasDC(TCanvas& canvas, HDC dc) { canvas.SetHandle(dc); }

struct KeyName {
    WORD key;
    const wchar_t* name;
};
constexpr KeyName kKeyNames[] = {{VK_BACK, L"BkSp"}, {VK_TAB, L"Tab"}, {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},
    {VK_SPACE, L"Space"}, {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"}, {VK_END, L"End"}, {VK_HOME, L"Home"},
    {VK_LEFT, L"Left"}, {VK_UP, L"Up"}, {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"}, {VK_INSERT, L"Ins"},
    {VK_DELETE, L"Del"}};

}  // namespace

TShortCut ShortCut(WORD key, TShiftState shift)
{
    TShortCut result = static_cast<TShortCut>(key & 0xFF);
    if (shift & ssShift) result |= scShift;
    if (shift & ssCtrl) result |= scCtrl;
    if (shift & ssAlt) result |= scAlt;
    return result;
}

std::wstring ShortCutToText(TShortCut shortCut)
{
    const WORD key = shortCut & 0xFF;
    std::wstring name;
    if ((key >= L'A' && key <= L'Z') || (key >= L'0' && key <= L'9')) {
        name = static_cast<wchar_t>(key);
    } else if (key >= VK_F1 && key <= VK_F24) {
        name = L"F" + std::to_wstring(key - VK_F1 + 1);
    } else {
        for (const KeyName& known : kKeyNames)
            if (known.key == key) name = known.name;
    }
    if (name.empty()) return {};
    std::wstring text;
    if (shortCut & scShift) text += L"Shift+";
    if (shortCut & scCtrl) text += L"Ctrl+";
    if (shortCut & scAlt) text += L"Alt+";
    return text + name;
}

bool IsAccel(wchar_t key, std::wstring_view caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        wchar_t pair[2] = {caption[i + 1], key};
        CharUpperBuffW(pair, 2);
        return pair[0] == pair[1];
    }
    return false;
}

TMenuItem* FindMenuItemByCommand(UINT command)
{
    auto it = LiveItems().find(command);
    return it == LiveItems().end() ? nullptr : it->second;
}

TMenuItem* FindMenuItemByHandle(HMENU menu)
{
    if (!menu) return nullptr;
    for (const TMenuItem* item : AllItems()) {
        if (item->handle_.get() == menu) return const_cast<TMenuItem*>(item);
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* owner, TMenuItemKind kind)
    : TComponent(owner), command_(kind == TMenuItemKind::Registered ? Commands().Take() : 0)
{
    if (command_) LiveItems()[command_] = this;
    AllItems().insert(this);
}

TMenuItem::~TMenuItem()
{
    AllItems().erase(this);
    if (command_) {
        LiveItems().erase(command_);
        Commands().Give(command_);
    }
    // DestroyMenu would take the children's drop-downs with it; they go with their items.
    if (handle_)
        for (int i = GetMenuItemCount(handle_.get()) - 1; i >= 0; --i) RemoveMenu(handle_.get(), static_cast<UINT>(i), MF_BYPOSITION);
    for (TMenuItem* item : items_) item->parent_ = nullptr;
    if (parent_) parent_->Remove(this);
}

void TMenuItem::SetCaption(std::wstring caption)
{
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Changed();
}

void TMenuItem::SetChecked(bool value)
{
    if (checked_ == value) return;
    checked_ = value;
    Changed();
}

void TMenuItem::SetEnabled(bool value)
{
    if (enabled_ == value) return;
    enabled_ = value;
    Changed();
}

void TMenuItem::SetVisible(bool value)
{
    if (visible_ == value) return;
    visible_ = value;
    Changed();
}

void TMenuItem::SetDefault(bool value)
{
    if (default_ == value) return;
    // A menu has one default item.
    if (value && parent_)
        for (TMenuItem* sibling : parent_->items_) sibling->default_ = false;
    default_ = value;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut value)
{
    if (shortcut_ == value) return;
    shortcut_ = value;
    Changed();
}

void TMenuItem::SetImageIndex(int value)
{
    if (image_index_ == value) return;
    image_index_ = value;
    Changed();
}

TCustomImageList* TMenuItem::GetImageList() const
{
    TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

void TMenuItem::Add(TMenuItem* item)
{
    if (item->parent_) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
    if (handle_ || menu_) RebuildHandle(menu_ ? menu_->Handle() : handle_.get());
    Changed();
}

void TMenuItem::Remove(TMenuItem* item)
{
    std::erase(items_, item);
    item->parent_ = nullptr;
    if (handle_ || menu_) RebuildHandle(menu_ ? menu_->Handle() : handle_.get());
    Changed();
}

int TMenuItem::MenuIndex() const
{
    if (!parent_) return -1;
    auto it = std::find(parent_->items_.begin(), parent_->items_.end(), this);
    return static_cast<int>(it - parent_->items_.begin());
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* item = this;
    while (item->parent_) item = item->parent_;
    return item->menu_;
}

HMENU TMenuItem::Handle()
{
    if (menu_) return menu_->Handle();
    if (items_.empty()) return nullptr;
    if (!handle_) {
        handle_.reset(CreatePopupMenu());
        RebuildHandle(handle_.get());
    }
    return handle_.get();
}

void TMenuItem::RebuildHandle(HMENU menu)
{
    if (!menu) return;
    // The drop-downs belong to their items: take them out before the entries go.
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    TMenu* owner = GetParentMenu();
    const bool ownerDraw = owner && owner->OwnerDraw();
    for (TMenuItem* item : items_) {
        if (!item->visible_) continue;
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        info.fType = item->IsSeparator() ? MFT_SEPARATOR : 0;
        if (ownerDraw) {
            info.fType |= MFT_OWNERDRAW;
        }
        // Owner-drawn entries keep their text too: the system measures and searches by it.
        std::wstring text = item->caption_;
        if (item->shortcut_ != scNone) text += L"\t" + ShortCutToText(item->shortcut_);
        if (!item->IsSeparator()) {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
        }
        info.fState = (item->checked_ ? MFS_CHECKED : 0) | (item->enabled_ ? 0 : MFS_DISABLED) | (item->default_ ? MFS_DEFAULT : 0);
        info.wID = item->command_;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        info.hSubMenu = item->Handle();
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
}

void TMenuItem::Changed()
{
    // The entry of this item lives in its parent's menu.
    if (parent_) {
        if (HMENU menu = parent_->menu_ ? parent_->menu_->Handle() : parent_->handle_.get()) parent_->RebuildHandle(menu);
    }
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged();
}

void TMenuItem::Click()
{
    if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::DrawItem(TCanvas* canvas, RECT rect, bool selected)
{
    if (OnDrawItem) {
        OnDrawItem(this, canvas, rect, selected);
        return;
    }
    HDC dc = canvas->Handle();
    const bool bar = parent_ && parent_->menu_ && dynamic_cast<TMainMenu*>(parent_->menu_);
    BrushHandle back(CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU)));
    FillRect(dc, &rect, back.get());
    if (IsSeparator()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled_ ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    FontHandle bold;
    if (default_) {
        LOGFONTW font{};
        GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
        font.lfWeight = FW_BOLD;
        bold.reset(CreateFontIndirectW(&font));
    }
    ScopedSelect boldSelected(dc, bold.get());
    RECT text = rect;
    if (!bar) {
        const int check = GetSystemMetrics(SM_CXMENUCHECK);
        TCustomImageList* images = GetImageList();
        if (images && image_index_ >= 0 && image_index_ < images->Count()) {
            images->Draw(*canvas, rect.left + 2, rect.top + (rect.bottom - rect.top - images->Height()) / 2, image_index_, enabled_);
            text.left += std::max(check, images->Width()) + 8;
        } else {
            if (checked_) {
                RECT box{rect.left + 4, rect.top + (rect.bottom - rect.top - check) / 2, rect.left + 4 + check, 0};
                box.bottom = box.top + check;
                DrawFrameControl(dc, &box, DFC_MENU, DFCS_MENUCHECK | DFCS_TRANSPARENT);
            }
            text.left += check + 8;
        }
    }
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
        DT_SINGLELINE | DT_VCENTER | (bar ? DT_CENTER : DT_LEFT));
    if (shortcut_ != scNone && !bar) {
        const std::wstring keys = ShortCutToText(shortcut_);
        RECT right = rect;
        right.right -= 10;
        DrawTextW(dc, keys.c_str(), static_cast<int>(keys.size()), &right, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height)
{
    if (OnMeasureItem) {
        OnMeasureItem(this, canvas, width, height);
        return;
    }
    MeasureDefault(canvas, width, height);
}

void TMenuItem::MeasureDefault(TCanvas* canvas, int& width, int& height)
{
    if (IsSeparator()) {
        width = 10;
        height = 8;
        return;
    }
    SIZE size{};
    GetTextExtentPoint32W(canvas->Handle(), caption_.c_str(), static_cast<int>(caption_.size()), &size);
    width = size.cx + GetSystemMetrics(SM_CXMENUCHECK) + 20;
    if (shortcut_ != scNone) {
        const std::wstring keys = ShortCutToText(shortcut_);
        SIZE keySize{};
        GetTextExtentPoint32W(canvas->Handle(), keys.c_str(), static_cast<int>(keys.size()), &keySize);
        width += keySize.cx + 20;
    }
    height = std::max<int>(size.cy + 6, GetSystemMetrics(SM_CYMENUSIZE));
}

PropValue TMenuItem::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Caption")) return caption_;
    if (SameName(name, L"Checked")) return BoolProp(checked_);
    if (SameName(name, L"Enabled")) return BoolProp(enabled_);
    if (SameName(name, L"Visible")) return BoolProp(visible_);
    if (SameName(name, L"Command")) return static_cast<std::int64_t>(command_);
    if (SameName(name, L"Default")) return BoolProp(default_);
    if (SameName(name, L"ShortCut")) return static_cast<std::int64_t>(shortcut_);
    if (SameName(name, L"ImageIndex")) return static_cast<std::int64_t>(image_index_);
    return TComponent::GetProperty(name);
}

bool TMenuItem::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (const auto* s = std::get_if<std::wstring>(&value); s && SameName(name, L"Caption")) {
        SetCaption(*s);
        return true;
    }
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        if (SameName(name, L"Checked")) { SetChecked(*i != 0); return true; }
        if (SameName(name, L"Enabled")) { SetEnabled(*i != 0); return true; }
        if (SameName(name, L"Visible")) { SetVisible(*i != 0); return true; }
        if (SameName(name, L"Default")) { SetDefault(*i != 0); return true; }
        if (SameName(name, L"ShortCut")) { SetShortCut(static_cast<TShortCut>(*i)); return true; }
        if (SameName(name, L"ImageIndex")) { SetImageIndex(static_cast<int>(*i)); return true; }
    }
    return TComponent::SetProperty(name, value);
}

// ---------------------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(nullptr)
{
    items_.menu_ = this;
}

HMENU TMenu::Handle()
{
    if (!items_.handle_) {
        items_.handle_.reset(CreateMenuHandle());
        items_.RebuildHandle(items_.handle_.get());
    }
    return items_.handle_.get();
}

void TMenu::SetOwnerDraw(bool value)
{
    if (owner_draw_ == value) return;
    owner_draw_ = value;
    // Every level changes its entry types.
    RebuildHandles();
    MenuChanged();
}

void TMenu::RebuildHandles()
{
    std::function<void(TMenuItem*)> rebuild = [&](TMenuItem* item) {
        for (TMenuItem* child : item->items_) rebuild(child);
        if (item->handle_) item->RebuildHandle(item->handle_.get());
    };
    rebuild(&items_);
}

TMenuItem* TMenu::FindItemByCommand(UINT command)
{
    TMenuItem* item = FindMenuItemByCommand(command);
    return item && item->GetParentMenu() == this ? item : nullptr;
}

TMenuItem* TMenu::FindItemByHandle(HMENU menu)
{
    TMenuItem* item = FindMenuItemByHandle(menu);
    return item && item->GetParentMenu() == this ? item : nullptr;
}

void TMenu::SetImages(TCustomImageList* images)
{
    if (images_) RemoveFreeNotification(images_);
    images_ = images;
    if (images_) FreeNotification(images_);
    MenuChanged();
}

void TMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

void TMenu::MenuChanged() {}

PropValue TMenu::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"OwnerDraw")) return static_cast<std::int64_t>(owner_draw_);
    return TComponent::GetProperty(name);
}

bool TMenu::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value); i && SameName(name, L"OwnerDraw")) {
        SetOwnerDraw(*i != 0);
        return true;
    }
    return TComponent::SetProperty(name, value);
}

HWND TMainMenu::WindowHandle() const
{
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    return form && form->Menu() == this ? form->WindowHandle() : nullptr;
}

void TMainMenu::MenuChanged()
{
    auto* form = dynamic_cast<TCustomForm*>(Owner());
    if (form && form->Menu() == this) form->MenuChanged();
}

void TPopupMenu::Popup(int x, int y)
{
    // The window of the control the menu was opened on receives the owner-draw messages.
    HWND owner = nullptr;
    if (popup_component_) {
        if (TCustomForm* form = GetParentForm(popup_component_)) owner = form->WindowHandle();
    }
    if (!owner && Application()) owner = Application()->Handle();
    const UINT command = static_cast<UINT>(TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
        x, y, 0, owner, nullptr));
    if (command == 0) return;
    if (TMenuItem* item = FindItemByCommand(command)) item->Click();
}

// ---------------------------------------------------------------------------------------
// Owner drawing

bool DispatchMenuDrawItem(const DRAWITEMSTRUCT& item)
{
    auto* menuItem = reinterpret_cast<TMenuItem*>(item.itemData);
    if (!menuItem || FindMenuItemByCommand(item.itemID) != menuItem) return false;
    TCanvas canvas;
    SetCanvasDC(canvas, item.hDC);
    menuItem->DrawItem(&canvas, item.rcItem, (item.itemState & ODS_SELECTED) != 0);
    SetCanvasDC(canvas, nullptr);
    return true;
}

bool DispatchMenuMeasureItem(HWND window, MEASUREITEMSTRUCT& item)
{
    auto* menuItem = reinterpret_cast<TMenuItem*>(item.itemData);
    if (!menuItem || FindMenuItemByCommand(item.itemID) != menuItem) return false;
    ClientDC dc(window);
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    FontHandle font(CreateFontIndirectW(&metrics.lfMenuFont));
    ScopedSelect selected(dc.get(), font.get());
    TCanvas canvas;
    SetCanvasDC(canvas, dc.get());
    int width = static_cast<int>(item.itemWidth);
    int height = static_cast<int>(item.itemHeight);
    menuItem->MeasureItem(&canvas, width, height);
    SetCanvasDC(canvas, nullptr);
    item.itemWidth = static_cast<UINT>(std::max(width, 0));
    item.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

}  // namespace ui
