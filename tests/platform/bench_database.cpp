// The latency of one auto-save: an update of a 200 KB transcript (102 400 Chinese characters,
// 200 KB in the GBK form the workspace counts in), 200 times, under the journal settings the
// connection chooses and under the alternatives.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/Database.h"

namespace {

constexpr int kUpdates = 200;
constexpr size_t kCharacters = 200 * 1024 / 2;

struct Setting {
    const char* label;
    // Statements run after the connection opened; none keeps its choice.
    std::vector<const wchar_t*> pragmas;
};

void Run(const Setting& setting)
{
    platform_test::TempDir dir;
    platform::TADOConnection connection(nullptr);
    connection.SetConnectionString(L"Data Source=txt.kl");
    platform::TADOQuery query(nullptr);
    query.SetConnection(&connection);
    auto exec = [&](const std::wstring& sql) {
        query.SQL().Clear();
        query.SQL().Add(sql);
        query.ExecSQL();
    };
    connection.Open();
    for (const wchar_t* pragma : setting.pragmas) exec(pragma);
    exec(L"insert into jilu(序号,日期,标题,内容,语音文件) values('1','2024-01-01','基准','','a.wav')");

    std::wstring text;
    for (size_t i = 0; text.size() < kCharacters; ++i) text += static_cast<wchar_t>(0x4E00 + (i * 37) % 20000);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    query.SQL().Clear();
    query.SQL().Add(L"update jilu set 日期=:date,标题=:title,内容=:text,语音文件=:voice where 序号=:id");
    query.Parameters().ParamByName(L"date").SetValue(L"2024-01-01");
    query.Parameters().ParamByName(L"title").SetValue(L"基准");
    query.Parameters().ParamByName(L"voice").SetValue(L"a.wav");
    query.Parameters().ParamByName(L"id").SetValue(L"1");
    for (int i = 0; i < kUpdates; ++i) {
        // One keystroke's change, as auto-save sees it.
        text[static_cast<size_t>(i) * 97 % text.size()] = static_cast<wchar_t>(0x4E00 + i);
        query.Parameters().ParamByName(L"text").SetValue(text);
        QueryPerformanceCounter(&start);
        query.ExecSQL();
        QueryPerformanceCounter(&end);
        ms.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    }
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (double m : ms) total += m;
    std::printf("%-34s median %7.2f ms  p99 %7.2f ms  mean %7.2f ms  max %7.2f ms\n", setting.label, ms[ms.size() / 2],
                ms[ms.size() * 99 / 100], total / static_cast<double>(ms.size()), ms.back());
}

}  // namespace

int main()
{
    const Setting settings[] = {
        {"wal, synchronous=full (chosen)", {}},
        {"wal, synchronous=normal", {L"pragma synchronous=normal"}},
        {"rollback (delete), synchronous=full", {L"pragma journal_mode=delete", L"pragma synchronous=full"}},
        {"rollback (delete), synchronous=normal", {L"pragma journal_mode=delete", L"pragma synchronous=normal"}},
    };
    std::printf("%d updates of %zu characters\n", kUpdates, kCharacters);
    for (const Setting& setting : settings) {
        try {
            Run(setting);
        } catch (const ui::Exception& e) {
            std::printf("%s: %s\n", setting.label, e.what());
            return 1;
        }
    }
    return 0;
}
