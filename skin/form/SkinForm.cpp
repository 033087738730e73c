#include "skin/form/SkinForm.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "skin/controls/Classify.h"
#include "skin/controls/ScrollPainters.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinManage.h"
#include "skin/data/SkinImage.h"
#include "skin/form/SkinPopup.h"
#include "ui/Exception.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace skin {

namespace {

constexpr ui::TColor kMagenta = ui::RGBColor(255, 0, 255);
constexpr unsigned kHoverInterval = 250;

// The popup menu tracked from a menu bar: one at a time on the GUI thread.
struct TMenuTrackingState {
    HHOOK Hook = nullptr;
    TWinSkinForm* Form = nullptr;
    int OpenIndex = -1;
    int SwitchTo = -1;
    bool First = false;
    POINT LastMouse{};
    HMENU HighlightMenu = nullptr;
    bool Highlighted = false;
    bool HighlightHasSubMenu = false;
};
TMenuTrackingState g_tracking;

TSkinManage* Manager() { return SkinManage(); }

bool IsWindowsNT50()
{
    OSVERSIONINFOW info{sizeof(info)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info)) return false;
#pragma GCC diagnostic pop
    return info.dwMajorVersion == 5 && info.dwMinorVersion == 0;
}

std::wstring LowerCase(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return static_cast<wchar_t>(towlower(c)); });
    return text;
}

// The accelerator character of a caption ("&File" gives 'f'); 0 without one.
wchar_t AccelChar(const std::wstring& caption)
{
    for (std::size_t k = 0; k + 1 < caption.size(); ++k) {
        if (caption[k] != L'&') continue;
        if (caption[k + 1] != L'&') return static_cast<wchar_t>(towlower(caption[k + 1]));
        ++k;
    }
    return 0;
}

bool SameAccel(wchar_t ch, const std::wstring& caption)
{
    const wchar_t accel = AccelChar(caption);
    return accel != 0 && accel == static_cast<wchar_t>(towlower(ch));
}

RECT WindowRectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

int RectWidth(const RECT& r) { return r.right - r.left; }
int RectHeight(const RECT& r) { return r.bottom - r.top; }

void FillColor(HDC dc, const RECT& rect, ui::TColor color)
{
    const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToRGB(color)));
    FillRect(dc, &rect, brush.get());
}

}  // namespace

// ---------------------------------------------------------------- non-client objects

void TNCObject::MouseDown()
{
    if (FForm.FHotObject && FForm.FHotObject != this) FForm.FHotObject->MouseLeave();
    if (!FVisible) return;
    FForm.FHotObject = this;
    FState = TNCState::Pressed;
    Paint();
}

void TNCObject::MouseUp()
{
    if (!FVisible) return;
    FState = TNCState::Hot;
    Paint();
}

void TNCObject::MouseEnter()
{
    if (FForm.FHotObject == this) return;
    if (FForm.FHotObject) FForm.FHotObject->MouseLeave();
    if (!FVisible) return;
    FForm.FHotObject = this;
    FState = TNCState::Hot;
    Paint();
}

void TNCObject::MouseLeave()
{
    if (!FVisible) return;
    if (FForm.FHotObject == this) FForm.FHotObject = nullptr;
    FState = TNCState::Normal;
    Paint();
    FForm.HideCaptionHint();
}

void TWinSysButton::Paint()
{
    if (!FVisible || FElement->Image.Empty() || FForm.State() != TFormSkinState::Ready) return;
    const ui::WindowDC dc(FForm.FHandle);
    if (!dc) return;
    if (IsIconButton()) {
        FForm.PaintWindowIcon(dc.get(), FRect);
        return;
    }
    int frame = static_cast<int>(FState);
    if (!FEnabled) frame = FElement->Frame > 3 ? 4 : 1;
    if (FElement->Visibility == 100 && FState == TNCState::Hot) frame = 4;
    frame = std::min(frame, std::max(1, FElement->Frame));
    DrawFrameStretched(dc.get(), FRect, FElement->Image, true, FElement->Frame, frame);
}

void TMenuBtn::Paint()
{
    TWinSkinMenu* bar = FForm.MenuBar();
    if (!bar || !FVisible || IsRectEmpty(&FRect) || bar->FBarBitmap.Empty()) return;
    const ui::WindowDC dc(FForm.FHandle);
    if (!dc) return;
    const RECT& barRect = bar->FBarRect;
    BitBlt(dc.get(), FRect.left, barRect.top, RectWidth(FRect), RectHeight(barRect), bar->FBarBitmap.Canvas().Handle(),
           FRect.left - barRect.left, 0, SRCCOPY);
    const TSkinData& skin = *FForm.SkinData();
    if (FState != TNCState::Normal) {
        // Raised while hot, sunken while pressed: light and shadow lines, so that the look
        // shows on light bars as well as on dark ones.
        const bool pressed = FState == TNCState::Pressed;
        const ui::BrushHandle light(CreateSolidBrush(ui::ColorToRGB(skin.Color(csButtonHilight))));
        const ui::BrushHandle shadow(CreateSolidBrush(ui::ColorToRGB(skin.Color(csButtonShadow))));
        const HBRUSH topLeft = pressed ? shadow.get() : light.get(), bottomRight = pressed ? light.get() : shadow.get();
        const RECT& r = FRect;
        const RECT edges[] = {{r.left, r.top, r.right, r.top + 1}, {r.left, r.top, r.left + 1, r.bottom},
                              {r.left, r.bottom - 1, r.right, r.bottom}, {r.right - 1, r.top, r.right, r.bottom}};
        FillRect(dc.get(), &edges[0], topLeft);
        FillRect(dc.get(), &edges[1], topLeft);
        FillRect(dc.get(), &edges[2], bottomRight);
        FillRect(dc.get(), &edges[3], bottomRight);
    }
    const ui::ScopedSelect font(dc.get(), FForm.MenuFont());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), FItemEnabled ? ui::ColorToRGB(skin.Color(csMenuBarText)) : GetSysColor(COLOR_BTNSHADOW));
    RECT text = FRect;
    DrawTextW(dc.get(), FCaption.c_str(), static_cast<int>(FCaption.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---------------------------------------------------------------- menu bar

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& form) : FForm(form)
{
    // 32 bits a pixel, as the screen has them: copies to the window convert nothing.
    FBarBitmap.SetPixelFormat(ui::TPixelFormat::pf32bit);
    FComposed.SetPixelFormat(ui::TPixelFormat::pf32bit);
}

void TWinSkinMenu::Build()
{
    if (HMENU current = GetMenu(FForm.FHandle)) FMenuHandle = current;
    if (!FMenuHandle) return;
    FButtons.clear();
    const int count = GetMenuItemCount(FMenuHandle);
    for (int k = 0; k < count; ++k) {
        wchar_t text[80] = {};
        MENUITEMINFOW info{sizeof(info)};
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text) - 1);
        if (!GetMenuItemInfoW(FMenuHandle, static_cast<UINT>(k), TRUE, &info)) continue;
        auto button = std::make_unique<TMenuBtn>(FForm);
        button->FIndex = static_cast<int>(FButtons.size());
        button->FSubMenu = info.hSubMenu;
        button->FItemEnabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        button->FCommand = info.wID;
        button->FCaption = text;
        if (ui::TMenuItem* item = FForm.Form() ? ui::FindMenuItemByCommand(info.wID) : nullptr) {
            button->FCaption = item->Caption();
            button->FItemEnabled = item->Enabled();
        }
        FButtons.push_back(std::move(button));
    }
    // The system must not draw a bar of its own any more.
    SetMenu(FForm.FHandle, nullptr);
}

int TWinSkinMenu::StartX(int barWidth) const
{
    const TDataSkinObject* element = FForm.SkinData()->Elements().MenuBar.get();
    if (!element || element->Image.Empty()) return 6;
    const int start = FForm.FRightToLeft ? element->RightWidth + 8 : element->LeftWidth + 4;
    return barWidth < start ? 12 : start;
}

int TWinSkinMenu::ItemWidth(HDC dc, const std::wstring& caption) const
{
    if (caption.empty()) return 0;
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    return RectWidth(r) + 10;
}

void TWinSkinMenu::Layout()
{
    const RECT frame = FForm.FrameWidths();
    const RECT window = WindowRectOf(FForm.FHandle);
    const RECT bar{frame.left, frame.top, RectWidth(window) - frame.right, frame.top + FForm.MenuHeight()};
    if (IsRectEmpty(&bar)) return;
    const ui::MemoryDC dc;
    const ui::ScopedSelect font(dc.get(), FForm.MenuFont());
    const int barWidth = RectWidth(bar);
    int x = FForm.FRightToLeft ? barWidth - StartX(barWidth) : StartX(barWidth);
    for (auto& button : FButtons) {
        if (!button->FVisible) {
            button->FRect = {};
            continue;
        }
        const int width = ItemWidth(dc.get(), button->FCaption);
        const int left = FForm.FRightToLeft ? x - width : x;
        button->FRect = {bar.left + left, bar.top, bar.left + left + width, bar.bottom - 1};
        x += FForm.FRightToLeft ? -width : width;
    }
}

