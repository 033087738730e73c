// mj_skingen: draws the bitmaps of the default skin ("Inkpaper") and of the program's own
// bitmap resources.
//
//   mj_skingen <description.ini> <out-dir>   every bitmap the description names, plus the
//                                            description itself, into out-dir
//   mj_skingen --resources <out-dir>         track.bmp, trackvert.bmp and skinglyphs.bmp
//
// The description decides which bitmaps exist and how they are cut; this file decides what
// they look like. A name without a drawer, or a drawer the description does not use, is an
// error, so the two never drift apart.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "skin/data/QuickIni.h"
#include "skin/data/SkinElementRules.h"
#include "skins/Raster.h"

namespace skingen {
namespace {

// Palette: letter paper, ink and one seal red.
constexpr Rgb kPaper{247, 243, 234};
constexpr Rgb kFace{241, 236, 225};
constexpr Rgb kLine{196, 184, 162};
constexpr Rgb kLineDark{168, 156, 136};
constexpr Rgb kInk{38, 42, 50};
constexpr Rgb kInk2{58, 66, 82};
constexpr Rgb kBlue{62, 84, 120};
constexpr Rgb kSeal{176, 46, 38};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kDisabledFill{238, 235, 229};
constexpr Rgb kDisabledLine{214, 208, 198};
constexpr Rgb kDisabledInk{172, 164, 152};

// Frame numbers of state images.
constexpr int kNormal = 1, kPressed = 2, kDisabled = 3, kHot = 4, kFocused = 5;

constexpr int kCaptionHeight = 30;

// The title bar's colour at row y; the side borders repeat it so the corners join.
Rgb CaptionRow(int y, bool active)
{
    if (y == 0) return active ? Rgb{24, 26, 32} : Rgb{110, 104, 95};
    if (y == kCaptionHeight - 1) return active ? Rgb{36, 40, 50} : Rgb{120, 114, 104};
    // Inactive: a darker paper brown, still light enough to tell apart, dark enough for its text.
    const Rgb top = active ? Rgb{70, 79, 97} : Rgb{142, 135, 124};
    const Rgb bottom = active ? Rgb{44, 50, 62} : Rgb{122, 116, 106};
    return Mix(bottom, top, (y - 1) / double(kCaptionHeight - 3));
}

struct BorderTones {
    Rgb outline, body, inner;
};
BorderTones Border(bool active)
{
    if (active) return {{24, 26, 32}, {52, 60, 75}, {36, 40, 50}};
    return {{110, 104, 95}, {140, 133, 122}, {120, 114, 104}};
}

Raster Top()
{
    return Strip(2, 120, kCaptionHeight, true, [](Raster& c, int f) {
        c.Fill(0, 0, c.Width(), c.Height(), [f](int, int y) { return CaptionRow(y, f == 1); });
    });
}

// Left border: the caption's height, a body and a 4-row foot; the top corner is rounded and
// cut out with magenta, which also gives the window its outline.
void LeftCell(Raster& c, bool active)
{
    const BorderTones t = Border(active);
    const int foot = c.Height() - 4;
    for (int y = 0; y < c.Height(); ++y) {
        c.Set(0, y, t.outline);
        for (int x = 1; x < 4; ++x) {
            Rgb v = y < kCaptionHeight ? CaptionRow(y, active) : (x == 3 ? t.inner : t.body);
            if (y == foot && x >= 1) v = x == 3 ? t.inner : t.body;
            if (y == c.Height() - 1) v = t.outline;
            c.Set(x, y, v);
        }
    }
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const double dx = x + 0.5 - 4, dy = y + 0.5 - 4;
            const double d = dx * dx + dy * dy;
            if (d > 16) c.Set(x, y, Magenta);
            else if (d > 9) c.Set(x, y, t.outline);
        }
    }
    c.Set(0, c.Height() - 1, Magenta);
}

Raster Side(bool mirrored)
{
    return Strip(2, 4, kCaptionHeight + 24, false, [mirrored](Raster& c, int f) {
        LeftCell(c, f == 1);
        if (mirrored) c.Mirror();
    });
}

