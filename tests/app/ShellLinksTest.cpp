#include <gtest/gtest.h>

#include <objbase.h>
#include <shlobj.h>

#include "Workspace.h"

namespace testing_app {
namespace {

fs::path DesktopShortcut()
{
    wchar_t desktop[MAX_PATH] = {};
    EXPECT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop)));
    return fs::path(desktop) / L"墨笺速记本.lnk";
}

struct LinkTarget {
    std::wstring path, working_directory;
};

// The link file read back through the shell, as Explorer would start it.
LinkTarget ReadLink(const fs::path& file)
{
    LinkTarget target;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
            reinterpret_cast<void**>(&link)))) {
        IPersistFile* persist = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
            if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
                wchar_t text[MAX_PATH] = {};
                if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) target.path = text;
                if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) target.working_directory = text;
            }
            persist->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return target;
}

class ShellLinks : public WorkspaceTest {};

TEST_F(ShellLinks, TheDesktopShortcutStartsTheProgramInItsOwnFolder)
{
    const fs::path shortcut = DesktopShortcut();
    std::error_code ignored;
    fs::remove_all(shortcut, ignored);
    MenuCommand(form_->Handle(), form_->N12);
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"成功创建桌面快捷方式！"});
    ASSERT_TRUE(fs::exists(shortcut));
    const LinkTarget target = ReadLink(shortcut);
    const std::wstring folder = ProgramFolder();
    EXPECT_EQ(_wcsicmp(target.path.c_str(), (folder + L"mjzs.exe").c_str()), 0) << testing::PrintToString(target.path);
    EXPECT_EQ(_wcsicmp(target.working_directory.c_str(), folder.substr(0, folder.size() - 1).c_str()), 0)
        << testing::PrintToString(target.working_directory);

    // A second time replaces the link.
    boxes_->Clear();
    MenuCommand(form_->Handle(), form_->N12);
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"成功创建桌面快捷方式！"});
    fs::remove(shortcut, ignored);
}

TEST_F(ShellLinks, ALinkThatCannotBeSavedIsReportedAsAFailure)
{
    // A folder of the link's name stands where the file would go.
    const fs::path shortcut = DesktopShortcut();
    std::error_code ignored;
    fs::remove_all(shortcut, ignored);
    fs::create_directories(shortcut / L"occupied");
    MenuCommand(form_->Handle(), form_->N12);
    EXPECT_EQ(boxes_->Messages(), std::vector<std::wstring>{L"创建桌面快捷方式失败！"});
    fs::remove_all(shortcut, ignored);
}

}  // namespace
}  // namespace testing_app
