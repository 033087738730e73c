#include "skin/controls/PainterRules.h"

#include <algorithm>
#include <cwctype>

namespace skin {

int PushButtonFrame(const TButtonLook& look)
{
    if (look.Disabled) return bfDisabled;
    if (look.Pressed) return bfPressed;
    if (look.Hot) return bfHot;
    if (look.FocusedOrDefault) return bfFocused;
    return bfNormal;
}

int SpeedButtonFrame(const TButtonLook& look, bool down)
{
    if (look.Disabled) return bfDisabled;
    if (down || look.Pressed) return bfPressed;
    if (look.Hot) return bfHot;
    return bfNormal;
}

int MenuButtonFrame(const TButtonLook& look, bool focused)
{
    if (look.Disabled) return bfDisabled;
    if (look.Pressed) return bfPressed;
    if (look.Hot || focused) return bfHot;
    return bfNormal;
}

int GlyphCell(int frame, bool down, int numGlyphs)
{
    const int cell = down ? 4 : frame == bfPressed ? 3 : frame == bfDisabled ? 2 : 1;
    return cell <= std::max(numGlyphs, 1) ? cell : 1;
}

namespace {

// A cell the strip does not have falls back to the enabled look of the same value.
int KeepInStrip(int cell, int enabledCell, int cellCount)
{
    if (cellCount < 1) return 1;
    if (cell <= cellCount) return cell;
    return std::min(enabledCell, cellCount);
}

}  // namespace

int CheckBoxCell(TCheckValue value, bool disabled, bool indeterminate, int cellCount)
{
    const bool twelve = cellCount == 12;
    int cell = 1;
    int enabledCell = 1;
    if (indeterminate) {
        cell = twelve ? (disabled ? 12 : 9) : 4;
        enabledCell = twelve ? 9 : 2;
    } else if (value == TCheckValue::Grayed) {
        cell = twelve ? 8 : 4;
        enabledCell = twelve ? 5 : 2;
    } else if (value == TCheckValue::Checked) {
        cell = twelve ? (disabled ? 8 : 5) : (disabled ? 4 : 2);
        enabledCell = twelve ? 5 : 2;
    } else {
        cell = twelve ? (disabled ? 4 : 1) : (disabled ? 3 : 1);
    }
    return KeepInStrip(cell, enabledCell, cellCount);
}

int RadioButtonCell(bool checked, bool disabled, int cellCount)
{
    const bool eight = cellCount == 8;
    int cell = 1;
    if (checked) cell = eight ? (disabled ? 8 : 5) : (disabled ? 4 : 2);
    else cell = disabled ? (eight ? 4 : 3) : 1;
    return KeepInStrip(cell, checked ? (eight ? 5 : 2) : 1, cellCount);
}

std::wstring BreakCaption(std::wstring caption)
{
    if (const auto at = caption.find(L"||"); at != std::wstring::npos) caption.replace(at, 2, L"\r\n");
    return caption;
}

TGlyphLayout GlyphLayoutFromText(std::wstring_view identifier)
{
    std::wstring lower(identifier);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
    if (lower == L"blglyphright") return TGlyphLayout::Right;
    if (lower == L"blglyphtop") return TGlyphLayout::Top;
    if (lower == L"blglyphbottom") return TGlyphLayout::Bottom;
    return TGlyphLayout::Left;
}

namespace {

enum class TMarginRule { Bit, Speed };

TGlyphPlacement PlaceGlyphAndText(TSizeI client, TSizeI glyph, TSizeI text, int margin, int spacing,
                                  TGlyphLayout layout, bool centred, TMarginRule rule)
{
    const bool across = layout == TGlyphLayout::Left || layout == TGlyphLayout::Right;
    TGlyphPlacement out;
    // Cross axis: centred.
    if (across) {
        out.Glyph.Y = (client.Height - glyph.Height + 1) / 2;
        out.Text.Top = (client.Height - text.Height + 1) / 2;
    } else {
        out.Glyph.X = (client.Width - glyph.Width + 1) / 2;
        out.Text.Left = (client.Width - text.Width + 1) / 2;
    }
    if (text.Width == 0 || glyph.Width == 0) spacing = 0;
    const int w = across ? client.Width : client.Height;
    const int g = across ? glyph.Width : glyph.Height;
    const int t = across ? text.Width : text.Height;
    if (margin == -1 || centred) {
        if (spacing == -1) {
            margin = (w - g - t) / 3;
            spacing = margin;
        } else {
            margin = (w - g - spacing - t) / 2 + (rule == TMarginRule::Speed ? 1 : 0);
        }
    } else if (spacing == -1) {
        spacing = (w - margin - g - t) / 2;
    }
    int glyphAt = 0;
    int textAt = 0;
    switch (layout) {
    case TGlyphLayout::Left:
    case TGlyphLayout::Top:
        glyphAt = margin;
        textAt = margin + g + spacing;
        break;
    case TGlyphLayout::Right:
    case TGlyphLayout::Bottom:
        glyphAt = w - margin - g;
        textAt = glyphAt - spacing - t;
        break;
    }
    if (across) {
        out.Glyph.X = glyphAt;
        out.Text.Left = textAt;
    } else {
        out.Glyph.Y = glyphAt;
        out.Text.Top = textAt;
    }
    out.Text.Right = out.Text.Left + text.Width;
    out.Text.Bottom = out.Text.Top + text.Height;
    out.TextAlign = layout == TGlyphLayout::Left ? 0 : layout == TGlyphLayout::Right ? 2 : 1;
    return out;
}

}  // namespace

TGlyphPlacement PlaceBitButton(TSizeI client, TSizeI glyph, TSizeI text, int margin, int spacing,
                               TGlyphLayout layout, bool centred)
{
    return PlaceGlyphAndText(client, glyph, text, margin, spacing, layout, centred, TMarginRule::Bit);
}

TGlyphPlacement PlaceSpeedButton(TSizeI client, TSizeI glyph, TSizeI text, int margin, int spacing,
                                 TGlyphLayout layout)
{
    return PlaceGlyphAndText(client, glyph, text, margin, spacing, layout, false, TMarginRule::Speed);
}

TMenuButtonPlacement PlaceMenuButton(TSizeI client, TSizeI glyph, TSizeI text, int margin, int spacing)
{
    constexpr int kArrow = 8;
    const int w = client.Width;
    if (margin == -1 && spacing == -1) {
        margin = (w - glyph.Width - text.Width - kArrow) / 4;
        spacing = margin;
    } else if (margin == -1) {
        margin = (w - glyph.Width - text.Width - kArrow - 2 * spacing) / 2;
    } else if (spacing == -1) {
        spacing = ((w + kArrow - 2 * margin - glyph.Width) - text.Width) / 2;
    }
    TMenuButtonPlacement out;
    out.Glyph = {margin, (client.Height - glyph.Height) / 2};
    out.Text = {margin + glyph.Width + spacing, (client.Height - text.Height + 1) / 2};
    out.Arrow = {out.Text.X + 2 * spacing + text.Width, (client.Height - 3) / 2};
    return out;
}

TRectI PlaceCaption(const TRectI& bounds, const TRectI& measured, int alignment)
{
    const int w = measured.Width();
    const int h = measured.Height();
    const int top = bounds.Top + (bounds.Height() - h) / 2 - 1;
    if (alignment == 1) {
        const int left = bounds.Left + (bounds.Width() - w) / 2;
        return {left, top, left + w, top + h};
    }
    return {bounds.Left, top, bounds.Right, top + h};
}

TRectI FocusAroundText(const TRectI& bounds, const TRectI& measured, unsigned flags)
{
    TRectI r{bounds.Left, bounds.Top, bounds.Left + measured.Width(), bounds.Top + measured.Height()};
    int dx = 0;
    int dy = 0;
    if (flags & 1u) {
        dx = (bounds.Width() - r.Width()) / 2;
        dy = (bounds.Height() - r.Height()) / 2 - 1;
    } else if (flags & 2u) {
        dx = bounds.Width() - r.Width();
    }
    r = {r.Left + dx - 2, r.Top + dy - 1, r.Right + dx + 2, r.Bottom + dy + 1};
    r.Left = std::max(r.Left, bounds.Left);
    r.Top = std::max(r.Top, bounds.Top);
    r.Right = std::min(r.Right, bounds.Right);
    r.Bottom = std::min(r.Bottom, bounds.Bottom);
    return r;
}

}  // namespace skin