Raster Bottom()
{
    return Strip(2, 60, 4, true, [](Raster& c, int f) {
        const BorderTones t = Border(f == 1);
        c.Fill(0, 0, c.Width(), 1, Solid(t.inner));
        c.Fill(0, 1, c.Width(), 3, Solid(t.body));
        c.Fill(0, 3, c.Width(), 4, Solid(t.outline));
    });
}

// Behind the caption text: a small square seal in the left cap, the rest transparent.
Raster TextBack()
{
    return Strip(2, 28, kCaptionHeight, true, [](Raster& c, int f) {
        const Rgb seal = f == 1 ? kSeal : Rgb{150, 116, 108};
        const Rgb mark = f == 1 ? Rgb{246, 222, 214} : Rgb{208, 192, 186};
        const int x = 5, y = (kCaptionHeight - 10) / 2;
        c.RoundFill(x, y, x + 10, y + 10, 1.5, Solid(seal), false);
        for (int i = 2; i < 8; ++i) {
            c.Set(x + i, y + 2, mark);
            c.Set(x + i, y + 7, mark);
            c.Set(x + 2, y + i, mark);
            c.Set(x + 7, y + i, mark);
        }
        c.Set(x + 4, y + 4, mark);
        c.Set(x + 5, y + 5, mark);
    });
}

Raster MenuBar()
{
    return Strip(2, 40, 20, true, [](Raster& c, int f) {
        const Rgb top = f == 1 ? Rgb{240, 234, 221} : Rgb{236, 232, 224};
        const Rgb bottom = f == 1 ? Rgb{232, 224, 208} : Rgb{230, 226, 218};
        c.Fill(0, 0, c.Width(), c.Height() - 1, Vertical(top, bottom, 0, c.Height() - 1));
        c.Fill(0, c.Height() - 1, c.Width(), c.Height(), Solid(kLine));
    });
}

// Caption glyphs on a square of side s at (x, y).
void CrossGlyph(Raster& c, int x, int y, int s, Rgb ink)
{
    for (int i = 0; i < s - 1; ++i) {
        c.Set(x + i, y + i, ink);
        c.Set(x + i + 1, y + i, ink);
        c.Set(x + s - 2 - i, y + i, ink);
        c.Set(x + s - 1 - i, y + i, ink);
    }
}

void WindowGlyph(Raster& c, int x, int y, int w, int h, Rgb ink)
{
    c.Fill(x, y, x + w, y + 2, Solid(ink));
    c.Fill(x, y + h - 1, x + w, y + h, Solid(ink));
    c.Fill(x, y, x + 1, y + h, Solid(ink));
    c.Fill(x + w - 1, y, x + w, y + h, Solid(ink));
}

void MaxGlyph(Raster& c, int x, int y, int s, Rgb ink) { WindowGlyph(c, x, y, s, s - 1, ink); }

void MinGlyph(Raster& c, int x, int y, int s, Rgb ink) { c.Fill(x, y + s - 3, x + s, y + s - 1, Solid(ink)); }

// Two windows, the front one hiding the back one's corner: `back` is what lies behind.
void RestoreGlyph(Raster& c, int x, int y, int s, Rgb ink, const Shade& back)
{
    const int w = s - 3;
    WindowGlyph(c, x + 3, y, w, w - 1, ink);
    c.Fill(x, y + 3, x + w, y + 3 + w - 1, back);
    WindowGlyph(c, x, y + 3, w, w - 1, ink);
}

void HelpGlyph(Raster& c, int x, int y, Rgb ink)
{
    static constexpr const char* rows[] = {".###.", "#...#", "....#", "...#.", "..#..", "..#..", ".....", "..#.."};
    for (int r = 0; r < 8; ++r)
        for (int k = 0; k < 5; ++k)
            if (rows[r][k] == '#') c.Set(x + k, y + r, ink);
}

enum class Glyph { Close, Max, Restore, Min, Help };

