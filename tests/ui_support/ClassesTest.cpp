#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/Classes.h"

using namespace ui;

namespace {

std::vector<std::wstring> Lines(const TStrings& list)
{
    std::vector<std::wstring> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

}  // namespace

TEST(StringList, SetTextSplitsAtEveryKindOfLineBreak)
{
    struct Case {
        std::wstring text;
        std::vector<std::wstring> lines;
    };
    const Case cases[] = {
        {L"", {}},
        {L"top.bmp", {L"top.bmp"}},
        {L"a\r\nb", {L"a", L"b"}},
        {L"a\r\nb\r\n", {L"a", L"b"}},
        {L"a\rb\nc", {L"a", L"b", L"c"}},
        {L"a\n\nb", {L"a", L"", L"b"}},
        {L"a\n\r\nb", {L"a", L"", L"b"}},
        {L"a\r\n\r\n", {L"a", L""}},
        {L"\r\n", {L""}},
        {std::wstring(L"a\nb\0c\nd", 7), {L"a", L"b"}},
        {L"日期:2024\r标题：x", {L"日期:2024", L"标题：x"}},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.Add(L"old");
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << "text of " << c.text.size() << " characters";
    }
}

TEST(StringList, TextEndsEveryLineWithCrLfAndRoundTrips)
{
    TStringList list;
    EXPECT_EQ(list.Text(), L"");
    list.Add(L"select max(序号) as 最大 from jilu");
    list.Add(L"");
    list.Add(L"x");
    EXPECT_EQ(list.Text(), L"select max(序号) as 最大 from jilu\r\n\r\nx\r\n");
    TStringList copy;
    copy.SetText(list.Text());
    EXPECT_EQ(Lines(copy), Lines(list));
}

TEST(StringList, EditingKeepsOrderAndRefusesBadIndexes)
{
    TStringList list;
    EXPECT_EQ(list.Add(L"b"), 0);
    list.Insert(0, L"a");
    list.Insert(2, L"d");
    list.Insert(2, L"c");
    list.Put(3, L"D");
    EXPECT_EQ(Lines(list), (std::vector<std::wstring>{L"a", L"b", L"c", L"D"}));
    list.Delete(1);
    EXPECT_EQ(Lines(list), (std::vector<std::wstring>{L"a", L"c", L"D"}));
    EXPECT_EQ(list.IndexOf(L"d"), 2) << "ASCII case is ignored";
    EXPECT_EQ(list.IndexOf(L"b"), -1);

    EXPECT_THROW(list.Get(3), EStringListError);
    EXPECT_THROW(list.Get(-1), EStringListError);
    EXPECT_THROW(list.Insert(4, L"x"), EStringListError);
    EXPECT_THROW(list.Delete(3), EStringListError);
    EXPECT_THROW(list.Put(-1, L"x"), EStringListError);
    try {
        list.Get(7);
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), L"List index out of bounds (7)");
    }
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, NamesAndValues)
{
    TStringList list;
    list.SetText(L"Caption=确定\r\nnoequals\r\nKey=a=b\r\nEmpty=\r\nkey=second");
    EXPECT_EQ(list.Names(0), L"Caption");
    EXPECT_EQ(list.Names(1), L"");
    EXPECT_EQ(list.ValueFromIndex(2), L"a=b");
    EXPECT_EQ(list.Values(L"caption"), L"确定");
    EXPECT_EQ(list.Values(L"KEY"), L"a=b") << "the first line of a name wins";
    EXPECT_EQ(list.Values(L"noequals"), L"") << "a line without '=' has no name";
    EXPECT_EQ(list.IndexOfName(L"Empty"), 3);
    EXPECT_EQ(list.IndexOfName(L"missing"), -1);

    list.SetValue(L"Key", L"c");
    EXPECT_EQ(list[2], L"Key=c");
    list.SetValue(L"New", L"1");
    EXPECT_EQ(list[list.Count() - 1], L"New=1");
    list.SetValue(L"Caption", L"");
    EXPECT_EQ(list.IndexOfName(L"Caption"), -1);
    EXPECT_EQ(list.Count(), 5);
}

TEST(StringList, AssignCopiesAndSelfAddDoublesOnce)
{
    TStringList a, b;
    a.SetText(L"1\n2");
    b.Add(L"x");
    b.Assign(a);
    EXPECT_EQ(Lines(b), Lines(a));
    b.Assign(b);
    EXPECT_EQ(b.Count(), 2);
    b.AddStrings(b);
    EXPECT_EQ(Lines(b), (std::vector<std::wstring>{L"1", L"2", L"1", L"2"}));
}

TEST(MemoryStream, ReadWriteSeekAndShortReads)
{
    TMemoryStream s;
    const char text[] = "abcdef";
    s.WriteBuffer(text, 6);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Position(), 6);

    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 4), 0u) << "nothing after the end";
    EXPECT_EQ(s.Seek(-2, TSeekOrigin::soEnd), 4);
    EXPECT_EQ(s.Read(buf, 8), 2u);
    EXPECT_EQ(std::string(buf, 2), "ef");

    s.SetPosition(1);
    EXPECT_THROW(s.ReadBuffer(buf, 6), EReadError);
    s.SetPosition(1);
    s.ReadBuffer(buf, 5);
    EXPECT_EQ(std::string(buf, 5), "bcdef");
    EXPECT_THROW(s.Seek(-1, TSeekOrigin::soBeginning), EReadError);
    EXPECT_THROW(s.Seek(-7, TSeekOrigin::soCurrent), EReadError);
    EXPECT_EQ(s.Position(), 6) << "a refused seek leaves the position";

    // Writing after a seek past the end leaves zeros in the gap.
    s.Seek(2, TSeekOrigin::soEnd);
    s.WriteBuffer("z", 1);
    ASSERT_EQ(s.Size(), 9);
    EXPECT_EQ(s.Memory()[6], 0);
    EXPECT_EQ(s.Memory()[7], 0);
    EXPECT_EQ(s.Memory()[8], 'z');

    s.SetSize(3);
    EXPECT_EQ(s.Position(), 3) << "shrinking pulls the position back";
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStream, CopyFromAndFiles)
{
    TMemoryStream source;
    std::vector<std::uint8_t> bytes(200000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    source.WriteBuffer(bytes.data(), bytes.size());

    TMemoryStream whole;
    EXPECT_EQ(whole.CopyFrom(source, 0), 200000) << "count 0 copies from the start";
    EXPECT_EQ(whole.Bytes(), bytes);

    TMemoryStream part;
    source.SetPosition(100);
    EXPECT_EQ(part.CopyFrom(source, 10), 10);
    EXPECT_EQ(part.Memory()[0], bytes[100]);
    source.SetPosition(source.Size() - 5);
    EXPECT_THROW(part.CopyFrom(source, 10), EReadError);

    auto path = (std::filesystem::temp_directory_path() / "mj_stream_test.bin").wstring();
    whole.SaveToFile(path);
    TMemoryStream loaded;
    loaded.WriteBuffer("junk", 4);
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Position(), 0);
    EXPECT_EQ(loaded.Bytes(), bytes);
    std::filesystem::remove(path);

    EXPECT_THROW(loaded.LoadFromFile(path), EFOpenError);
    EXPECT_EQ(loaded.Bytes(), bytes) << "a failed load keeps the content";
}
