#include "ui/UtilityWindow.h"

#include "ui/Exception.h"

namespace ui {

namespace {

UtilityTimerHandler g_timer_handler = nullptr;

LRESULT CALLBACK UtilityWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER && g_timer_handler) {
        Guarded([&] { g_timer_handler(static_cast<UINT_PTR>(wParam)); });
        return 0;
    }
    return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

HWND UtilityWindow()
{
    static const HWND window = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = UtilityWndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MjUtilityWindow";
        RegisterClassExW(&wc);
        return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    return window;
}

void SetUtilityTimerHandler(UtilityTimerHandler handler) { g_timer_handler = handler; }

}  // namespace ui
