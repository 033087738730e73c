#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "ui/Dialogs.h"

using namespace ui;

namespace {

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// What a user sees of a dialog box: found by its class "#32770" and caption, then closed
// with a command as a click would.
struct SeenBox {
    bool found = false;
    std::wstring text;
    int buttons = 0;
    bool icon = false;
    RECT rect{};
};

std::thread AnswerBoxWhenShown(const std::wstring& caption, UINT command, SeenBox& seen)
{
    return std::thread([caption, command, &seen] {
        for (int attempt = 0; attempt < 500 && !seen.found; ++attempt) {
            HWND box = nullptr;
            while ((box = FindWindowExW(nullptr, box, L"#32770", caption.c_str())) != nullptr) {
                if (!IsWindowVisible(box)) continue;
                seen.found = true;
                GetWindowRect(box, &seen.rect);
                for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                    if (!IsWindowVisible(child)) continue;
                    std::wstring cls = ClassOf(child);
                    if (_wcsicmp(cls.c_str(), L"Button") == 0) ++seen.buttons;
                    if (_wcsicmp(cls.c_str(), L"Static") != 0) continue;
                    if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                        seen.icon = seen.icon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
                    else if (!WindowText(child).empty())
                        seen.text = WindowText(child);
                }
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
                break;
            }
            if (!seen.found) Sleep(20);
        }
    });
}

struct Recorder {
    std::vector<MessageBoxRequest> boxes;
    int answer = IDOK;
    MessageBoxService Service()
    {
        return [this](const MessageBoxRequest& request) {
            boxes.push_back(request);
            return answer;
        };
    }
};

}  // namespace

TEST(Dialogs, FullStopIsAddedOnlyWhenMissing)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"'' is not a valid integer value", L"'' is not a valid integer value."},
        {L"No MCI device open.", L"No MCI device open."},
        {L"时间格式有误。", L"时间格式有误。"},
        {L"警告！", L"警告！."},
        {L"", L""},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(WithFullStop(text), expected);
}

TEST(Dialogs, FilterBecomesNulSeparatedPairs)
{
    EXPECT_EQ(FilterForSystem(L"录音文件|*.*"), std::wstring(L"录音文件\0*.*\0\0", 10));
    EXPECT_EQ(FilterForSystem(L"A|*.a|B|*.b;*.c"), std::wstring(L"A\0*.a\0B\0*.b;*.c\0\0", 17));
    EXPECT_EQ(FilterForSystem(L""), L"");
}

TEST(Dialogs, ServiceSeesEveryBoxAndAnswersIt)
{
    SetApplicationTitle(L"墨笺速记本");
    Recorder recorder;
    {
        ScopedMessageBoxService scoped(recorder.Service());
        ShowMessage(L"更改时间成功!");
        ShowErrorMessage(L"'abc' is not a valid integer value");
        recorder.answer = IDCANCEL;
        EXPECT_EQ(ui::MessageBox(reinterpret_cast<HWND>(1), L"程序即将关闭，请确认你已经保存了文档！", L"警告",
                                 MB_OKCANCEL | MB_ICONWARNING),
                  IDCANCEL);
    }
    ASSERT_EQ(recorder.boxes.size(), 3u);
    EXPECT_EQ(recorder.boxes[0].text, L"更改时间成功!");
    EXPECT_EQ(recorder.boxes[0].caption, L"墨笺速记本");
    EXPECT_EQ(recorder.boxes[0].owner, nullptr);
    EXPECT_EQ(recorder.boxes[0].flags & (MB_TYPEMASK | MB_ICONMASK), static_cast<UINT>(MB_OK)) << "OK only, no icon";
    EXPECT_EQ(recorder.boxes[1].text, L"'abc' is not a valid integer value.");
    EXPECT_EQ(recorder.boxes[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    EXPECT_EQ(recorder.boxes[1].caption, L"墨笺速记本");
    EXPECT_EQ(recorder.boxes[2].caption, L"警告");
    EXPECT_EQ(recorder.boxes[2].owner, reinterpret_cast<HWND>(1));

    // Out of scope the system box is back: a second recorder installed now sees nothing old.
    Recorder after;
    MessageBoxService none = SetMessageBoxService(after.Service());
    EXPECT_FALSE(none) << "the scope restored the system box";
    ShowMessage(L"x");
    SetMessageBoxService(nullptr);
    EXPECT_EQ(after.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes.size(), 3u);
}

TEST(Dialogs, RealMessageBoxesAppearCentredWithTheirTextAndButtons)
{
    SetApplicationTitle(L"墨笺速记本测试");
    SeenBox message;
    std::thread answer = AnswerBoxWhenShown(L"墨笺速记本测试", IDOK, message);
    ShowMessage(L"内容已复制到剪贴板，请粘贴到文字处理软件中进行编辑！");
    answer.join();
    ASSERT_TRUE(message.found);
    EXPECT_EQ(message.text, L"内容已复制到剪贴板，请粘贴到文字处理软件中进行编辑！");
    EXPECT_EQ(message.buttons, 1);
    EXPECT_FALSE(message.icon);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((message.rect.left + message.rect.right) - (work.left + work.right)), 4);
    EXPECT_LE(std::abs((message.rect.top + message.rect.bottom) - (work.top + work.bottom)), 4);

    SeenBox error;
    answer = AnswerBoxWhenShown(L"墨笺速记本测试", IDOK, error);
    ShowErrorMessage(L"No MCI device open");
    answer.join();
    ASSERT_TRUE(error.found);
    EXPECT_EQ(error.text, L"No MCI device open.");
    EXPECT_TRUE(error.icon) << "the error box shows the stop icon";
    EXPECT_EQ(error.buttons, 1);

    SeenBox question;
    answer = AnswerBoxWhenShown(L"警告", IDCANCEL, question);
    EXPECT_EQ(ui::MessageBox(nullptr, L"程序即将关闭，请确认你已经保存了文档！", L"警告", MB_OKCANCEL | MB_ICONWARNING),
              IDCANCEL);
    answer.join();
    EXPECT_EQ(question.buttons, 2);
}

TEST(Dialogs, OpenDialogServiceAndTheRealDialog)
{
    TOpenDialog dialog(nullptr);
    dialog.SetTitle(L"请选择录音文件");
    dialog.SetFilter(L"录音文件|*.*");
    EXPECT_EQ(GetStrProp(&dialog, L"Filter"), L"录音文件|*.*");

    OpenDialogService previous = SetOpenDialogService([](TOpenDialog& d) {
        EXPECT_EQ(d.Title(), L"请选择录音文件");
        d.SetFileName(L"C:\\录音\\会议.mp3");
        return true;
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), L"C:\\录音\\会议.mp3");
    SetOpenDialogService(std::move(previous));

    SeenBox seen;
    std::thread cancel = AnswerBoxWhenShown(L"请选择录音文件", IDCANCEL, seen);
    EXPECT_FALSE(dialog.Execute());
    cancel.join();
    EXPECT_TRUE(seen.found) << "the system dialog appeared with its title";
    EXPECT_EQ(dialog.FileName(), L"C:\\录音\\会议.mp3") << "cancelling keeps the file name";
}
