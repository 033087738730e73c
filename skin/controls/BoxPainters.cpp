#include "skin/controls/BoxPainters.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "skin/controls/BoxSkins.h"
#include "skin/controls/Classify.h"
#include "skin/controls/EditPainters.h"
#include "skin/data/SkinImage.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMessages.h"
#include "ui/ComCtrls.h"
#include "ui/Gdi.h"

namespace skin {

namespace {

// Extra padding on each side of a tab's caption that carries a close box.
constexpr int kCloseBoxRoom = 5;

bool Usable(const TDataSkinObject* element) { return element && !element->Image.Empty(); }

HFONT WindowFont(HWND window)
{
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0))) return font;
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The tabs are measured again when the font is set, so the padding shows at once.
void SetPadding(HWND tabs, int across)
{
    SendMessageW(tabs, TCM_SETPADDING, 0, MAKELPARAM(across, 3));
    SendMessageW(tabs, WM_SETFONT, static_cast<WPARAM>(SendMessageW(tabs, WM_GETFONT, 0, 0)), TRUE);
}

SIZE SizeOf(const RECT& rect) { return {rect.right - rect.left, rect.bottom - rect.top}; }

}  // namespace

// ---------------------------------------------------------------------------------------
// TSkinBox: only the colour; the panel's own messages, SKM_PROBE included, all pass.

bool TSkinBox::BeforeMessage(ui::TMessage& message)
{
    if (message.Msg == WM_NCDESTROY) return TSkinControl::BeforeMessage(message);
    return true;
}

void TSkinBox::ActiveChanged()
{
    if (OwnsColor() && control_) ui::SetOrdProp(control_, L"Color", active_ ? SkinColor(csButtonFace) : SavedColor());
}

// ---------------------------------------------------------------------------------------
// TSkinBoxH

bool TSkinBoxH::BeforeMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND: {
        RECT all{};
        GetWindowRect(window_, &all);
        OffsetRect(&all, -all.left, -all.top);
        FillSkinColor(reinterpret_cast<HDC>(message.WParam), all);
        message.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        CallPrevious(message);
        if (HBRUSH face = skin_data_ ? skin_data_->FaceBrush() : nullptr) {
            // The text's own background matches the brush the static is filled with.
            SetBkColor(reinterpret_cast<HDC>(message.WParam), ui::ColorToColorRef(SkinColor(csButtonFace)));
            message.Result = reinterpret_cast<LRESULT>(face);
        }
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

// ---------------------------------------------------------------------------------------
// TSkinGroupBox: mode 1 draws a framework group box whole; a bare one is drawn over.

void TSkinGroupBox::Init(TWinSkinForm* form, TSkinData* skinData, bool)
{
    // A served box is filled with ButtonFace, so it takes that colour too: the labels and
    // other children that follow their parent's colour then match the face drawn behind them.
    TSkinControl::Init(form, skinData, true);
    if (control_) mode_ = 1;
}

bool TSkinGroupBox::BeforeMessage(ui::TMessage& message)
{
    if (!TSkinControl::BeforeMessage(message)) return false;
    if (mode_ != 1) return true;
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        // Printed too: children draw their parent's picture behind them this way.
        PaintOnMessage(message);
        message.Result = 0;
        return false;
    case WM_ERASEBKGND:
        // The paint covers everything.
        message.Result = 1;
        return false;
    default:
        return true;
    }
}

