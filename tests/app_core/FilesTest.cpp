#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/core/Files.h"

namespace {

TEST(ExtractFileName, TakesTheNameAfterTheLastSeparator)
{
    EXPECT_EQ(app::ExtractFileName(L"C:\\录音\\会议 1.wav"), L"会议 1.wav");
    EXPECT_EQ(app::ExtractFileName(L"Z:/tmp/a.mp3"), L"a.mp3");
    EXPECT_EQ(app::ExtractFileName(L"C:a.wav"), L"a.wav");
    EXPECT_EQ(app::ExtractFileName(L"a.wav"), L"a.wav");
    EXPECT_EQ(app::ExtractFileName(L"C:\\dir\\"), L"");
}

#ifdef _WIN32
namespace fs = std::filesystem;

class CopyIntoFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("mj_copy_" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        source_ = root_ / L"录音.wav";
        Write(source_, "new recording");
    }
    void TearDown() override { fs::remove_all(root_); }

    static void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    static std::string Read(const fs::path& path)
    {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }

    fs::path root_;
    fs::path source_;
};

TEST_F(CopyIntoFolderTest, CreatesTheMissingFolderAndReplacesAnOldCopy)
{
    const fs::path voice = root_ / L"voice";
    ASSERT_TRUE(app::CopyIntoFolder(source_.wstring(), voice.wstring() + L"\\"));
    EXPECT_EQ(Read(voice / L"录音.wav"), "new recording");

    Write(source_, "changed");
    ASSERT_TRUE(app::CopyIntoFolder(source_.wstring(), voice.wstring()));
    EXPECT_EQ(Read(voice / L"录音.wav"), "changed");
}

TEST_F(CopyIntoFolderTest, AFileAlreadyInTheFolderCountsAsCopied)
{
    EXPECT_TRUE(app::CopyIntoFolder(source_.wstring(), root_.wstring() + L"\\"));
    // Another spelling of the same folder.
    EXPECT_TRUE(app::CopyIntoFolder(source_.wstring(), (root_ / L".").wstring() + L"\\"));
    EXPECT_EQ(Read(source_), "new recording");
}

TEST_F(CopyIntoFolderTest, FailuresAreReported)
{
    EXPECT_FALSE(app::CopyIntoFolder((root_ / L"missing.wav").wstring(), (root_ / L"voice").wstring()));
    // The folder's place is taken by a file.
    Write(root_ / L"blocked", "");
    EXPECT_FALSE(app::CopyIntoFolder(source_.wstring(), (root_ / L"blocked").wstring()));
    // The folder cannot be created at all.
    EXPECT_FALSE(app::CopyIntoFolder(source_.wstring(), (root_ / L"no" / L"such" / L"voice").wstring()));
}

TEST(ProgramFolder, EndsWithABackslashAndHoldsTheProgram)
{
    const std::wstring folder = app::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'\\');
    EXPECT_TRUE(fs::exists(folder + L"app_core_tests.exe"));
}
#endif

}  // namespace
