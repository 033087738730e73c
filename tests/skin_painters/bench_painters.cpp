// How long the skin's pictures of scroll bars, progress bars, tab strips, status bars and
// headers take against the system drawing the same controls (WM_PRINTCLIENT into a bitmap),
// with the default skin at the sizes the main window uses.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>

#include "skin/controls/BarSkins.h"
#include "skin/controls/BoxSkins.h"
#include "skin/data/SkinData.h"
#include "support/BenchTiming.h"

namespace {

double MicrosecondsPer(int rounds, const std::function<void()>& body)
{
    return testing_support::TimePer<std::micro>(rounds, body, 1);
}

void Report(const char* what, double skinned, double system)
{
    std::printf("%-28s skin %8.1f us   system %8.1f us   ratio %.2f\n", what, skinned, system, skinned / system);
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    skin::TSkinData skin(nullptr);
    if (!skin.ReadSkinResource(GetModuleHandleW(nullptr), L"SKINSTREAM")) return 1;
    const skin::TSkinElements& e = skin.Elements();
    const HWND host = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                      nullptr, nullptr, nullptr);
    const auto make = [host](const wchar_t* type, DWORD style, int w, int h) {
        return CreateWindowExW(0, type, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, w, h, host, nullptr, nullptr, nullptr);
    };
    ui::TBitmap target(800, 600);
    const HDC dc = target.Canvas().Handle();
    const auto system = [dc](HWND window) {
        return MicrosecondsPer(1000, [&] { SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                                                        PRF_CLIENT | PRF_ERASEBKGND); });
    };
    constexpr int kRounds = 1000;

    const HWND bar = make(WC_SCROLLBARW, SBS_VERT, 17, 400);
    SCROLLINFO range{sizeof range, SIF_ALL, 0, 100, 20, 30, 0};
    SetScrollInfo(bar, SB_CTL, &range, TRUE);
    skin::TScrollBarLook look;
    look.Vertical = true;
    look.Arrow = GetSystemMetrics(SM_CXHSCROLL);
    look.Thumb = skin::StandaloneThumb(400, look.Arrow, 0, 100, 20, 30);
    // A scroll-bar control does not print itself: both sides paint the window on screen.
    const HDC barDc = GetDC(bar);
    Report("scroll bar 17x400",
           MicrosecondsPer(kRounds, [&] { skin::PaintScrollBar(barDc, RECT{0, 0, 17, 400}, e, look); }),
           MicrosecondsPer(kRounds, [&] { RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }));
    ReleaseDC(bar, barDc);

    const HWND progress = make(PROGRESS_CLASSW, 0, 600, 18);
    SendMessageW(progress, PBM_SETPOS, 60, 0);
    Report("progress 600x18", MicrosecondsPer(kRounds, [&] { skin::PaintProgressWindow(dc, progress, e); }),
           system(progress));

    const HWND tab = make(WC_TABCONTROLW, 0, 760, 500);
    for (int k = 0; k < 2; ++k) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(k ? L"\x8D44\x6599\x7BA1\x7406" : L"\x5FEB\x901F\x6574\x7406");
        SendMessageW(tab, TCM_INSERTITEMW, k, reinterpret_cast<LPARAM>(&item));
    }
    Report("tab strip and pane 760x500", MicrosecondsPer(kRounds, [&] {
               skin::PaintTabControlWindow(dc, tab, e, e.Color(skin::csButtonFace), false, nullptr);
           }),
           system(tab));

    const HWND status = make(STATUSCLASSNAMEW, SBARS_SIZEGRIP, 0, 0);
    const int parts[] = {200, 420, -1};
    SendMessageW(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    Report("status bar, 3 panels", MicrosecondsPer(kRounds, [&] { skin::PaintStatusBarWindow(dc, status, e); }),
           system(status));

    const HWND header = make(WC_HEADERW, HDS_HORZ, 600, 24);
    for (int k = 0; k < 4; ++k) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.cxy = 120;
        item.pszText = const_cast<wchar_t*>(L"\x6807\x9898");
        SendMessageW(header, HDM_INSERTITEMW, k, reinterpret_cast<LPARAM>(&item));
    }
    Report("header, 4 sections", MicrosecondsPer(kRounds, [&] { skin::PaintHeaderWindow(dc, header, e, 1, nullptr); }),
           system(header));
    DestroyWindow(host);
    return 0;
}
