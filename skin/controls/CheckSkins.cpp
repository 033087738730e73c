#include "skin/controls/CheckSkins.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

#include "skin/data/SkinImage.h"
#include "ui/Gdi.h"

namespace skin {

namespace {

constexpr std::intptr_t kTransparentTag = 5555;
constexpr ui::TColor kMagenta = 0xFF00FF;
// Repaint requests of other control libraries' check boxes and radio buttons.
constexpr UINT kCheckRepaintMessage = 0xB0D0;

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

bool WantsTransparent(const ui::TControl* control, const TSkinData* skinData)
{
    return (control && control->Tag() == kTransparentTag) ||
           (skinData && skinData->Options.Contains(TSkinOption::xoTransparent));
}

using TStrip = TSkinCheckControl::TStrip;

TStrip CheckStrip(const TSkinElements* elements)
{
    const TDataSkinButton* buttons = elements ? elements->Buttons.get() : nullptr;
    if (!buttons || buttons->CheckImage.Empty()) return {};
    return {&buttons->CheckImage, std::max(buttons->CheckButtonFrame, 1)};
}

TStrip RadioStrip(const TSkinElements* elements)
{
    const TDataSkinButton* buttons = elements ? elements->Buttons.get() : nullptr;
    if (!buttons || buttons->RadioImage.Empty()) return {};
    return {&buttons->RadioImage, std::max(buttons->RadioButtonFrame, 1)};
}

bool VersionSix() { return LOBYTE(LOWORD(GetVersion())) == 6; }

// Box and caption of a check box or radio button in rect; the caption is drawn by mode 1
// painters only.
struct TCheckLayout {
    RECT Box{};
    RECT Caption{};
    UINT TextFlags = 0;
};

TCheckLayout LayOutCheck(HWND window, const RECT& rect, SIZE cell, bool radio)
{
    TCheckLayout out;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    const bool rightToLeft = (exStyle & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) != 0;
    const int top = rect.top + (rect.bottom - rect.top - cell.cy) / 2;
    if (style & BS_RIGHTBUTTON) {
        const int right = radio ? rect.right - 1 : rect.right;
        out.Box = {right - cell.cx, top, right, top + cell.cy};
        out.Caption = {rect.left, rect.top, out.Box.left - 2, rect.bottom};
        if (rightToLeft) out.TextFlags = DT_RIGHT | DT_RTLREADING;
    } else {
        out.Box = {rect.left, top, rect.left + cell.cx, top + cell.cy};
        out.Caption = {out.Box.right + 2, rect.top, rect.right, rect.bottom};
        if (rightToLeft) out.TextFlags = DT_RTLREADING;
    }
    return out;
}

struct TCaptionLook {
    std::wstring Text;
    HFONT Font = nullptr;
    ui::TColor Color = ui::clBtnText;
};

TCaptionLook CaptionLook(const ui::TControl* control, HWND window, bool enabled)
{
    TCaptionLook look;
    look.Text = control ? ui::GetTextProp(control, L"Caption") : GetWindowTextWide(window);
    const auto* font = ui::GetObjectPropOf<ui::TFont>(control, L"Font");
    look.Font = font ? font->Handle() : reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!look.Font) look.Font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    look.Color = !enabled ? ui::clGrayText : font ? font->Color() : ui::clBtnText;
    return look;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// TSkinCheckControl

bool TSkinCheckControl::BeforeMessage(ui::TMessage& message)
{
    if (!TSkinControl::BeforeMessage(message)) return false;
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (mode_ != 1) return true;
        PaintOnMessage(message);
        return false;
    case WM_ERASEBKGND:
        if (!transparent_) return true;
        EraseBackground(message);
        return false;
    default:
        return true;
    }
}

void TSkinCheckControl::AfterMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case ui::CM_EXIT:
    case kCheckRepaintMessage:
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
    }
}

