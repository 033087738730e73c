#include <windows.h>

#include "ui/Exception.h"

namespace ui {

namespace {

ExceptionHandler g_handler = nullptr;

}  // namespace

void SetExceptionHandler(ExceptionHandler handler) { g_handler = handler; }

std::wstring Utf8ToWide(const char* text)
{
    if (!text) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring out(static_cast<size_t>(n - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
    return out;
}

std::wstring ExceptionText(const std::exception& failure)
{
    if (auto* e = dynamic_cast<const Exception*>(&failure)) return e->Message();
    return Utf8ToWide(failure.what());
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

void HandleCurrentException() noexcept
{
    try {
        throw;
    } catch (const std::exception& failure) {
        HandleException(failure);
    } catch (...) {
        try {
            HandleException(Exception(L"Unknown failure"));
        } catch (...) {
            // Not even the text could be made: nothing is left to report with.
        }
    }
}

}  // namespace ui
