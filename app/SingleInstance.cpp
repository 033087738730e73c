#include "app/SingleInstance.h"

#include <thread>

namespace app {

namespace {

// Kernel object names take any character but the backslash; case does not tell files apart.
std::wstring ObjectName(const wchar_t* kind, const std::wstring& store_path)
{
    std::wstring key = store_path;
    CharLowerBuffW(key.data(), static_cast<DWORD>(key.size()));
    for (wchar_t& c : key)
        if (c == L'\\') c = L'/';
    return std::wstring(L"Local\\mjzs.") + kind + L"." + key;
}

}  // namespace

std::wstring StorePath()
{
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD n = GetFullPathNameW(L"txt.kl", static_cast<DWORD>(std::size(full)), full, nullptr);
    return n > 0 && n < std::size(full) ? std::wstring(full, n) : std::wstring(L"txt.kl");
}

SingleInstance::SingleInstance(const std::wstring& store_path)
{
    mutex_ = CreateMutexW(nullptr, TRUE, ObjectName(L"store", store_path).c_str());
    first_ = mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
    shared_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HWND),
                                 ObjectName(L"window", store_path).c_str());
    if (shared_) window_ = static_cast<HWND*>(MapViewOfFile(shared_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(HWND)));
}

SingleInstance::~SingleInstance()
{
    if (window_ && first_) *window_ = nullptr;
    if (window_) UnmapViewOfFile(window_);
    if (shared_) CloseHandle(shared_);
    if (mutex_) {
        if (first_) ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}

void SingleInstance::Publish(HWND window)
{
    if (first_ && window_) *window_ = window;
}

bool SingleInstance::ActivateRunning(std::chrono::milliseconds wait) const
{
    const auto end = std::chrono::steady_clock::now() + wait;
    while (window_) {
        const HWND window = *window_;
        if (window && IsWindow(window)) {
            if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
            SetForegroundWindow(window);
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

}  // namespace app
