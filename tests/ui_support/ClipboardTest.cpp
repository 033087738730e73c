#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "ui/Clipboard.h"
#include "ui/Exception.h"

using namespace ui;

namespace {

// What another program sees: the clipboard read with the bare API, in a given format.
std::string RawClipboardBytes(UINT format)
{
    if (!OpenClipboard(nullptr)) return "<not opened>";
    std::string out;
    if (HANDLE data = GetClipboardData(format)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            out.assign(p, strnlen(p, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return out;
}

}  // namespace

TEST(Clipboard, ChineseTextRoundTripsAndOtherProgramsSeeIt)
{
    const std::wstring text = L"日期:2024-05-01\r标题：会议\r内容：第一段【本材料由墨笺速记本整理】";
    Clipboard().SetAsText(text);
    EXPECT_TRUE(Clipboard().HasText());
    EXPECT_EQ(Clipboard().AsText(), text);

    std::string ansi = RawClipboardBytes(CF_TEXT);
    std::string expected(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr) - 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, expected.data(), static_cast<int>(expected.size() + 1), nullptr, nullptr);
    EXPECT_EQ(ansi, expected) << "the ANSI form is made from the Unicode text";
    EXPECT_EQ(GetACP(), 936u) << "tests run with the Chinese code page";
    EXPECT_EQ(static_cast<unsigned char>(ansi[0]), 0xC8u) << "日 in GBK starts with C8";

    Clipboard().SetAsText(L"");
    EXPECT_EQ(Clipboard().AsText(), L"");
    Clipboard().SetAsText(L"x");
    Clipboard().Clear();
    EXPECT_FALSE(Clipboard().HasText());
    EXPECT_EQ(Clipboard().AsText(), L"");
}

TEST(Clipboard, ThrowsWhileAnotherWindowHoldsItOpen)
{
    std::atomic<int> held{0};  // 1 opened, -1 could not open
    std::atomic<bool> release{false};
    std::thread holder([&] {
        HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        // Wine's own clipboard service may be reading what the previous test put there.
        bool ok = false;
        for (int attempt = 0; attempt < 200 && !ok; ++attempt) {
            ok = OpenClipboard(window) != FALSE;
            if (!ok) Sleep(10);
        }
        held = ok ? 1 : -1;
        while (!release) Sleep(5);
        if (ok) CloseClipboard();
        DestroyWindow(window);
    });
    while (held == 0) Sleep(5);
    if (held != 1) {
        release = true;
        holder.join();
        FAIL() << "the second thread could not take the clipboard";
    }
    try {
        Clipboard().SetAsText(L"blocked");
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"Cannot open clipboard");
    }
    release = true;
    holder.join();
    Clipboard().SetAsText(L"free again");
    EXPECT_EQ(Clipboard().AsText(), L"free again");
}
