#include "skin/form/SkinPopup.h"

#include <algorithm>
#include <string>

#include "skin/controls/SkinManage.h"
#include "skin/data/SkinImage.h"
#include "skin/form/SkinMessages.h"
#include "ui/ImgList.h"

namespace skin {

namespace {

// Menu windows have a 3-pixel border on every side.
constexpr int kMenuBorder = 3;

bool SkinningActive()
{
    const TSkinManage* manager = SkinManage();
    return manager && manager->Enabled();
}

const TDataSkinObject* MenuBackgroundOf(const TSkinData* skin)
{
    if (!skin || skin->SkinEmpty()) return nullptr;
    const TDataSkinObject* e = skin->Elements().MenuBackground.get();
    return e && !e->Image.Empty() ? e : nullptr;
}

const TDataSkinObject* MenuItemOf(const TSkinData* skin)
{
    if (!skin || skin->SkinEmpty()) return nullptr;
    const TDataSkinObject* e = skin->Elements().MenuItem.get();
    return e && !e->Image.Empty() ? e : nullptr;
}

ui::TColor SkinColor(const TSkinData* skin, int slot, int systemIndex)
{
    if (skin && !skin->SkinEmpty()) return skin->Color(slot);
    return static_cast<ui::TColor>(GetSysColor(systemIndex));
}

ui::FontHandle MenuFont(bool bold)
{
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    if (bold) metrics.lfMenuFont.lfWeight = FW_BOLD;
    return ui::FontHandle(CreateFontIndirectW(&metrics.lfMenuFont));
}

void Fill(HDC dc, const RECT& rect, ui::TColor color)
{
    ui::BrushHandle brush(CreateSolidBrush(ui::ColorToRGB(color)));
    FillRect(dc, &rect, brush.get());
}

// A glyph of the platform's menus (check mark, submenu arrow) in a colour, its white parts
// left as they are.
void DrawMenuGlyph(HDC dc, int x, int y, UINT glyph, COLORREF color)
{
    const int w = GetSystemMetrics(SM_CXMENUCHECK);
    const int h = GetSystemMetrics(SM_CYMENUCHECK);
    ui::TBitmap mark(w, h, ui::TPixelFormat::pf32bit);
    RECT box{0, 0, w, h};
    FillRect(mark.Canvas().Handle(), &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawFrameControl(mark.Canvas().Handle(), &box, DFC_MENU, glyph);
    GdiFlush();
    for (int row = 0; row < h; ++row) {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(mark.ScanLine(row));
        for (int column = 0; column < w; ++column)
            if ((pixels[column] & 0xFFFFFF) != 0xFFFFFF) SetPixelV(dc, x + column, y + row, color);
    }
}

// The two-colour dither behind a checked item's image.
void FillDither(HDC dc, const RECT& rect)
{
    const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    ui::BitmapHandle bits(CreateBitmap(8, 8, 1, 1, pattern));
    ui::BrushHandle brush(CreatePatternBrush(bits.get()));
    const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    const COLORREF oldBk = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &rect, brush.get());
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
}

bool ImageApplies(const ui::TMenuItem& item)
{
    const ui::TCustomImageList* images = item.GetImageList();
    return images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
}

HMENU ParentMenuHandle(ui::TMenuItem& item)
{
    ui::TMenuItem* parent = item.Parent();
    return parent ? parent->Handle() : nullptr;
}

}  // namespace

bool PopupKindSkinned(const TSkinData& skin, int kind)
{
    const auto& controls = skin.SkinControls;
    switch (kind) {
    case 0: return controls.Contains(TSkinControlType::xcPopupMenu);
    case 1: return controls.Contains(TSkinControlType::xcMainMenu) || controls.Contains(TSkinControlType::xcMenuItem);
    case 2: return controls.Contains(TSkinControlType::xcSystemMenu);
    default: return true;
    }
}

// ---------------------------------------------------------------------------------------
// TWinSkinPopMenu

TWinSkinPopMenu::~TWinSkinPopMenu() { Unhook(); }

bool TWinSkinPopMenu::Hook(HWND window, TSkinData& skinData)
{
    FHandle = window;
    FSkinData = &skinData;
    FreeNotification(&skinData);
    FMenuHandle = nullptr;
    FSubclass.OnWindowGone = [this]() { FHandle = nullptr; };
    return FSubclass.Attach(window, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) { return WndProc(msg, wParam, lParam); });
}