// Caption buttons, 4 frames: normal, pressed, hot, inactive or disabled.
Raster CaptionButton(Glyph glyph)
{
    return Strip(4, 28, 20, false, [glyph](Raster& c, int f) {
        const bool close = glyph == Glyph::Close;
        Shade back = Solid(Magenta);
        if (f == 2) {
            c.RoundFill(1, 0, 27, 20, 3, Solid(close ? Rgb{140, 36, 30} : Rgb{32, 36, 45}), false);
            back = Solid(close ? Rgb{140, 36, 30} : Rgb{32, 36, 45});
        } else if (f == 3) {
            c.RoundFill(1, 0, 27, 20, 3, Solid(close ? kSeal : Rgb{86, 97, 118}), false);
            back = Solid(close ? kSeal : Rgb{86, 97, 118});
        }
        const Rgb ink = f == 4 ? Rgb{206, 200, 190} : Rgb{240, 236, 226};
        const int s = 10, x = 9, y = 5;
        switch (glyph) {
        case Glyph::Close: CrossGlyph(c, x, y, s, ink); break;
        case Glyph::Max: MaxGlyph(c, x, y, s, ink); break;
        case Glyph::Restore: RestoreGlyph(c, x, y, s, ink, back); break;
        case Glyph::Min: MinGlyph(c, x, y, s, ink); break;
        case Glyph::Help: HelpGlyph(c, x + 2, y + 1, ink); break;
        }
    });
}

// The three controls of a maximised child in the menu bar: minimise, restore, close, each 4
// frames of 16 x 16 (normal, pressed, normal, hot).
Raster MdiControls()
{
    Raster all(192, 16);
    const Glyph glyphs[] = {Glyph::Min, Glyph::Restore, Glyph::Close};
    for (int k = 0; k < 3; ++k) {
        all.Paste(Strip(4, 16, 16, false, [&](Raster& c, int f) {
                      Shade back = Solid(Magenta);
                      if (f == 2 || f == 4) {
                          back = Solid(f == 2 ? Rgb{224, 214, 194} : Rgb{253, 250, 244});
                          c.Box(0, 0, 16, 16, 2, f == 2 ? kInk2 : kLineDark, back);
                      }
                      const int s = 8, x = 4, y = 4;
                      if (glyphs[k] == Glyph::Min) MinGlyph(c, x, y, s, kInk);
                      if (glyphs[k] == Glyph::Restore) RestoreGlyph(c, x, y, s, kInk, back);
                      if (glyphs[k] == Glyph::Close) CrossGlyph(c, x, y, s, kInk);
                  }),
                  64 * k, 0);
    }
    return all;
}

// Push buttons: 5 frames.
Raster PushButton()
{
    return Strip(5, 36, 24, false, [](Raster& c, int f) {
        const int w = c.Width(), h = c.Height();
        switch (f) {
        case kNormal: c.Box(0, 0, w, h, 3, Rgb{176, 164, 142}, Vertical({253, 251, 246}, {238, 232, 219}, 1, h - 1)); break;
        case kPressed: c.Box(0, 0, w, h, 3, kInk2, Vertical({220, 211, 193}, {232, 225, 210}, 1, h - 1)); break;
        case kDisabled: c.Box(0, 0, w, h, 3, kDisabledLine, Solid(kDisabledFill)); break;
        case kHot: c.Box(0, 0, w, h, 3, Rgb{128, 116, 98}, Vertical({255, 254, 251}, {246, 241, 231}, 1, h - 1)); break;
        case kFocused:
            c.Box(0, 0, w, h, 3, kBlue, Vertical({253, 251, 246}, {238, 232, 219}, 1, h - 1));
            c.Box(1, 1, w - 1, h - 1, 2, Mix(kBlue, kWhite, 0.45), Vertical({253, 251, 246}, {238, 232, 219}, 2, h - 2));
            break;
        }
    });
}

// Check box and radio cells: unchecked, checked, unchecked disabled, checked disabled.
Raster CheckBoxes()
{
    return Strip(4, 16, 16, false, [](Raster& c, int f) {
        const bool disabled = f >= 3, checked = f % 2 == 0;
        const Rgb line = disabled ? kDisabledLine : checked ? kBlue : Rgb{150, 138, 118};
        c.Box(1, 1, 14, 14, 2, line, disabled ? Solid(kDisabledFill) : Vertical(kWhite, {244, 240, 232}, 2, 13));
        if (!checked) return;
        const Rgb ink = disabled ? kDisabledInk : kInk;
        const int pts[][2] = {{4, 7}, {5, 8}, {6, 9}, {7, 8}, {8, 7}, {9, 6}, {10, 5}, {11, 4}};
        for (const auto& p : pts) {
            c.Set(p[0], p[1], ink);
            c.Set(p[0], p[1] + 1, ink);
        }
    });
}

