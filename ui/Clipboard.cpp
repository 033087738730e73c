#include "ui/Clipboard.h"

#include <windows.h>

#include <cstring>

#include "ui/Exception.h"
#include "ui/UtilityWindow.h"

namespace ui {

namespace {

// Another program (or a clipboard viewer under Wine) may hold the clipboard for a moment.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 20;

class OpenedClipboard {
public:
    OpenedClipboard()
    {
        for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
            if (OpenClipboard(UtilityWindow())) return;
            Sleep(kOpenRetryMs);
        }
        throw Exception(L"Cannot open clipboard");
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() { CloseClipboard(); }
};

class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard()
    {
        if (data_) GlobalUnlock(memory_);
    }
    void* data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace

std::wstring TClipboard::AsText() const
{
    OpenedClipboard open;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return {};
    GlobalLockGuard lock(data);
    if (!lock.data()) return {};
    // The text ends at its NUL, but never beyond the memory block.
    const auto* text = static_cast<const wchar_t*>(lock.data());
    std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < capacity && text[length] != L'\0') ++length;
    return std::wstring(text, length);
}

void TClipboard::SetAsText(std::wstring_view text)
{
    OpenedClipboard open;
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) throw Exception(L"Out of memory");
    {
        GlobalLockGuard lock(memory);
        if (!lock.data()) {
            GlobalFree(memory);
            throw Exception(L"Out of memory");
        }
        std::memcpy(lock.data(), text.data(), text.size() * sizeof(wchar_t));
        static_cast<wchar_t*>(lock.data())[text.size()] = L'\0';
    }
    EmptyClipboard();
    // On success the system owns the memory.
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        throw Exception(L"Cannot set clipboard data");
    }
}

void TClipboard::Clear()
{
    OpenedClipboard open;
    EmptyClipboard();
}

bool TClipboard::HasText() const { return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

TClipboard& Clipboard()
{
    static TClipboard clipboard;
    return clipboard;
}

}  // namespace ui
