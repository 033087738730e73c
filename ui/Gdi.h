// Scoped owners of Win32 handles, one per handle kind, so that no path through painting or
// window code leaks a GDI object, a DC, a menu, an icon, a hook or a timer.
//
//   UniqueHandle<H, Closer>  the common move-only owner (get, release, reset)
//   BitmapHandle BrushHandle FontHandle PenHandle RegionHandle   GDI objects (DeleteObject)
//   MenuHandle IconHandle HookHandle                              DestroyMenu, DestroyIcon, UnhookWindowsHookEx
//   ClientDC WindowDC       GetDC / GetWindowDC, released with ReleaseDC
//   PaintDC                 BeginPaint / EndPaint
//   MemoryDC                CreateCompatibleDC / DeleteDC
//   ScopedSelect            SelectObject, the previous object reselected on exit
//   ScopedSaveDC            SaveDC / RestoreDC
//   TimerHandle             SetTimer / KillTimer on one window
//
// Declare a bitmap before the memory DC and the selection that use it: members and locals
// are destroyed in reverse order, so the selection is undone before the DC is deleted and
// the DC before the bitmap.
#pragma once

#include <windows.h>

#include <utility>

namespace ui {

template <typename Handle, typename Closer>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    // Hands the handle to a new owner (SetWindowRgn, SetMenu ...); this object forgets it.
    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, nullptr); }

    void reset(Handle handle = nullptr) noexcept
    {
        Handle old = std::exchange(handle_, handle);
        if (old && old != handle) Closer{}(old);
    }

private:
    Handle handle_ = nullptr;
};

struct GdiObjectCloser {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct MenuCloser {
    void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};
struct IconCloser {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
struct HookCloser {
    void operator()(HHOOK hook) const noexcept { UnhookWindowsHookEx(hook); }
};

using BitmapHandle = UniqueHandle<HBITMAP, GdiObjectCloser>;
using BrushHandle = UniqueHandle<HBRUSH, GdiObjectCloser>;
using FontHandle = UniqueHandle<HFONT, GdiObjectCloser>;
using PenHandle = UniqueHandle<HPEN, GdiObjectCloser>;
using RegionHandle = UniqueHandle<HRGN, GdiObjectCloser>;
using MenuHandle = UniqueHandle<HMENU, MenuCloser>;
using IconHandle = UniqueHandle<HICON, IconCloser>;
using HookHandle = UniqueHandle<HHOOK, HookCloser>;

// Gives a region to a window. The system owns the region only once SetWindowRgn succeeds;
// on failure it stays with the caller and is freed by its owner.
inline bool SetWindowRegion(HWND window, RegionHandle& region, bool redraw)
{
    if (!SetWindowRgn(window, region.get(), redraw ? TRUE : FALSE)) return false;
    static_cast<void>(region.release());
    return true;
}

// A DC obtained from a window and given back to it with ReleaseDC.
class AcquiredDC {
public:
    AcquiredDC(const AcquiredDC&) = delete;
    AcquiredDC& operator=(const AcquiredDC&) = delete;
    AcquiredDC(AcquiredDC&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    AcquiredDC& operator=(AcquiredDC&& other) noexcept
    {
        if (this != &other) {
            Release();
            window_ = other.window_;
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    ~AcquiredDC() { Release(); }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

protected:
    AcquiredDC(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}

private:
    void Release() noexcept
    {
        if (dc_) ReleaseDC(window_, std::exchange(dc_, nullptr));
    }

    HWND window_;
    HDC dc_;
};

// The client area of a window (nullptr: the screen).
class ClientDC : public AcquiredDC {
public:
    explicit ClientDC(HWND window) noexcept : AcquiredDC(window, GetDC(window)) {}
};

// The whole window, frame included: what non-client painting draws on.
class WindowDC : public AcquiredDC {
public:
    explicit WindowDC(HWND window) noexcept : AcquiredDC(window, GetWindowDC(window)) {}
};

// The DC of one WM_PAINT; EndPaint validates the area even when painting throws.
class PaintDC {
public:
    explicit PaintDC(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &paint_); }

    HDC get() const noexcept { return dc_; }
    const PAINTSTRUCT& Paint() const noexcept { return paint_; }
    const RECT& PaintRect() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An off-screen DC compatible with another (nullptr: the screen).
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible = nullptr) noexcept : dc_(CreateCompatibleDC(compatible)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept
    {
        if (this != &other) {
            if (dc_) DeleteDC(dc_);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    ~MemoryDC()
    {
        if (dc_) DeleteDC(dc_);
    }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HDC dc_;
};

// Selects an object into a DC for a scope and puts the previous one back, so the object can
// be deleted afterwards and the DC is left as it was found.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ScopedSelect(ScopedSelect&& other) noexcept
        : dc_(other.dc_), previous_(std::exchange(other.previous_, nullptr)) {}
    ScopedSelect& operator=(ScopedSelect&&) = delete;
    ~ScopedSelect()
    {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves the whole DC state (clip region, origins, modes, selections) for a scope.
class ScopedSaveDC {
public:
    explicit ScopedSaveDC(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
    ScopedSaveDC(const ScopedSaveDC&) = delete;
    ScopedSaveDC& operator=(const ScopedSaveDC&) = delete;
    ~ScopedSaveDC()
    {
        if (saved_) RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};

// A timer of one window; killed when the owner goes. Start replaces a running timer of the
// same id (SetTimer's own rule).
class TimerHandle {
public:
    TimerHandle() noexcept = default;
    TimerHandle(const TimerHandle&) = delete;
    TimerHandle& operator=(const TimerHandle&) = delete;
    TimerHandle(TimerHandle&& other) noexcept
        : window_(other.window_), id_(std::exchange(other.id_, 0)) {}
    TimerHandle& operator=(TimerHandle&& other) noexcept
    {
        if (this != &other) {
            Stop();
            window_ = other.window_;
            id_ = std::exchange(other.id_, 0);
        }
        return *this;
    }
    ~TimerHandle() { Stop(); }

    bool Start(HWND window, UINT_PTR id, UINT milliseconds) noexcept
    {
        Stop();
        if (id == 0 || !SetTimer(window, id, milliseconds, nullptr)) return false;
        window_ = window;
        id_ = id;
        return true;
    }
    void Stop() noexcept
    {
        if (id_) KillTimer(window_, std::exchange(id_, 0));
    }
    bool Running() const noexcept { return id_ != 0; }
    UINT_PTR Id() const noexcept { return id_; }

private:
    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
};

}  // namespace ui