void TWinSkinMenu::Paint(HDC dc, const RECT& barRect)
{
    const int width = RectWidth(barRect), height = RectHeight(barRect);
    if (width <= 0 || height <= 0) return;
    const TSkinData& skin = *FForm.SkinData();
    const int frame = FForm.Active() ? 1 : 2;
    // The painted bar is kept while its place, look and items stay the same.
    std::wstring items;
    for (const auto& button : FButtons) items += button->FCaption + (button->FItemEnabled ? L"\1" : L"\2") + (button->FVisible ? L"\1" : L"\2");
    TBarKey key{barRect, frame, std::move(items)};
    if (key != FKey) {
        const TDataSkinObject* element = skin.Elements().MenuBar.get();
        if (FBarBitmap.Width() != width || FBarBitmap.Height() != height) FBarBitmap.SetSize(width, height);
        ui::TCanvas& canvas = FBarBitmap.Canvas();
        const RECT all{0, 0, width, height};
        if (element && !element->Image.Empty()) {
            if (element->Tile == 1)
                DrawSkinElement(canvas.Handle(), all, element->Image, element->Margins(), true, false, false, 2, frame);
            else
                DrawThreePartTiled(canvas, all, element->Image, true, false, 2, frame, element->Margins());
        } else {
            FillColor(canvas.Handle(), all, skin.Color(csMenubar));
        }
        FBarRect = barRect;
        Layout();

        // The captions go on a copy, so that one item can later be repainted from the bare bar.
        if (FComposed.Width() != width || FComposed.Height() != height) FComposed.SetSize(width, height);
        const HDC out = FComposed.Canvas().Handle();
        BitBlt(out, 0, 0, width, height, canvas.Handle(), 0, 0, SRCCOPY);
        const ui::ScopedSelect font(out, FForm.MenuFont());
        SetBkMode(out, TRANSPARENT);
        for (const auto& button : FButtons) {
            if (!button->FVisible || IsRectEmpty(&button->FRect)) continue;
            RECT r = button->FRect;
            OffsetRect(&r, -barRect.left, -barRect.top);
            SetTextColor(out, button->FItemEnabled ? ui::ColorToRGB(skin.Color(csMenuBarText)) : GetSysColor(COLOR_BTNSHADOW));
            DrawTextW(out, button->FCaption.c_str(), static_cast<int>(button->FCaption.size()), &r,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
        FKey = std::move(key);
    }
    BitBlt(dc, barRect.left, barRect.top, width, height, FComposed.Canvas().Handle(), 0, 0, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::ButtonAtPoint(POINT windowPoint) const
{
    for (const auto& button : FButtons)
        if (!button->FCaption.empty() && PtInRect(&button->FRect, windowPoint)) return button.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FindAccelButton(wchar_t ch) const
{
    for (const auto& button : FButtons)
        if (button->FItemEnabled && button->FVisible && SameAccel(ch, button->FCaption)) return button.get();
    return nullptr;
}

// ---------------------------------------------------------------- the controller

TWinSkinForm::TWinSkinForm(ui::TComponent* owner)
    : ui::TComponent(owner), FDoubleClickTime(GetDoubleClickTime()), FTimer(nullptr)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        FCaptionFont.AssignLogFont(metrics.lfCaptionFont);
        FMenuFont.reset(CreateFontIndirectW(&metrics.lfMenuFont));
    }
    if (!FMenuFont) FMenuFont.reset(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    FFrameBitmap.SetPixelFormat(ui::TPixelFormat::pf32bit);
    FIconBitmap.SetPixelFormat(ui::TPixelFormat::pf24bit);
    FTimer.SetEnabled(false);
    FTimer.SetInterval(kHoverInterval);
    FTimer.OnTimer = [this](ui::TObject*) { HoverTick(); };
}

TWinSkinForm::~TWinSkinForm()
{
    if (FSubclass.Attached()) {
        FSkinState = TFormSkinState::Unhooking;
        Unhook();
    }
    ReleasePainters();
    if (g_tracking.Form == this) g_tracking.Form = nullptr;
    if (TSkinManage* manager = Manager()) manager->FormGone(this);
}

void TWinSkinForm::AttachForm(TSkinData& skinData, ui::TCustomForm& form)
{
    FForm = &form;
    if (skinData.OnBeforeSkinForm) skinData.OnBeforeSkinForm(&skinData, FHandle, FClassName);
    Hook(skinData);
    if (FSubclass.Attached()) SetMenusOwnerDraw(form, &skinData, true);
    if (FSkinFrame) {
        FFormHook.Hook(&form, [this](ui::TMessage& message, const ui::TWndMethod& next) { FormHook(message, next); });
    }
    FOrigColor = form.Color();
    form.SetColor(skinData.Color(csButtonFace));
}

void TWinSkinForm::Hook(TSkinData& skinData)
{
    if (FSubclass.Attached()) return;
    if (TSkinManage* manager = Manager()) manager->SetHooked();
    FSkinData = &skinData;
    FSkinFrame = skinData.SkinControls.Contains(TSkinControlType::xcMainMenu);

    FStyle = GetWindowLongPtrW(FHandle, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
    FRightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    FChild = (FStyle & WS_CHILD) != 0;
    FOwnerWnd = GetWindow(FHandle, GW_OWNER);
    FBorderIcons = 0;
    if (FStyle & WS_SYSMENU) FBorderIcons |= kIconSystemMenu;
    if (FStyle & WS_MINIMIZEBOX) FBorderIcons |= kIconMinimize;
    if (FStyle & WS_MAXIMIZEBOX) FBorderIcons |= kIconMaximize;
    if (exStyle & WS_EX_CONTEXTHELP) FBorderIcons |= kIconHelp;
    ReadWindowState();
    FSysMenu = GetSystemMenu(FHandle, FALSE);
    FSizeable = (FStyle & WS_THICKFRAME) != 0;

    if (FindWindowExW(FHandle, nullptr, L"MDIClient", nullptr)) FMDIRole = TMDIRole::Frame;
    if (exStyle & WS_EX_MDICHILD) {
        FMDIRole = TMDIRole::Child;
        if (skinData.Options.Contains(TSkinOption::xoMDIChildBorder)) FSkinFrame = false;
    }

    if (!(FStyle & WS_BORDER) || !(FStyle & WS_DLGFRAME)) {
        FFrameKind = TFrameKind::None;
    } else {
        FFrameKind = TFrameKind::Fixed;
        if (FStyle & WS_THICKFRAME) FFrameKind = TFrameKind::Sizeable;
        else if (FStyle & DS_MODALFRAME) FFrameKind = TFrameKind::Dialog;
        if (exStyle & WS_EX_DLGMODALFRAME) FFrameKind = TFrameKind::Dialog;
    }
    if (IsWindowsNT50() || (exStyle & WS_EX_APPWINDOW) || (!FOwnerWnd && FMDIRole != TMDIRole::Child))
        FBorderIcons |= kIconKeepStyle;

    FUnicode = IsWindowUnicode(FHandle) != FALSE;
    const std::wstring lowerClass = LowerCase(FClassName);
    FMessageDialog = lowerClass == L"#32770" || lowerClass == L"tmessageform";
    if (FMessageDialog && FFrameKind != TFrameKind::None) FFrameKind = TFrameKind::Dialog;

    // The client the window has now, before the menu bar goes: activation fits the frame
    // around it.
    GetClientRect(FHandle, &FClientRect);
    FSubclass.OnWindowGone = [this]() {
        FSkinState = TFormSkinState::Dead;
        SetHoverTimer(false);
    };
    if (!FSubclass.Attach(FHandle, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            return FormWndProc(msg, wParam, lParam);
        }))
        return;

    if (FSkinFrame) {
        FOrigMenu = GetMenu(FHandle);
        if (FOrigMenu && FMDIRole != TMDIRole::Child) {
            FMenuBar = std::make_unique<TWinSkinMenu>(*this);
            FMenuHeight = GetSystemMetrics(SM_CYMENU);
            FMenuBar->Build();
        }
        ComputeFrameMetrics();
    } else {
        FSkinState = TFormSkinState::Ready;
    }
}

void TWinSkinForm::ReadWindowState()
{
    WINDOWPLACEMENT placement{sizeof(placement)};
    if (!GetWindowPlacement(FHandle, &placement)) return;
    switch (placement.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: FWindowState = 2; break;
    case SW_SHOWMAXIMIZED: FWindowState = 1; break;
    default: FWindowState = 0; break;
    }
}

void TWinSkinForm::ComputeFrameMetrics()
{
    if (!FSkinData || FSkinData->SkinEmpty()) return;
    const TSkinElements& e = FSkinData->Elements();
    if (FFrameKind == TFrameKind::None) {
        FFrameLeft = FFrameTop = FFrameRight = FFrameBottom = FMenuHeight = 0;
    } else {
        FFrameTop = e.Top->FrameHeight();
        FFrameLeft = e.Left->FrameWidth();
        FFrameRight = e.Right->FrameWidth();
        FFrameBottom = e.Bottom->FrameHeight();
    }
    FHotObject = nullptr;
    FButtons.clear();
    for (const auto& element : e.CaptionButtons) {
        auto button = std::make_unique<TWinSysButton>(*this, *element);
        if (button->IsIconButton()) RenderIconBitmap();
        FButtons.push_back(std::move(button));
    }
}

void TWinSkinForm::RenderIconBitmap()
{
    const int size = GetSystemMetrics(SM_CXSMICON);
    FIconWidth = size;
    FIconBitmap.SetSize(size, size);
    const HDC dc = FIconBitmap.Canvas().Handle();
    FillColor(dc, RECT{0, 0, size, size}, kMagenta);
    auto icon = reinterpret_cast<HICON>(SendMessageW(FHandle, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(FHandle, WM_GETICON, ICON_BIG, 0));
    if (icon) DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
}

// ---------------------------------------------------------------- window procedure

LRESULT TWinSkinForm::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) { return FSubclass.CallNext(msg, wParam, lParam); }

bool TWinSkinForm::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const std::weak_ptr<int> alive = FLife;
    result = DefaultHandler(msg, wParam, lParam);
    return !alive.expired();
}

LRESULT TWinSkinForm::FormWndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Stage 1: whatever the frame.
    switch (msg) {
    case WM_NCPAINT:
        if (FSkinState == TFormSkinState::New) return 0;
        break;
    case WM_ERASEBKGND:
        if (!FForm && FSkinData) {
            RECT client;
            GetClientRect(FHandle, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, FSkinData->FaceBrush());
            return 1;
        }
        break;
    case WM_NCDESTROY: {
        FSkinState = TFormSkinState::Unhooking;
        Unhook();
        LRESULT result = 0;
        if (CallPrevious(msg, wParam, lParam, result)) FSkinState = TFormSkinState::Dead;
        return result;
    }
    case WM_NCACTIVATE:
        // Before activation no frame is drawn at all, neither the system's nor ours.
        if (FSkinState == TFormSkinState::New && FMDIRole != TMDIRole::Child) return 1;
        break;
    case WM_NCUAHDRAWCAPTION: return 0;
    // Menu items: those of the menu bar's drop-downs from the skin; framework items (the
    // skinned system menu) also on windows that are no forms.
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_MENU) break;
        if (FOrigMenu && MeasureMenuItem(FHandle, FSkinData, FForm ? FForm->Menu() : nullptr, FOrigMenu, item)) return TRUE;
        if (!FForm && ui::DispatchMenuMeasureItem(FHandle, item)) return TRUE;
        break;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_MENU) break;
        if (FOrigMenu && DrawMenuItem(FSkinData, FForm ? FForm->Menu() : nullptr, item)) return TRUE;
        if (!FForm && ui::DispatchMenuDrawItem(item)) return TRUE;
        break;
    }
    case WM_INITMENUPOPUP:
        if (TSkinManage* manager = Manager())
            manager->SetPopupKind(reinterpret_cast<HMENU>(wParam) == FSysMenu || (FSysMenuPopup && reinterpret_cast<HMENU>(wParam) == FSysMenuPopup->Handle())
                                      ? TPopupKind::SystemMenu
                                      : TPopupKind::MenuBarDropDown);
        break;
    case WM_CTLCOLORBTN: {
        LRESULT result = 0;
        if (CallPrevious(msg, wParam, lParam, result) && !FForm) SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return result;
    }
    case WM_CTLCOLORSTATIC: {
        LRESULT result = 0;
        if (!CallPrevious(msg, wParam, lParam, result) || FForm || !FSkinData) return result;
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(FSkinData->FaceBrush());
    }
    case SKM_ACTIVATE:
        Activate();
        return 0;
    case SKM_RESKINSCROLLBAR:
        ReskinScrollbar(*this, reinterpret_cast<HWND>(wParam));
        return 0;
    case SKM_PROBE:
        PostMessageW(FHandle, SKM_REFRESHED, 0, kSkinMarker);
        return 1;
    case WM_MENUSELECT:
        if (g_tracking.Form == this) {
            const UINT flags = HIWORD(wParam);
            g_tracking.HighlightMenu = reinterpret_cast<HMENU>(lParam);
            g_tracking.Highlighted = !(flags == 0xFFFF && lParam == 0);
            g_tracking.HighlightHasSubMenu = (flags & MF_POPUP) != 0;
        }
        break;
    default: break;
    }
    if (!FSkinFrame || (FChild && FMDIRole != TMDIRole::Child)) return DefaultHandler(msg, wParam, lParam);

    LRESULT result = 0;
    if (Stage2(msg, wParam, lParam, result)) return result;
    if (FSkinState == TFormSkinState::New) return DefaultHandler(msg, wParam, lParam);
    return Stage3(msg, wParam, lParam);
}

