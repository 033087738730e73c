// The archive page: the list of stored documents, loading one back, copying and deleting it.
#include <array>

#include "app/Unit1.h"
#include "app/core/Files.h"
#include "ui/Clipboard.h"

namespace app {

namespace {

// The list's columns as the query yields them: 序号, 日期, 标题, 语音文件, 内容.
constexpr std::array kColumnWidths{30, 80, 200, 200, 800};
constexpr wchar_t kTextColumn[] = L"内容";

constexpr wchar_t kRecordingMissing[] = L"找不到对应的语音文件，你的语音文件是否已被删除!";
constexpr wchar_t kCopied[] = L"内容已复制到剪贴板，请粘贴到文字处理软件中进行编辑！";

}  // namespace

void TMainForm1::TabSheet2Show(ui::TObject*)
{
    ADOQuery1->Close();
    ADOQuery1->SQL().Clear();
    ADOQuery1->SQL().Add(kListQuery);
    ADOQuery1->Open();
    ui::TDBGridColumns& columns = *DBGrid1->Columns();
    for (int i = 0; i < columns.Count() && i < static_cast<int>(kColumnWidths.size()); ++i)
        columns.Items(i)->SetWidth(kColumnWidths[static_cast<size_t>(i)]);
}

void TMainForm1::DBGrid1DrawColumnCell(ui::TObject*, const RECT& Rect, int, ui::TColumn* Column, ui::TGridDrawState)
{
    // The transcript on one line: its line breaks would otherwise leave only the first line.
    if (Column->FieldName() != kTextColumn) return;
    ui::TCanvas& canvas = *DBGrid1->Canvas();
    canvas.FillRect(Rect);
    RECT text = Rect;
    canvas.DrawText(Column->DisplayText(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
}

void TMainForm1::N8Click(ui::TObject*)
{
    // The whole row is read and converted first: a row that cannot be loaded leaves the
    // workspace as it was, so no later update writes one document's text into another's row.
    const Document row{ADOQuery1->FieldByName(L"序号").AsString(), ADOQuery1->FieldByName(L"日期").AsString(),
        ADOQuery1->FieldByName(L"标题").AsString(), ADOQuery1->FieldByName(kTextColumn).AsString(),
        ADOQuery1->FieldByName(L"语音文件").AsString()};
    const CalendarDate date = ParseDate(row.date);

    Memo1->SetEnabled(true);
    Label15->SetCaption(row.id);
    SYSTEMTIME shown{};
    shown.wYear = static_cast<WORD>(date.year);
    shown.wMonth = static_cast<WORD>(date.month);
    shown.wDay = static_cast<WORD>(date.day);
    DateTimePicker1->SetDateTime(shown);
    Edit2->SetText(row.title);
    Memo1->SetText(row.content);
    Edit1->SetText(row.voice);
    ShowAsStoredDocument();
    PageControl1->SetActivePage(TabSheet1);
    WorkspaceReplaced(row);
    LoadRecording();
}

void TMainForm1::LoadRecording()
{
    try {
        OpenRecording(ProgramFolder() + kVoiceFolder + Edit1->Text());
        ShowLength();
    } catch (const std::exception&) {
        ui::ShowMessage(kRecordingMissing);
    }
}

void TMainForm1::txt1Click(ui::TObject*)
{
    ui::Clipboard().SetAsText(ClipboardText(ADOQuery1->FieldByName(L"日期").AsString(),
        ADOQuery1->FieldByName(L"标题").AsString(), ADOQuery1->FieldByName(kTextColumn).AsString()));
    ui::ShowMessage(kCopied);
}

void TMainForm1::N9Click(ui::TObject*) { ADOQuery1->Delete(); }

}  // namespace app
