// Documents: new, save, update and auto-save of the current document.
#include "app/Unit1.h"

namespace app {

namespace {

constexpr wchar_t kTitleMissing[] = L"保存失败!请查看语音文件和标题是否添加！";
constexpr wchar_t kSaved[] =
    L"文件保存成功！在编辑过程中可选开启自动保存，在退出软件前要点击下保存更新，防止内容丢失！";

}  // namespace

void TMainForm1::AllocateDocumentId()
{
    ADOQuery1->Close();
    ADOQuery1->SQL().Clear();
    ADOQuery1->SQL().Add(kMaxIdQuery);
    ADOQuery1->Open();
    Label15->SetCaption(std::to_wstring(NextDocumentId(ADOQuery1->FieldByName(kMaxIdField).AsString())));
}

Document TMainForm1::CurrentDocument() const
{
    const SYSTEMTIME date = DateTimePicker1->DateTime();
    return Document{Label15->Caption(), FormatDate({date.wYear, date.wMonth, date.wDay}), Edit2->Text(), Memo1->Text(),
        Edit1->Text()};
}

void TMainForm1::Execute(const Statement& statement)
{
    ADOQuery1->Close();
    ADOQuery1->SQL().Clear();
    ADOQuery1->SQL().Add(statement.sql);
    for (const auto& [name, value] : statement.params) ADOQuery1->Parameters().ParamByName(name).SetValue(value);
    ADOQuery1->ExecSQL();
}

void TMainForm1::ShowAsStoredDocument()
{
    BitBtn1->SetVisible(true);
    BitBtn10->SetVisible(false);
    BitBtn4->SetVisible(true);
}

void TMainForm1::N1Click(ui::TObject*)
{
    AllocateDocumentId();
    Edit1->SetText(kRecordingPrompt);
    Edit2->SetText(L"");
    Memo1->SetText(L"");
    BitBtn1->SetVisible(false);
    BitBtn10->SetVisible(true);
    MediaPlayer1->Close();
}

void TMainForm1::BitBtn10Click(ui::TObject*)
{
    if (Edit2->Text().empty()) {
        ui::ShowMessage(kTitleMissing);
        return;
    }
    Execute(InsertStatement(CurrentDocument()));
    ui::ShowMessage(kSaved);
    ShowAsStoredDocument();
    Memo1->SetEnabled(true);
}

void TMainForm1::BitBtn1Click(ui::TObject*) { Execute(UpdateStatement(CurrentDocument())); }

void TMainForm1::Memo1KeyUp(ui::TObject*, WORD&, ui::TShiftState)
{
    if (CheckBox2->Checked()) BitBtn1Click(this);
}

}  // namespace app
