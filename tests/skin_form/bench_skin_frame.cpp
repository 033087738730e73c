// Painting the whole skinned frame of the main window against the system painting the frame
// of a plain window of the same size (DefWindowProc, WM_NCPAINT), as a ratio.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "app/Unit1.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/SkinForm.h"
#include "support/ProcessDriver.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

namespace {

constexpr int kWidth = 1000, kHeight = 700, kPaints = 300, kRounds = 15;

void PumpFor(std::chrono::milliseconds duration)
{
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        ui::Application()->ProcessMessages();
        Sleep(5);
    }
}

// Milliseconds per WM_NCPAINT of the whole frame, one round.
double PaintTime(HWND window)
{
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < kPaints; ++k) SendMessageW(window, WM_NCPAINT, 1, 0);
    GdiFlush();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / kPaints;
}

}  // namespace

int main()
{
    ui::TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(app::kApplicationTitle);
    skin::TSkinManagerInstallation skins;
    ui::ScopedMessageBoxService quiet([](const ui::MessageBoxRequest&) { return IDOK; });
    testing_support::ScratchFolder folder(L"mjzs-bench-frame", true);

    auto* form = application.CreateForm<app::TMainForm1>();
    form->SetWindowState(ui::TWindowState::wsNormal);
    form->SetBounds(20, 20, kWidth, kHeight);
    form->Show();
    PumpFor(std::chrono::milliseconds(1500));
    const HWND skinned = form->Handle();
    skin::TWinSkinForm* controller = skin::SkinManage() ? skin::SkinManage()->FindForm(skinned) : nullptr;
    if (!controller || controller->State() != skin::TFormSkinState::Ready) {
        std::fprintf(stderr, "the main window was not skinned\n");
        return 1;
    }

    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MjBenchPlainFrame";
    RegisterClassExW(&wc);
    const HWND plain = CreateWindowExW(0, wc.lpszClassName, app::kApplicationTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                       kWidth, kHeight, nullptr, nullptr, wc.hInstance, nullptr);
    HMENU menu = CreateMenu();
    for (const wchar_t* item : {L"更多功能", L"在线咨询购买建议", L"录音整理服务"}) AppendMenuW(menu, MF_STRING, 1, item);
    SetMenu(plain, menu);
    PumpFor(std::chrono::milliseconds(300));

    // Rounds of each in turn; the fastest round of each counts, so that other work on a
    // shared machine weighs on neither.
    double system = 1e9, ours = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        system = std::min(system, PaintTime(plain));
        ours = std::min(ours, PaintTime(skinned));
    }
    std::printf("whole frame %dx%d with title and menu bar: skinned %.3f ms, system %.3f ms, ratio %.2f (aim at most 0.3)\n",
                kWidth, kHeight, ours, system, ours / system);
    DestroyWindow(plain);
    delete form;
    return 0;
}