void TSkinCheckControl::PaintCheck(HDC dc, const RECT& rect, const TStrip& strip, bool radio)
{
    if (!strip.Image) {
        mode_ = 0;
        return;
    }
    enabled_ = WindowEnabled();
    focused_ = Focused();
    const TCaptionLook look = CaptionLook(control_, window_, enabled_);
    caption_ = look.Text;
    const SIZE cellSize{strip.Image->Width() / strip.Count, strip.Image->Height()};
    const TCheckLayout layout = LayOutCheck(window_, rect, cellSize, radio);
    ui::ScopedSaveDC saved(dc);
    if (mode_ == 1 && !transparent_) {
        // What the parent shows behind the control, as the system's check boxes have it.
        ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(SkinColor(csButtonFace))));
        FillRect(dc, &rect, brush.get());
        if (control_) DrawParentImage(*control_, dc);
    }
    DrawFrameStretched(dc, layout.Box, *strip.Image, true, strip.Count, CurrentCell());
    // Mode 0: the control drew its caption itself.
    if (mode_ != 1) return;
    SelectObject(dc, look.Font);
    SetTextColor(dc, ui::ColorToColorRef(look.Color));
    SetBkColor(dc, ui::ColorToColorRef(SkinColor(csButtonFace)));
    SetBkMode(dc, TRANSPARENT);
    RECT area = layout.Caption;
    constexpr UINT kFlags = DT_WORDBREAK | DT_EXPANDTABS;
    RECT measured = area;
    DrawTextW(dc, look.Text.c_str(), static_cast<int>(look.Text.size()), &measured, kFlags | DT_CALCRECT | DT_NOCLIP);
    OffsetRect(&area, 0, ((area.bottom - area.top) - (measured.bottom - measured.top)) / 2);
    if (focused_ && !look.Text.empty() && !VersionSix()) {
        const TRectI bounds{area.left, area.top, area.right, area.bottom};
        const TRectI text{0, 0, measured.right - measured.left, measured.bottom - measured.top};
        const TRectI focus = FocusAroundText(bounds, text, layout.TextFlags);
        const RECT r{focus.Left, focus.Top, focus.Right, focus.Bottom};
        DrawFocusRect(dc, &r);
    }
    DrawTextW(dc, look.Text.c_str(), static_cast<int>(look.Text.size()), &area, kFlags | layout.TextFlags);
}

// ---------------------------------------------------------------------------------------
// TSkinCheckBox

void TSkinCheckBox::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinCheckControl::Init(form, skinData, ownsColor);
    data_state_ = 0;
    mode_ = control_ && CheckStrip(Elements()).Image ? 1 : 0;
    transparent_ = WantsTransparent(control_, skin_data_);
}

int TSkinCheckBox::CurrentCell() const
{
    const TStrip strip = CheckStrip(Elements());
    const LRESULT state = SendMessageW(window_, BM_GETSTATE, 0, 0);
    TCheckValue value = (state & BST_CHECKED) ? TCheckValue::Checked : TCheckValue::Unchecked;
    bool indeterminate = (state & BST_INDETERMINATE) != 0;
    if (control_) {
        const std::wstring stateText = Lower(EnumText(L"State"));
        if (!stateText.empty()) {
            // The control's own three states decide; the window's mixed bit says the same.
            indeterminate = false;
            if (stateText.find(L"uncheck") != std::wstring::npos) value = TCheckValue::Unchecked;
            else if (stateText.find(L"check") != std::wstring::npos) value = TCheckValue::Checked;
            else if (stateText.find(L"gray") != std::wstring::npos) value = TCheckValue::Grayed;
        } else if (!EnumText(L"Checked").empty()) {
            value = PropIsTrue(L"Checked") ? TCheckValue::Checked : TCheckValue::Unchecked;
        }
        if (ui::HasProperty(control_, L"DataField") && data_state_ != 0)
            value = data_state_ == 3 ? TCheckValue::Grayed : static_cast<TCheckValue>(data_state_);
        if (ui::HasProperty(control_, L"DataBinding")) value = TCheckValue::Unchecked;
    }
    return CheckBoxCell(value, (Style() & WS_DISABLED) != 0, indeterminate, strip.Count);
}

void TSkinCheckBox::AfterMessage(ui::TMessage& message)
{
    if (message.Msg == BM_SETCHECK) data_state_ = static_cast<int>(message.WParam) + 1;
    TSkinCheckControl::AfterMessage(message);
}

void TSkinCheckBox::Paint(HDC dc, const RECT& rect) { PaintCheck(dc, rect, CheckStrip(Elements()), false); }

// ---------------------------------------------------------------------------------------
// TSkinRadioButton

void TSkinRadioButton::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinCheckControl::Init(form, skinData, ownsColor);
    mode_ = control_ && RadioStrip(Elements()).Image ? 1 : 0;
    transparent_ = WantsTransparent(control_, skin_data_);
}

int TSkinRadioButton::CurrentCell() const
{
    bool checked = (SendMessageW(window_, BM_GETCHECK, 0, 0) & BST_CHECKED) != 0;
    if (control_ && !EnumText(L"Checked").empty()) checked = PropIsTrue(L"Checked");
    return RadioButtonCell(checked, (Style() & WS_DISABLED) != 0, RadioStrip(Elements()).Count);
}

