#include <windows.h>

#include <vector>

#include "app/core/Files.h"

namespace app {

namespace {

struct FileIdentity {
    DWORD volume = 0;
    DWORD index_high = 0;
    DWORD index_low = 0;
    bool valid = false;
};

FileIdentity IdentityOf(const std::wstring& path)
{
    FileIdentity identity;
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return identity;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file, &info)) {
        identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow, true};
    }
    CloseHandle(file);
    return identity;
}

// Two spellings of one file (case, short names, "..") compare by the file system's identity.
bool SameFile(const std::wstring& a, const std::wstring& b)
{
    const FileIdentity x = IdentityOf(a);
    const FileIdentity y = IdentityOf(b);
    return x.valid && y.valid && x.volume == y.volume && x.index_high == y.index_high && x.index_low == y.index_low;
}

}  // namespace

std::wstring ProgramFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) {
            std::wstring path(buffer.data(), n);
            return path.substr(0, path.find_last_of(L"\\/") + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool CopyIntoFolder(const std::wstring& file, const std::wstring& folder)
{
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    std::wstring target = folder;
    if (!target.empty() && target.back() != L'\\' && target.back() != L'/') target += L'\\';
    target += ExtractFileName(file);
    if (SameFile(file, target)) return true;
    return CopyFileW(file.c_str(), target.c_str(), FALSE) != FALSE;
}

}  // namespace app