void TSkinGroupBox::Paint(HDC dc, const RECT& rect)
{
    const TSkinElements* skin = Elements();
    if (!skin) return;
    std::wstring caption = GetWindowTextWide(window_);
    if (caption.empty() && control_) caption = ui::GetTextProp(control_, L"Caption");
    HFONT font = WindowFont(window_);
    ui::TColor ink = SkinColor(csButtonText);
    if (const auto* own = ui::GetObjectPropOf<ui::TFont>(control_, L"Font")) {
        font = own->Handle();
        ink = own->Color();
    }
    const bool rightToLeft = (GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
    if (!control_) {
        PaintGroupBox(dc, rect, caption, font, ink, *skin, false, rightToLeft);
        return;
    }
    const SIZE size = SizeOf(rect);
    if (size.cx <= 0 || size.cy <= 0) return;
    ui::TBitmap buffer(size.cx, size.cy);
    PaintGroupBox(buffer.Canvas().Handle(), RECT{0, 0, size.cx, size.cy}, caption, font, ink, *skin, true, rightToLeft);
    BitBlt(dc, rect.left, rect.top, size.cx, size.cy, buffer.Canvas().Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------
// TSkinTabSheet

bool TSkinTabSheet::BeforeMessage(ui::TMessage& message)
{
    if (mode_ == 0) {
        switch (message.Msg) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintOnMessage(message);
            message.Result = 0;
            return false;
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(window_, &client);
            FillSkinColor(reinterpret_cast<HDC>(message.WParam), client);
            message.Result = 1;
            return false;
        }
        default:
            break;
        }
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinTabSheet::Paint(HDC dc, const RECT& rect) { FillSkinColor(dc, rect); }

// ---------------------------------------------------------------------------------------
// TSkinSizer: drawn over the grip the system painted.

void TSkinSizer::Paint(HDC dc, const RECT& rect)
{
    // A scroll bar that is no size box keeps its own look.
    if (Style() & (SBS_SIZEBOX | SBS_SIZEGRIP)) FillSkinColor(dc, rect);
}

// ---------------------------------------------------------------------------------------
// Tabs

void AdoptUpDown(HWND window, TSkinData* skinData, TWinSkinForm* form)
{
    if (!form || !skinData) return;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32]{};
        GetClassNameW(child, name, 32);
        if (lstrcmpiW(name, UPDOWN_CLASSW) != 0 || SendMessageW(child, SKM_PROBE, 0, 0) == 1) continue;
        if (TSkinControl* painter = CreatePainter(TPainterKind::UpDown, form)) painter->InitByHandle(child, skinData, form);
    }
}

TSkinTab::TSkinTab(ui::TComponent* owner, bool tabControl) : TSkinControl(owner), tab_control_(tabControl) {}

void TSkinTab::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    if (!control_) return;
    enabled_ = WindowEnabled();
    const std::wstring position = EnumText(L"TabPosition");
    const bool top = position.empty() ? TabPositionOf(Style()) == tpTop : ui::SameName(position, L"tpTop");
    close_boxes_ = control_->Tag() == kCloseBoxTag && dynamic_cast<ui::TPageControl*>(control_) && top;
    // Room for the box beside the caption: the system's padding of 6 by 3, wider by the box.
    if (close_boxes_) SetPadding(window_, 6 + kCloseBoxRoom);
    if (tab_control_) mode_ = 2;
    AdoptUpDown(window_, skin_data_, Form());
}

void TSkinTab::InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form)
{
    TSkinControl::InitByHandle(window, skinData, form);
    enabled_ = WindowEnabled();
    AdoptUpDown(window_, skin_data_, Form());
}

TSkinTab::~TSkinTab() { GiveBackPadding(); }

void TSkinTab::Restore()
{
    GiveBackPadding();
    TSkinControl::Restore();
}

void TSkinTab::GiveBackPadding()
{
    if (!close_boxes_ || Dead() || !IsWindow(window_)) return;
    close_boxes_ = false;
    SetPadding(window_, 6);
}

bool TSkinTab::HasTabsImage() const { return Elements() && Usable(Elements()->Tabs.get()); }

bool TSkinTab::BeforeMessage(ui::TMessage& message)
{
    if (message.Msg == WM_LBUTTONDOWN && close_boxes_) {
        const int tab = CloseBoxAt(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}, close_rects_);
        if (tab >= 0) {
            CloseTab(tab);
            return false;
        }
    }
    if (!PaintWholeOnMessage(message, HasTabsImage(), true)) return false;
    return TSkinControl::BeforeMessage(message);
}

void TSkinTab::CloseTab(int tab)
{
    HWND formWindow = Form() && Form()->FHandle ? Form()->FHandle : GetAncestor(window_, GA_ROOT);
    if (SendMessageW(formWindow, SKM_TABCLOSE, reinterpret_cast<WPARAM>(window_), tab) != 0) return;
    close_rects_.clear();
    if (auto* pages = dynamic_cast<ui::TPageControl*>(control_)) {
        if (tab < pages->PageCount()) delete pages->Pages(tab);
    } else {
        SendMessageW(window_, TCM_DELETEITEM, static_cast<WPARAM>(tab), 0);
    }
    Repaint();
}

