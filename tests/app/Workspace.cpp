#include <gtest/gtest.h>

#include "Workspace.h"

#include <sqlite3.h>

#include "app/core/Files.h"

namespace testing_app {

namespace {

std::wstring Widen(const unsigned char* utf8)
{
    if (!utf8) return {};
    const auto* text = reinterpret_cast<const char*>(utf8);
    const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n - 1 : 0), L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

// The application lives for the whole test program, as it does in the real one.
class ApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        application_ = std::make_unique<ui::TApplication>(nullptr);
        application_->Initialize();
        application_->SetTitle(app::kApplicationTitle);
    }
    void TearDown() override { application_.reset(); }

private:
    std::unique_ptr<ui::TApplication> application_;
};

[[maybe_unused]] const auto* const g_environment = testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace

BoxRecorder::BoxRecorder()
    : service_([this](const ui::MessageBoxRequest& request) {
          boxes_.push_back(request);
          return IDOK;
      })
{
}

std::vector<std::wstring> BoxRecorder::Messages() const
{
    std::vector<std::wstring> texts;
    for (const auto& box : boxes_)
        if ((box.flags & MB_ICONMASK) == 0) texts.push_back(box.text);
    return texts;
}

std::vector<std::wstring> BoxRecorder::Errors() const
{
    std::vector<std::wstring> texts;
    for (const auto& box : boxes_)
        if ((box.flags & MB_ICONMASK) == MB_ICONSTOP) texts.push_back(box.text);
    return texts;
}

void PressKey(HWND window, WORD key, bool alt)
{
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | scan | (alt ? (1 << 29) : 0));
    ui::Application()->ProcessMessages();
}

void ReleaseKey(HWND window, WORD key)
{
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYUP, key, 1 | scan | (3LL << 30));
    ui::Application()->ProcessMessages();
}

void Type(HWND window, const std::wstring& text)
{
    for (wchar_t c : text) PostMessageW(window, WM_CHAR, c, 1);
    ui::Application()->ProcessMessages();
}

void MenuCommand(HWND window, const ui::TMenuItem* item)
{
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    ui::Application()->ProcessMessages();
}

std::wstring ProgramFolder() { return app::ProgramFolder(); }

void WriteSettings(const std::wstring& skip, const std::wstring& replay, const std::wstring& play)
{
    const std::wstring file = ProgramFolder() + app::kSettingsFile;
    DeleteFileW(file.c_str());
    WritePrivateProfileStringW(app::kSettingsSection, app::kSkipKey, skip.c_str(), file.c_str());
    WritePrivateProfileStringW(app::kSettingsSection, app::kReplayKey, replay.c_str(), file.c_str());
    WritePrivateProfileStringW(app::kSettingsSection, app::kPlayKey, play.c_str(), file.c_str());
}

std::vector<StoredRow> ReadRows(const fs::path& database)
{
    sqlite3* db = nullptr;
    std::vector<StoredRow> rows;
    if (sqlite3_open_v2(Narrow(database.wstring()).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        ADD_FAILURE() << "cannot open " << database;
        return rows;
    }
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "select 序号,日期,标题,内容,语音文件 from jilu order by 序号", -1, &statement, nullptr);
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        StoredRow row;
        row.id = Widen(sqlite3_column_text(statement, 0));
        row.date = Widen(sqlite3_column_text(statement, 1));
        row.title = Widen(sqlite3_column_text(statement, 2));
        row.content = Widen(sqlite3_column_text(statement, 3));
        row.voice = Widen(sqlite3_column_text(statement, 4));
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

app::TMainForm1* WorkspaceTest::form_ = nullptr;
app::TForm3* WorkspaceTest::settings_ = nullptr;
fs::path WorkspaceTest::folder_;

void WorkspaceTest::SetUpTestSuite()
{
    const auto* info = testing::UnitTest::GetInstance()->current_test_suite();
    folder_ = fs::temp_directory_path() / ("mj_app_" + std::to_string(GetCurrentProcessId()) + "_" + info->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    SetCurrentDirectoryW(folder_.c_str());
    fs::remove_all(ProgramFolder() + app::kVoiceFolder);
    WriteSettings(L"5", L"3", L"5");
    Restart();
}

void WorkspaceTest::Restart(int answer, std::vector<ui::MessageBoxRequest>* seen)
{
    const ui::ScopedMessageBoxService service([&](const ui::MessageBoxRequest& request) {
        if (seen) seen->push_back(request);
        return (request.flags & MB_TYPEMASK) == MB_YESNO ? answer : IDOK;
    });
    delete settings_;
    delete form_;
    form_ = ui::Application()->CreateForm<app::TMainForm1>();
    settings_ = ui::Application()->CreateForm<app::TForm3>();
    app::Form3 = settings_;
    form_->Show();
    Pump(std::chrono::milliseconds(50));
}

void WorkspaceTest::TearDownTestSuite()
{
    BoxRecorder quiet;
    delete settings_;
    settings_ = nullptr;
    delete form_;
    form_ = nullptr;
    SetCurrentDirectoryW(fs::temp_directory_path().c_str());
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

void WorkspaceTest::SetUp()
{
    boxes_ = std::make_unique<BoxRecorder>();
}

void WorkspaceTest::SaveNew(const std::wstring& title, const std::wstring& text)
{
    form_->N1Click(form_);
    form_->Edit2->SetText(title);
    form_->Memo1->SetText(text);
    form_->BitBtn10->Click();
    Pump(std::chrono::milliseconds(0));
}

void WorkspaceTest::ShowArchivePage()
{
    // From the workspace page, as the user comes to it: each showing rebuilds the list.
    form_->PageControl1->SetActivePage(form_->TabSheet1);
    form_->PageControl1->SetActivePage(form_->TabSheet2);
    Pump(std::chrono::milliseconds(0));
}

bool WorkspaceTest::SelectArchiveRow(const std::wstring& id)
{
    ShowArchivePage();
    platform::TADOQuery& list = *form_->ADOQuery1;
    for (int row = 0; row < list.RecordCount(); ++row) {
        list.MoveTo(row);
        if (list.FieldByName(L"序号").AsString() == id) return true;
    }
    return false;
}

}  // namespace testing_app