bool TWinSkinForm::Stage2(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_SIZE: HandleSize(wParam, lParam); result = 0; return true;
    case WM_ACTIVATE: FActive = LOWORD(wParam) != WA_INACTIVE; return false;
    case WM_GETMINMAXINFO: {
        if (!CallPrevious(msg, wParam, lParam, result)) return true;
        ReadWindowState();
        // Maximised, the side and bottom borders go beyond the work area and the title
        // bar stays whole at its top.
        if (FSkinState != TFormSkinState::New && FFrameKind != TFrameKind::None && FMDIRole != TMDIRole::Child) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            MONITORINFO monitor{sizeof(monitor)};
            if (GetMonitorInfoW(MonitorFromWindow(FHandle, MONITOR_DEFAULTTONEAREST), &monitor)) {
                const RECT& work = monitor.rcWork;
                info->ptMaxPosition = {work.left - monitor.rcMonitor.left - FFrameLeft, work.top - monitor.rcMonitor.top};
                info->ptMaxSize = {RectWidth(work) + FFrameLeft + FFrameRight, RectHeight(work) + FFrameBottom};
            }
        }
        return true;
    }
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        result = DefaultHandler(msg, wParam, lParam);
        return true;
    case WM_SETICON:
        if (!CallPrevious(msg, wParam, lParam, result)) return true;
        RenderIconBitmap();
        PaintFrame();
        return true;
    case WM_SETTEXT:
        // The system paints its own caption while it stores the text: ours goes back on top.
        if (CallPrevious(msg, wParam, lParam, result)) PaintFrame();
        return true;
    case WM_COMMAND: {
        const UINT command = LOWORD(wParam);
        switch (command) {
        case SC_SIZE:
        case SC_MOVE:
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
        case SC_CLOSE:
        case SC_RESTORE:
            PostMessageW(FHandle, WM_SYSCOMMAND, command, 0);
            result = 0;
            return true;
        default: result = DefaultHandler(msg, wParam, lParam); return true;
        }
    }
    case WM_SYSCOMMAND: result = SysCommand(wParam, lParam); return true;

    case SKM_OPENMENUITEM: {
        const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const POINT point = ToWindowPoint(screen);
        if (!ButtonAt(point) && FMenuBar) OpenMenuItem(FMenuBar->ButtonAtPoint(point));
        result = 0;
        return true;
    }
    default: return false;
    }
}

LRESULT TWinSkinForm::Stage3(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCCALCSIZE: return NCCalcSize(wParam, lParam);
    case WM_NCHITTEST: return NCHitTest(wParam, lParam);
    case WM_NCPAINT: return NCPaint(wParam, lParam);
    case WM_NCACTIVATE: return NCActivate(wParam, lParam);
    case WM_NCMOUSEMOVE: return NCMouseMove(wParam, lParam);
    case WM_NCLBUTTONDOWN: return NCLButtonDown(wParam, lParam);
    case WM_NCLBUTTONUP: return NCLButtonUp(wParam, lParam);
    case WM_NCLBUTTONDBLCLK: return NCLButtonDblClk(wParam, lParam);
    case WM_NCRBUTTONDOWN: return NCRButtonDown(wParam, lParam);
    case WM_NCRBUTTONUP:
        // Released on the caption, the system would open its own system menu as well.
        if (wParam == HTCAPTION && FMDIRole != TMDIRole::Child) return 0;
        return DefaultHandler(msg, wParam, lParam);
    case SKM_REPAINTFRAME: PaintFrame(); return 0;
    default: return DefaultHandler(msg, wParam, lParam);
    }
}

void TWinSkinForm::FormHook(ui::TMessage& message, const ui::TWndMethod& next)
{
    // Handlers down the chain may switch the skin and free this controller.
    const std::weak_ptr<int> alive = FLife;
    switch (message.Msg) {
    case SKM_RESKIN: Reskin(); return;
    case ui::CM_DIALOGCHAR: {
        next(message);
        if (alive.expired() || message.Result != 0) return;
        const bool altOnly = GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
        TMenuBtn* button = FindAccelButton(static_cast<wchar_t>(message.WParam));
        if (button && altOnly) {
            SwitchToButton(button);
            message.Result = 1;
        }
        return;
    }
    case ui::CM_MENUCHANGED: {
        // Answered non-zero: the bar takes the menu, the framework gives the window none.
        TSkinData* skin = FSkinData;
        const bool framePaint = std::exchange(skin->FramePaint, false);
        next(message);
        // Gone with this controller, the skin may have been freed too: only one the manager
        // still knows gets its frame painting back.
        const TSkinManage* manager = Manager();
        if (!alive.expired() || (manager && std::ranges::find(manager->Skins(), skin) != manager->Skins().end()))
            skin->FramePaint = framePaint;
        if (alive.expired()) return;
        TakeMenu();
        message.Result = 1;
        return;
    }
    case SKM_PAINTFRAMETO:
        if (message.LParam == kSkinMarker) {
            if (message.WParam) PaintFrame(reinterpret_cast<HDC>(message.WParam));
            message.Result = kSkinMarker;
            return;
        }
        break;
    case SKM_QUERYSKINNED: message.Result = message.LParam == kSkinMarker ? kSkinMarker : 1; return;
    case ui::CM_CONTROLDESTROYING:
        // The form is being deleted: nothing of it may be touched any more.
        next(message);
        if (!alive.expired()) FForm = nullptr;
        return;
    default: break;
    }
    next(message);
}