void TSkinRadioButton::Paint(HDC dc, const RECT& rect) { PaintCheck(dc, rect, RadioStrip(Elements()), true); }

// ---------------------------------------------------------------------------------------
// TSkinObjImage

std::unique_ptr<ui::TBitmap> BuildGlyphStrip(const ui::TBitmap& source, int cellCount, int kind)
{
    if (source.Empty() || kind < 1 || kind > 3) return nullptr;
    cellCount = std::max(cellCount, 1);
    const int width = source.Width() / cellCount;
    const int height = source.Height();
    // Destination cells (from 0) and the source cell each takes.
    struct Copy {
        int Target;
        int Source;
    };
    std::vector<Copy> copies;
    int cells = 0;
    if (kind == 1) {
        cells = 9;
        copies = {{0, 0}, {3, 0}, {1, 1}, {4, 1}, {6, 2}, {7, 3}};
        if (cellCount == 5) copies.insert(copies.end(), {{2, 4}, {5, 4}, {8, 4}});
    } else if (kind == 2) {
        cells = 6;
        copies = {{0, 0}, {2, 0}, {1, 1}, {3, 1}, {4, 2}, {5, 3}};
    } else {
        cells = 6;
        copies = {{0, 0}, {3, 0}, {1, 1}, {4, 1}};
        if (cellCount == 5) copies.insert(copies.end(), {{2, 4}, {5, 4}});
    }
    auto strip = std::make_unique<ui::TBitmap>(width * cells, height);
    HDC target = strip->Canvas().Handle();
    const RECT all{0, 0, strip->Width(), height};
    ui::BrushHandle magenta(CreateSolidBrush(ui::ColorToColorRef(kMagenta)));
    FillRect(target, &all, magenta.get());
    HDC from = source.Canvas().Handle();
    for (const Copy& c : copies)
        if (c.Source < cellCount) BitBlt(target, c.Target * width, 0, width, height, from, c.Source * width, 0, SRCCOPY);
    return strip;
}

TSkinObjImage::~TSkinObjImage() { TSkinObjImage::Restore(); }

void TSkinObjImage::Init(TWinSkinForm* form, TSkinData* skinData, bool)
{
    if (state_ != TPainterState::New) return;
    control_ = dynamic_cast<ui::TControl*>(Owner());
    if (!control_) return;
    skin_data_ = skinData;
    window_ = control_->DrawingWindow();
    SetForm(form);
    HandOver();
    state_ = TPainterState::Attached;
}

void TSkinObjImage::HandOver()
{
    const TStrip strip = kind_ == 2 ? RadioStrip(Elements()) : CheckStrip(Elements());
    if (!strip.Image || !control_) return;
    const std::unique_ptr<ui::TBitmap> glyphs = BuildGlyphStrip(*strip.Image, strip.Count, kind_);
    if (!glyphs) return;
    if (kind_ == 3) {
        ui::TObject* properties = ui::GetObjectProp(control_, L"Properties");
        if (auto* glyph = ui::GetObjectPropOf<ui::TBitmap>(properties, L"Glyph")) {
            glyph->Assign(*glyphs);
            glyph->SetTransparentColor(kMagenta);
            glyph->Transparent = false;
        }
        return;
    }
    if (!ui::GetObjectPropOf<ui::TBitmap>(control_, L"CustomGlyphs")) return;
    ui::SetObjectProp(control_, L"CustomGlyphs", glyphs.get());
    ui::SetPropText(control_, L"transparentcolor", std::to_wstring(kMagenta));
    // Off and on again, so that the control reloads its glyphs.
    ui::SetPropText(control_, L"UseCustomGlyphs", L"false");
    ui::SetPropText(control_, L"UseCustomGlyphs", L"true");
}

void TSkinObjImage::Restore()
{
    if (state_ != TPainterState::Attached || !control_) return;
    state_ = TPainterState::New;
    if (kind_ == 3) {
        ui::TObject* properties = ui::GetObjectProp(control_, L"Properties");
        if (auto* glyph = ui::GetObjectPropOf<ui::TBitmap>(properties, L"Glyph")) glyph->Assign(ui::TBitmap());
        return;
    }
    ui::SetPropText(control_, L"UseCustomGlyphs", L"false");
}

void TSkinObjImage::SkinChanged() { HandOver(); }

}  // namespace skin
