#include <windows.h>

#include "ui/Exception.h"

namespace ui {

namespace {

ExceptionHandler g_handler = nullptr;

std::wstring FromUtf8(const char* text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring out(static_cast<size_t>(n - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
    return out;
}

}  // namespace

void SetExceptionHandler(ExceptionHandler handler) { g_handler = handler; }

std::wstring ExceptionText(const std::exception& failure)
{
    if (auto* e = dynamic_cast<const Exception*>(&failure)) return e->Message();
    return FromUtf8(failure.what());
}

void HandleException(const std::exception& failure) noexcept
{
    try {
        if (g_handler) {
            g_handler(failure);
            return;
        }
        MessageBoxW(nullptr, ExceptionText(failure).c_str(), L"Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    } catch (...) {
        // A report that fails itself has nowhere left to go.
    }
}

}  // namespace ui
