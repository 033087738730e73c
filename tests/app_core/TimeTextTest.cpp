#include <gtest/gtest.h>

#include "app/core/TimeText.h"
#include "ui/Exception.h"

namespace {

std::wstring ConvertError(auto&& convert)
{
    try {
        convert();
    } catch (const ui::EConvertError& e) {
        return e.Message();
    }
    return L"(no error)";
}

TEST(TimeText, CutsToWholeSecondsAndWrapsHours)
{
    const struct {
        std::int64_t ms;
        const wchar_t* text;
    } cases[] = {
        {0, L"00:00:00"},
        {999, L"00:00:00"},
        {1999, L"00:00:01"},
        {727000, L"00:12:07"},
        {4869000, L"01:21:09"},
        {86399999, L"23:59:59"},
        {86400000, L"00:00:00"},
        {90061000, L"01:01:01"},
    };
    for (const auto& c : cases) EXPECT_EQ(app::TimeText(c.ms), c.text) << c.ms;
}

TEST(ParseTimeOfDay, AcceptsOneOrTwoDigitFields)
{
    const struct {
        const wchar_t* text;
        std::int64_t ms;
    } cases[] = {
        {L"01:21:09", 4869000},
        {L"1:21:9", 4869000},
        {L"00:00:00", 0},
        {L"23:59:59", 86399000},
        {L"0:0:5", 5000},
        {L"01:21:09 ", 4869000},
        {L"\t01:21:09\r\n", 4869000},
    };
    for (const auto& c : cases) EXPECT_EQ(app::ParseTimeOfDay(c.text), c.ms) << c.text;
}

TEST(ParseTimeOfDay, RefusesWithTheTimeMessage)
{
    const wchar_t* cases[] = {L"25:00:00", L"24:00:00", L"abc", L"", L"01:60:00", L"01:00:60", L"001:00:00",
                              L"1:2", L"1:2:3:4", L"-1:00:00", L"+1:00:00", L"1:2:3.5", L"1 :2:3",
                              L"-00:12:07-", L"01:21:09x", L"１:2:3", L"99999999999:00:00", L"0:4294967296:0",
                              L"00:00:12345678901234567890"};
    for (const wchar_t* text : cases)
        EXPECT_EQ(ConvertError([&] { app::ParseTimeOfDay(text); }), L"'" + std::wstring(text) + L"' is not a valid time")
            << text;
}

TEST(StrToInt, ConvertsDecimalIntegers)
{
    const struct {
        const wchar_t* text;
        int value;
    } cases[] = {{L"5", 5}, {L"075", 75}, {L"-3", -3}, {L"+10", 10}, {L"  7", 7}, {L"2147483647", 2147483647},
                 {L"-2147483648", -2147483647 - 1}};
    for (const auto& c : cases) EXPECT_EQ(app::StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RefusesWithTheIntegerMessage)
{
    const wchar_t* cases[] = {L"", L"abc", L"shijian2", L"5 ", L"5s", L"1.5", L"-", L"2147483648", L"-2147483649",
                              L"99999999999999999999"};
    for (const wchar_t* text : cases)
        EXPECT_EQ(ConvertError([&] { app::StrToInt(text); }),
                  L"'" + std::wstring(text) + L"' is not a valid integer value")
            << text;
}

TEST(CountdownSeconds, TakesZeroToFiftyNineWithOneOrTwoDigits)
{
    EXPECT_EQ(app::CountdownSeconds(L"0"), 0);
    EXPECT_EQ(app::CountdownSeconds(L"5"), 5);
    EXPECT_EQ(app::CountdownSeconds(L"05"), 5);
    EXPECT_EQ(app::CountdownSeconds(L"59"), 59);
    const wchar_t* refused[] = {L"60", L"75", L"005", L"-1", L"", L"abc", L"shijian3", L"1:00", L"99999999999"};
    for (const wchar_t* text : refused)
        EXPECT_EQ(ConvertError([&] { app::CountdownSeconds(text); }),
                  L"'00:00:" + std::wstring(text) + L"' is not a valid time")
            << text;
}

TEST(TimeStamp, WrapsTheReadoutInHyphens)
{
    EXPECT_EQ(app::TimeStamp(L"00:12:07"), L"-00:12:07-");
}

}  // namespace
