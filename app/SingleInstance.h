// One writer per document store: a second start of the program on the same "txt.kl" brings
// the running window to the front and ends, instead of allocating ids that the first one
// also gives out. The store is claimed by a named mutex keyed by the full path of the file;
// the running window is found through a small named shared block that holds its handle.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace app {

// The full path of "txt.kl" in the working directory, the key of the claim.
std::wstring StorePath();

class SingleInstance {
public:
    explicit SingleInstance(const std::wstring& store_path);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Whether this process holds the store.
    bool First() const { return first_; }
    // The holder names its main window for later starts.
    void Publish(HWND window);
    // A later start: restores and activates the holder's window, waiting for the holder to
    // name it while it is still starting. False when none was named in time.
    bool ActivateRunning(std::chrono::milliseconds wait) const;

private:
    HANDLE mutex_ = nullptr;
    HANDLE shared_ = nullptr;
    HWND* window_ = nullptr;
    bool first_ = false;
};

}  // namespace app