Raster Radios()
{
    return Strip(4, 16, 16, false, [](Raster& c, int f) {
        const bool disabled = f >= 3, checked = f % 2 == 0;
        const Rgb line = disabled ? kDisabledLine : checked ? kBlue : Rgb{150, 138, 118};
        c.Box(1, 1, 14, 14, 6.5, line, disabled ? Solid(kDisabledFill) : Vertical(kWhite, {244, 240, 232}, 2, 13));
        if (checked) c.RoundFill(5, 5, 10, 10, 2.5, Solid(disabled ? kDisabledInk : kInk), true);
    });
}

Raster Progress()
{
    return Strip(2, 24, 14, false, [](Raster& c, int f) {
        if (f == 1)
            c.Box(0, 0, 24, 14, 3, Rgb{190, 178, 156}, Vertical({226, 218, 202}, {236, 230, 217}, 1, 13));
        else
            c.Box(0, 0, 24, 14, 3, Rgb{44, 62, 92}, Vertical({104, 126, 162}, kBlue, 1, 13));
    });
}

// A rounded outline whose inside stays transparent.
void Outline(Raster& c, int x0, int y0, int x1, int y1, double r, Rgb line)
{
    c.RoundFill(x0, y0, x1, y1, r, Solid(line), false);
    c.RoundFill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r - 1, Solid(Magenta), false);
}

Raster GroupBoxEdge()
{
    return Strip(2, 24, 24, false,
                 [](Raster& c, int f) { Outline(c, 0, 0, 24, 24, 4, f == 1 ? kLine : kDisabledLine); });
}

Raster GroupBoxLabel()
{
    Raster c(24, 18);
    c.Box(0, 0, 24, 18, 3, kLine, Solid(kPaper));
    return c;
}

// Tabs: rounded at the top, open at the bottom; the selected one carries the seal line.
Raster Tabs()
{
    return Strip(5, 40, 24, false, [](Raster& c, int f) {
        const int w = c.Width(), h = c.Height();
        const bool selected = f == kPressed || f == kFocused;
        const Rgb line = selected ? kLineDark : f == kDisabled ? kDisabledLine : kLine;
        Shade inner = Vertical({236, 229, 215}, {228, 220, 204}, 1, h);
        if (selected) inner = Solid(kPaper);
        if (f == kHot) inner = Vertical({250, 246, 238}, {240, 234, 222}, 1, h);
        if (f == kDisabled) inner = Solid(kDisabledFill);
        c.Box(0, selected ? 0 : 2, w, h + 6, 4, line, inner);
        // The focused page keeps the selected look and adds an ink ring inside the tab.
        if (f == kFocused) c.Box(1, 1, w - 1, h + 5, 3, Mix(kBlue, kWhite, 0.7), inner);
        if (selected) {
            c.RoundFill(1, 1, w - 1, 4, 2, Solid(kSeal), true);
            c.Fill(1, 3, w - 1, 4, Solid(kPaper));
        } else {
            c.Fill(0, h - 1, w, h, Solid(kLineDark));
        }
    });
}

Raster TabPane()
{
    Raster c(24, 24);
    c.Fill(0, 0, 24, 24, Solid(kLineDark));
    c.Fill(1, 1, 23, 23, Solid(kPaper));
    return c;
}

// Status panels: lowered, raised, none.
Raster StatusBar()
{
    return Strip(3, 12, 12, false, [](Raster& c, int f) {
        c.Fill(0, 0, 12, 12, Solid(kFace));
        if (f == 3) return;
        const Rgb light = Rgb{253, 251, 246}, dark = Rgb{190, 178, 156};
        const Rgb a = f == 1 ? dark : light, b = f == 1 ? light : dark;
        c.Fill(0, 0, 12, 1, Solid(a));
        c.Fill(0, 0, 1, 12, Solid(a));
        c.Fill(0, 11, 12, 12, Solid(b));
        c.Fill(11, 0, 12, 12, Solid(b));
    });
}

Raster ToolButtons()
{
    return Strip(5, 24, 24, false, [](Raster& c, int f) {
        if (f == kPressed) c.Box(0, 0, 24, 24, 3, kInk2, Solid({224, 214, 194}));
        if (f == kHot) c.Box(0, 0, 24, 24, 3, kLineDark, Vertical({255, 254, 251}, {244, 238, 227}, 1, 23));
        if (f == kFocused) c.Box(0, 0, 24, 24, 3, kBlue, Solid(kPaper));
    });
}