void TWinSkinPopMenu::Unhook()
{
    FSubclass.Detach();
    FBackground.reset();
    if (FSkinData) RemoveFreeNotification(FSkinData);
    FSkinData = nullptr;
}

void TWinSkinPopMenu::Notification(ui::TComponent* component, ui::TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == ui::TOperation::opRemove && component == FSkinData) {
        FSkinData = nullptr;
        FBackground.reset();
    }
}

POINT TWinSkinPopMenu::ClientOffset() const
{
    if (!FHandle) return {kMenuBorder, kMenuBorder};
    RECT window;
    GetWindowRect(FHandle, &window);
    POINT origin{0, 0};
    ClientToScreen(FHandle, &origin);
    return {origin.x - window.left, origin.y - window.top};
}

const ui::TBitmap* TWinSkinPopMenu::Background()
{
    if (!FBackground && !BuildBackground()) return nullptr;
    return FBackground.get();
}

bool TWinSkinPopMenu::BuildBackground()
{
    const TDataSkinObject* e = MenuBackgroundOf(FSkinData);
    if (!e || !FHandle) return false;
    RECT window;
    GetWindowRect(FHandle, &window);
    const SIZE size{window.right - window.left, window.bottom - window.top};
    if (FBackground && FBackground->Width() == size.cx && FBackground->Height() == size.cy) return true;
    FBackground = BuildNineGrid(size, e->Image, e->Margins(), false, e->Tile != 0, 1, 1);
    return FBackground != nullptr;
}

void TWinSkinPopMenu::PaintBorder(HDC dc, bool whole)
{
    const int w = FBackground->Width();
    const int h = FBackground->Height();
    const HDC source = FBackground->Canvas().Handle();
    const int b = kMenuBorder;
    BitBlt(dc, 0, 0, w, b, source, 0, 0, SRCCOPY);
    BitBlt(dc, 0, h - b, w, b, source, 0, h - b, SRCCOPY);
    BitBlt(dc, 0, 0, b, h, source, 0, 0, SRCCOPY);
    BitBlt(dc, w - b, 0, b, h, source, w - b, 0, SRCCOPY);
    if (whole) BitBlt(dc, 0, 0, w, h, source, 0, 0, SRCCOPY);
}

void TWinSkinPopMenu::PaintAroundItems()
{
    // The system paints its own border and margins inside the client area where menu windows
    // have no non-client area: everything but the items is the skin's again.
    if (!FMenuHandle) FMenuHandle = reinterpret_cast<HMENU>(SendMessageW(FHandle, MN_GETHMENU, 0, 0));
    ui::WindowDC dc(FHandle);
    RECT window;
    GetWindowRect(FHandle, &window);
    const int count = FMenuHandle ? GetMenuItemCount(FMenuHandle) : 0;
    for (int i = 0; i < count; ++i) {
        RECT item;
        if (!GetMenuItemRect(nullptr, FMenuHandle, static_cast<UINT>(i), &item)) continue;
        OffsetRect(&item, -window.left, -window.top);
        ExcludeClipRect(dc.get(), item.left, item.top, item.right, item.bottom);
    }
    PaintBorder(dc.get(), count > 0);
}

