// What a Windows user gets: the version information of the program and the installer, the
// unpacked zip folder that runs where it lies, and the per-user installer's round trip: a
// silent install, the program started from its shortcut saving a document into the installed
// folder, an upgrade over it, a silent uninstall that keeps the documents and one that removes
// them as a user's ticked box does.
//
// The packaged files come from tests/package/check-package.sh, which runs this program in a
// fresh Wine prefix (a scratch user profile): MJ_UNPACKED names the folder holding the unpacked
// zips (win64\ and win32\), MJ_SETUP the installer. Without them only the program of the build
// tree is checked.
#include <gtest/gtest.h>

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "mjzs_version.h"
#include "support/ProcessDriver.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::ChildProgram;

namespace {

constexpr wchar_t kMainCaption[] = L"墨笺速记本V5.0";
constexpr wchar_t kFolderName[] = L"墨笺速记本";
constexpr wchar_t kLinkName[] = L"墨笺速记本.lnk";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\mjzs";

std::wstring Widen(const char* utf8)
{
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), static_cast<int>(wide.size()));
    wide.pop_back();
    return wide;
}

std::optional<std::wstring> Environment(const wchar_t* name)
{
    wchar_t value[1024] = {};
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    if (length == 0 || length >= 1024) return std::nullopt;
    return value;
}

fs::path KnownFolder(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path))) return {};
    fs::path result = path;
    CoTaskMemFree(path);
    return result;
}

// Runs a command line and waits for it; the exit code, or STILL_ACTIVE after the timeout.
DWORD RunAndWait(std::wstring commandLine, std::chrono::milliseconds timeout)
{
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return GetLastError();
    WaitForSingleObject(info.hProcess, static_cast<DWORD>(timeout.count()));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code;
}

std::optional<std::wstring> RegistryText(const wchar_t* value)
{
    wchar_t text[1024] = {};
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return text;
}

std::optional<DWORD> RegistryNumber(const wchar_t* value)
{
    DWORD number = 0;
    DWORD size = sizeof(number);
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, value, RRF_RT_REG_DWORD, nullptr, &number, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return number;
}

bool UninstallEntryExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

struct Shortcut {
    std::wstring target, workingDirectory, iconPath;
};

std::optional<Shortcut> ReadShortcut(const fs::path& link)
{
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return std::nullopt;
    std::optional<Shortcut> result;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
            wchar_t target[MAX_PATH] = {}, directory[MAX_PATH] = {}, icon[MAX_PATH] = {};
            int iconIndex = 0;
            shellLink->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
            shellLink->GetWorkingDirectory(directory, MAX_PATH);
            shellLink->GetIconLocation(icon, MAX_PATH, &iconIndex);
            result = Shortcut{target, directory, icon};
        }
        file->Release();
    }
    shellLink->Release();
    return result;
}

