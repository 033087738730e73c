// skintool preview: one picture of everything a package holds, drawn the way the program
// draws it. At the top a window, active and inactive, with its frame, caption, buttons,
// menu band and a few controls; below it every element, frame by frame at its own size
// over a checkerboard (so the transparent parts show), then stretched as a nine-grid.
// Windows only: the drawing is the program's own GDI code.
#ifdef _WIN32

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "skin/data/SkinData.h"
#include "skin/data/SkinImage.h"
#include "tools/skintool/Command.h"

namespace skintool {

namespace {

constexpr int kSheetWidth = 1000;
constexpr int kGap = 12;
constexpr ui::TColor kSheet = ui::RGBColor(112, 112, 112);

bool StackedFrames(const skin::TSkinElements& e, const skin::TDataSkinObject& element)
{
    return &element == e.Top.get() || &element == e.Bottom.get() || &element == e.Caption.get() ||
           &element == e.MenuBar.get();
}

std::wstring Widen(const std::string& text) { return skin::AnsiToWide(text); }

void Checker(HDC dc, const RECT& rect)
{
    const ui::BrushHandle light(CreateSolidBrush(RGB(208, 208, 208)));
    const ui::BrushHandle dark(CreateSolidBrush(RGB(176, 176, 176)));
    for (int y = rect.top; y < rect.bottom; y += 6) {
        for (int x = rect.left; x < rect.right; x += 6) {
            const RECT cell{x, y, std::min<LONG>(x + 6, rect.right), std::min<LONG>(y + 6, rect.bottom)};
            FillRect(dc, &cell, ((x - rect.left) / 6 + (y - rect.top) / 6) % 2 ? dark.get() : light.get());
        }
    }
}

void Text(ui::TCanvas& canvas, int x, int y, const std::wstring& text, ui::TColor color)
{
    canvas.Brush().SetStyle(ui::TBrushStyle::bsClear);
    canvas.Font().SetColor(color);
    canvas.TextOut(x, y, text);
}

void Fill(HDC dc, const RECT& rect, ui::TColor color)
{
    const ui::BrushHandle brush(CreateSolidBrush(ui::ColorToColorRef(color)));
    FillRect(dc, &rect, brush.get());
}

void Element(HDC dc, const RECT& rect, const skin::TDataSkinObject* element, int frame, bool vertical = false,
             bool transparent = false)
{
    if (!element || element->Image.Empty()) return;
    skin::DrawSkinElement(dc, rect, element->Image, element->Margins(), vertical, element->Tile == 1,
                          transparent || element->Trans != 0, element->Frame, frame);
}

// A window as the frame painter lays it out.
int DrawWindow(ui::TCanvas& canvas, const skin::TSkinData& skin, int ox, int oy, bool active)
{
    const skin::TSkinElements& e = skin.Elements();
    const HDC dc = canvas.Handle();
    constexpr int W = 470, H = 250;
    const int ft = e.Top->FrameHeight(), fl = e.Left->FrameWidth(), fr = e.Right->FrameWidth();
    const int fb = e.Bottom->FrameHeight();
    const int mh = e.MenuBar ? e.MenuBar->FrameHeight() : 0;
    const int state = active ? 1 : 2;
    const auto border = [&](const skin::TDataSkinBorder& b, const RECT& r, bool vertical) {
        if (b.Image.Empty()) return;
        skin::DrawSkinElement(dc, r, b.Image, b.Margins(), vertical, b.Tile != 1, false, b.Frame,
                              b.Frame == 1 ? 1 : state);
    };
    const ui::TColor face = skin.Color(skin::csButtonFace);
    Fill(dc, RECT{ox + fl, oy + ft + mh, ox + W - fr, oy + H - fb}, face);
    // The outline: magenta of the side borders is cut out of the window.
    const auto side = [&](const skin::TDataSkinBorder& b, const RECT& r) {
        if (b.Image.Empty()) return;
        std::unique_ptr<ui::TBitmap> grid = skin::BuildNineGrid(SIZE{r.right - r.left, r.bottom - r.top}, b.Image,
                                                                b.Margins(), false, b.Tile != 1, b.Frame,
                                                                b.Frame == 1 ? 1 : state);
        if (grid) skin::DrawTransparent(dc, r, *grid, ui::RGBColor(255, 0, 255));
    };
    side(*e.Left, RECT{ox, oy, ox + fl, oy + H});
    side(*e.Right, RECT{ox + W - fr, oy, ox + W, oy + H});
    border(*e.Bottom, RECT{ox + fl, oy + H - fb, ox + W - fr, oy + H}, true);
    border(*e.Top, RECT{ox + fl, oy, ox + W - fr, oy + ft}, true);

    // Caption: text background, then the text.
    const skin::TDataSkinTitle& t = *e.Caption;
    canvas.Font().Assign(skin.CaptionFont());
    const std::wstring caption = L" \x58A8\x7B3A\x901F\x8BB0\x672C V5.0  ";
    const SIZE extent = canvas.TextExtent(caption);
    const int textWidth = extent.cx + t.TXTBackleft + t.TXTBackRight;
    RECT text{ox + fl + t.LeftWidth, oy, ox + fl + t.LeftWidth + textWidth, oy + ft};
    if (!t.Image.Empty())
        skin::DrawThreePartTiled(canvas, text, t.Image, true, true, 2, state, RECT{t.TXTBackleft, 0, t.TXTBackRight, 0});
    const ui::TColor titleColor = skin.Color(active ? skin::csTitleTextActive : skin::csTitleTextNoActive);
    Text(canvas, text.left + t.TXTBackleft, oy + (ft - extent.cy) / 2 + t.TopHeight / 2, caption, titleColor);

    for (const auto& button : e.CaptionButtons) {
        // The buttons a normal, sizeable window shows.
        const bool shown = (button->Visibility == 0 || button->Visibility == 2 || button->Visibility == 6) &&
                           button->Align == 1 && !button->Image.Empty();
        if (!shown) continue;
        const int bw = button->FrameWidth(), bh = button->Image.Height();
        const RECT r{ox + W - button->Xcoord, oy + button->Ycoord, ox + W - button->Xcoord + bw, oy + button->Ycoord + bh};
        skin::DrawFrameStretched(dc, r, button->Image, true, button->Frame,
                                 button->Frame < 4 || active ? 1 : 4);
    }

    // Menu band with three items, the second one hot.
    canvas.Font().Assign(ui::TFont{});
    if (e.MenuBar) {
        Element(dc, RECT{ox + fl, oy + ft, ox + W - fr, oy + ft + mh}, e.MenuBar.get(), state, true);
        int x = ox + fl + e.MenuBar->LeftWidth + 4;
        for (const wchar_t* item : {L"\x6587\x4EF6(F)", L"\x8BBE\x7F6E(S)", L"\x5E2E\x52A9(H)"}) {
            const int w = canvas.TextWidth(item) + 16;
            Text(canvas, x + 8, oy + ft + (mh - canvas.TextHeight(item)) / 2, item, skin.Color(skin::csMenuBarText));
            x += w;
        }
    }

    // Controls.
    const int cx = ox + fl + 12;
    int cy = oy + ft + mh + 12;
    const wchar_t* labels[] = {L"\x6B63\x5E38", L"\x6309\x4E0B", L"\x7981\x7528", L"\x60AC\x505C", L"\x7126\x70B9"};
    for (int f = 1; f <= 5; ++f) {
        const RECT r{cx + (f - 1) * 84, cy, cx + (f - 1) * 84 + 76, cy + 25};
        Element(dc, r, e.Buttons.get(), f);
        const int tw = canvas.TextWidth(labels[f - 1]);
        Text(canvas, r.left + (76 - tw) / 2, r.top + 6, labels[f - 1],
             f == 3 ? ui::RGBColor(160, 154, 144) : skin.Color(skin::csButtonText));
    }
    cy += 36;
    const skin::TDataSkinButton& b = *e.Buttons;
    for (int k = 0; k < 4; ++k) {
        const int x = cx + k * 110;
        if (!b.CheckImage.Empty()) {
            const int w = skin::FrameExtent(b.CheckImage.Width(), b.CheckButtonFrame);
            skin::DrawFrameStretched(dc, RECT{x, cy, x + w, cy + b.CheckImage.Height()}, b.CheckImage, true,
                                     b.CheckButtonFrame, k + 1);
        }
        if (!b.RadioImage.Empty()) {
            const int w = skin::FrameExtent(b.RadioImage.Width(), b.RadioButtonFrame);
            skin::DrawFrameStretched(dc, RECT{x + 50, cy, x + 50 + w, cy + b.RadioImage.Height()}, b.RadioImage, true,
                                     b.RadioButtonFrame, k + 1);
        }
    }
    cy += 28;
    if (e.Progress) {
        const RECT bar{cx, cy, cx + 200, cy + 14};
        Element(dc, bar, e.Progress.get(), 1);
        Element(dc, RECT{bar.left, bar.top, bar.left + 120, bar.bottom}, e.Progress.get(), 2);
    }
    if (e.ComboButton) Element(dc, RECT{cx + 220, cy - 3, cx + 380, cy + 18}, e.ComboButton.get(), active ? 1 : 4);
    cy += 30;
    if (e.Track && !e.Track->Image.Empty()) {
        const RECT channel{cx, cy + 8, cx + 200, cy + 8 + e.Track->Image.Height()};
        skin::DrawThreePartStretched(dc, channel, e.Track->Image, e.Track->Margins(), 1, e.Track->Frame, false);
    }
    if (e.ThumbHorz) {
        const int tw = e.ThumbHorz->FrameWidth(), th = e.ThumbHorz->Image.Height();
        skin::DrawFrameStretched(dc, RECT{cx + 130, cy + 11 - th / 2, cx + 130 + tw, cy + 11 - th / 2 + th},
                                 e.ThumbHorz->Image, true, e.ThumbHorz->Frame, 2);
    }
    if (e.Scrollbar && e.HorzScroll && e.HorzScrollThumb) {
        const int a = e.Scrollbar->FrameWidth(), h = e.Scrollbar->Image.Height();
        const RECT bar{cx + 220, cy + 2, cx + 440, cy + 2 + h};
        Element(dc, RECT{bar.left + a, bar.top, bar.right - a, bar.bottom}, e.HorzScroll.get(), 1);
        skin::DrawFrameStretched(dc, RECT{bar.left, bar.top, bar.left + a, bar.bottom}, e.Scrollbar->Image, true, 23, 1);
        skin::DrawFrameStretched(dc, RECT{bar.right - a, bar.top, bar.right, bar.bottom}, e.Scrollbar->Image, true, 23, 8);
        const RECT thumb{bar.left + a + 40, bar.top, bar.left + a + 110, bar.bottom};
        Element(dc, thumb, e.HorzScrollThumb.get(), 1);
        const int mid = (thumb.left + thumb.right) / 2;
        skin::DrawFrameStretched(dc, RECT{mid - a / 2, bar.top, mid - a / 2 + a, bar.bottom}, e.Scrollbar->Image, true,
                                 23, 17);
    }
    cy += 30;
    if (e.Tabs) {
        const int tabH = e.Tabs->Image.Height();
        const RECT pane{cx, cy + tabH - 1, cx + 440, oy + H - fb - 10};
        if (e.TabPane) Element(dc, pane, e.TabPane.get(), 1);
        const wchar_t* tabs[] = {L"\x5DE5\x4F5C\x533A", L"\x6863\x6848"};
        for (int k = 0; k < 2; ++k) {
            const RECT r{cx + 2 + k * 86, cy + (k == 0 ? 0 : 1), cx + 2 + k * 86 + 84, cy + tabH};
            Element(dc, r, e.Tabs.get(), k == 0 ? 2 : 1);
            const int tw = canvas.TextWidth(tabs[k]);
            Text(canvas, r.left + (84 - tw) / 2, r.top + 5, tabs[k],
                 k == 0 ? e.Tabs->MouseOverColour : e.Tabs->NormalColour);
        }
    }
    return H;
}

// One row per element: its name and cut, each frame as stored, then stretched.
int DrawElementRow(ui::TCanvas& canvas, const skin::TSkinElements& e, const skin::TDataSkinObject& element, int y)
{
    const HDC dc = canvas.Handle();
    const bool vertical = StackedFrames(e, element);
    const int frames = skin::SafeFrameCount(element.Frame);
    const int fw = vertical ? element.Image.Width() : element.FrameWidth();
    const int fh = vertical ? element.FrameHeight() : element.Image.Height();
    const std::wstring label = Widen(element.Name) + L"  " + std::to_wstring(element.Image.Width()) + L"\x00D7" +
                               std::to_wstring(element.Image.Height()) + L", " + std::to_wstring(element.Frame) +
                               L" frames, margins " + std::to_wstring(element.LeftWidth) + L"," +
                               std::to_wstring(element.TopHeight) + L"," + std::to_wstring(element.RightWidth) + L"," +
                               std::to_wstring(element.BottomHeight);
    Text(canvas, kGap, y, label, ui::RGBColor(255, 255, 255));
    y += 16;
    int x = kGap;
    const int scale = fw <= 24 && fh <= 24 ? 2 : 1;
    for (int f = 1; f <= frames; ++f) {
        if (x + fw * scale > kSheetWidth - kGap) break;
        const RECT cell{x, y, x + fw * scale, y + fh * scale};
        Checker(dc, cell);
        // Painters draw most elements with magenta transparent; the checkerboard shows where.
        if (vertical)
            Element(dc, cell, &element, f, true, true);
        else
            skin::DrawFrameStretched(dc, cell, element.Image, true, element.Frame, f);
        x += fw * scale + 4;
    }
    int rowHeight = fh * scale;
    if (element.LeftWidth + element.RightWidth + element.TopHeight + element.BottomHeight > 0) {
        // Stretched only across the margins it has, as the painters use it.
        const int w = element.LeftWidth + element.RightWidth > 0 ? std::max(3 * fw, 90) : fw;
        const int h = element.TopHeight + element.BottomHeight > 0
                          ? std::max(fh, 2 * (element.TopHeight + element.BottomHeight) + 8)
                          : fh;
        if (x + 16 + w <= kSheetWidth - kGap) {
            const RECT stretched{x + 16, y, x + 16 + w, y + h};
            Checker(dc, stretched);
            Element(dc, stretched, &element, 1, vertical, true);
            rowHeight = std::max(rowHeight, h);
        }
    }
    return y + rowHeight + kGap;
}

int Preview(const std::vector<std::string>& args)
{
    if (args.size() != 2) return UsageError("preview");
    skin::TSkinData skin(nullptr);
    skin.SetSkinFile(std::filesystem::path(args[0]).wstring());
    if (skin.SkinEmpty()) throw std::runtime_error(args[0] + " is not a readable skin package");
    const skin::TSkinElements& e = skin.Elements();

    // Measure first: rows depend on the elements' sizes.
    int height = 300;
    e.ForEachElement([&](const skin::TDataSkinObject& element) {
        const int fh = StackedFrames(e, element) ? element.FrameHeight() : element.Image.Height();
        height += 16 + std::max(fh * 2, 2 * (element.TopHeight + element.BottomHeight) + 8) + kGap;
    });
    ui::TBitmap sheet(kSheetWidth, height, ui::TPixelFormat::pf24bit);
    ui::TCanvas& canvas = sheet.Canvas();
    Fill(canvas.Handle(), RECT{0, 0, kSheetWidth, height}, kSheet);
    Text(canvas, kGap, 6, L"Skin \"" + Widen(e.SkinName) + L"\"", ui::RGBColor(255, 255, 255));
    const int windowHeight = DrawWindow(canvas, skin, kGap, 28, true);
    DrawWindow(canvas, skin, kGap + 470 + 24, 28, false);
    int y = 28 + windowHeight + 2 * kGap;
    int count = 0;
    e.ForEachElement([&](const skin::TDataSkinObject& element) {
        y = DrawElementRow(canvas, e, element, y);
        ++count;
    });
    sheet.SetSize(kSheetWidth, std::min(height, y));
    sheet.SaveToFile(std::filesystem::path(args[1]).wstring());
    std::printf("%s: %d elements drawn, %dx%d\n", args[1].c_str(), count, sheet.Width(), sheet.Height());
    return 0;
}

const TCommandRegistrar registrar({"preview", "<package> <picture.bmp>",
                                   "draws every element and frame of the package into one bitmap (Windows)",
                                   Preview});

}  // namespace

}  // namespace skintool

#endif
