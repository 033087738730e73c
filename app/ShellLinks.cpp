// Hand-offs to the shell: the desktop shortcut, the recordings folder, the vendor links.
#include <objbase.h>
#include <shlobj.h>
#include <shellapi.h>

#include <memory>

#include "app/Unit1.h"
#include "app/core/Files.h"
#include "app/core/Vendor.h"

namespace app {

namespace {

constexpr wchar_t kProgramName[] = L"mjzs.exe";
constexpr wchar_t kShortcutName[] = L"\\墨笺速记本.lnk";

struct ReleaseInterface {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ReleaseInterface>;

// COM for this thread while the link is written; a thread that already has it keeps it.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

// A shell link to the program in its own folder, started there, saved on the desktop.
bool SaveDesktopShortcut()
{
    ComScope com;
    if (!com.Usable()) return false;
    IShellLinkW* raw_link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
            reinterpret_cast<void**>(&raw_link))))
        return false;
    ComPtr<IShellLinkW> link(raw_link);
    const std::wstring folder = ProgramFolder();
    const std::wstring target = folder + kProgramName;
    if (FAILED(link->SetPath(target.c_str()))) return false;
    if (FAILED(link->SetWorkingDirectory(folder.substr(0, folder.size() - 1).c_str()))) return false;

    wchar_t desktop[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, desktop))) return false;
    IPersistFile* raw_file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&raw_file)))) return false;
    ComPtr<IPersistFile> file(raw_file);
    const std::wstring path = desktop + std::wstring(kShortcutName);
    return SUCCEEDED(file->Save(path.c_str(), TRUE));
}

// Failures of the shell are not reported: the user sees that nothing opened.
void OpenWithShell(HWND owner, const std::wstring& what)
{
    ShellExecuteW(owner, L"open", what.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void TMainForm1::N12Click(ui::TObject*)
{
    ui::ShowMessage(SaveDesktopShortcut() ? L"成功创建桌面快捷方式！" : L"创建桌面快捷方式失败！");
}

void TMainForm1::N10Click(ui::TObject*) { OpenWithShell(nullptr, ProgramFolder() + kVoiceFolder); }

void TMainForm1::N7Click(ui::TObject*) { OpenWithShell(WindowHandle(), kShopAddress); }

void TMainForm1::N14Click(ui::TObject*) { OpenWithShell(WindowHandle(), kShopChatAddress); }

void TMainForm1::N4Click(ui::TObject*) { OpenWithShell(WindowHandle(), kMakerChatAddress); }

void TMainForm1::N20Click(ui::TObject*) { OpenWithShell(WindowHandle(), kServiceAddress); }

}  // namespace app