// The titles of the documents in a store, read through SQLite itself.
std::vector<std::wstring> StoredTitles(const fs::path& store)
{
    std::vector<std::wstring> titles;
    sqlite3* db = nullptr;
    if (sqlite3_open16(store.c_str(), &db) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare16_v2(db, L"select 标题 from jilu order by 序号", -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW)
                titles.emplace_back(static_cast<const wchar_t*>(sqlite3_column_text16(statement, 0)));
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return titles;
}

std::wstring ReadDuration(const fs::path& ini, const wchar_t* key)
{
    wchar_t value[64] = {};
    GetPrivateProfileStringW(L"时间", key, L"", value, 64, ini.c_str());
    return value;
}

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text)
{
    struct Search {
        const wchar_t* className;
        const wchar_t* text;
        HWND found;
    } search{className, text, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t buffer[256] = {};
            GetClassNameW(window, buffer, 256);
            if (std::wstring(buffer) != s->className) return TRUE;
            if (s->text) {
                DWORD_PTR ignored = 0;
                SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                                    &ignored);
                if (std::wstring(buffer) != s->text) return TRUE;
            }
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The widest edit of the main window is the title box.
HWND TitleBox(HWND main)
{
    struct Widest {
        HWND window;
        LONG width;
    } widest{nullptr, 0};
    EnumChildWindows(
        main,
        [](HWND window, LPARAM data) -> BOOL {
            auto* best = reinterpret_cast<Widest*>(data);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            RECT rect{};
            GetWindowRect(window, &rect);
            if (std::wstring(name) == L"TEdit" && rect.right - rect.left > best->width) {
                best->width = rect.right - rect.left;
                best->window = window;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&widest));
    return widest.window;
}

// Ends the program as a user does: close, then OK on the warning.
void CloseProgram(ChildProgram& program, HWND main)
{
    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND box = program.WaitForWindow(L"#32770", L"警告", 20s);
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(program.WaitForExit(20s), 0u);
}

struct ShippedFile {
    fs::path path;
    std::wstring description;
};

// The program of this build tree, and the packaged programs and the installer when given.
std::vector<ShippedFile> ShippedFiles()
{
    std::vector<ShippedFile> files{{testing_support::WindowsPathOf(MJZS_EXE), Widen(MJ_DESCRIPTION)}};
    if (const auto unpacked = Environment(L"MJ_UNPACKED")) {
        for (const wchar_t* flavour : {L"win64", L"win32"})
            files.push_back({fs::path(*unpacked) / flavour / kFolderName / L"mjzs.exe", Widen(MJ_DESCRIPTION)});
    }
    if (const auto setup = Environment(L"MJ_SETUP")) files.push_back({*setup, L"墨笺速记本 安装程序"});
    return files;
}

TEST(VersionResource, ReadsBackWithEveryFieldAUserSees)
{
    const std::vector<ShippedFile> files = ShippedFiles();
    const std::wstring fileVersion = Widen(MJ_FILE_VERSION_TEXT);
    EXPECT_EQ(fileVersion.rfind(L"5.0.", 0), 0u) << "the program is version 5.0";
    EXPECT_EQ(fileVersion, L"5.0." + std::to_wstring(MJ_VERSION_PATCH) + L"." + std::to_wstring(MJ_VERSION_BUILD));
    for (const ShippedFile& file : files) {
        SCOPED_TRACE(file.path.string());
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(file.path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version resource";
        std::vector<BYTE> block(size);
        ASSERT_TRUE(GetFileVersionInfoW(file.path.c_str(), 0, size, block.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(MJ_VERSION_MINOR, MJ_VERSION_MAJOR)));
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(MJ_VERSION_BUILD, MJ_VERSION_PATCH)));
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

        const struct {
            const wchar_t* key;
            std::wstring expected;
        } fields[] = {
            {L"ProductName", L"墨笺速记本"},
            {L"CompanyName", Widen(MJ_PUBLISHER)},
            {L"FileDescription", file.description},
            {L"FileVersion", fileVersion},
            {L"ProductVersion", fileVersion},
            {L"LegalCopyright", Widen(MJ_COPYRIGHT)},
        };
        // The strings are read as the shell reads them: in the block the translation names,
        // which is Simplified Chinese.
        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                   &length));
        ASSERT_GE(length, 4u);
        EXPECT_EQ(translation[0], MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
        wchar_t blockName[16] = {};
        swprintf(blockName, 16, L"%04x%04x", translation[0], translation[1]);
        for (const auto& field : fields) {
            wchar_t* value = nullptr;
            const std::wstring query = std::wstring(L"\\StringFileInfo\\") + blockName + L"\\" + field.key;
            ASSERT_TRUE(VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
                << "missing " << testing::PrintToString(std::wstring(field.key));
            EXPECT_EQ(std::wstring(value), field.expected) << testing::PrintToString(std::wstring(field.key));
        }
    }
    EXPECT_NE(Widen(MJ_COPYRIGHT).find(Widen(MJ_PUBLISHER)), std::wstring::npos);
}

// The program's own icon (every size the shell asks for) in the program and the installer,
// whose first icon group is the one the shell shows.
TEST(VersionResource, TheProgramsIconInEveryShippedFile)
{
    for (const ShippedFile& file : ShippedFiles()) {
        SCOPED_TRACE(file.path.string());
        HMODULE module = LoadLibraryExW(file.path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr);
        // The name lives only during the callback: kept as text, "#n" for a number.
        std::wstring first;
        EnumResourceNamesW(
            module, RT_GROUP_ICON,
            [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
                *reinterpret_cast<std::wstring*>(found) =
                    IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name;
                return FALSE;
            },
            reinterpret_cast<LONG_PTR>(&first));
        ASSERT_FALSE(first.empty()) << "no icon";
        HRSRC group = FindResourceW(module, first.c_str(), RT_GROUP_ICON);
        ASSERT_NE(group, nullptr);
        // A group: reserved, type, count, then 14-byte entries starting with width and height
        // (0 for 256).
        const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
        const WORD count = *reinterpret_cast<const WORD*>(bytes + 4);
        std::vector<int> sizes;
        for (WORD i = 0; i < count; ++i) sizes.push_back(bytes[6 + 14 * i] == 0 ? 256 : bytes[6 + 14 * i]);
        std::sort(sizes.begin(), sizes.end());
        EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 64, 256}));
        FreeLibrary(module);
    }
}

