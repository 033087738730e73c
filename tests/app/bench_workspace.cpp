// The workspace's speed under Wine, on the real main window and a real database file:
//   auto-save: one update of a 200 KB transcript per key release, 200 releases (aim < 5 ms)
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

void Report(const char* what, std::vector<double> samples, double aim)
{
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    const double p99 = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    std::printf("%-34s median %8.2f ms  p99 %8.2f ms  max %8.2f ms  (aim < %.0f ms, n=%zu)\n", what, median, p99,
                samples.back(), aim, samples.size());
}

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

    // Auto-save: a stored 200 KB document, auto-save on, one key release at a time.
    form->Edit2->SetText(L"基准");
    form->Memo1->SetText(Transcript(200 * 1024));
    form->BitBtn10->Click();
    form->CheckBox2->SetChecked(true);
    HWND memo = form->Memo1->Handle();
    std::vector<double> saves;
    for (int i = 0; i < 200; ++i) {
        const auto start = Clock::now();
        SendMessageW(memo, WM_KEYUP, 'A', 1 | (3LL << 30));
        saves.push_back(Ms(Clock::now() - start));
    }
    Report("auto-save, 200 KB transcript", saves, 5);
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