// The edit frame the combo box is composed from: 1 normal, 2 pressed, 3 disabled, 4 focused.
Raster SunkEdge()
{
    return Strip(4, 20, 21, false, [](Raster& c, int f) {
        const int w = c.Width(), h = c.Height();
        const Rgb line = f == kPressed ? kInk2 : f == kDisabled ? kDisabledLine : f == kHot ? kBlue : kLine;
        c.Fill(0, 0, w, h, Solid(line));
        c.Fill(1, 1, w - 1, h - 1, Solid(f == kDisabled ? kDisabledFill : Rgb{255, 254, 251}));
        if (f == kHot) {
            c.Fill(1, 1, w - 1, 2, Solid(Mix(kBlue, kWhite, 0.3)));
            c.Fill(1, h - 2, w - 1, h - 1, Solid(Mix(kBlue, kWhite, 0.3)));
            c.Fill(1, 1, 2, h - 1, Solid(Mix(kBlue, kWhite, 0.3)));
            c.Fill(w - 2, 1, w - 1, h - 1, Solid(Mix(kBlue, kWhite, 0.3)));
        }
    });
}

// The combo box button sits inside the edit frame, which shows round it.
Raster ComboButton()
{
    return Strip(4, 18, 21, false, [](Raster& c, int f) {
        const int w = c.Width(), h = c.Height();
        Shade fill = Vertical({248, 244, 236}, {236, 230, 217}, 2, h - 2);
        if (f == kPressed) fill = Solid({226, 217, 199});
        if (f == kDisabled) fill = Solid(kDisabledFill);
        if (f == kHot) fill = Vertical({255, 254, 251}, {242, 236, 224}, 2, h - 2);
        c.Fill(2, 2, w - 2, h - 2, fill);
        c.Fill(2, 2, 3, h - 2, Solid(f == kDisabled ? kDisabledLine : kLine));
    });
}

// Arrow glyphs of the combo button (normal, pressed, disabled, hot) and the size grip.
Raster ExtraImages()
{
    return Strip(5, 12, 12, false, [](Raster& c, int f) {
        if (f == 5) {
            for (int k = 0; k < 3; ++k)
                for (int j = 0; j <= k; ++j) c.Fill(9 - 3 * j, 3 + 3 * k, 11 - 3 * j, 5 + 3 * k, Solid(kLineDark));
            return;
        }
        const Rgb ink = f == kDisabled ? kDisabledInk : f == kHot ? kBlue : kInk;
        c.Arrow(6, f == kPressed ? 7 : 6, 4, Dir::Down, ink);
    });
}

Raster Header()
{
    return Strip(2, 20, 20, false, [](Raster& c, int f) {
        const int w = c.Width(), h = c.Height();
        if (f == 1) c.Fill(0, 0, w, h, Vertical({249, 246, 239}, {236, 229, 216}, 0, h));
        else c.Fill(0, 0, w, h, Vertical({255, 253, 248}, {244, 238, 227}, 0, h));
        c.Fill(0, h - 1, w, h, Solid(f == 1 ? kLine : kBlue));
        c.Fill(w - 1, 4, w, h - 4, Solid({214, 204, 186}));
    });
}

// Menu items: 1 normal (transparent), 2 separator (a line in the lower rows, which short
// separator items use), 4 selected.
Raster MenuItem()
{
    return Strip(5, 24, 22, false, [](Raster& c, int f) {
        if (f == 2) c.Fill(2, 18, 22, 19, Solid({214, 204, 186}));
        if (f == kHot) c.RoundFill(1, 0, 23, 22, 3, Vertical({74, 97, 134}, {58, 78, 112}, 0, 22), false);
    });
}

Raster MenuBackground()
{
    Raster c(24, 24);
    c.Fill(0, 0, 24, 24, Solid(kLineDark));
    c.Fill(1, 1, 23, 23, Solid({251, 248, 241}));
    return c;
}