void TWinSkinForm::TakeMenu()
{
    HMENU menu = GetMenu(FHandle);
    if (!menu && FForm && FForm->Menu()) menu = FForm->Menu()->Handle();
    if (menu && FMenuBar && FSkinData->MenuUpdate) {
        FMenuBar->FMenuHandle = menu;
        FMenuBar->Build();
    }
    if (GetMenu(FHandle)) SetMenu(FHandle, nullptr);
    PaintFrame();
}

void TWinSkinForm::Activate()
{
    FActivated = true;
    if (!FSysMenu) FSysMenu = GetSystemMenu(FHandle, FALSE);
    RenderIconBitmap();
    RecordStandardFrame();
    SkinAllControls();
    if (FSkinState == TFormSkinState::New && FSkinFrame && !FChild && FFrameKind != TFrameKind::None && !Minimized()) {
        FSkinState = TFormSkinState::Fitting;
        FitWindowToFrame(false);
        FSkinState = TFormSkinState::Ready;
        if (Maximized())
            SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        else
            BuildRegion();
    }
    FSkinState = TFormSkinState::Ready;
    if (!Refreshed()) return;
    FActive = GetActiveWindow() == FHandle;
    PaintFrame();
    SetHoverTimer(FActive);
}

bool TWinSkinForm::Refreshed()
{
    const std::weak_ptr<int> alive = FLife;
    SendMessageW(FHandle, SKM_REFRESHED, 0, kSkinMarker);
    if (!alive.expired() && FSkinData && FSkinData->OnAfterSkinForm)
        FSkinData->OnAfterSkinForm(FSkinData, FHandle, FClassName);
    return !alive.expired();
}

void TWinSkinForm::RecordStandardFrame()
{
    RECT window = WindowRectOf(FHandle), client{};
    GetClientRect(FHandle, &client);
    FStdFrame = {RectWidth(window) - client.right, RectHeight(window) - client.bottom};
}

void TWinSkinForm::FitWindowToFrame(bool keepClient)
{
    if (Maximized()) {
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return;
    }
    if (keepClient || FMessageDialog || FSkinState == TFormSkinState::Reskinning) GetClientRect(FHandle, &FClientRect);
    int width = FClientRect.right + FFrameLeft + FFrameRight;
    const int height = FClientRect.bottom + FFrameTop + FFrameBottom + FMenuHeight;
    if (FMessageDialog && !keepClient && FSkinData) {
        const std::wstring text = WindowText();
        const ui::MemoryDC dc;
        const ui::ScopedSelect font(dc.get(), FCaptionFont.Handle());
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
        const TDataSkinTitle& title = *FSkinData->Elements().Caption;
        const int needed = title.LeftWidth + extent.cx + title.RightWidth;
        if (width < needed) {
            const int shift = (needed - width) / 2;
            for (HWND child = GetWindow(FHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT r = WindowRectOf(child);
                MapWindowPoints(HWND_DESKTOP, FHandle, reinterpret_cast<POINT*>(&r), 2);
                SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
            }
            width = needed;
        }
    }
    SetWindowPos(FHandle, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::HandleSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT ignored = 0;
    if (!CallPrevious(WM_SIZE, wParam, lParam, ignored)) return;
    FWindowState = wParam == SIZE_MINIMIZED ? 2 : wParam == SIZE_MAXIMIZED ? 1 : 0;
    if (Minimized()) return;
    if (FSkinState != TFormSkinState::Ready && FSkinState != TFormSkinState::Reskinning) return;
    FinishShape();
    BuildRegion();
}

LRESULT TWinSkinForm::SysCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = static_cast<UINT>(wParam & 0xFFF0);
    if (command == SC_KEYMENU && !FMenuTracking) {
        const auto ch = static_cast<wchar_t>(lParam);
        if (ch == L' ') {
            POINT origin{0, 0};
            ClientToScreen(FHandle, &origin);
            OpenSystemMenu(origin);
            return 0;
        }
        if (ch != L'-' && !GetCapture() && KeyboardMenu(ch)) return 0;
    }
    switch (command) {
    case SC_MINIMIZE: FWindowState = 2; break;
    case SC_MAXIMIZE: FWindowState = 1; break;
    case SC_RESTORE: FWindowState = 0; break;
    default: break;
    }
    return DefaultHandler(WM_SYSCOMMAND, wParam, lParam);
}

bool TWinSkinForm::KeyboardMenu(wchar_t ch)
{
    if (FMenuTracking || !FSubclass.Attached()) return false;
    TMenuBtn* target = FindAccelButton(ch);
    if (!target && ch == 0 && FMenuBar && FMenuBar->Count() > 0) target = FMenuBar->Button(0);
    if (ch != 0 && !target) return false;
    OpenMenuItem(target);
    return true;
}

// ---------------------------------------------------------------- non-client size and hits

LRESULT TWinSkinForm::NCCalcSize(WPARAM wParam, LPARAM lParam)
{
    // Both forms of the message start with the proposed window rectangle.
    auto* rect = reinterpret_cast<RECT*>(lParam);
    const RECT proposed = *rect;
    if (wParam) ShapeBeforeResize({RectWidth(proposed), RectHeight(proposed)});
    LRESULT result = 0;
    if (!CallPrevious(WM_NCCALCSIZE, wParam, lParam, result)) return result;
    if (FFrameKind == TFrameKind::None || (FMDIRole == TMDIRole::Child && FWindowState != 0)) return result;
    *rect = {proposed.left + FFrameLeft, proposed.top + FFrameTop + FMenuHeight, proposed.right - FFrameRight,
             proposed.bottom - FFrameBottom};
    rect->right = std::max(rect->right, rect->left);
    rect->bottom = std::max(rect->bottom, rect->top);
    return 0;
}

// The region of the new size is set while the system resizes the window, before it repaints
// the frame: set in WM_SIZE, after that paint, it would cost the frame a second one.
void TWinSkinForm::ShapeBeforeResize(SIZE size)
{
    if (FShaping || Minimized() || IsIconic(FHandle)) return;
    if (FSkinState != TFormSkinState::Ready && FSkinState != TFormSkinState::Reskinning) return;
    if (size.cx <= FFrameLeft + FFrameRight || size.cy <= FFrameTop + FFrameBottom) return;
    if (size.cx == FRegionWidth && size.cy == FRegionHeight) return;
    FShaping = true;  // setting the region sends this message again
    BuildRegion(size, true);
    FShaping = false;
}

LRESULT TWinSkinForm::NCHitTest(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!CallPrevious(WM_NCHITTEST, wParam, lParam, result)) return result;
    switch (result) {
    // The system's caption buttons belong to a caption that is not shown.
    case HTSYSMENU:
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP: result = HTCAPTION; break;
    default: break;
    }
    if (result != HTNOWHERE && result != HTCAPTION) return result;
    const POINT point = ToWindowPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (point.y <= 3) return result;
    if (FMenuHeight > 0 && point.y >= FFrameTop && point.y < FFrameTop + FMenuHeight) return HTMENU;
    return HTCAPTION;
}

LRESULT TWinSkinForm::NCPaint(WPARAM wParam, LPARAM lParam)
{
    DropSystemMenuStyle();
    if (!FSkinData->FramePaint) return 0;
    if (FFrameKind == TFrameKind::None || (FMDIRole == TMDIRole::Child && Maximized()))
        return DefaultHandler(WM_NCPAINT, wParam, lParam);
    PaintFrame();
    return 0;
}

LRESULT TWinSkinForm::NCActivate(WPARAM wParam, LPARAM lParam)
{
    FActive = wParam != FALSE;
    SetHoverTimer(FActive);
    LRESULT ignored = 0;
    if (FMDIRole == TMDIRole::Child && !CallPrevious(WM_NCACTIVATE, wParam, lParam, ignored)) return 1;
    if (!(FMDIRole == TMDIRole::Child && Maximized())) PaintFrame();
    return 1;
}

TNCObject* TWinSkinForm::ObjectAt(POINT windowPoint) const
{
    if (TWinSysButton* button = ButtonAt(windowPoint)) return button;
    return FMenuBar ? FMenuBar->ButtonAtPoint(windowPoint) : nullptr;
}

LRESULT TWinSkinForm::NCMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (!FActive) return 0;
    if (TNCObject* object = ObjectAt(ToWindowPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))) {
        object->MouseEnter();
        return 0;
    }
    if (FHotObject) FHotObject->MouseLeave();
    FHotObject = nullptr;
    return DefaultHandler(WM_NCMOUSEMOVE, wParam, lParam);
}

LRESULT TWinSkinForm::NCLButtonDown(WPARAM wParam, LPARAM lParam)
{
    HideCaptionHint();
    if (TNCObject* object = ObjectAt(ToWindowPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))) {
        if (!FActive) SetForegroundWindow(FHandle);
        object->MouseDown();
        if (object->IsMenuButton()) OpenMenuItem(static_cast<TMenuBtn*>(object));
        return 0;
    }
    // A maximised window does not move with its caption.
    if (Maximized() && FActive && wParam == HTCAPTION) wParam = HTMENU;
    return DefaultHandler(WM_NCLBUTTONDOWN, wParam, lParam);
}

