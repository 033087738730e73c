// A removable window subclass for any window of the calling thread: framework windows and
// foreign ones (message boxes, common dialogs) alike.
//
// Built on comctl32's subclass chain, so subclasses come off in any order: removing one
// that sits below or above others leaves them working, and the window gets its original
// procedure back when the last one goes.
//
// Guarantees:
// - Proc is called for every message while attached; CallNext hands a message to the
//   procedure below and may be called only from inside Proc.
// - Detach may be called at any time, also from inside Proc (even by code that then deletes
//   the object) and after the window is gone. Once Detach returns, Proc is never called
//   again; the object may be destroyed. A subclass detached while a message of its window
//   is being dispatched stays in the chain as a pass-through until that dispatch unwinds.
// - WM_NCDESTROY always reaches the procedure below, even when Proc does not pass it on.
//   Afterwards the subclass is already detached and OnWindowGone runs (it may delete the
//   object).
// - An exception thrown by Proc goes to the general error report (ui::HandleException).
//   The message then gets the default answer: the one the procedure below gave if Proc had
//   already passed the message on, otherwise the message is passed on now.
#pragma once

#include <windows.h>

#include <functional>

namespace ui {

class TWindowSubclass {
public:
    using Proc = std::function<LRESULT(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)>;

    TWindowSubclass();
    ~TWindowSubclass();
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    // False when the window is invalid, belongs to another thread, or this object is
    // already attached.
    bool Attach(HWND window, Proc proc);
    void Detach();
    bool Attached() const { return entry_ != nullptr; }
    HWND Window() const;
    LRESULT CallNext(UINT msg, WPARAM wParam, LPARAM lParam);

    std::function<void()> OnWindowGone;

    // The link in the window's chain. It holds Proc and outlives the object while a
    // dispatch of the window still runs through it.
    struct Entry;

private:
    static LRESULT CALLBACK Thunk(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
    static void Unlink(Entry* entry);

    Entry* entry_ = nullptr;
};

}  // namespace ui
