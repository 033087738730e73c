#include "ui/MPlayer.h"

#include <windowsx.h>

#include <bit>
#include <utility>

namespace ui {

std::wstring ButtonSetText(TButtonSet set)
{
    std::wstring text = L"[";
    for (int k = 0; k < kMPButtonCount; ++k) {
        if (!(set & (1u << k))) continue;
        if (text.size() > 1) text += L',';
        text += kMPBtnTypeIdents[k];
    }
    return text + L"]";
}

TButtonSet ButtonSetFromText(std::wstring_view text)
{
    TButtonSet set = 0;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t to = text.find_first_of(L",[] ", from);
        if (to == std::wstring_view::npos) to = text.size();
        const std::wstring_view name = text.substr(from, to - from);
        for (int k = 0; k < kMPButtonCount; ++k)
            if (!name.empty() && SameName(name, kMPBtnTypeIdents[k])) set |= static_cast<TButtonSet>(1u << k);
        from = to + 1;
    }
    return set;
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 253, 30); }

void TMediaPlayer::SetVisibleButtons(TButtonSet value)
{
    visible_ = value & kAllMPButtons;
    Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet value)
{
    enabled_ = value & kAllMPButtons;
    Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet value)
{
    coloured_ = value & kAllMPButtons;
    Invalidate();
}

int TMediaPlayer::ButtonAt(int x) const
{
    const int count = std::popcount(static_cast<unsigned>(visible_));
    if (count == 0 || x < 0) return -1;
    const int width = Width() / count;
    int start = 0;
    for (int k = 0; k < kMPButtonCount; ++k) {
        if (!(visible_ & (1u << k))) continue;
        if (x >= start && x < start + width) return k;
        start += width;
    }
    return -1;
}

PropValue TMediaPlayer::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"VisibleButtons")) return ButtonSetText(visible_);
    if (SameName(name, L"EnabledButtons")) return ButtonSetText(enabled_);
    if (SameName(name, L"ColoredButtons")) return ButtonSetText(coloured_);
    return TCustomControl::GetProperty(name);
}

bool TMediaPlayer::SetProperty(std::wstring_view name, const PropValue& value)
{
    const auto* text = std::get_if<std::wstring>(&value);
    if (text && SameName(name, L"VisibleButtons")) SetVisibleButtons(ButtonSetFromText(*text));
    else if (text && SameName(name, L"EnabledButtons")) SetEnabledButtons(ButtonSetFromText(*text));
    else if (text && SameName(name, L"ColoredButtons")) SetColoredButtons(ButtonSetFromText(*text));
    else return TCustomControl::SetProperty(name, value);
    return true;
}

void TMediaPlayer::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int button = ButtonAt(GET_X_LPARAM(message.LParam));
        pressed_ = button >= 0 && (enabled_ & (1u << button)) ? button : -1;
        Invalidate();
        message.Result = 0;
        return;
    }
    case WM_LBUTTONUP: {
        const int pressed = std::exchange(pressed_, -1);
        Invalidate();
        message.Result = 0;
        // A click is a release over the button that was pressed.
        if (pressed >= 0 && pressed == ButtonAt(GET_X_LPARAM(message.LParam)) && OnClick)
            OnClick(this, static_cast<TMPBtnType>(pressed));
        return;
    }
    default:
        TCustomControl::WndProc(message);
    }
}

void TMediaPlayer::Paint()
{
    const HDC dc = Canvas()->Handle();
    const int count = std::popcount(static_cast<unsigned>(visible_));
    RECT all{0, 0, Width(), Height()};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (count == 0) return;
    // The system's plain look: raised buttons with the button's short name.
    static const wchar_t* marks[] = {L"▶", L"Ⅱ", L"■", L"▶|", L"|◀", L"|▶", L"◀|", L"●", L"▲"};
    const int width = Width() / count;
    int start = 0;
    SetBkMode(dc, TRANSPARENT);
    for (int k = 0; k < kMPButtonCount; ++k) {
        if (!(visible_ & (1u << k))) continue;
        RECT r{start, 0, start + width, Height()};
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (k == pressed_ ? DFCS_PUSHED : 0));
        SetTextColor(dc, GetSysColor(enabled_ & (1u << k) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        DrawTextW(dc, marks[k], -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        start += width;
    }
}

}  // namespace ui
