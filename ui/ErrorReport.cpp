#include <windows.h>

#include <set>
#include <utility>

#include "ui/Exception.h"
#include "ui/Messages.h"

namespace ui {

namespace {

ExceptionHandler g_handler = nullptr;

bool IsPaintingMessage(UINT msg)
{
    switch (msg) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PRINT:
    case WM_PRINTCLIENT:
    case WM_DRAWITEM:
    case WM_NCACTIVATE:
    case WM_SYNCPAINT:
    case CN_DRAWITEM:
        return true;
    default:
        return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) ||
               (msg >= CN_BASE + WM_CTLCOLORMSGBOX && msg <= CN_BASE + WM_CTLCOLORSTATIC);
    }
}

// Windows whose painting already failed once, with the message that failed.
thread_local std::set<std::pair<HWND, UINT>> g_failed_painting;

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

void HandleMessageException(HWND window, unsigned msg) noexcept
{
    if (IsPaintingMessage(msg)) {
        bool first = false;
        try {
            first = g_failed_painting.emplace(window, msg).second;
        } catch (...) {
            // Without room to remember it, reporting again is the lesser harm.
            first = true;
        }
        if (!first) return;
    }
    HandleCurrentException();
}

void ForgetWindowFailures(HWND window) noexcept
{
    const auto first = g_failed_painting.lower_bound({window, 0});
    auto last = first;
    while (last != g_failed_painting.end() && last->first == window) ++last;
    g_failed_painting.erase(first, last);
}

std::size_t RememberedPaintFailures() noexcept { return g_failed_painting.size(); }

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