LRESULT TWinSkinPopMenu::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == SKM_PROBE) return 1;
    if (!SkinningActive() || !FSkinData) return FSubclass.CallNext(msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY: {
        const LRESULT result = FSubclass.CallNext(msg, wParam, lParam);
        Unhook();
        return result;
    }
    case WM_ERASEBKGND:
        if (!FSkinData->Options.Contains(TSkinOption::xoMenuBG)) FSubclass.CallNext(msg, wParam, lParam);
        return 1;
    case WM_NCPAINT: {
        if (wParam != 1 || !BuildBackground()) return FSubclass.CallNext(msg, wParam, lParam);
        ui::WindowDC dc(FHandle);
        PaintBorder(dc.get(), true);
        return 0;
    }
    case WM_PAINT: {
        const LRESULT result = FSubclass.CallNext(msg, wParam, lParam);
        const POINT offset = ClientOffset();
        if (offset.x == 0 && offset.y == 0 && BuildBackground()) PaintAroundItems();
        return result;
    }
    case WM_PRINT: {
        if (!BuildBackground()) return FSubclass.CallNext(msg, wParam, lParam);
        const auto dc = reinterpret_cast<HDC>(wParam);
        PaintBorder(dc, true);
        ui::ScopedSaveDC saved(dc);
        SetBkMode(dc, TRANSPARENT);
        IntersectClipRect(dc, kMenuBorder, kMenuBorder, FBackground->Width() - kMenuBorder, FBackground->Height() - kMenuBorder);
        return FSubclass.CallNext(msg, wParam, lParam);
    }
    default: return FSubclass.CallNext(msg, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------------------
// TPopupMenuSkins

TPopupMenuSkins& PopupMenuSkins()
{
    static TPopupMenuSkins skins;
    return skins;
}

bool TPopupMenuSkins::Skin(HWND window, TSkinData& skin)
{
    if (IsSkinned(window)) return false;
    auto popup = std::make_unique<TWinSkinPopMenu>();
    if (!popup->Hook(window, skin)) return false;
    popups_.push_back(std::move(popup));
    return true;
}

bool TPopupMenuSkins::Release(HWND window)
{
    auto it = std::find_if(popups_.begin(), popups_.end(), [&](const auto& p) { return p->Handle() == window; });
    if (it == popups_.end()) return false;
    popups_.erase(it);
    return true;
}

bool TPopupMenuSkins::IsSkinned(HWND window) const
{
    return std::any_of(popups_.begin(), popups_.end(), [&](const auto& p) { return p->Handle() == window; });
}

TWinSkinPopMenu* TPopupMenuSkins::Assign(HMENU menu)
{
    if (!menu) return nullptr;
    for (auto it = popups_.rbegin(); it != popups_.rend(); ++it)
        if ((*it)->MenuHandle() == menu) return it->get();
    for (auto it = popups_.rbegin(); it != popups_.rend(); ++it) {
        if ((*it)->MenuHandle()) continue;
        const auto shown = reinterpret_cast<HMENU>(SendMessageW((*it)->Handle(), MN_GETHMENU, 0, 0));
        if (shown && shown != menu) {
            (*it)->SetMenuHandle(shown);
            continue;
        }
        (*it)->SetMenuHandle(menu);
        return it->get();
    }
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// Items

void MeasureSkinnedItem(TSkinData* skin, ui::TMenuItem& item, ui::TCanvas& canvas, int& width, int& height, bool menuBar)
{
    item.MeasureDefault(&canvas, width, height);
    const TDataSkinObject* e = MenuItemOf(skin);
    if (e) width += e->LeftWidth;
    const bool images = item.GetImageList() != nullptr;
    width += images ? (menuBar ? 10 : 12) : 35;
}

void DrawPlainItem(TSkinData* skin, ui::TMenuItem& item, ui::TCanvas& canvas, bool selected, const RECT& rect)
{
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    ui::TBitmap buffer(w, h);
    const RECT local{0, 0, w, h};
    Fill(buffer.Canvas().Handle(), local,
        selected ? SkinColor(skin, csHilight, COLOR_HIGHLIGHT) : SkinColor(skin, csMenu, COLOR_MENU));
    DrawItemContent(skin, item, buffer.Canvas(), selected, local);
    BitBlt(canvas.Handle(), rect.left, rect.top, w, h, buffer.Canvas().Handle(), 0, 0, SRCCOPY);
}

namespace {

// The item over the menu background of the popup showing `menu`; separators of framework
// menus get the element's separator bar, entries of platform menus the item image.
void DrawFromSkin(TSkinData* skin, HMENU menu, ui::TMenuItem& item, ui::TCanvas& canvas, bool selected, const RECT& rect,
    bool separatorBar)
{
    const TDataSkinObject* e = MenuItemOf(skin);
    if (!e) {
        DrawPlainItem(skin, item, canvas, selected, rect);
        return;
    }
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    TWinSkinPopMenu* popup = PopupMenuSkins().Assign(menu);
    const ui::TBitmap* background = popup ? popup->Background() : nullptr;

    ui::TBitmap buffer(w, h);
    const HDC dc = buffer.Canvas().Handle();
    const RECT local{0, 0, w, h};
    if (background) {
        const POINT offset = popup->ClientOffset();
        BitBlt(dc, 0, 0, w, h, background->Canvas().Handle(), rect.left + offset.x, rect.top + offset.y, SRCCOPY);
    } else {
        Fill(dc, local, SkinColor(skin, csMenu, COLOR_MENU));
    }
    if (separatorBar && item.IsSeparator()) {
        DrawSeparatorBar(*skin, buffer.Canvas(), local);
    } else {
        const int frame = selected ? kMenuItemSelected : kMenuItemNormal;
        DrawSkinElement(dc, local, e->Image, e->Margins(), false, e->Tile != 0, e->Trans != 0, kMenuItemFrames, frame);
        DrawItemContent(skin, item, buffer.Canvas(), selected, local);
    }
    BitBlt(canvas.Handle(), rect.left, rect.top, w, h, dc, 0, 0, SRCCOPY);
    // The system draws a submenu's arrow after the item, on the same device context.
    ExcludeClipRect(canvas.Handle(), rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace

void DrawSkinnedItem(TSkinData* skin, ui::TMenuItem& item, ui::TCanvas& canvas, bool selected, const RECT& rect)
{
    DrawFromSkin(skin, ParentMenuHandle(item), item, canvas, selected, rect, true);
}

void DrawRawItem(TSkinData* skin, HMENU menu, ui::TMenuItem& item, bool selected, const RECT& rect, ui::TCanvas& canvas)
{
    DrawFromSkin(skin, menu, item, canvas, selected, rect, false);
}

void MarkOwnerDrawn(HMENU menu)
{
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int k = 0; k < count; ++k) {
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(k), TRUE, &info)) continue;
        if (!(info.fType & MFT_OWNERDRAW)) {
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            SetMenuItemInfoW(menu, static_cast<UINT>(k), TRUE, &info);
        }
        MarkOwnerDrawn(info.hSubMenu);
    }
}

bool MeasureMenuItem(HWND window, TSkinData* skin, ui::TMenu* barMenu, HMENU platformMenu, MEASUREITEMSTRUCT& item)
{
    if (item.CtlType != ODT_MENU) return false;
    ui::TMenuItem* framework = barMenu ? barMenu->FindItemByCommand(item.itemID) : nullptr;
    if (!framework && ui::FindMenuItemByCommand(item.itemID)) return false;
    ui::ClientDC dc(window);
    const ui::FontHandle font = MenuFont(false);
    ui::ScopedSelect selectFont(dc.get(), font.get());
    const TDataSkinObject* e = MenuItemOf(skin);
    const int leftWidth = e ? e->LeftWidth : 0;
    if (framework) {
        ui::TCanvas canvas(dc.get());
        int width = static_cast<int>(item.itemWidth);
        int height = static_cast<int>(item.itemHeight);
        MeasureSkinnedItem(skin, *framework, canvas, width, height, true);
        canvas.SetHandle(nullptr);
        item.itemWidth = static_cast<UINT>(std::max(width, 0));
        item.itemHeight = static_cast<UINT>(std::max(height, 0));
        return true;
    }
    wchar_t text[81] = {};
    const int length = platformMenu ? GetMenuStringW(platformMenu, item.itemID, text, 80, MF_BYCOMMAND) : 0;
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text, length, &size);
    item.itemWidth = static_cast<UINT>(size.cx + 26 + leftWidth);
    item.itemHeight += length > 0 ? 4 : 8;
    return true;
}

bool DrawMenuItem(TSkinData* skin, ui::TMenu* barMenu, const DRAWITEMSTRUCT& item)
{
    if (item.CtlType != ODT_MENU) return false;
    const auto menu = reinterpret_cast<HMENU>(item.hwndItem);
    PopupMenuSkins().Assign(menu);
    ui::TMenuItem* framework = barMenu ? barMenu->FindItemByCommand(item.itemID) : nullptr;
    if (!framework && ui::FindMenuItemByCommand(item.itemID)) return false;
    ui::TCanvas canvas(item.hDC);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (framework) {
        DrawSkinnedItem(skin, *framework, canvas, selected, item.rcItem);
    } else {
        const std::unique_ptr<ui::TMenuItem> temporary = MakeTempItem(menu, item.itemID);
        DrawRawItem(skin, menu, *temporary, selected, item.rcItem, canvas);
    }
    canvas.SetHandle(nullptr);
    return true;
}

void DrawSeparatorBar(const TSkinData& skin, ui::TCanvas& canvas, const RECT& rect)
{
    const TDataSkinObject* e = MenuItemOf(&skin);
    if (!e) return;
    const int frameWidth = e->Image.Width() / kMenuItemFrames;
    const int imageHeight = e->Image.Height();
    const int h = rect.bottom - rect.top;
    const int top = h < imageHeight ? imageHeight - h : 0;
    const int rows = std::min(h, imageHeight);
    const int left = frameWidth * (kMenuItemSeparator - 1);
    const int lw = e->LeftWidth;
    const int rw = e->RightWidth;
    const HDC source = e->Image.Canvas().Handle();
    const HDC dc = canvas.Handle();
    const COLORREF key = RGB(255, 0, 255);
    const int middle = rect.right - rect.left - lw - rw;
    TransparentBlt(dc, rect.left, rect.top, lw, rows, source, left, top, lw, rows, key);
    TransparentBlt(dc, rect.right - rw, rect.top, rw, rows, source, left + frameWidth - rw, top, rw, rows, key);
    if (middle > 0 && frameWidth - lw - rw > 0)
        TransparentBlt(dc, rect.left + lw, rect.top, middle, rows, source, left + lw, top, frameWidth - lw - rw, rows, key);
}

void DrawItemContent(TSkinData* skin, ui::TMenuItem& item, ui::TCanvas& canvas, bool selected, const RECT& rect)
{
    const std::wstring caption = item.Caption();
    const TDataSkinObject* e = MenuItemOf(skin);
    const HDC dc = canvas.Handle();
    ui::TCustomImageList* images = item.GetImageList();
    const bool separator = caption == L"-";
    int glyph = images ? images->Width() : 16;
    if (item.Checked()) glyph = std::max(glyph, 16);
    RECT box{rect.left + 1 + (e ? e->LeftWidth : 0), rect.top + 1, 0, 0};
    box.right = separator ? box.left : box.left + glyph;
    box.bottom = separator ? box.top : box.top + glyph;

    if (!separator && ImageApplies(item)) {
        if (item.Checked()) {
            FillDither(dc, box);
            RECT edge = box;
            InflateRect(&edge, 1, 1);
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        }
        canvas.Refresh();
        images->Draw(canvas, box.left, box.top, item.ImageIndex(), item.Enabled());
    } else if (!separator && item.Checked()) {
        const int mw = GetSystemMetrics(SM_CXMENUCHECK);
        const int mh = GetSystemMetrics(SM_CYMENUCHECK);
        DrawMenuGlyph(dc, box.left + (glyph - mw) / 2 + 1, rect.top + (rect.bottom - rect.top - mh) / 2 + 1, DFCS_MENUCHECK,
            ui::ColorToRGB(SkinColor(skin, csButtonText, COLOR_BTNTEXT)));
    }

    RECT captionBox{box.right + 3, rect.top, rect.right - 1, rect.bottom};
    if (separator) {
        RECT line = captionBox;
        line.top += 4;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    ui::TColor text;
    const ui::TColor menuText = SkinColor(skin, csMenuText, COLOR_MENUTEXT);
    if (item.Enabled()) {
        text = selected ? SkinColor(skin, csHilightText, COLOR_HIGHLIGHTTEXT) : menuText;
    } else {
        text = SkinColor(skin, csButtonShadow, COLOR_BTNSHADOW);
        if (text == menuText) text = static_cast<ui::TColor>(GetSysColor(COLOR_BTNSHADOW));
    }
    const ui::FontHandle font = MenuFont(item.Default());
    ui::ScopedSelect selectFont(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::ColorToRGB(text));
    std::wstring measured = caption;
    if (measured.empty() || measured == L"&") measured += L" ";
    RECT size = captionBox;
    DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &size, DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &captionBox, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
    if (item.ShortCut() != ui::scNone) {
        const std::wstring keys = ui::ShortCutToText(item.ShortCut());
        RECT keyBox{size.right, rect.top, rect.right - 11, rect.bottom};
        DrawTextW(dc, keys.c_str(), static_cast<int>(keys.size()), &keyBox, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    // The submenu arrow in the text's colour; the system's own is clipped away.
    if (item.Count() > 0) {
        const int mw = GetSystemMetrics(SM_CXMENUCHECK);
        const int mh = GetSystemMetrics(SM_CYMENUCHECK);
        DrawMenuGlyph(dc, rect.right - mw - 2, rect.top + (rect.bottom - rect.top - mh) / 2, DFCS_MENUARROW, ui::ColorToRGB(text));
    }
}

std::unique_ptr<ui::TMenuItem> MakeTempItem(HMENU menu, UINT id)
{
    auto item = std::make_unique<ui::TMenuItem>(nullptr, ui::TMenuItemKind::Temporary);
    wchar_t text[81] = {};
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 80;
    GetMenuItemInfoW(menu, id, FALSE, &info);
    item->SetCaption(text[0] ? text : L"-");
    item->SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
    item->SetChecked((info.fState & MFS_CHECKED) != 0);
    return item;
}

// ---------------------------------------------------------------------------------------
// TMenuSkinner

TMenuSkinner::~TMenuSkinner() { Uninstall(); }

void TMenuSkinner::SetSkin(TSkinData* skin)
{
    if (skin_) RemoveFreeNotification(skin_);
    skin_ = skin;
    if (skin_) FreeNotification(skin_);
}

void TMenuSkinner::Notification(ui::TComponent* component, ui::TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != ui::TOperation::opRemove) return;
    if (component == skin_) skin_ = nullptr;
    std::erase(menus_, component);
}

void TMenuSkinner::InstallItems(ui::TMenuItem& item, bool menuBar)
{
    for (int i = 0; i < item.Count(); ++i) {
        ui::TMenuItem& child = *item.Items(i);
        child.OnDrawItem.Set([this](ui::TObject* sender, ui::TCanvas* canvas, RECT rect, bool selected) {
            DrawSkinnedItem(skin_, *static_cast<ui::TMenuItem*>(sender), *canvas, selected, rect);
        }, this);
        // A measuring handler of the application's stays.
        if (!child.OnMeasureItem || child.OnMeasureItem.Token() == this) {
            child.OnMeasureItem.Set([this, menuBar](ui::TObject* sender, ui::TCanvas* canvas, int& width, int& height) {
                MeasureSkinnedItem(skin_, *static_cast<ui::TMenuItem*>(sender), *canvas, width, height, menuBar);
            }, this);
        }
        InstallItems(child, menuBar);
    }
}

void TMenuSkinner::Install(ui::TMenu& menu, bool menuBar)
{
    if (std::find(menus_.begin(), menus_.end(), &menu) == menus_.end()) {
        menus_.push_back(&menu);
        FreeNotification(&menu);
    }
    InstallItems(*menu.Items(), menuBar);
    menu.SetOwnerDraw(true);
}

void TMenuSkinner::Uninstall()
{
    std::function<void(ui::TMenuItem&)> clear = [&](ui::TMenuItem& item) {
        for (int i = 0; i < item.Count(); ++i) {
            item.Items(i)->OnDrawItem.ClearIf(this);
            item.Items(i)->OnMeasureItem.ClearIf(this);
            clear(*item.Items(i));
        }
    };
    for (ui::TMenu* menu : menus_) {
        clear(*menu->Items());
        menu->SetOwnerDraw(false);
        RemoveFreeNotification(menu);
    }
    menus_.clear();
}

void SetMenusOwnerDraw(ui::TComponent& form, TSkinData* skinData, bool on)
{
    TMenuSkinner* skinner = nullptr;
    for (int i = 0; i < form.ComponentCount() && !skinner; ++i) skinner = dynamic_cast<TMenuSkinner*>(form.Components(i));
    if (!on || !skinData) {
        delete skinner;
        return;
    }
    TSkinData& skin = *skinData;
    const bool popups = skin.SkinControls.Contains(TSkinControlType::xcPopupMenu);
    const bool bars = skin.SkinControls.Contains(TSkinControlType::xcMenuItem);
    if (!popups && !bars) return;
    if (!skinner) skinner = new TMenuSkinner(&form);
    skinner->SetSkin(&skin);
    std::function<void(ui::TComponent&)> visit = [&](ui::TComponent& owner) {
        for (int i = 0; i < owner.ComponentCount(); ++i) {
            ui::TComponent* component = owner.Components(i);
            if (auto* popup = dynamic_cast<ui::TPopupMenu*>(component)) {
                if (popups && popup->Tag() != skin.DisableTag) skinner->Install(*popup, false);
            } else if (auto* bar = dynamic_cast<ui::TMainMenu*>(component)) {
                if (bars) skinner->Install(*bar, true);
            } else if (component->ComponentCount() > 0 && !dynamic_cast<TMenuSkinner*>(component)) {
                visit(*component);
            }
        }
    };
    visit(form);
}

// ---------------------------------------------------------------------------------------
// System menu

ui::TPopupMenu* BuildSystemMenu(ui::TComponent* owner, HMENU systemMenu, const TSystemMenuState& state, TSkinData& skin)
{
    auto* popup = new ui::TPopupMenu(owner);
    popup->SetTag(kSystemMenuTag);
    if (skin.Glyphs()) {
        auto* images = new ui::TImageList(popup);
        images->AdoptHandle(ImageList_Duplicate(skin.Glyphs()));
        popup->SetImages(images);
    }
    const int count = GetMenuItemCount(systemMenu);
    for (int k = 0; k < count; ++k) {
        wchar_t text[81] = {};
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 80;
        if (!GetMenuItemInfoW(systemMenu, static_cast<UINT>(k), TRUE, &info)) continue;
        auto* item = new ui::TMenuItem(popup);
        item->SetCaption(text[0] ? text : L"-");
        item->SetTag(static_cast<std::intptr_t>(info.wID));
        bool enabled = (info.fState & (MFS_DISABLED | MFS_GRAYED)) != (MFS_DISABLED | MFS_GRAYED);
        int image = -1;
        switch (info.wID) {
        case SC_SIZE:
        case SC_MOVE: enabled = !state.maximized; break;
        case SC_MINIMIZE:
            image = sgMinimize;
            enabled = !state.minimized && state.minimizeBox;
            break;
        case SC_MAXIMIZE:
            image = sgMaximize;
            enabled = !state.maximized && state.maximizeBox;
            break;
        case SC_CLOSE: image = sgClose; break;
        case SC_RESTORE:
            image = sgRestore;
            enabled = state.maximized || state.minimized;
            break;
        default: break;
        }
        item->SetEnabled(enabled);
        item->SetImageIndex(image);
        item->SetChecked((info.fState & MFS_CHECKED) != 0);
        if (info.wID == SC_CLOSE) item->SetShortCut(ui::ShortCut(VK_F4, ui::ssAlt));
        popup->Items()->Add(item);
    }
    // Its own installer: the system menu is drawn from the skin whatever the form's popups are.
    auto* skinner = new TMenuSkinner(popup);
    skinner->SetSkin(&skin);
    skinner->Install(*popup, false);
    return popup;
}

}  // namespace skin