void TSkinTab::Paint(HDC dc, const RECT&)
{
    const TSkinElements* skin = Elements();
    if (!skin) return;
    AdoptUpDown(window_, skin_data_, Form());
    ui::TColor parent = SkinColor(csButtonFace);
    if (ui::TControl* owner = control_ ? control_->Parent() : nullptr) {
        const std::int64_t colour = ui::GetIntProp(owner, L"Color");
        if (colour != -1) parent = static_cast<ui::TColor>(colour);
    }
    PaintTabControlWindow(dc, window_, *skin, parent, close_boxes_, &close_rects_);
}

bool TSkinTabBtn::BeforeMessage(ui::TMessage& message)
{
    if (message.Msg == WM_PAINT && Elements() && Usable(Elements()->Buttons.get())) {
        PaintOnMessage(message);
        message.Result = 0;
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinTabBtn::Paint(HDC dc, const RECT& rect)
{
    const TSkinElements* skin = Elements();
    if (!skin) return;
    // The strip is the skin's; below it the pages cover the control.
    FillSkinColor(dc, rect);
    PaintTabButtonsWindow(dc, window_, *skin);
}

// ---------------------------------------------------------------------------------------
// TSkinTab31

void TSkinTab31::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    const HWND scroller = Scroller();
    if (!scroller || !Form() || SendMessageW(scroller, SKM_PROBE, 0, 0) == 1) return;
    if (auto* arrows = dynamic_cast<TSkinUpDown*>(CreatePainter(TPainterKind::UpDown, Form()))) {
        arrows->SetHorizontal(true);
        arrows->InitByHandle(scroller, skin_data_, Form());
    }
}

HWND TSkinTab31::Scroller() const
{
    if (!control_ || control_->ComponentCount() == 0) return nullptr;
    const auto* scroller = dynamic_cast<ui::TWinControl*>(control_->Components(0));
    return scroller ? scroller->WindowHandle() : nullptr;
}

bool TSkinTab31::BeforeMessage(ui::TMessage& message)
{
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinTab31::Paint(HDC dc, const RECT& rect)
{
    const TSkinElements* skin = Elements();
    if (!skin || !Usable(skin->Tabs.get()) || !control_) return;
    const TDataSkinBorder& element = *skin->Tabs;
    const SIZE size = SizeOf(rect);
    if (size.cx <= 0 || size.cy <= 0) return;
    const auto* tabs = ui::GetObjectPropOf<ui::TStrings>(control_, L"Tabs");
    const auto intProp = [this](const wchar_t* name) { return std::max<std::int64_t>(0, ui::GetIntProp(control_, name)); };
    const int selected = static_cast<int>(ui::GetIntProp(control_, L"TabIndex"));
    const int first = static_cast<int>(intProp(L"FirstIndex"));
    const HWND scroller = Scroller();
    const int end = size.cx - static_cast<int>(intProp(L"EndMargin")) - (scroller && IsWindowVisible(scroller) ? 12 : 0);

    ui::TBitmap image(element.Image.Width(), element.Image.Height());
    BitBlt(image.Canvas().Handle(), 0, 0, image.Width(), image.Height(), element.Image.Canvas().Handle(), 0, 0, SRCCOPY);
    FlipVertical(image);
    ui::TBitmap buffer(size.cx, size.cy);
    const HDC work = buffer.Canvas().Handle();
    SetStretchBltMode(work, COLORONCOLOR);
    FillSkinColor(work, RECT{0, 0, size.cx, size.cy});
    const ui::ScopedSaveDC saved(work);
    const auto* font = ui::GetObjectPropOf<ui::TFont>(control_, L"Font");
    SelectObject(work, font ? font->Handle() : WindowFont(window_));
    int x = static_cast<int>(intProp(L"StartMargin"));
    for (int k = first; tabs && k < tabs->Count(); ++k) {
        const std::wstring text = (*tabs)[k];
        SIZE extent{};
        GetTextExtentPoint32W(work, text.c_str(), static_cast<int>(text.size()), &extent);
        const int width = extent.cx + 9;
        if (x + width > end) break;
        const RECT r{x, 0, x + width, size.cy};
        const bool current = k == selected;
        DrawSkinElement(work, r, image, element.Margins(), false, element.Tile == 1, element.Trans != 0, element.Frame,
                        current ? 2 : 1);
        SetTextColor(work, ui::ColorToColorRef(current ? element.MouseOverColour : element.NormalColour));
        DrawTabContent(work, r, 1, text, -1, nullptr, WindowEnabled());
        x += width;
    }
    BitBlt(dc, rect.left, rect.top, size.cx, size.cy, work, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------
// TSkinAdvPage

TSkinAdvPage::~TSkinAdvPage()
{
    if (control_ && !Dead()) HandOverTabImages(false);
}

void TSkinAdvPage::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    if (!control_) return;
    mode_ = 4;
    HandOverTabImages(true);
}

void TSkinAdvPage::Restore()
{
    if (control_ && !Dead()) HandOverTabImages(false);
    TSkinControl::Restore();
}

void TSkinAdvPage::SkinChanged()
{
    HandOverTabImages(true);
    TSkinControl::SkinChanged();
}

void TSkinAdvPage::HandOverTabImages(bool give)
{
    if (!control_) return;
    const TSkinElements* skin = Elements();
    if (!give || !skin || !Usable(skin->Tabs.get())) {
        ui::SetObjectProp(control_, L"TabBackGround", nullptr);
        ui::SetObjectProp(control_, L"TabBackGroundActive", nullptr);
        normal_.reset();
        active_picture_.reset();
        return;
    }
    const TDataSkinBorder& tabs = *skin->Tabs;
    const auto picture = [&tabs](int frame) {
        auto bitmap = std::make_unique<ui::TBitmap>(100, 21);
        DrawSkinElement(bitmap->Canvas().Handle(), RECT{0, 0, 100, 21}, tabs.Image, tabs.Margins(), false,
                        tabs.Tile == 1, false, tabs.Frame, frame);
        return bitmap;
    };
    auto normal = picture(1), active = picture(2);
    ui::SetObjectProp(control_, L"TabBackGround", normal.get());
    ui::SetObjectProp(control_, L"TabBackGroundActive", active.get());
    normal_ = std::move(normal);
    active_picture_ = std::move(active);
}

void TSkinAdvPage::Paint(HDC, const RECT&) { AdoptUpDown(window_, skin_data_, Form()); }

// ---------------------------------------------------------------------------------------
// TSkinStatusBar

bool TSkinStatusBar::BeforeMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        PaintOnMessage(message);
        message.Result = 0;
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinStatusBar::Paint(HDC dc, const RECT&)
{
    const TSkinElements* skin = Elements();
    if (!skin) return;
    if (!control_) {
        PaintStatusBarWindow(dc, window_, *skin);
        return;
    }
    const std::wstring simpleText = ui::GetStrProp(control_, L"SimpleText");
    PaintStatusBarWindow(dc, window_, *skin, &simpleText);
}

// ---------------------------------------------------------------------------------------
// TSkinHeader

void TSkinHeader::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    hot_ = -1;
}

void TSkinHeader::InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form)
{
    TSkinControl::InitByHandle(window, skinData, form);
    hot_ = -1;
}

bool TSkinHeader::HasBarImage() const { return Elements() && Usable(Elements()->Headerbar.get()); }

bool TSkinHeader::BeforeMessage(ui::TMessage& message)
{
    if (!PaintWholeOnMessage(message, HasBarImage(), false)) return false;
    return TSkinControl::BeforeMessage(message);
}

void TSkinHeader::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE: {
        const int section = HeaderSectionAt(POINT{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)}, sections_);
        if (section != hot_) {
            hot_ = section;
            Repaint();
        }
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        TrackMouseEvent(&track);
        break;
    }
    case WM_MOUSELEAVE:
        if (hot_ != -1) {
            hot_ = -1;
            Repaint();
        }
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinHeader::Paint(HDC dc, const RECT&)
{
    if (const TSkinElements* skin = Elements()) PaintHeaderWindow(dc, window_, *skin, hot_, &sections_);
}

}  // namespace skin
