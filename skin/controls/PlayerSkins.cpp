#include "skin/controls/PlayerSkins.h"

#include <algorithm>
#include <vector>

#include "skin/data/SkinImage.h"

namespace skin {

namespace {

constexpr int kGlyph = 16;

void Shape(HDC dc, const std::vector<POINT>& points, COLORREF colour)
{
    const ui::BrushHandle brush(CreateSolidBrush(colour));
    const ui::PenHandle pen(CreatePen(PS_SOLID, 1, colour));
    const ui::ScopedSelect selectBrush(dc, brush.get());
    const ui::ScopedSelect selectPen(dc, pen.get());
    Polygon(dc, points.data(), static_cast<int>(points.size()));
}

void Bar(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    Shape(dc, {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}}, colour);
}

void Right(HDC dc, int left, int width, COLORREF colour)
{
    Shape(dc, {{left, 3}, {left + width, 8}, {left, 12}}, colour);
}

void Left(HDC dc, int right, int width, COLORREF colour)
{
    Shape(dc, {{right, 3}, {right - width, 8}, {right, 12}}, colour);
}

// One glyph in the button order play, pause, stop, next, previous, step, back, record, eject.
void DrawGlyph(HDC dc, int button, COLORREF ink)
{
    switch (button) {
    case 0: Right(dc, 5, 6, ink); break;
    case 1: Bar(dc, 4, 3, 7, 13, ink), Bar(dc, 9, 3, 12, 13, ink); break;
    case 2: Bar(dc, 4, 4, 12, 12, ink); break;
    case 3: Right(dc, 3, 5, ink), Right(dc, 8, 5, ink), Bar(dc, 13, 3, 15, 13, ink); break;
    case 4: Bar(dc, 1, 3, 3, 13, ink), Left(dc, 8, 5, ink), Left(dc, 13, 5, ink); break;
    case 5: Right(dc, 4, 5, ink), Bar(dc, 10, 3, 12, 13, ink); break;
    case 6: Bar(dc, 4, 3, 6, 13, ink), Left(dc, 12, 5, ink); break;
    case 7: {
        const ui::BrushHandle brush(CreateSolidBrush(ink));
        const ui::PenHandle pen(CreatePen(PS_SOLID, 1, ink));
        const ui::ScopedSelect selectBrush(dc, brush.get());
        const ui::ScopedSelect selectPen(dc, pen.get());
        Ellipse(dc, 4, 4, 12, 12);
        break;
    }
    default: Shape(dc, {{3, 9}, {8, 4}, {13, 9}}, ink), Bar(dc, 3, 11, 14, 13, ink); break;
    }
}

COLORREF ColouredInk(int button)
{
    switch (button) {
    case 0: return RGB(0, 160, 0);
    case 1: return RGB(200, 160, 0);
    case 2: return RGB(200, 0, 0);
    case 7: return RGB(230, 0, 0);
    default: return RGB(0, 0, 200);
    }
}

}  // namespace

TPlayerGlyphs::TPlayerGlyphs()
{
    const ui::BrushHandle olive(CreateSolidBrush(ui::ColorToColorRef(kGlyphBackground)));
    const RECT all{0, 0, kGlyph, kGlyph};
    for (int button = 0; button < kPlayerButtons; ++button) {
        const COLORREF inks[3] = {RGB(0, 0, 0), RGB(128, 128, 128), ColouredInk(button)};
        for (int variant = 0; variant < 3; ++variant) {
            auto glyph = std::make_unique<ui::TBitmap>(kGlyph, kGlyph);
            FillRect(glyph->Canvas().Handle(), &all, olive.get());
            DrawGlyph(glyph->Canvas().Handle(), button, inks[variant]);
            glyphs_[button][variant] = std::move(glyph);
        }
    }
}

int PlayerButtonAt(int x, int width, const std::array<bool, kPlayerButtons>& visible)
{
    const int count = static_cast<int>(std::count(visible.begin(), visible.end(), true));
    if (count == 0) return kNoPlayerButton;
    const int buttonWidth = width / count;
    int start = 0;
    for (int button = 0; button < kPlayerButtons; ++button) {
        if (!visible[button]) continue;
        if (x >= start && x <= start + buttonWidth) return button;
        start += buttonWidth;
    }
    return kNoPlayerButton;
}

void PaintPlayerStrip(HDC dc, SIZE size, const TSkinElements& skin, const TPlayerGlyphs& glyphs,
                      const TPlayerStripLook& look)
{
    if (size.cx <= 0 || size.cy <= 0) return;
    ui::TBitmap buffer(size.cx, size.cy);
    const HDC work = buffer.Canvas().Handle();
    SetStretchBltMode(work, COLORONCOLOR);
    const RECT all{0, 0, size.cx, size.cy};
    const ui::BrushHandle face(CreateSolidBrush(ui::ColorToColorRef(skin.Color(csButtonFace))));
    FillRect(work, &all, face.get());
    const int count = static_cast<int>(std::count(look.Visible.begin(), look.Visible.end(), true));
    if (count > 0) {
        const int width = size.cx / count;
        const TDataSkinButton& element = *skin.Buttons;
        int left = 0;
        for (int button = 0; button < kPlayerButtons; ++button) {
            if (!look.Visible[button]) continue;
            const RECT r{left, 0, left + width, size.cy};
            left += width;
            const bool enabled = look.Enabled[button];
            const bool down = enabled && look.Pressed && look.PressedButton == button;
            if (!element.Image.Empty())
                DrawSkinElement(work, r, element.Image, element.Margins(), false, element.Tile == 1,
                                element.Trans != 0, element.Frame, !enabled ? 3 : down ? 2 : 1);
            const TGlyphVariant variant = !enabled ? gvDisabled : look.Coloured[button] ? gvColoured : gvEnabled;
            const ui::TBitmap& glyph = glyphs.Glyph(button, variant);
            const int x = r.left + (width - glyph.Width()) / 2 + (down ? 1 : 0);
            const int y = (size.cy - glyph.Height()) / 2 + (down ? 1 : 0);
            DrawTransparent(work, RECT{x, y, x + glyph.Width(), y + glyph.Height()}, glyph, kGlyphBackground);
        }
    }
    BitBlt(dc, 0, 0, size.cx, size.cy, work, 0, 0, SRCCOPY);
}

}  // namespace skin
