#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ui/Classes.h"
#include "ui/IniFiles.h"

using namespace ui;

namespace {

// A fresh ini path in the temporary folder, removed again afterwards.
class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t dir[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        path_ = std::wstring(dir) + L"mj_ini_test_" + std::to_wstring(GetCurrentProcessId()) + L".ini";
        DeleteFileW(path_.c_str());
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }

    std::string Bytes() const
    {
        auto bytes = ReadFileBytes(path_);
        return std::string(bytes.begin(), bytes.end());
    }

    std::wstring path_;
};

}  // namespace

TEST_F(IniFileTest, WritesTheAnsiCodePageAndReadsBack)
{
    TIniFile ini(path_);
    ini.WriteString(L"时间", L"shijian1", L"10");
    ini.WriteString(L"时间", L"shijian2", L"5");
    ini.WriteString(L"时间", L"shijian1", L"12");
    EXPECT_EQ(Bytes(), "[\xCA\xB1\xBC\xE4]\r\nshijian1=12\r\nshijian2=5\r\n") << "GBK section name, keys in order";

    EXPECT_EQ(ini.ReadString(L"时间", L"shijian1", L"shijian1"), L"12");
    EXPECT_EQ(ini.ReadString(L"时间", L"SHIJIAN2", L""), L"5") << "keys match without case";
    EXPECT_EQ(ini.ReadString(L"时间", L"shijian3", L"shijian3"), L"shijian3") << "a missing key gives the default";
    EXPECT_EQ(ini.ReadString(L"其他", L"shijian1", L"-"), L"-");
    EXPECT_TRUE(ini.ValueExists(L"时间", L"shijian2"));
    EXPECT_FALSE(ini.ValueExists(L"时间", L"shijian3"));

    ini.WriteString(L"时间", L"备注", L"第一段 复读");
    EXPECT_EQ(ini.ReadString(L"时间", L"备注", L""), L"第一段 复读");
    ini.DeleteKey(L"时间", L"备注");
    EXPECT_FALSE(ini.ValueExists(L"时间", L"备注"));
    EXPECT_EQ(ini.ReadString(L"时间", L"shijian2", L""), L"5") << "other keys are left alone";
}

TEST_F(IniFileTest, ReadsAFileWrittenByHandInGbk)
{
    const std::string shipped = "; durations\r\n[\xCA\xB1\xBC\xE4]\r\nshijian1 = 10\r\nshijian2=5\r\nshijian3=$A\r\nbad=7x\r\n";
    WriteFileBytes(path_, reinterpret_cast<const std::uint8_t*>(shipped.data()), shipped.size());
    TIniFile ini(path_);
    EXPECT_EQ(ini.ReadString(L"时间", L"shijian1", L""), L"10") << "spaces around '=' are dropped";
    EXPECT_EQ(ini.ReadInteger(L"时间", L"shijian1", -1), 10);
    EXPECT_EQ(ini.ReadInteger(L"时间", L"shijian3", -1), 10);
    EXPECT_EQ(ini.ReadInteger(L"时间", L"bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger(L"时间", L"missing", 3), 3);

    ini.WriteInteger(L"时间", L"shijian2", -75);
    EXPECT_EQ(ini.ReadInteger(L"时间", L"shijian2", 0), -75);
    EXPECT_EQ(ini.ReadString(L"时间", L"shijian2", L""), L"-75");
}

TEST_F(IniFileTest, LongValuesAreNotCutAndUnwritableFilesThrow)
{
    TIniFile ini(path_);
    std::wstring longText(3000, L'长');
    ini.WriteString(L"s", L"k", longText);
    EXPECT_EQ(ini.ReadString(L"s", L"k", L""), longText);

    TIniFile nowhere(L"C:\\no such folder\\x\\Time.ini");
    EXPECT_THROW(nowhere.WriteString(L"时间", L"shijian1", L"1"), Exception);
    EXPECT_EQ(nowhere.ReadString(L"时间", L"shijian1", L"shijian1"), L"shijian1");
}
