// A bit button repainted through its skin painter against the system repainting a push
// button of the same size, caption and picture; both paint the window on screen, the whole
// cycle from invalidation to the last transfer. The default skin, the main window's size.
#include <windows.h>

#include <cstdio>
#include <functional>

#include "skin/controls/ButtonSkins.h"
#include "skin/data/SkinData.h"
#include "support/BenchTiming.h"
#include "ui/Buttons.h"
#include "ui/Forms.h"

namespace {

constexpr int kRounds = 2000;
constexpr int kWidth = 110, kHeight = 28;

double MicrosecondsPer(const std::function<void()>& body)
{
    return testing_support::TimePer<std::micro>(kRounds, body, 20);
}

void Repaint(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

// Four 16x16 cells, as the main window's glyphs have.
void MakeGlyph(ui::TBitmap& glyph)
{
    glyph.SetSize(4 * 16, 16);
    for (int cell = 0; cell < 4; ++cell) {
        const ui::BrushHandle brush(CreateSolidBrush(RGB(40 * cell, 120, 200)));
        const RECT r{cell * 16 + 3, 3, cell * 16 + 13, 13};
        FillRect(glyph.Canvas().Handle(), &r, brush.get());
    }
}

}  // namespace

int main()
{
    ui::TApplication application(nullptr);
    application.Initialize();
    skin::TSkinData skin(nullptr);
    if (!skin.ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM")) return 1;

    ui::TForm form(nullptr);
    form.SetBounds(20, 20, 300, 120);
    auto* skinned = new ui::TBitBtn(&form);
    skinned->SetBounds(10, 10, kWidth, kHeight);
    skinned->SetCaption(L"播放（空格键）");
    ui::TBitmap glyph;
    MakeGlyph(glyph);
    skinned->SetGlyph(glyph);
    skinned->SetNumGlyphs(4);
    skinned->SetParent(&form);
    form.Show();
    auto* painter = new skin::TSkinBitButton(skinned);
    painter->Init(nullptr, &skin, false);

    // The system's push button with the same caption and picture.
    const HWND system = CreateWindowExW(0, L"button", L"播放（空格键）", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 50,
                                        kWidth, kHeight, form.Handle(), nullptr, nullptr, nullptr);
    SendMessageW(system, WM_SETFONT, reinterpret_cast<WPARAM>(form.Font()->Handle()), FALSE);
    ui::TBitmap picture(16, 16);
    BitBlt(picture.Canvas().Handle(), 0, 0, 16, 16, glyph.Canvas().Handle(), 0, 0, SRCCOPY);
    SendMessageW(system, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.Handle()));
    application.ProcessMessages();

    const double painted = MicrosecondsPer([&] { Repaint(skinned->Handle()); });
    const double native = MicrosecondsPer([&] { Repaint(system); });
    std::printf("bit button %dx%d, %d repaints each\n", kWidth, kHeight, kRounds);
    std::printf("  skin painter   %8.1f us\n  system button  %8.1f us\n  ratio %.2f (aim: at most 2)\n", painted, native,
                painted / native);
    DestroyWindow(system);
    return 0;
}
