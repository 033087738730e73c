#include "ui/Dialogs.h"

#include <commdlg.h>

#include <vector>

namespace ui {

namespace {

std::wstring ModuleStem()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            std::wstring full(path.data(), n);
            auto slash = full.find_last_of(L"\\/");
            std::wstring name = slash == std::wstring::npos ? full : full.substr(slash + 1);
            auto dot = name.find_last_of(L'.');
            return dot == std::wstring::npos ? name : name.substr(0, dot);
        }
        path.resize(path.size() * 2);
    }
}

std::wstring& Title()
{
    static std::wstring title = ModuleStem();
    return title;
}

MessageBoxService& BoxService()
{
    static MessageBoxService service;
    return service;
}

OpenDialogService& DialogService()
{
    static OpenDialogService service;
    return service;
}

// The system file dialog accepts long paths only when the buffer is large enough.
constexpr std::size_t kFileNameBuffer = 32768;

bool SystemOpenDialog(TOpenDialog& dialog)
{
    std::wstring filter = FilterForSystem(dialog.Filter());
    std::vector<wchar_t> file(kFileNameBuffer, L'\0');
    dialog.FileName().copy(file.data(), file.size() - 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = dialog.InitialDir().empty() ? nullptr : dialog.InitialDir().c_str();
    ofn.lpstrTitle = dialog.Title().empty() ? nullptr : dialog.Title().c_str();
    const TOpenOptions options = dialog.Options();
    ofn.Flags = OFN_EXPLORER | ((options & ofHideReadOnly) ? OFN_HIDEREADONLY : 0) |
                ((options & ofNoChangeDir) ? OFN_NOCHANGEDIR : 0) | ((options & ofPathMustExist) ? OFN_PATHMUSTEXIST : 0) |
                ((options & ofFileMustExist) ? OFN_FILEMUSTEXIST : 0) | ((options & ofEnableSizing) ? OFN_ENABLESIZING : 0);
    if (!GetOpenFileNameW(&ofn)) return false;
    dialog.SetFileName(file.data());
    return true;
}

}  // namespace

const std::wstring& ApplicationTitle() { return Title(); }

void SetApplicationTitle(std::wstring title) { Title() = std::move(title); }

MessageBoxService SetMessageBoxService(MessageBoxService service)
{
    MessageBoxService previous = std::move(BoxService());
    BoxService() = std::move(service);
    return previous;
}

int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags)
{
    if (BoxService()) return BoxService()(MessageBoxRequest{owner, text, caption, flags});
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void ShowMessage(const std::wstring& text) { MessageBox(nullptr, text, ApplicationTitle(), kShowMessageFlags); }

void ShowErrorMessage(const std::wstring& text)
{
    MessageBox(nullptr, WithFullStop(text), ApplicationTitle(), kErrorMessageFlags);
}

std::wstring WithFullStop(std::wstring text)
{
    if (!text.empty() && text.back() != L'.' && text.back() != L'\u3002') text += L'.';
    return text;
}

std::wstring FilterForSystem(std::wstring_view filter)
{
    if (filter.empty()) return {};
    std::wstring out(filter);
    for (auto& c : out)
        if (c == L'|') c = L'\0';
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

OpenDialogService SetOpenDialogService(OpenDialogService service)
{
    OpenDialogService previous = std::move(DialogService());
    DialogService() = std::move(service);
    return previous;
}

bool TOpenDialog::Execute()
{
    if (DialogService()) return DialogService()(*this);
    return SystemOpenDialog(*this);
}

PropValue TOpenDialog::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Title")) return title_;
    if (SameName(name, L"Filter")) return filter_;
    if (SameName(name, L"FileName")) return file_name_;
    if (SameName(name, L"InitialDir")) return initial_dir_;
    return TComponent::GetProperty(name);
}

bool TOpenDialog::SetProperty(std::wstring_view name, const PropValue& value)
{
    std::wstring* field = SameName(name, L"Title")        ? &title_
                          : SameName(name, L"Filter")     ? &filter_
                          : SameName(name, L"FileName")   ? &file_name_
                          : SameName(name, L"InitialDir") ? &initial_dir_
                                                          : nullptr;
    if (!field) return TComponent::SetProperty(name, value);
    if (!std::holds_alternative<std::wstring>(value)) return false;
    *field = std::get<std::wstring>(value);
    return true;
}

}  // namespace ui