// 23 cells: arrows left, right, up, down (normal, pressed, disabled, hot each), grips of the
// horizontal and of the vertical thumb (normal, pressed, hot), and one spare.
Raster ScrollBar()
{
    return Strip(23, 17, 17, false, [](Raster& c, int cell) {
        if (cell <= 16) {
            const int state = (cell - 1) % 4 + 1;
            const Dir dirs[] = {Dir::Left, Dir::Right, Dir::Up, Dir::Down};
            const Dir dir = dirs[(cell - 1) / 4];
            Rgb line{206, 196, 178};
            Shade fill = Vertical({248, 245, 237}, {237, 231, 219}, 2, 15);
            Rgb ink = kInk2;
            if (state == kPressed) {
                fill = Solid({222, 212, 193});
                ink = kInk;
            } else if (state == kDisabled) {
                line = kDisabledLine;
                fill = Solid(kDisabledFill);
                ink = kDisabledInk;
            } else if (state == kHot) {
                line = kLineDark;
                fill = Vertical({255, 254, 251}, {244, 238, 227}, 2, 15);
                ink = kBlue;
            }
            c.Box(1, 1, 16, 16, 3, line, fill);
            c.Arrow(8, 8, 4, dir, ink);
            return;
        }
        if (cell == 23) return;
        const int state = (cell - 17) % 3;
        const Rgb ink = state == 0 ? Rgb{160, 148, 128} : state == 1 ? Rgb{110, 100, 86} : kBlue;
        const bool horizontalThumb = cell <= 19;
        for (int k = -1; k <= 1; ++k) {
            if (horizontalThumb) c.Fill(8 + 2 * k, 5, 9 + 2 * k, 12, Solid(ink));
            else c.Fill(5, 8 + 2 * k, 12, 9 + 2 * k, Solid(ink));
        }
    });
}

Raster Transposed(const Raster& source)
{
    Raster t(source.Height(), source.Width());
    for (int y = 0; y < source.Height(); ++y)
        for (int x = 0; x < source.Width(); ++x) t.Set(y, x, source.Get(x, y));
    return t;
}

// A transposed copy of each cell of a strip, the cells staying side by side.
Raster TransposedCells(const Raster& strip, int frames)
{
    const int w = strip.Width() / frames, h = strip.Height();
    return Strip(frames, h, w, false, [&](Raster& c, int f) {
        Raster cell(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) cell.Set(x, y, strip.Get((f - 1) * w + x, y));
        c.Paste(Transposed(cell), 0, 0);
    });
}

// Scroll tracks: 1 enabled, 2 pressed, 3 disabled, 4 as 1.
Raster HorzTrack()
{
    return Strip(4, 20, 17, false, [](Raster& c, int f) {
        const Rgb fill = f == 2 ? Rgb{226, 218, 202} : f == 3 ? Rgb{243, 240, 234} : Rgb{236, 230, 218};
        c.Fill(0, 0, 20, 17, Solid(fill));
        c.Fill(0, 0, 20, 1, Solid({224, 216, 200}));
    });
}

// Thumbs: 1 normal, 2 pressed, 3 hot; a little thinner than the track.
Raster HorzThumb()
{
    return Strip(3, 24, 17, false, [](Raster& c, int f) {
        Rgb line{176, 164, 142};
        Shade fill = Vertical({251, 248, 241}, {238, 232, 220}, 3, 14);
        if (f == 2) fill = Solid({214, 204, 186});
        if (f == 3) {
            line = Rgb{128, 116, 98};
            fill = Vertical({255, 254, 251}, {244, 238, 227}, 3, 14);
        }
        c.Box(0, 2, 24, 15, 4, line, fill);
    });
}

// Track bar thumbs, 5 frames; the painter shows frame 2. Ink like the title bar, so the
// playback position reads at a glance without shouting, with a paper grip along the long side.
Raster Thumb(int w, int h)
{
    return Strip(5, w, h, false, [w, h](Raster& c, int f) {
        if (f == kDisabled) {
            c.Box(0, 0, w, h, 3, kDisabledLine, Solid(kDisabledFill));
            return;
        }
        const Rgb light = f == kHot ? Rgb{100, 118, 150} : Rgb{82, 94, 116};
        const Rgb dark = f == kHot ? kBlue : Rgb{48, 56, 70};
        const bool tall = h > w;
        const Shade body = tall ? Horizontal(light, dark, 1, w - 1) : Vertical(light, dark, 1, h - 1);
        c.Box(0, 0, w, h, 3, Rgb{24, 26, 32}, body);
        if (f == kFocused) c.Box(1, 1, w - 1, h - 1, 2, Mix(kBlue, kWhite, 0.45), body);
        const Rgb grip{226, 220, 206};
        if (tall) c.Fill(w / 2, h / 2 - 3, w / 2 + 1, h / 2 + 3, Solid(grip));
        else c.Fill(w / 2 - 3, h / 2, w / 2 + 3, h / 2 + 1, Solid(grip));
    });
}

