#include "ui/Subclass.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ui/Exception.h"

namespace ui {

struct TWindowSubclass::Entry {
    TWindowSubclass* owner;  // null once detached: the entry only passes messages on
    HWND window;
    Proc proc;
    bool linked = true;  // still in the window's chain
};

namespace {

// One message being handled by a Proc: CallNext records that it was passed on.
struct Frame {
    HWND window;
    Frame* outer;
    bool passed = false;
    LRESULT result = 0;
};

thread_local Frame* g_frame = nullptr;
// Windows with a dispatch of ours running, and how deep.
thread_local std::unordered_map<HWND, int> g_active;
// Entries detached or cut off during a dispatch of their window, freed when it unwinds.
thread_local std::vector<TWindowSubclass::Entry*> g_retired;

UINT_PTR IdOf(TWindowSubclass::Entry* entry) { return reinterpret_cast<UINT_PTR>(entry); }

}  // namespace

TWindowSubclass::TWindowSubclass() = default;

TWindowSubclass::~TWindowSubclass() { Detach(); }

bool TWindowSubclass::Attach(HWND window, Proc proc)
{
    if (entry_ || !proc || !IsWindow(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return false;
    auto entry = std::make_unique<Entry>(Entry{this, window, std::move(proc)});
    if (!SetWindowSubclass(window, &Thunk, IdOf(entry.get()), reinterpret_cast<DWORD_PTR>(entry.get()))) return false;
    entry_ = entry.release();
    return true;
}

void TWindowSubclass::Detach()
{
    Entry* entry = std::exchange(entry_, nullptr);
    if (!entry) return;
    entry->owner = nullptr;
    if (g_active.contains(entry->window)) {
        // Frames of this dispatch still hold the entry; it passes messages on until they return.
        g_retired.push_back(entry);
    } else {
        Unlink(entry);
    }
}

HWND TWindowSubclass::Window() const { return entry_ ? entry_->window : nullptr; }

LRESULT TWindowSubclass::CallNext(UINT msg, WPARAM wParam, LPARAM lParam)
{
    Frame* frame = g_frame;
    if (!frame) return 0;
    frame->result = DefSubclassProc(frame->window, msg, wParam, lParam);
    frame->passed = true;
    return frame->result;
}

void TWindowSubclass::Unlink(Entry* entry)
{
    if (entry->linked) RemoveWindowSubclass(entry->window, &Thunk, IdOf(entry));
    delete entry;
}

LRESULT CALLBACK TWindowSubclass::Thunk(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* entry = reinterpret_cast<Entry*>(data);
    ++g_active[window];
    Frame frame{window, g_frame};
    bool answered = false;
    if (entry->owner) {
        g_frame = &frame;
        try {
            frame.result = entry->proc(window, msg, wParam, lParam);
            answered = true;
        } catch (...) {
            HandleMessageException(window, msg);
        }
        g_frame = frame.outer;
    }
    // A failed Proc leaves the answer to the procedure below, unless it already asked it;
    // WM_NCDESTROY must reach it whatever Proc did.
    if (!frame.passed && (!answered || msg == WM_NCDESTROY)) {
        LRESULT below = DefSubclassProc(window, msg, wParam, lParam);
        if (!answered) frame.result = below;
    }

    if (msg == WM_NCDESTROY) ForgetWindowFailures(window);
    std::function<void()> gone;
    if (msg == WM_NCDESTROY && entry->linked) {
        // The window is going: leave its chain now, free the entry once outer frames return.
        RemoveWindowSubclass(window, &Thunk, IdOf(entry));
        entry->linked = false;
        if (TWindowSubclass* owner = std::exchange(entry->owner, nullptr)) {
            owner->entry_ = nullptr;
            Guarded([&] { gone = owner->OnWindowGone; });
        }
        if (std::find(g_retired.begin(), g_retired.end(), entry) == g_retired.end())
            Guarded([&] { g_retired.push_back(entry); });
    }
    if (--g_active[window] == 0) {
        g_active.erase(window);
        std::vector<Entry*> done;
        std::erase_if(g_retired, [&](Entry* e) {
            if (e->window != window) return false;
            done.push_back(e);
            return true;
        });
        for (Entry* e : done) Unlink(e);
    }
    if (gone) Guarded(gone);
    return frame.result;
}

}  // namespace ui
