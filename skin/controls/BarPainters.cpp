#include "skin/controls/BarPainters.h"

#include <commctrl.h>

#include "skin/controls/BarSkins.h"

namespace skin {

// ---------------------------------------------------------------------------------------
// TSkinProgress

bool TSkinProgress::BeforeMessage(ui::TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        // Without a "Progress" picture the bar paints itself.
        if (!Elements() || !Elements()->Progress || Elements()->Progress->Image.Empty()) break;
        PaintOnMessage(message);
        message.Result = 0;
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinProgress::Paint(HDC dc, const RECT&)
{
    if (const TSkinElements* skin = Elements()) PaintProgressWindow(dc, window_, *skin);
}

// ---------------------------------------------------------------------------------------
// TSkinTrackBar

TSkinTrackBar::~TSkinTrackBar() { Redraw(); }

void TSkinTrackBar::Init(TWinSkinForm* form, TSkinData* skinData, bool ownsColor)
{
    TSkinControl::Init(form, skinData, ownsColor);
    Redraw();
}

void TSkinTrackBar::InitByHandle(HWND window, TSkinData* skinData, TWinSkinForm* form)
{
    TSkinControl::InitByHandle(window, skinData, form);
    Redraw();
}

void TSkinTrackBar::Restore()
{
    TSkinControl::Restore();
    Redraw();
}

void TSkinTrackBar::SkinChanged()
{
    TSkinControl::SkinChanged();
    Redraw();
}

void TSkinTrackBar::Redraw() const
{
    if (window_ && !Dead() && IsWindow(window_))
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

bool TSkinTrackBar::BeforeMessage(ui::TMessage& message)
{
    const bool notice = message.Msg == WM_NOTIFY || (message.Msg == ui::CN_NOTIFY && ui::ReflectedNotify(message));
    if (notice && Elements()) {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        if (header && header->code == static_cast<UINT>(NM_CUSTOMDRAW) && header->hwndFrom == window_) {
            message.Result = AnswerTrackBarCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(message.LParam), *Elements());
            return false;
        }
    }
    return TSkinControl::BeforeMessage(message);
}

}  // namespace skin