TEST(UnpackedZip, TheProgramRunsWhereTheFolderLiesWithItsStoreBeside)
{
    const auto unpacked = Environment(L"MJ_UNPACKED");
    if (!unpacked) GTEST_SKIP() << "no unpacked zip (tests/package/check-package.sh)";
    const fs::path folder = fs::path(*unpacked) / L"win64" / kFolderName;
    ChildProgram program((folder / L"mjzs.exe").wstring(), folder);
    HWND main = program.WaitForWindow(nullptr, kMainCaption, 60s);
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    EXPECT_TRUE(fs::exists(folder / L"txt.kl"));
    CloseProgram(program, main);
}

TEST(Installer, InstallsPerUserRunsFromTheShortcutUpgradesAndUninstallsKeepingDocuments)
{
    const auto setup = Environment(L"MJ_SETUP");
    if (!setup) GTEST_SKIP() << "no installer (tests/package/check-package.sh)";
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const std::wstring install = L"\"" + *setup + L"\" /S";

    ASSERT_EQ(RunAndWait(install, 120s), 0u);
    // The user's own programs folder (FOLDERID_UserProgramFiles, which Wine does not know).
    const fs::path localAppData = KnownFolder(FOLDERID_LocalAppData);
    ASSERT_FALSE(localAppData.empty());
    const fs::path folder = localAppData / L"Programs" / kFolderName;
    for (const wchar_t* file : {L"mjzs.exe", L"Time.ini", L"使用说明.txt", L"uninst.exe"})
        EXPECT_TRUE(fs::exists(folder / file)) << fs::path(file).string();

    // The entry in the list of installed programs.
    EXPECT_EQ(RegistryText(L"DisplayName"), L"墨笺速记本");
    EXPECT_EQ(RegistryText(L"DisplayVersion"), Widen(MJ_FILE_VERSION_TEXT));
    EXPECT_EQ(RegistryText(L"Publisher"), Widen(MJ_PUBLISHER));
    EXPECT_EQ(RegistryText(L"InstallLocation"), folder.wstring());
    EXPECT_EQ(RegistryText(L"DisplayIcon"), (folder / L"mjzs.exe").wstring() + L",0");
    EXPECT_EQ(RegistryText(L"UninstallString"), L"\"" + (folder / L"uninst.exe").wstring() + L"\"");
    const auto estimated = RegistryNumber(L"EstimatedSize");
    ASSERT_TRUE(estimated.has_value());
    EXPECT_GE(*estimated, fs::file_size(folder / L"mjzs.exe") / 1024) << "kilobytes of the installed files";
    const auto quiet = RegistryText(L"QuietUninstallString");
    ASSERT_TRUE(quiet.has_value());

    // Start-menu and desktop shortcuts open the program in its own folder, with its icon.
    const fs::path links[] = {KnownFolder(FOLDERID_Programs) / kLinkName, KnownFolder(FOLDERID_Desktop) / kLinkName};
    for (const fs::path& link : links) {
        SCOPED_TRACE(link.string());
        const auto shortcut = ReadShortcut(link);
        ASSERT_TRUE(shortcut.has_value());
        EXPECT_EQ(fs::path(shortcut->target), folder / L"mjzs.exe");
        EXPECT_EQ(fs::path(shortcut->workingDirectory), folder);
        EXPECT_EQ(fs::path(shortcut->iconPath), folder / L"mjzs.exe");
    }

    // Started as the start-menu shortcut starts it, the program saves a document into the
    // installed folder's store.
    {
        const auto shortcut = ReadShortcut(links[0]);
        ASSERT_TRUE(shortcut.has_value());
        ChildProgram program(shortcut->target, shortcut->workingDirectory);
        HWND main = program.WaitForWindow(nullptr, kMainCaption, 60s);
        ASSERT_NE(main, nullptr) << "the main window did not appear";
        HWND title = TitleBox(main);
        HWND save = FindChild(main, L"TBitBtn", L"保存文档");
        ASSERT_TRUE(title && save);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(title, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"安装后的第一篇"), SMTO_ABORTIFHUNG, 5000,
                            &ignored);
        PostMessageW(save, BM_CLICK, 0, 0);
        HWND box = program.WaitForWindow(L"#32770", L"墨笺速记本", 20s);
        ASSERT_NE(box, nullptr) << "no answer to the save";
        PostMessageW(box, WM_COMMAND, IDOK, 0);

        // A silent upgrade while the program runs gives up and leaves it alone.
        EXPECT_NE(RunAndWait(install, 120s), 0u);
        EXPECT_EQ(WaitForSingleObject(program.Process(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
        EXPECT_TRUE(fs::exists(folder / L"mjzs.exe"));
        CloseProgram(program, main);
    }
    EXPECT_EQ(StoredTitles(folder / L"txt.kl"), std::vector<std::wstring>{L"安装后的第一篇"});

    // The user's own durations, a recording and a draft of unsaved text, which an upgrade and
    // an uninstall keep.
    ASSERT_TRUE(WritePrivateProfileStringW(L"时间", L"shijian1", L"9", (folder / L"Time.ini").c_str()));
    fs::create_directories(folder / L"voice");
    std::ofstream(folder / L"voice" / L"第一段.wav", std::ios::binary) << "RIFF";
    std::ofstream(folder / L"txt.kl.draft", std::ios::binary) << "draft";

    ASSERT_EQ(RunAndWait(install, 120s), 0u) << "the upgrade";
    EXPECT_EQ(StoredTitles(folder / L"txt.kl"), std::vector<std::wstring>{L"安装后的第一篇"});
    EXPECT_EQ(ReadDuration(folder / L"Time.ini", L"shijian1"), L"9");
    EXPECT_TRUE(fs::exists(folder / L"voice" / L"第一段.wav"));
    EXPECT_TRUE(fs::exists(folder / L"txt.kl.draft"));
    EXPECT_TRUE(fs::exists(folder / L"mjzs.exe"));

    // The uninstaller hands its work to a copy of itself and ends at once: wait for its work.
    ASSERT_EQ(RunAndWait(*quiet, 60s), 0u);
    const auto end = std::chrono::steady_clock::now() + 60s;
    while (UninstallEntryExists() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(UninstallEntryExists());
    for (const wchar_t* file : {L"mjzs.exe", L"使用说明.txt", L"uninst.exe"})
        EXPECT_FALSE(fs::exists(folder / file)) << fs::path(file).string();
    for (const fs::path& link : links) EXPECT_FALSE(fs::exists(link)) << link.string();
    EXPECT_EQ(StoredTitles(folder / L"txt.kl"), std::vector<std::wstring>{L"安装后的第一篇"});
    EXPECT_TRUE(fs::exists(folder / L"voice" / L"第一段.wav"));
    EXPECT_TRUE(fs::exists(folder / L"txt.kl.draft"));
    EXPECT_EQ(ReadDuration(folder / L"Time.ini", L"shijian1"), L"9");

    // Installed again over the kept documents, then removed with them, as when the user ticks
    // their removal: nothing is left of the folder.
    ASSERT_EQ(RunAndWait(install, 120s), 0u);
    EXPECT_EQ(StoredTitles(folder / L"txt.kl"), std::vector<std::wstring>{L"安装后的第一篇"});
    ASSERT_EQ(RunAndWait(*quiet + L" /REMOVEDOCS", 60s), 0u);
    const auto removed = std::chrono::steady_clock::now() + 60s;
    while (fs::exists(folder) && std::chrono::steady_clock::now() < removed) std::this_thread::sleep_for(200ms);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(UninstallEntryExists());
    CoUninitialize();
}

}  // namespace
