// The workspace's speed under Wine, on the real main window and a real database file:
//   typing into a 200 KB transcript: one character inserted before each key release, the
//   release's handling timed with auto-save, with the draft, and with both, beside raw SQLite
//   running the same update on the same file in the same run (aims: auto-save at most 1.2 x
//   the raw update; the draft adding under 2 ms at p99)
//   archive:   showing the archive page with 10 000 stored documents (aim < 200 ms)
//   word count of a 1 MB transcript (aim < 20 ms)
#include <windows.h>

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit3.h"
#include "ui/Dialogs.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void Pump() { ui::Application()->ProcessMessages(); }

std::wstring Transcript(size_t chars)
{
    std::wstring text;
    while (text.size() < chars) text += L"今天的会议讨论了三个问题，第一是预算。We agreed on 3 items.\r\n";
    text.resize(chars);
    return text;
}

struct Figures {
    double median, p99, max;
};

Figures Summary(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[std::min(samples.size() - 1, samples.size() * 99 / 100)],
            samples.back()};
}

Figures Report(const char* what, const std::vector<double>& samples, double aim)
{
    const Figures f = Summary(samples);
    std::printf("%-34s median %8.2f ms  p99 %8.2f ms  max %8.2f ms  (aim < %.0f ms, n=%zu)\n", what, f.median, f.p99,
                f.max, aim, samples.size());
    return f;
}

// The update the auto-save runs, straight on SQLite with a prepared statement: the floor.
class RawUpdate {
public:
    explicit RawUpdate(const fs::path& database)
    {
        sqlite3_open(database.string().c_str(), &db_);
        sqlite3_exec(db_, "pragma journal_mode=wal; pragma synchronous=full", nullptr, nullptr, nullptr);
        sqlite3_prepare16_v2(db_, L"update jilu set 日期=?,标题=?,内容=?,语音文件=? where 序号=?", -1, &update_, nullptr);
    }
    ~RawUpdate()
    {
        sqlite3_finalize(update_);
        sqlite3_close(db_);
    }
    void Run(const std::wstring& text, int id)
    {
        const auto bytes = [](const std::wstring& s) { return static_cast<int>(s.size() * sizeof(wchar_t)); };
        static const std::wstring date = L"2026-12-10", title = L"基准", voice = L"rec.wav";
        sqlite3_bind_text16(update_, 1, date.c_str(), bytes(date), SQLITE_STATIC);
        sqlite3_bind_text16(update_, 2, title.c_str(), bytes(title), SQLITE_STATIC);
        sqlite3_bind_text16(update_, 3, text.c_str(), bytes(text), SQLITE_STATIC);
        sqlite3_bind_text16(update_, 4, voice.c_str(), bytes(voice), SQLITE_STATIC);
        sqlite3_bind_int(update_, 5, id);
        sqlite3_step(update_);
        sqlite3_reset(update_);
    }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* update_ = nullptr;
};

void FillArchive(const fs::path& database, int documents)
{
    sqlite3* db = nullptr;
    sqlite3_open(database.string().c_str(), &db);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "insert into jilu values(?,?,?,?,?)", -1, &insert, nullptr);
    const std::string content = "会议记录的正文，一段普通长度的整理稿。" + std::string(600, 'x');
    for (int i = 1; i <= documents; ++i) {
        char date[16];
        std::snprintf(date, sizeof date, "20%02d-%02d-%02d", 10 + i % 15, 1 + i % 12, 1 + i % 28);
        const std::string title = "标题 " + std::to_string(i);
        sqlite3_bind_int(insert, 1, i + 1000);
        sqlite3_bind_text(insert, 2, date, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, title.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, content.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 5, "rec.wav", -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

}  // namespace

int main()
{
    const fs::path folder = fs::temp_directory_path() / ("mj_bench_workspace_" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    SetCurrentDirectoryW(folder.c_str());

    ui::TApplication application(nullptr);
    application.Initialize();
    application.SetTitle(app::kApplicationTitle);
    ui::ScopedMessageBoxService answer_ok([](const ui::MessageBoxRequest&) { return IDOK; });
    auto* form = application.CreateForm<app::TMainForm1>();
    form->Show();
    Pump();

    // Typing: a stored 200 KB document, one character typed at the end before each key release.
    // The draft is taken at every release here (it runs four times a second when typing), so
    // its figures are an upper bound.
    form->Edit2->SetText(L"基准");
    form->Memo1->SetText(Transcript(200 * 1024));
    form->BitBtn10->Click();
    form->DraftTimer->SetEnabled(false);
    HWND memo = form->Memo1->Handle();
    const int id = std::stoi(form->Label15->Caption());
    constexpr int kKeys = 200;
    auto type = [&](bool auto_save, bool draft) {
        form->CheckBox2->SetChecked(auto_save);
        std::vector<double> releases;
        for (int i = 0; i < kKeys; ++i) {
            SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(-1), -1);
            SendMessageW(memo, WM_CHAR, L'字', 1);
            const auto start = Clock::now();
            SendMessageW(memo, WM_KEYUP, 'A', 1 | (3LL << 30));
            if (draft) form->DraftTimerTimer(form);
            releases.push_back(Ms(Clock::now() - start));
        }
        form->Drafts()->Flush();
        return releases;
    };
    RawUpdate raw(folder / L"txt.kl");
    std::wstring text = form->Memo1->Text();
    std::vector<double> raw_updates;
    for (int i = 0; i < kKeys; ++i) {
        text += L'字';
        const auto start = Clock::now();
        raw.Run(text, id);
        raw_updates.push_back(Ms(Clock::now() - start));
    }
    const Figures floor = Report("raw SQLite update, 200 KB", raw_updates, 5);
    const Figures saving = Report("key release, auto-save", type(true, false), 5);
    const Figures drafting = Report("key release, draft", type(false, true), 2);
    const Figures both = Report("key release, auto-save and draft", type(true, true), 5);
    const Figures plain = Report("key release, neither", type(false, false), 1);
    std::printf("auto-save / raw update: median %.2f x, p99 %.2f x (aim <= 1.2 x)\n", saving.median / floor.median,
                saving.p99 / floor.p99);
    std::printf("draft adds at p99: %.2f ms alone, %.2f ms beside auto-save (aim < 2 ms)\n", drafting.p99 - plain.p99,
                both.p99 - saving.p99);
    form->CheckBox2->SetChecked(false);

    // Word count of 1 MB: the command, with its message answered at once.
    form->Memo1->SetText(Transcript(1024 * 1024));
    std::vector<double> counts;
    for (int i = 0; i < 20; ++i) {
        const auto start = Clock::now();
        form->N18Click(form);
        counts.push_back(Ms(Clock::now() - start));
    }
    Report("word count, 1 MB transcript", counts, 20);

    // The archive page with 10 000 documents: the list query, the grid and its painting.
    FillArchive(folder / L"txt.kl", 10000);
    std::vector<double> shows;
    for (int i = 0; i < 10; ++i) {
        form->PageControl1->SetActivePage(form->TabSheet1);
        Pump();
        const auto start = Clock::now();
        form->PageControl1->SetActivePage(form->TabSheet2);
        UpdateWindow(form->DBGrid1->Handle());
        Pump();
        shows.push_back(Ms(Clock::now() - start));
    }
    std::printf("archive rows listed: %d\n", form->ADOQuery1->RecordCount());
    Report("archive page, 10 000 documents", shows, 200);

    delete form;
    SetCurrentDirectoryW(fs::temp_directory_path().c_str());
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