// Drawn opaque by the track bar painter: no transparent corners.
Raster Channel(int w, int h)
{
    Raster c(w, h, kFace);
    c.Box(0, 0, w, h, 2, Rgb{190, 178, 156}, Solid({226, 218, 202}));
    return c;
}

// Up-down halves: frames 1-4 the first half (normal, pressed, disabled, hot), 5-8 the second.
Raster UpDown(int w, int h)
{
    return Strip(8, w, h, false, [w, h](Raster& c, int f) {
        const int state = (f - 1) % 4 + 1;
        Rgb line = kLine;
        Shade fill = Vertical({250, 247, 240}, {238, 232, 220}, 1, h - 1);
        if (state == kPressed) fill = Solid({222, 212, 193});
        if (state == kDisabled) {
            line = kDisabledLine;
            fill = Solid(kDisabledFill);
        }
        if (state == kHot) {
            line = kLineDark;
            fill = Vertical({255, 254, 251}, {244, 238, 227}, 1, h - 1);
        }
        c.Box(0, 0, w, h, 2, line, fill);
    });
}

Raster UpDownGlyphs(int w, int h, Dir first, Dir second)
{
    return Strip(8, w, h, false, [=](Raster& c, int f) {
        const int state = (f - 1) % 4 + 1;
        const Rgb ink = state == kDisabled ? kDisabledInk : state == kHot ? kBlue : kInk;
        const bool vertical = first == Dir::Up;
        c.Arrow(w / 2, h / 2, vertical ? h - 1 : w - 1, f <= 4 ? first : second, ink);
    });
}

using Drawer = std::function<Raster()>;

const std::map<std::string, Drawer>& Drawers()
{
    static const std::map<std::string, Drawer> drawers{
        {"top.bmp", Top},
        {"left.bmp", [] { return Side(false); }},
        {"right.bmp", [] { return Side(true); }},
        {"bottom.bmp", Bottom},
        {"textback.bmp", TextBack},
        {"menubar.bmp", MenuBar},
        {"btnclose.bmp", [] { return CaptionButton(Glyph::Close); }},
        {"btnmax.bmp", [] { return CaptionButton(Glyph::Max); }},
        {"btnrestore.bmp", [] { return CaptionButton(Glyph::Restore); }},
        {"btnmin.bmp", [] { return CaptionButton(Glyph::Min); }},
        {"btnhelp.bmp", [] { return CaptionButton(Glyph::Help); }},
        {"mdicontrols.bmp", MdiControls},
        {"button.bmp", PushButton},
        {"checkbox.bmp", CheckBoxes},
        {"radio.bmp", Radios},
        {"progress.bmp", Progress},
        {"groupboxedge.bmp", GroupBoxEdge},
        {"groupbox.bmp", GroupBoxLabel},
        {"tabs.bmp", Tabs},
        {"tabpane.bmp", TabPane},
        {"statusbar.bmp", StatusBar},
        {"toolbar.bmp", ToolButtons},
        {"combobutton.bmp", ComboButton},
        {"sunkedge.bmp", SunkEdge},
        {"extraimages.bmp", ExtraImages},
        {"header.bmp", Header},
        {"menuitem.bmp", MenuItem},
        {"menubg.bmp", MenuBackground},
        {"scrollbar.bmp", ScrollBar},
        {"hscroll.bmp", HorzTrack},
        {"vscroll.bmp", [] { return TransposedCells(HorzTrack(), 4); }},
        {"hthumb.bmp", HorzThumb},
        {"vthumb.bmp", [] { return TransposedCells(HorzThumb(), 3); }},
        {"thumbhorz.bmp", [] { return Thumb(11, 20); }},
        {"thumbvert.bmp", [] { return Thumb(20, 11); }},
        {"thumbup.bmp", [] { return Thumb(11, 20); }},
        {"thumbdown.bmp", [] { return Thumb(11, 20); }},
        {"thumbleft.bmp", [] { return Thumb(20, 11); }},
        {"thumbright.bmp", [] { return Thumb(20, 11); }},
        {"channel.bmp", [] { return Channel(24, 6); }},
        {"channelvert.bmp", [] { return Channel(6, 24); }},
        {"updownh.bmp", [] { return UpDown(14, 18); }},
        {"updownhglyph.bmp", [] { return UpDownGlyphs(5, 9, Dir::Left, Dir::Right); }},
        {"updownv.bmp", [] { return UpDown(18, 11); }},
        {"updownvglyph.bmp", [] { return UpDownGlyphs(9, 5, Dir::Up, Dir::Down); }},
    };
    return drawers;
}

