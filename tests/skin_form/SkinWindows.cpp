#include "skin_form/SkinWindows.h"

#include <algorithm>

#include "ui/Forms.h"

namespace skintest {

namespace {

TickScript* g_script = nullptr;

}  // namespace

TickScript::TickScript(std::vector<std::function<bool()>> steps) : steps_(std::move(steps))
{
    g_script = this;
    timer_ = SetTimer(nullptr, 0, 80, &Tick);
}

TickScript::~TickScript()
{
    KillTimer(nullptr, timer_);
    g_script = nullptr;
}

void CALLBACK TickScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    TickScript* script = g_script;
    if (!script || script->Finished()) return;
    if (script->steps_[script->next_]()) ++script->next_;
}

namespace {

struct ClassSearch {
    const wchar_t* name;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<ClassSearch*>(data);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (!IsWindowVisible(window) || lstrcmpiW(name, search.name) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND ThreadWindow(const wchar_t* className)
{
    ClassSearch search{className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND OpenMenuWindow() { return ThreadWindow(L"#32768"); }

WindowPicture::WindowPicture(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, dib);
    HDC source = GetWindowDC(window);
    BitBlt(memory, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
    GdiFlush();
    pixels_.assign(static_cast<const std::uint32_t*>(bits), static_cast<const std::uint32_t*>(bits) + width_ * height_);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    ReleaseDC(nullptr, screen);
}

ui::TColor WindowPicture::At(int x, int y) const
{
    const std::uint32_t p = pixels_.at(static_cast<std::size_t>(y * width_ + x));
    return ui::RGBColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

SIZE FrameExtent(HWND window)
{
    RECT w{}, c{};
    GetWindowRect(window, &w);
    GetClientRect(window, &c);
    return {(w.right - w.left) - c.right, (w.bottom - w.top) - c.bottom};
}

SIZE ClientSize(HWND window)
{
    RECT c{};
    GetClientRect(window, &c);
    return {c.right, c.bottom};
}

std::uintptr_t GdiTableReach()
{
    std::vector<HBRUSH> brushes;
    std::uintptr_t reach = 0;
    for (int k = 0; k < 3000; ++k) {
        brushes.push_back(CreateSolidBrush(RGB(k & 0xFF, 1, 2)));
        reach = std::max(reach, reinterpret_cast<std::uintptr_t>(brushes.back()) & 0xFFFF);
    }
    for (HBRUSH brush : brushes) DeleteObject(brush);
    return reach;
}

std::uintptr_t UserTableReach()
{
    std::vector<HMENU> menus;
    std::uintptr_t reach = 0;
    for (int k = 0; k < 3000; ++k) {
        menus.push_back(CreatePopupMenu());
        reach = std::max(reach, reinterpret_cast<std::uintptr_t>(menus.back()) & 0xFFFF);
    }
    for (HMENU menu : menus) DestroyMenu(menu);
    return reach;
}

void TapKey(HWND window, WORD key, bool alt)
{
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM context = alt ? (1 << 29) : 0;
    PostMessageW(window, alt || key == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | scan | context);
    PostMessageW(window, alt || key == VK_F10 ? WM_SYSKEYUP : WM_KEYUP, key, 1 | scan | context | (3LL << 30));
    ui::Application()->ProcessMessages();
}

}  // namespace skintest
