// Keeps the drafts file up to date from a worker thread, so that a slow disk never holds up
// the window: the GUI thread only hands over a record and goes on. Each write replaces the
// whole file atomically (a temporary file flushed to the disk, then renamed over it), so a
// kill or a power cut finds either the previous drafts or the new ones, never a torn file.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/core/Draft.h"

namespace app {

class DraftKeeper {
public:
    // Reads the drafts the file holds; an unreadable or damaged file holds none.
    explicit DraftKeeper(std::wstring file);
    // Writes what is still pending, then stops the worker.
    ~DraftKeeper();
    DraftKeeper(const DraftKeeper&) = delete;
    DraftKeeper& operator=(const DraftKeeper&) = delete;

    const std::wstring& File() const { return file_; }
    std::vector<Draft> Drafts() const;

    // Replaces the draft of the same document id, or adds it.
    void Keep(Draft draft);
    // The document was stored: its draft is no longer needed.
    void Drop(const std::wstring& id);
    // Waits until everything handed over is on the disk (or failed to get there).
    void Flush();
    // Whether the last write reached the disk.
    bool LastWriteSucceeded() const;

private:
    void Work();
    bool Write(const std::vector<Draft>& drafts) const;

    const std::wstring file_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::condition_variable written_;
    std::vector<Draft> drafts_;
    std::uint64_t version_ = 0;
    std::uint64_t written_version_ = 0;
    bool last_write_ok_ = true;
    bool stopping_ = false;
    std::thread worker_;
};

// Milliseconds since 1970, UTC.
std::int64_t NowMilliseconds();

}  // namespace app