LRESULT TWinSkinForm::NCLButtonUp(WPARAM wParam, LPARAM lParam)
{
    HideCaptionHint();
    const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (TNCObject* object = ObjectAt(ToWindowPoint(screen))) {
        // Only the button that was pressed acts, and only when it is released over itself.
        if (!object->IsMenuButton() && object == FHotObject && object->FState == TNCState::Pressed) {
            object->MouseUp();
            PerformAction(*static_cast<TWinSysButton*>(object), screen);
        }
        return 0;
    }
    return DefaultHandler(WM_NCLBUTTONUP, wParam, lParam);
}

LRESULT TWinSkinForm::NCLButtonDblClk(WPARAM wParam, LPARAM lParam)
{
    if (TWinSysButton* button = ButtonAt(ToWindowPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))) {
        if (button->IsIconButton()) {
            SetHoverTimer(false);
            PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return 0;
    }
    if (wParam != HTCAPTION) return DefaultHandler(WM_NCLBUTTONDBLCLK, wParam, lParam);
    if (Maximized() || Minimized()) {
        FWindowState = 0;
        PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
        return 0;
    }
    if (FBorderIcons & kIconMaximize) {
        ToggleMaximize();
        return 0;
    }
    return DefaultHandler(WM_NCLBUTTONDBLCLK, wParam, lParam);
}

