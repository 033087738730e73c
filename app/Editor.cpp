// The memo: hot keys, the time stamp, seeking by double-click, font sizes, word count, select
// all and search.
#include "app/Unit1.h"

#include "app/core/TextSearch.h"
#include "app/core/TimeText.h"
#include "app/core/WordCount.h"
#include "ui/Clipboard.h"

namespace app {

namespace {

constexpr wchar_t kHotKeyConflict[] = L"警告！系统热键冲突，请勿乱按系统功能键！";
constexpr wchar_t kBadTimeText[] = L"时间格式有误，请查正！";
constexpr wchar_t kNotFound[] = L"对不起，没有找到你输入的关键字。";

}  // namespace

// Only the key code counts, whatever Shift, Ctrl or Alt; the key still reaches the memo,
// except F10 and Alt: after their warning they must not open the menu bar as well.
void TMainForm1::Memo1KeyDown(ui::TObject*, WORD& Key, ui::TShiftState)
{
    if (Key == VK_F11) BitBtn8Click(this);
    if (Key == VK_F9) BitBtn7Click(this);
    if (Key == VK_F12) BitBtn2Click(this);
    if (Key == VK_F8) N19Click(this);
    if (Key == VK_SPACE) {
        BitBtn4Click(this);
        // The character of a Backspace press, queued behind the space this key types so that
        // it takes the space out again. Posted as the character itself: a key press would be
        // translated with the modifiers still held, and Ctrl+Backspace types no backspace.
        const auto scan = static_cast<LPARAM>(MapVirtualKeyW(VK_BACK, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(Memo1->Handle(), WM_CHAR, VK_BACK, 1 | scan);
    }
    if (Key == VK_F10 || Key == VK_MENU) {
        MediaPlayer1->Stop();
        ui::Clipboard().Clear();
        ui::ShowMessage(kHotKeyConflict);
        Key = 0;
    }
}

void TMainForm1::Memo1ContextPopup(ui::TObject*, POINT, bool& Handled) { Handled = true; }

// The memo's own double-click has selected a word: taken as a time to seek to.
void TMainForm1::Memo1DblClick(ui::TObject*)
{
    try {
        Memo1->CopyToClipboard();
        Edit3->SetText(ui::Clipboard().AsText());
    } catch (const std::exception&) {
        ui::ShowMessage(kBadTimeText);
        return;
    }
    Label9Click(this);
}

void TMainForm1::N19Click(ui::TObject*) { Memo1->SetSelText(TimeStamp(Label1->Caption())); }

// The check mark stays on "大" whatever size is chosen.
void TMainForm1::N13Click(ui::TObject*) { Memo1->Font()->SetSize(16); }

void TMainForm1::N15Click(ui::TObject*) { Memo1->Font()->SetSize(24); }

void TMainForm1::N16Click(ui::TObject*) { Memo1->Font()->SetSize(32); }

void TMainForm1::N17Click(ui::TObject*) { Memo1->Font()->SetSize(40); }

void TMainForm1::N18Click(ui::TObject*)
{
    ui::ShowMessage(WordCountMessage(CountWords(GbkBytesForCount(Memo1->Text()))));
}

void TMainForm1::N21Click(ui::TObject*) { Memo1->SelectAll(); }

void TMainForm1::Label2Click(ui::TObject*)
{
    const auto match = FindFirst(Memo1->Text(), Edit4->Text());
    if (!match) {
        ui::ShowMessage(kNotFound);
        return;
    }
    Memo1->Select(static_cast<int>(match->start), static_cast<int>(match->length));
    Memo1->SetFocus();
}

void TMainForm1::Label4Click(ui::TObject*)
{
    const auto from = static_cast<size_t>(Memo1->SelStart() + Memo1->SelLength());
    const auto match = FindNext(Memo1->Text(), Edit4->Text(), from);
    if (!match) return;
    Memo1->SetFocus();
    Memo1->Select(static_cast<int>(match->start), static_cast<int>(match->length));
}

}  // namespace app
