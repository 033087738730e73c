#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/core/DraftKeeper.h"
#endif

#include "app/core/Draft.h"

namespace {

app::Draft MakeDraft(const wchar_t* id, const wchar_t* title, const wchar_t* content, std::int64_t saved_at)
{
    return app::Draft{app::Document{id, L"2026-12-10", title, content, L"会议.mp3"}, saved_at};
}

bool Same(const app::Draft& a, const app::Draft& b)
{
    const app::Document &x = a.document, &y = b.document;
    return x.id == y.id && x.date == y.date && x.title == y.title && x.content == y.content && x.voice == y.voice &&
           a.saved_at == b.saved_at;
}

TEST(DraftFile, RoundTripsEveryCharacter)
{
    const std::vector<app::Draft> drafts{
        MakeDraft(L"12", L"标题 'q' \"d\"", L"第一行\r\n第二行\t😀👍🏽 \x00A0 end\r\n\r\n", 1765350000123),
        MakeDraft(L"13", L"", L"", 0),
    };
    const std::vector<app::Draft> read = app::ParseDrafts(app::SerializeDrafts(drafts));
    ASSERT_EQ(read.size(), drafts.size());
    for (size_t i = 0; i < drafts.size(); ++i) EXPECT_TRUE(Same(read[i], drafts[i])) << i;
    EXPECT_TRUE(app::ParseDrafts(app::SerializeDrafts({})).empty());
}

TEST(DraftFile, ADamagedFileHoldsNoDrafts)
{
    const std::string whole = app::SerializeDrafts({MakeDraft(L"5", L"题", L"正文内容", 99)});
    ASSERT_EQ(app::ParseDrafts(whole).size(), 1u);
    // Cut anywhere (a write that never finished) or with any byte changed.
    for (size_t length = 0; length < whole.size(); ++length)
        EXPECT_TRUE(app::ParseDrafts(whole.substr(0, length)).empty()) << length;
    for (size_t at = 0; at < whole.size(); ++at) {
        std::string damaged = whole;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x20);
        EXPECT_TRUE(app::ParseDrafts(damaged).empty()) << at;
    }
    EXPECT_TRUE(app::ParseDrafts(whole + "x").empty());
}

TEST(DraftFile, DiffersFromStoredComparesWhatStoringWouldChange)
{
    const app::Document stored{L"3", L"2026-01-01", L"标题", L"正文", L"a.wav"};
    const struct {
        app::Document document;
        bool has_row;
        bool differs;
    } cases[] = {
        {{L"3", L"2026-01-01", L"标题", L"正文", L"a.wav"}, true, false},
        {{L"3", L"2030-05-05", L" 标题 ", L"正文\r\n\r\n", L"a.wav"}, true, false},  // trimmed alike; the date alone
        {{L"3", L"2026-01-01", L"标题", L"正文。", L"a.wav"}, true, true},
        {{L"3", L"2026-01-01", L"新标题", L"正文", L"a.wav"}, true, true},
        {{L"3", L"2026-01-01", L"标题", L"正文", L"b.wav"}, true, true},
        {{L"3", L"2026-01-01", L"", L"", L"双击添加或更改录音文件"}, false, false},  // a new, empty document
        {{L"3", L"2026-01-01", L"  ", L"\r\n", L"x.wav"}, false, false},
        {{L"3", L"2026-01-01", L"", L"字", L"x.wav"}, false, true},
        {{L"3", L"2026-01-01", L"题", L"", L"x.wav"}, false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(app::DiffersFromStored(c.document, c.has_row ? std::optional(stored) : std::nullopt), c.differs)
            << testing::PrintToString(c.document.content) << " " << testing::PrintToString(c.document.title);
}

TEST(DraftFile, NewDocumentsPassTheIdsOfWaitingDrafts)
{
    EXPECT_EQ(app::NextDocumentId(L"7", {}), 8);
    EXPECT_EQ(app::NextDocumentId(L"7", {MakeDraft(L"8", L"", L"x", 1), MakeDraft(L"3", L"", L"y", 2)}), 9);
    EXPECT_EQ(app::NextDocumentId(L"", {MakeDraft(L"1", L"", L"x", 1)}), 2);
    EXPECT_EQ(app::NextDocumentId(L"7", {MakeDraft(L"abc", L"", L"x", 1)}), 8);
    EXPECT_THROW(app::NextDocumentId(L"x", {}), std::exception);

    EXPECT_EQ(app::NewestDraft({}), nullptr);
    const std::vector<app::Draft> drafts{MakeDraft(L"1", L"", L"a", 5), MakeDraft(L"2", L"", L"b", 9),
                                         MakeDraft(L"3", L"", L"c", 7)};
    ASSERT_NE(app::NewestDraft(drafts), nullptr);
    EXPECT_EQ(app::NewestDraft(drafts)->document.id, L"2");
}

#ifdef _WIN32
namespace fs = std::filesystem;

std::string FileBytes(const fs::path& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

class DraftKeeperTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("mj_drafts_" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path File() const { return folder_ / app::kDraftFile; }
    fs::path folder_;
};

TEST_F(DraftKeeperTest, KeepsOneDraftPerDocumentAndRemovesTheFileWithTheLast)
{
    {
        app::DraftKeeper keeper(File().wstring());
        EXPECT_TRUE(keeper.Drafts().empty());
        keeper.Keep(MakeDraft(L"4", L"甲", L"第一稿", 1));
        keeper.Keep(MakeDraft(L"5", L"乙", L"另一篇", 2));
        keeper.Keep(MakeDraft(L"4", L"甲", L"第二稿", 3));
        keeper.Flush();
        EXPECT_TRUE(keeper.LastWriteSucceeded());
        const auto on_disk = app::ParseDrafts(FileBytes(File()));
        ASSERT_EQ(on_disk.size(), 2u);
        EXPECT_EQ(on_disk[0].document.content, L"第二稿");
        EXPECT_EQ(on_disk[1].document.content, L"另一篇");
        EXPECT_FALSE(fs::exists(File().wstring() + L".new"));
        keeper.Keep(MakeDraft(L"6", L"丙", L"关闭前最后的字", 4));
        // Not flushed: closing writes what is pending.
    }
    app::DraftKeeper reopened(File().wstring());
    ASSERT_EQ(reopened.Drafts().size(), 3u);
    EXPECT_EQ(reopened.Drafts()[2].document.content, L"关闭前最后的字");
    for (const wchar_t* id : {L"4", L"5", L"6", L"404"}) reopened.Drop(id);
    reopened.Flush();
    EXPECT_TRUE(reopened.Drafts().empty());
    EXPECT_FALSE(fs::exists(File()));
}

TEST_F(DraftKeeperTest, AFileThatCannotBeWrittenIsReportedAndTheDraftsStayInMemory)
{
    // A folder in the way of the file.
    fs::create_directories(File());
    app::DraftKeeper keeper(File().wstring());
    keeper.Keep(MakeDraft(L"1", L"题", L"字", 1));
    keeper.Flush();
    EXPECT_FALSE(keeper.LastWriteSucceeded());
    EXPECT_EQ(keeper.Drafts().size(), 1u);
    fs::remove(File());
    keeper.Keep(MakeDraft(L"1", L"题", L"字多了", 2));
    keeper.Flush();
    EXPECT_TRUE(keeper.LastWriteSucceeded());
    EXPECT_EQ(app::ParseDrafts(FileBytes(File())).at(0).document.content, L"字多了");
}
#endif

}  // namespace