LRESULT TWinSkinForm::NCRButtonDown(WPARAM wParam, LPARAM lParam)
{
    HideCaptionHint();
    if (wParam == HTCAPTION && FMDIRole != TMDIRole::Child) {
        OpenSystemMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
    return DefaultHandler(WM_NCRBUTTONDOWN, wParam, lParam);
}

void TWinSkinForm::PerformAction(TWinSysButton& button, POINT screenPoint)
{
    const auto activeChild = [this]() -> HWND {
        HWND client = FindWindowExW(FHandle, nullptr, L"MDIClient", nullptr);
        return client ? reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    };
    switch (button.Action()) {
    case 0:
        if (FSysMenu && GetMenuState(FSysMenu, SC_CLOSE, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
        SetHoverTimer(false);
        PostMessageW(FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    case 1:
    case 22:
        if (button.FEnabled) ToggleMaximize();
        return;
    case 2:
    case 23:
        if (button.FEnabled) ToggleMinimize();
        return;
    case 3:
    case 11:
    case 12: OpenSystemMenu({screenPoint.x + 1, screenPoint.y + 1}); return;
    case 4: PostMessageW(FHandle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0); return;
    case 7:
    case 60:
    case 8:
    case 61:
    case 9:
    case 62: {
        const int action = button.Action();
        const UINT command = (action == 7 || action == 60) ? SC_MINIMIZE : (action == 8 || action == 61) ? SC_RESTORE : SC_CLOSE;
        if (HWND child = FMDIRole == TMDIRole::Frame ? activeChild() : nullptr) SendMessageW(child, WM_SYSCOMMAND, command, 0);
        return;
    }
    default: PostMessageW(FHandle, SKM_BUTTONACTION, static_cast<WPARAM>(button.Action()), 0); return;
    }
}

void TWinSkinForm::ToggleMaximize()
{
    if (Maximized()) {
        FWindowState = 0;
        PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
    }
    FWindowState = 1;
    PostMessageW(FHandle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    FHotObject = nullptr;
}

void TWinSkinForm::ToggleMinimize()
{
    if (Minimized()) {
        FWindowState = 0;
        PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
        return;
    }
    FWindowState = 2;
    RestoreSystemMenuStyle();
    PostMessageW(FHandle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::DropSystemMenuStyle()
{
    if (FBorderIcons & kIconKeepStyle) return;
    const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    if (style & WS_SYSMENU) SetWindowLongPtrW(FHandle, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_SYSMENU));
}

void TWinSkinForm::RestoreSystemMenuStyle()
{
    if ((FBorderIcons & kIconKeepStyle) || !(FBorderIcons & kIconSystemMenu)) return;
    const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    if (!(style & WS_SYSMENU)) SetWindowLongPtrW(FHandle, GWL_STYLE, style | WS_SYSMENU);
}

// ---------------------------------------------------------------- system menu

void TWinSkinForm::OpenSystemMenu(POINT screenPoint)
{
    const DWORD now = GetTickCount();
    if (now - FLastSysMenuTick <= FDoubleClickTime) {
        if (FHotObject) {
            SetHoverTimer(false);
            PostMessageW(FHandle, WM_CLOSE, 0, 0);
        }
        return;
    }
    if (!FSysMenu || !FSkinData) return;
    if (TSkinManage* manager = Manager()) manager->SetPopupKind(TPopupKind::SystemMenu);
    FLastSysMenuTick = now;
    TSystemMenuState state;
    state.maximized = IsZoomed(FHandle) != FALSE;
    state.minimized = IsIconic(FHandle) != FALSE;
    state.minimizeBox = (FBorderIcons & kIconMinimize) != 0;
    state.maximizeBox = (FBorderIcons & kIconMaximize) != 0;
    FSysMenuPopup.reset(BuildSystemMenu(nullptr, FSysMenu, state, *FSkinData));
    const std::weak_ptr<int> alive = FLife;
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(FSysMenuPopup->Handle(), TPM_RETURNCMD | TPM_LEFTBUTTON | TPM_RIGHTBUTTON,
                                                         screenPoint.x, screenPoint.y, 0, FHandle, nullptr));
    // The menu loop runs the application's timers: the skin may have gone with this controller.
    if (alive.expired()) return;
    const ui::TMenuItem* item = chosen ? FSysMenuPopup->FindItemByCommand(chosen) : nullptr;
    if (item) PostMessageW(FHandle, WM_SYSCOMMAND, static_cast<WPARAM>(item->Tag()), 0);
}

// ---------------------------------------------------------------- menu bar tracking

namespace {

void ResetTracking()
{
    g_tracking.OpenIndex = -1;
    g_tracking.First = false;
    g_tracking.Highlighted = false;
    g_tracking.HighlightMenu = nullptr;
    g_tracking.HighlightHasSubMenu = false;
}

bool IsMenuWindow(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring_view(name) == L"#32768";
}

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM result)
{
    if (!IsWindowVisible(window) || !IsMenuWindow(window)) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

HWND ThreadMenuWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Lets the user slide across the bar while a drop-down is open: another bar item under the
// mouse, or Left/Right at the top level of the drop-down, closes it and opens that item.
LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
    TWinSkinForm* form = g_tracking.Form;
    if (next || code != MSGF_MENU || !form || !form->MenuBar()) return next;
    try {
        MSG& msg = *reinterpret_cast<MSG*>(lParam);
        if (g_tracking.First) {
            // The drop-down opens with its first item highlighted.
            if (const HWND menu = IsMenuWindow(msg.hwnd) ? msg.hwnd : ThreadMenuWindow()) {
                g_tracking.First = false;
                PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
            }
        }
        const TWinSkinMenu& bar = *form->MenuBar();
        const int count = bar.Count(), open = g_tracking.OpenIndex;
        if (count == 0 || open < 0) return next;
        int target = -1;
        switch (msg.message) {
        case WM_KEYDOWN: {
            WPARAM key = msg.wParam;
            if (form->RightToLeft() && (key == VK_LEFT || key == VK_RIGHT)) key = key == VK_LEFT ? VK_RIGHT : VK_LEFT;
            if (key == VK_LEFT && (!g_tracking.Highlighted || g_tracking.HighlightMenu == form->TrackedMenu()))
                target = (open + count - 1) % count;
            if (key == VK_RIGHT && (!g_tracking.Highlighted || !g_tracking.HighlightHasSubMenu))
                target = (open + 1) % count;
            break;
        }
        case WM_MOUSEMOVE:
            if (msg.pt.x != g_tracking.LastMouse.x || msg.pt.y != g_tracking.LastMouse.y) {
                if (const TMenuBtn* button = bar.ButtonAtPoint(form->ToWindowPoint(msg.pt))) target = button->FIndex;
                g_tracking.LastMouse = msg.pt;
            }
            break;
        default: break;
        }
        if (target >= 0 && target != open) {
            g_tracking.SwitchTo = target;
            EndMenu();
            return 1;
        }
    } catch (const std::exception& failure) {
        ui::HandleException(failure);
    } catch (...) {
        ui::HandleException(ui::Exception(L"Menu tracking failed"));
    }
    return next;
}

}  // namespace

int TWinSkinForm::TrackedIndex() { return g_tracking.OpenIndex; }

bool TWinSkinForm::OpenMenuItem(TMenuBtn* button)
{
    g_tracking.SwitchTo = -1;
    if (!button) return false;
    PostMessageW(FHandle, WM_COMMAND, button->FCommand, 0);
    if (!button->FSubMenu) return false;
    while (button && button->FSubMenu) {
        g_tracking.Form = this;
        ResetTracking();
        g_tracking.OpenIndex = button->FIndex;
        g_tracking.First = true;
        GetCursorPos(&g_tracking.LastMouse);
        FMenuTracking = true;
        FTrackedMenu = button->FSubMenu;
        const RECT window = WindowRectOf(FHandle);
        const POINT at{window.left + (FRightToLeft ? button->FRect.right : button->FRect.left), window.top + button->FRect.bottom};
        if (TSkinManage* manager = Manager()) manager->SetPopupKind(TPopupKind::MenuBarDropDown);
        MarkOwnerDrawn(button->FSubMenu);
        button->FState = TNCState::Pressed;
        FHotObject = button;
        button->Paint();
        g_tracking.Hook = SetWindowsHookExW(WH_MSGFILTER, MenuFilterProc, nullptr, GetCurrentThreadId());
        const std::weak_ptr<int> alive = FLife;
        if (button->FItemEnabled)
            TrackPopupMenuEx(button->FSubMenu, TPM_LEFTBUTTON | TPM_RIGHTBUTTON | (FRightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN),
                             at.x, at.y, FHandle, nullptr);
        if (g_tracking.Hook) UnhookWindowsHookEx(std::exchange(g_tracking.Hook, nullptr));
        // The menu loop runs the application's timers: the skin may have gone with this
        // controller, its bar and the button.
        if (alive.expired()) {
            g_tracking.SwitchTo = -1;
            ResetTracking();
            return true;
        }
        FMenuTracking = false;
        FTrackedMenu = nullptr;
        const int switchTo = std::exchange(g_tracking.SwitchTo, -1);
        ResetTracking();
        g_tracking.Form = nullptr;
        if (FSubclass.Attached() && FMenuBar) {
            button->FState = TNCState::Normal;
            if (FHotObject == button) FHotObject = nullptr;
            button->Paint();
        }
        button = (switchTo >= 0 && FMenuBar && switchTo < FMenuBar->Count()) ? FMenuBar->Button(switchTo) : nullptr;
    }
    return true;
}

void TWinSkinForm::SwitchToButton(TMenuBtn* button)
{
    if (!button) return;
    const RECT window = WindowRectOf(FHandle);
    const POINT at{window.left + button->FRect.left + 1, window.top + button->FRect.top + 1};
    if (FMenuTracking) {
        g_tracking.SwitchTo = button->FIndex;
        EndMenu();
        return;
    }
    PostMessageW(FHandle, SKM_OPENMENUITEM, 0, MAKELPARAM(at.x, at.y));
}

TMenuBtn* TWinSkinForm::FindAccelButton(wchar_t ch) const { return FMenuBar ? FMenuBar->FindAccelButton(ch) : nullptr; }

// ---------------------------------------------------------------- painting

std::wstring TWinSkinForm::WindowText() const
{
    // The text the system keeps for the window, read without a message: the frame is
    // painted often, and the text changes only through WM_SETTEXT, which repaints it.
    wchar_t text[1024] = {};
    const int length = InternalGetWindowText(FHandle, text, static_cast<int>(std::size(text)));
    return std::wstring(text, static_cast<std::size_t>(std::max(length, 0)));
}

void TWinSkinForm::PaintFrame(HDC dc)
{
    if (FSkinState != TFormSkinState::Ready && FSkinState != TFormSkinState::Reskinning) return;
    if (!FSkinFrame || FFrameKind == TFrameKind::None || !FSkinData || FSkinData->SkinEmpty()) return;
    if (FMDIRole == TMDIRole::Child && Maximized()) return;
    std::optional<ui::WindowDC> own;
    if (!dc) {
        own.emplace(FHandle);
        dc = own->get();
    }
    if (!dc) return;
    FWindowRect = WindowRectOf(FHandle);
    FWidth = RectWidth(FWindowRect);
    FHeight = RectHeight(FWindowRect);
    try {
        const TSkinElements& e = FSkinData->Elements();
        if (!Minimized()) {
            PaintBorder(dc, 0, *e.Left, {0, 0, FFrameLeft, FHeight}, false);
            PaintBorder(dc, 1, *e.Right, {FWidth - FFrameRight, 0, FWidth, FHeight}, false);
            PaintBorder(dc, 2, *e.Bottom, {FFrameLeft, FHeight - FFrameBottom, FWidth - FFrameRight, FHeight}, true);
        }
        PaintTitle(dc);
        if (!Minimized()) {
            const RECT band{FFrameLeft, FFrameTop, FWidth - FFrameRight, FFrameTop + FMenuHeight};
            if (FMenuBar)
                FMenuBar->Paint(dc, band);
            else if (FMenuHeight > 0)
                FillRect(dc, &band, FSkinData->FaceBrush());
        }
    } catch (const std::exception& failure) {
        // Reported once: a frame that cannot be painted would otherwise report on every repaint.
        if (!FPaintFailed) {
            FPaintFailed = true;
            ui::HandleException(failure);
        }
    }
    FHotObject = nullptr;
    for (auto& button : FButtons) button->FState = TNCState::Normal;
    if (FMenuBar)
        for (auto& button : FMenuBar->FButtons)
            if (!FMenuTracking) button->FState = TNCState::Normal;
}

const ui::TBitmap* TWinSkinForm::BorderPicture(int slot, const TDataSkinBorder& element, SIZE size, bool vertical)
{
    if (size.cx <= 0 || size.cy <= 0 || element.Image.Empty()) return nullptr;
    const int frame = (FActive || element.Frame <= 1) ? 1 : 2;
    TBorderCache& cache = FBorderCache[static_cast<std::size_t>(slot)];
    if (!cache.Picture || cache.Size.cx != size.cx || cache.Size.cy != size.cy || cache.Frame != frame) {
        const auto grid = BuildNineGrid(size, element.Image, element.Margins(), vertical, element.Tile != 1, element.Frame, frame);
        if (!grid) return nullptr;
        cache.Picture = std::make_unique<ui::TBitmap>(size.cx, size.cy, ui::TPixelFormat::pf32bit);
        BitBlt(cache.Picture->Canvas().Handle(), 0, 0, size.cx, size.cy, grid->Canvas().Handle(), 0, 0, SRCCOPY);
        cache.Size = size;
        cache.Frame = frame;
    }
    return cache.Picture.get();
}

void TWinSkinForm::PaintBorder(HDC dc, int slot, const TDataSkinBorder& element, const RECT& rect, bool vertical)
{
    const ui::TBitmap* picture = BorderPicture(slot, element, {RectWidth(rect), RectHeight(rect)}, vertical);
    if (!picture) return;
    BitBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), picture->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TWinSkinForm::PaintTitle(HDC dc)
{
    const TSkinElements& e = FSkinData->Elements();
    const bool minimized = Minimized();
    const int height = minimized ? FHeight : FFrameTop;
    if (FWidth <= 0 || height <= 0) return;
    // The composed title bar is kept while nothing it shows has changed.
    TTitleKey key{FWidth, height, FActive, CaptionText(), {}};
    for (int k = 0; k < static_cast<int>(FButtons.size()); ++k)
        key.Buttons.push_back(static_cast<char>(IsButtonVisible(k) * 2 + FButtons[static_cast<std::size_t>(k)]->FEnabled));
    if (key != FTitleKey) {
        if (FFrameBitmap.Width() != FWidth || FFrameBitmap.Height() != height) FFrameBitmap.SetSize(FWidth, height);
        ui::TCanvas& canvas = FFrameBitmap.Canvas();
        const HDC out = canvas.Handle();
        RECT title{0, 0, FWidth, FFrameTop};
        if (minimized) {
            FillColor(out, RECT{0, 0, FWidth, height}, FSkinData->Color(csButtonFace));
        } else {
            // The corners belong to the side borders.
            title = {FFrameLeft, 0, FWidth - FFrameRight, FFrameTop};
            if (const ui::TBitmap* left = BorderPicture(0, *e.Left, {FFrameLeft, FHeight}, false))
                BitBlt(out, 0, 0, FFrameLeft, FFrameTop, left->Canvas().Handle(), 0, 0, SRCCOPY);
            if (const ui::TBitmap* right = BorderPicture(1, *e.Right, {FFrameRight, FHeight}, false))
                BitBlt(out, FWidth - FFrameRight, 0, FFrameRight, FFrameTop, right->Canvas().Handle(), 0, 0, SRCCOPY);
        }
        if (const ui::TBitmap* top = BorderPicture(3, *e.Top, {RectWidth(title), RectHeight(title)}, true))
            BitBlt(out, title.left, title.top, RectWidth(title), RectHeight(title), top->Canvas().Handle(), 0, 0, SRCCOPY);
        PaintCaptionText(canvas, title, key.Text);
        LayoutCaptionButtons();
        PaintCaptionButtons(out);
        FTitleKey = std::move(key);
    }
    BitBlt(dc, 0, 0, FWidth, height, FFrameBitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

std::wstring TWinSkinForm::CaptionText() const { return FCaptionPrefix + WindowText() + FCaptionSuffix; }

void TWinSkinForm::PaintCaptionText(ui::TCanvas& canvas, const RECT& title, const std::wstring& text)
{
    const TSkinElements& e = FSkinData->Elements();
    const TDataSkinTitle& caption = *e.Caption;

    FRightReserve = 0;
    for (int k = 0; k < static_cast<int>(FButtons.size()); ++k) {
        const TDataSkinSysButton& element = *FButtons[static_cast<std::size_t>(k)]->FElement;
        if (element.Align == 1 && !element.Image.Empty() && IsButtonVisible(k)) FRightReserve = std::max(FRightReserve, element.Xcoord);
    }

    const HDC dc = canvas.Handle();
    const ui::ScopedSelect font(dc, FCaptionFont.Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::ColorToRGB(FSkinData->Color(FActive ? csTitleTextActive : csTitleTextNoActive)));
    RECT measured{title.left, title.top, title.left, title.top};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
    const int textHeight = RectHeight(measured);
    const int w = RectWidth(measured) + caption.TXTBackleft + caption.TXTBackRight;
    const int t = RectWidth(title);
    const int h = RectHeight(title) - textHeight;
    int dx = 0;
    if (!FRightToLeft) {
        switch (caption.TextAlignment) {
        case 0: dx = caption.LeftWidth; break;
        case 1: dx = (t - w) / 2; break;
        case 2: dx = t - caption.RightWidth - w; break;
        default: break;
        }
    } else {
        switch (caption.TextAlignment) {
        case 0: dx = t - w - FRightReserve; break;
        case 1: dx = (t - w - FRightReserve) / 2; break;
        case 2: dx = caption.LeftWidth; break;
        default: break;
        }
    }
    const int dy = h / 2 + caption.TopHeight / 2;
    RECT r{title.left + dx, title.top + dy, title.left + dx + w, title.top + dy + textHeight};
    if (FRightToLeft && dx <= 0) r.left = caption.LeftWidth;
    if (FRightToLeft) {
        OffsetRect(&r, 10, 0);
    } else if (FStyle & WS_POPUP) {
        if (title.right - FRightReserve - 5 < r.right && FRightReserve > 5) r.right = title.right - FRightReserve - 5;
    } else if (title.right - caption.RightWidth < r.right) {
        r.right = title.right - caption.RightWidth;
    }
    // Dialogs show no window icon; the text takes its place, but never leaves the title bar.
    if (FFrameKind == TFrameKind::Dialog && caption.TextAlignment == 0) r.left = std::max(r.left - 16, title.left);
    FTitleTextRect = r;
    if (!caption.Image.Empty())
        DrawThreePartTiled(canvas, RECT{r.left, title.top, r.right, title.bottom}, caption.Image, true, true, 2,
                           FActive ? 1 : 2, RECT{caption.TXTBackleft, 0, caption.TXTBackRight, 0});
    r.left += caption.TXTBackleft;
    r.right -= caption.TXTBackRight;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (FRightToLeft) format |= DT_RIGHT | DT_RTLREADING;
    if (r.right > r.left) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    FCaptionRect = r;
    SetBkMode(dc, oldMode);
}

void TWinSkinForm::LayoutCaptionButtons()
{
    const TDataSkinObject* menuBar = FSkinData->Elements().MenuBar.get();
    for (int k = 0; k < static_cast<int>(FButtons.size()); ++k) {
        TWinSysButton& button = *FButtons[static_cast<std::size_t>(k)];
        const TDataSkinSysButton& element = *button.FElement;
        if (!IsButtonVisible(k) || element.Image.Empty()) continue;
        const int bw = element.FrameWidth(), bh = element.Image.Height();
        POINT at{0, 0};
        switch (element.Align) {
        case 0: at = {element.Xcoord, element.Ycoord}; break;
        case 1: at = {FWidth - element.Xcoord, element.Ycoord}; break;
        case 2:
        case 8: at = {FTitleTextRect.left - bw - element.Xcoord, element.Ycoord}; break;
        case 3:
        case 9: at = {element.Xcoord + FTitleTextRect.right, element.Ycoord}; break;
        case 100:
            at = {FWidth - element.Xcoord - FFrameRight - (menuBar ? menuBar->LeftWidth : 0),
                  (FMenuHeight - bh) / 2 + FFrameTop};
            break;
        default: break;
        }
        button.FRect = {at.x, at.y, at.x + bw, at.y + bh};
    }
}

void TWinSkinForm::PaintCaptionButtons(HDC dc)
{
    for (const auto& button : FButtons) {
        const TDataSkinSysButton& element = *button->FElement;
        if (!button->FVisible || element.Image.Empty() || element.Visibility == 100) continue;
        if (button->IsIconButton()) {
            PaintWindowIcon(dc, button->FRect);
            continue;
        }
        const int frame = (element.Frame < 4 || (FActive && button->FEnabled)) ? 1 : 4;
        DrawFrameStretched(dc, button->FRect, element.Image, true, element.Frame, frame);
    }
}

void TWinSkinForm::PaintWindowIcon(HDC dc, const RECT& rect)
{
    if (const HICON icon = ui::Application() ? ui::Application()->Icon() : nullptr) {
        const int y = (FCaptionRect.top + FCaptionRect.bottom) / 2 - FIconWidth / 2;
        DrawIconEx(dc, 8, y, icon, FIconWidth, FIconWidth, 0, nullptr, DI_NORMAL);
        return;
    }
    DrawTransparent(dc, rect, FIconBitmap, kMagenta);
}

bool TWinSkinForm::MDIChildMaximized() const
{
    const TSkinManage* manager = Manager();
    return manager && manager->MDIMaximized();
}

bool TWinSkinForm::IsButtonVisible(int index)
{
    TWinSysButton& button = *FButtons.at(static_cast<std::size_t>(index));
    const TDataSkinSysButton& element = *button.FElement;
    const bool maximized = Maximized();
    const bool minOrMax = (FBorderIcons & (kIconMinimize | kIconMaximize)) != 0;
    const bool sysMenu = (FBorderIcons & kIconSystemMenu) != 0;
    const auto rule = [&](int code, bool first) -> bool {
        switch (code) {
        case -1:
        case 5: return false;
        case 0: return true;
        case 1: return maximized;
        case 2: return !maximized;
        case 3: return FActive;
        case 4: return !FActive;
        case 6:
        case 8: return first ? (minOrMax && sysMenu) : minOrMax;
        case 7: return !(FBorderIcons & kIconMaximize);
        case 9: return !(FBorderIcons & kIconMinimize);
        case 10: return first ? ((FBorderIcons & kIconHelp) && !minOrMax) : (FBorderIcons & kIconHelp) != 0;
        case 100: return FMDIRole == TMDIRole::Frame && FMenuBar && MDIChildMaximized();
        case 200: return FFrameKind == TFrameKind::Dialog && !FMessageDialog;
        default:
            if (code >= 201 && code <= 999) return true;
            if (code >= 1000 && code <= 2000)
                return !first || SendMessageW(FHandle, SKM_QUERYVISIBLE, static_cast<WPARAM>(code),
                                              static_cast<LPARAM>(element.Action)) > 0;
            return false;
        }
    };
    bool visible = rule(element.Visibility, true) && rule(element.Visibility1, false);
    switch (element.Action) {
    case 0:
        if (!sysMenu) visible = false;
        break;
    case 1: button.FEnabled = (FBorderIcons & kIconMaximize) && sysMenu; break;
    case 2: button.FEnabled = (FBorderIcons & kIconMinimize) && sysMenu; break;
    case 3:
    case 11:
    case 12:
        if (FFrameKind == TFrameKind::Dialog) visible = false;
        break;
    default: break;
    }
    button.FVisible = visible;
    return visible;
}

POINT TWinSkinForm::ToWindowPoint(POINT screenPoint) const
{
    const RECT window = WindowRectOf(FHandle);
    return {screenPoint.x - window.left, screenPoint.y - window.top};
}

TWinSysButton* TWinSkinForm::ButtonAt(POINT windowPoint) const
{
    for (const auto& button : FButtons)
        if (button->FVisible && button->Action() >= 0 && PtInRect(&button->FRect, windowPoint)) return button.get();
    return nullptr;
}

// ---------------------------------------------------------------- region

void TWinSkinForm::BuildRegion()
{
    const RECT window = WindowRectOf(FHandle);
    BuildRegion({RectWidth(window), RectHeight(window)}, false);
}

void TWinSkinForm::BuildRegion(SIZE size, bool resizing)
{
    if (FSkinState == TFormSkinState::Dead || !FSkinFrame || !FSkinData) return;
    if (FMDIRole == TMDIRole::Child && FWindowState != 0) return;
    const int width = size.cx, height = size.cy;
    if (width <= 0 || height <= 0) return;
    if (width == FRegionWidth && height == FRegionHeight && FMDIRole != TMDIRole::Child &&
        FSkinState != TFormSkinState::Reskinning)
        return;
    const TSkinElements& e = FSkinData->Elements();
    ui::RegionHandle region(CreateRectRgn(0, 0, width, height));
    FRegionWidth = width;
    FRegionHeight = height;
    if (e.Left->Trans + e.Right->Trans + e.Top->Trans + e.Bottom->Trans != 0 && FFrameKind != TFrameKind::None) {
        region.reset(CreateRectRgn(FFrameLeft, FFrameTop, width - FFrameRight, height - FFrameBottom));
        // One border piece: its shape without the magenta pixels, or its whole rectangle.
        const auto piece = [](const TDataSkinBorder& element, bool cut, RECT place, bool vertical) {
            const SIZE size{RectWidth(place), RectHeight(place)};
            if (cut && size.cx > 0 && size.cy > 0) {
                if (auto picture = BuildNineGrid(size, element.Image, element.Margins(), vertical, element.Tile != 1, element.Frame, 1))
                    return RegionFromColorRange(*picture, place.left, place.top, 1, 1, 1, kMagenta);
            }
            return ui::RegionHandle(CreateRectRgn(place.left, place.top, place.right, place.bottom));
        };
        const ui::RegionHandle left = piece(*e.Left, e.Left->Trans == 1 && height > 1, {0, 0, FFrameLeft, height}, false);
        const ui::RegionHandle right =
            piece(*e.Right, e.Right->Trans == 1 && height > 1, {width - FFrameRight, 0, width, height}, false);
        const ui::RegionHandle bottom = piece(*e.Bottom, e.Bottom->Trans == 1 && FFrameBottom >= 2,
                                              {FFrameLeft, height - FFrameBottom, width - FFrameRight, height}, true);
        const ui::RegionHandle top =
            piece(*e.Top, e.Top->Trans == 1 && FFrameTop > 1, {FFrameLeft, 0, width - FFrameRight, FFrameTop}, true);
        for (HRGN part : {left.get(), right.get(), bottom.get(), top.get()}) CombineRgn(region.get(), region.get(), part, RGN_OR);
    }
    if (!resizing) {
        if (ui::SetWindowRegion(FHandle, region, true)) FRegionOwned = true;
        return;
    }
    // Until the resize is done the window keeps what it showed as well, so that the resize
    // itself uncovers and repaints what it changes; FinishShape then cuts the exact shape.
    FExactRegion.reset(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(FExactRegion.get(), region.get(), nullptr, RGN_COPY);
    ui::RegionHandle shown(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(FHandle, shown.get()) == ERROR) {
        const RECT window = WindowRectOf(FHandle);
        SetRectRgn(shown.get(), 0, 0, RectWidth(window), RectHeight(window));
    }
    CombineRgn(region.get(), region.get(), shown.get(), RGN_OR);
    if (ui::SetWindowRegion(FHandle, region, false)) FRegionOwned = true;
}

void TWinSkinForm::FinishShape()
{
    if (!FExactRegion) return;
    ui::RegionHandle exact = std::move(FExactRegion);
    const RECT window = WindowRectOf(FHandle);
    // What the window shows now and the exact shape leaves out: the windows below repaint it.
    ui::RegionHandle uncovered(CreateRectRgn(0, 0, RectWidth(window), RectHeight(window)));
    ui::RegionHandle shown(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(FHandle, shown.get()) != ERROR) CombineRgn(uncovered.get(), uncovered.get(), shown.get(), RGN_AND);
    CombineRgn(uncovered.get(), uncovered.get(), exact.get(), RGN_DIFF);
    if (ui::SetWindowRegion(FHandle, exact, false)) FRegionOwned = true;
    RECT box{};
    if (GetRgnBox(uncovered.get(), &box) == NULLREGION) return;
    HWND below = GetAncestor(FHandle, GA_PARENT);
    POINT origin{window.left, window.top};
    if (below && below != GetDesktopWindow()) ScreenToClient(below, &origin);
    OffsetRgn(uncovered.get(), origin.x, origin.y);
    RedrawWindow(below, nullptr, uncovered.get(), RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TWinSkinForm::RemoveRegion()
{
    SetWindowRgn(FHandle, nullptr, TRUE);
    FExactRegion.reset();
    FRegionOwned = false;
    FRegionWidth = FRegionHeight = 0;
}

// ---------------------------------------------------------------- hover and hints

void TWinSkinForm::SetHoverTimer(bool enabled) { FTimer.SetEnabled(enabled && FSkinState == TFormSkinState::Ready); }

void TWinSkinForm::HideCaptionHint()
{
    FHintTime = 0;
    if (FSkinData) FSkinData->HideCaptionButtonHint();
}

void TWinSkinForm::HoverTick()
{
    if (FMenuTracking || !FHotObject) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT point = ToWindowPoint(cursor);
    if (!PtInRect(&FHotObject->FRect, point)) {
        TNCObject* object = std::exchange(FHotObject, nullptr);
        object->MouseLeave();
        HideCaptionHint();
        return;
    }
    if (FHotObject->IsMenuButton() || !ui::Application()) return;
    const int pause = 2 * ui::Application()->HintPause();
    FHintTime += static_cast<int>(kHoverInterval);
    if (FHintTime >= pause + ui::Application()->HintHidePause()) {
        FSkinData->HideCaptionButtonHint();
        return;
    }
    if (FHintTime < pause) return;
    const wchar_t* text = nullptr;
    switch (static_cast<TWinSysButton*>(FHotObject)->Action()) {
    case 0:
    case 9:
    case 62: text = L"Close"; break;
    case 1:
    case 22: text = L"Maximize"; break;
    case 2:
    case 7:
    case 23:
    case 60: text = L"Minimize"; break;
    case 8:
    case 61: text = L"Restore"; break;
    default: return;
    }
    const RECT window = WindowRectOf(FHandle);
    FSkinData->ShowCaptionButtonHint(RECT{window.left + FHotObject->FRect.left, cursor.y + 24, 0, 0}, text);
}

// ---------------------------------------------------------------- painters

bool TWinSkinForm::AddPainter(TSkinControl* painter)
{
    if (std::find(FControls.begin(), FControls.end(), painter) != FControls.end()) return true;
    FControls.push_back(painter);
    return false;
}

void TWinSkinForm::RemovePainter(TSkinControl* painter)
{
    const auto found = std::find(FControls.rbegin(), FControls.rend(), painter);
    if (found != FControls.rend()) FControls.erase(std::next(found).base());
}

void TWinSkinForm::PurgeDeadPainters()
{
    std::vector<TSkinControl*> dead;
    std::copy_if(FControls.begin(), FControls.end(), std::back_inserter(dead), [](TSkinControl* p) { return p->Dead(); });
    for (TSkinControl* painter : dead) delete painter;
}

void TWinSkinForm::ReleasePainters()
{
    while (!FControls.empty()) {
        TSkinControl* painter = FControls.front();
        FControls.erase(FControls.begin());
        if (FSkinState != TFormSkinState::Unhooking && !painter->Dead()) painter->Restore();
        painter->SetForm(nullptr);
        delete painter;
    }
}

void TWinSkinForm::SkinAllControls()
{
    TControlClassifier classifier(*this);
    if (FForm) classifier.SkinAllControls();
    else classifier.SkinChildWindows(FHandle);
}

// ---------------------------------------------------------------- skin changes and restoring

void TWinSkinForm::Reskin()
{
    if (FForm && FSkinData) FForm->SetColor(FSkinData->Color(csButtonFace));
    for (TSkinControl* painter : std::vector<TSkinControl*>(FControls)) painter->SkinChanged();
    FSkinState = TFormSkinState::Reskinning;
    if (FSkinFrame && !FChild) {
        FitWindowToFrame(true);
        BuildRegion();
    }
    if (!Refreshed()) return;
    FSkinState = TFormSkinState::Ready;
    PaintFrame();
    SetHoverTimer(FActive);
}

void TWinSkinForm::SkinReloaded()
{
    for (auto& cache : FBorderCache) cache = {};
    FTitleKey = {};
    if (FMenuBar) FMenuBar->Forget();
    // The client is read before the new measures apply, so that the window grows or shrinks
    // around it.
    const bool fit = FSubclass.Attached() && FSkinFrame && !FChild && FFrameKind != TFrameKind::None &&
                     FSkinState == TFormSkinState::Ready && !Minimized();
    if (fit) GetClientRect(FHandle, &FClientRect);
    ComputeFrameMetrics();
    if (!fit) return;
    FSkinState = TFormSkinState::Fitting;
    FitWindowToFrame(false);
    FSkinState = TFormSkinState::Reskinning;
    BuildRegion();
    FSkinState = TFormSkinState::Ready;
    PaintFrame();
}

void TWinSkinForm::Unskin()
{
    FTimer.SetEnabled(false);
    HideCaptionHint();
    if (!FSubclass.Attached()) return;
    const bool unhooking = FSkinState == TFormSkinState::Unhooking;
    RECT client{};
    GetClientRect(FHandle, &client);
    FFormHook.Unhook();
    FSubclass.Detach();
    ReleasePainters();
    if (FForm && !unhooking) {
        SetMenusOwnerDraw(*FForm, nullptr, false);
        // The drop-downs were marked owner-drawn for the skin when they opened.
        if (FForm->Menu()) FForm->Menu()->RebuildHandles();
        FForm->SetColor(FOrigColor);
    }
    if (!FSkinFrame) {
        if (FForm) FForm->Invalidate();
        return;
    }
    RestoreSystemMenuStyle();
    if (FMenuBar) {
        SetMenu(FHandle, FMenuBar->FMenuHandle ? FMenuBar->FMenuHandle : FOrigMenu);
        FMenuBar.reset();
    }
    FMenuHeight = 0;
    RemoveRegion();
    if (unhooking || (FChild && FMDIRole != TMDIRole::Child)) return;
    // The system's frame comes back around the same client area.
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (IsZoomed(FHandle) || IsIconic(FHandle)) return;
    RECT now{};
    GetClientRect(FHandle, &now);
    const RECT window = WindowRectOf(FHandle);
    SetWindowPos(FHandle, nullptr, 0, 0, RectWidth(window) + client.right - now.right, RectHeight(window) + client.bottom - now.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::Unhook()
{
    FTimer.SetEnabled(false);
    HideCaptionHint();
    FFormHook.Unhook();
    FSubclass.Detach();
    ReleasePainters();
    FMenuBar.reset();
    FHotObject = nullptr;
}

}  // namespace skin