// The program's own bitmap resources.
Raster TrackResource(bool vertical)
{
    const auto draw = [](const auto& rows) {
        Raster c(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
        for (int y = 0; y < c.Height(); ++y) {
            for (int x = 0; x < c.Width(); ++x) {
                const auto v = skin::TrackPixelColor(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
                c.Set(x, y, {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
                             static_cast<std::uint8_t>((v >> 16) & 0xFF)});
            }
        }
        return c;
    };
    return vertical ? draw(skin::TrackVertPixels) : draw(skin::TrackPixels);
}

// System-menu glyphs, black on white (white is their transparent colour): restore,
// maximise, minimise, close.
Raster SkinGlyphs()
{
    Raster c(64, 16, kWhite);
    const Rgb black{0, 0, 0};
    RestoreGlyph(c, 3, 3, 10, black, Solid(kWhite));
    MaxGlyph(c, 16 + 3, 3, 10, black);
    MinGlyph(c, 32 + 3, 3, 10, black);
    CrossGlyph(c, 48 + 3, 3, 10, black);
    return c;
}

bool Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every value of the description that names a bitmap.
std::set<std::string> NamedBitmaps(const std::string& description)
{
    skin::TQuickIni ini;
    ini.LoadFromText(description);
    std::set<std::string> names;
    for (const std::string& line : ini.Lines()) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string value = line.substr(eq + 1);
        value.erase(0, value.find_first_not_of(" \t"));
        const std::string name = skin::SkinBitmapName(value);
        if (!name.empty()) names.insert(name);
    }
    return names;
}

int Generate(const std::filesystem::path& descriptionPath, const std::filesystem::path& outDir)
{
    const std::string description = ReadText(descriptionPath);
    if (description.empty()) {
        std::fprintf(stderr, "mj_skingen: cannot read %s\n", descriptionPath.string().c_str());
        return 1;
    }
    const std::set<std::string> names = NamedBitmaps(description);
    int failures = 0;
    for (const auto& [name, draw] : Drawers()) {
        if (!names.contains(name)) {
            std::fprintf(stderr, "mj_skingen: %s is drawn but not named by the description\n", name.c_str());
            ++failures;
        }
    }
    std::filesystem::create_directories(outDir);
    for (const std::string& name : names) {
        const auto found = Drawers().find(name);
        if (found == Drawers().end()) {
            std::fprintf(stderr, "mj_skingen: no drawing for %s\n", name.c_str());
            ++failures;
            continue;
        }
        if (!Write(outDir / name, found->second().Bmp())) ++failures;
    }
    const std::vector<std::uint8_t> text(description.begin(), description.end());
    if (!Write(outDir / descriptionPath.filename(), text)) ++failures;
    return failures == 0 ? 0 : 1;
}

int GenerateResources(const std::filesystem::path& outDir)
{
    std::filesystem::create_directories(outDir);
    const bool ok = Write(outDir / "track.bmp", TrackResource(false).Bmp()) &&
                    Write(outDir / "trackvert.bmp", TrackResource(true).Bmp()) &&
                    Write(outDir / "skinglyphs.bmp", SkinGlyphs().Bmp());
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace skingen

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--resources") return skingen::GenerateResources(argv[2]);
    if (argc == 3) return skingen::Generate(argv[1], argv[2]);
    std::fprintf(stderr, "usage: mj_skingen <description.ini> <out-dir> | --resources <out-dir>\n");
    return 2;
}
