// Painting the whole skinned frame of the main window against the system painting the frame
// of a plain window of the same size (DefWindowProc, WM_NCPAINT), as a ratio.
#include <windows.h>

#include <cstdio>

#include "app/Unit1.h"
#include "skin/controls/SkinManage.h"
#include "skin/form/SkinForm.h"
#include "support/BenchTiming.h"
#include "support/MessagePump.h"
#include "support/ProcessDriver.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"

namespace {

using namespace std::chrono_literals;

constexpr int kWidth = 1000, kHeight = 700, kPaints = 300, kRounds = 15;

// Milliseconds per WM_NCPAINT of the whole frame.
double PaintTime(HWND window)
{
    return testing_support::TimePer(kPaints, [window] {
        SendMessageW(window, WM_NCPAINT, 1, 0);
        GdiFlush();
    });
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
    testing_support::Pump(1500ms);
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
    testing_support::Pump(300ms);

    const auto [system, ours] = testing_support::FastestRounds<2>(
        kRounds, {[plain] { return PaintTime(plain); }, [skinned] { return PaintTime(skinned); }});
    std::printf("whole frame %dx%d with title and menu bar: skinned %.3f ms, system %.3f ms, ratio %.2f (aim at most 0.3)\n",
                kWidth, kHeight, ours, system, ours / system);
    DestroyWindow(plain);
    delete form;
    return 0;
}
