#include "app/core/DraftKeeper.h"

#include <windows.h>

#include <algorithm>
#include <memory>

namespace app {

namespace {

struct HandleClose {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleClose>;

FileHandle OpenFile(const std::wstring& path, DWORD access, DWORD disposition)
{
    HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

std::string ReadWholeFile(const std::wstring& path)
{
    const FileHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (1LL << 30)) return {};
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return {};
    return bytes;
}

}  // namespace

std::int64_t NowMilliseconds()
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = (static_cast<std::int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr std::int64_t kTicksTo1970 = 116444736000000000LL;
    return (ticks - kTicksTo1970) / 10000;
}

DraftKeeper::DraftKeeper(std::wstring file) : file_(std::move(file)), drafts_(ParseDrafts(ReadWholeFile(file_)))
{
    worker_ = std::thread([this] { Work(); });
}

DraftKeeper::~DraftKeeper()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

std::vector<Draft> DraftKeeper::Drafts() const
{
    const std::lock_guard lock(mutex_);
    return drafts_;
}

void DraftKeeper::Keep(Draft draft)
{
    {
        const std::lock_guard lock(mutex_);
        const auto same = std::find_if(drafts_.begin(), drafts_.end(),
            [&](const Draft& d) { return d.document.id == draft.document.id; });
        if (same != drafts_.end())
            *same = std::move(draft);
        else
            drafts_.push_back(std::move(draft));
        ++version_;
    }
    changed_.notify_one();
}

void DraftKeeper::Drop(const std::wstring& id)
{
    {
        const std::lock_guard lock(mutex_);
        const auto removed = std::remove_if(drafts_.begin(), drafts_.end(),
            [&](const Draft& d) { return d.document.id == id; });
        if (removed == drafts_.end()) return;
        drafts_.erase(removed, drafts_.end());
        ++version_;
    }
    changed_.notify_one();
}

void DraftKeeper::Flush()
{
    std::unique_lock lock(mutex_);
    written_.wait(lock, [this] { return written_version_ == version_; });
}

bool DraftKeeper::LastWriteSucceeded() const
{
    const std::lock_guard lock(mutex_);
    return last_write_ok_;
}

void DraftKeeper::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || written_version_ != version_; });
        if (written_version_ == version_) return;  // stopping, nothing pending
        const std::uint64_t version = version_;
        const std::vector<Draft> drafts = drafts_;
        lock.unlock();
        // Typing goes on meanwhile; what changes during the write is written next round.
        const bool ok = Write(drafts);
        lock.lock();
        written_version_ = version;
        last_write_ok_ = ok;
        written_.notify_all();
    }
}

bool DraftKeeper::Write(const std::vector<Draft>& drafts) const
{
    if (drafts.empty()) return DeleteFileW(file_.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    const std::wstring temporary = file_ + L".new";
    const std::string bytes = SerializeDrafts(drafts);
    {
        const FileHandle file = OpenFile(temporary, GENERIC_WRITE, CREATE_ALWAYS);
        DWORD written = 0;
        if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size() || !FlushFileBuffers(file.get())) {
            DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (MoveFileExW(temporary.c_str(), file_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace app
