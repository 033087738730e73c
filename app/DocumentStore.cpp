// Documents: new, save, update and auto-save of the current document.
#include "app/Unit1.h"

namespace app {

namespace {

constexpr wchar_t kTitleMissing[] = L"保存失败!请查看语音文件和标题是否添加！";
constexpr wchar_t kSaved[] =
    L"文件保存成功！在编辑过程中可选开启自动保存，在退出软件前要点击下保存更新，防止内容丢失！";

// Whether storing the document would leave the stored row as it is.
bool SameAsStored(const Document& document, const std::optional<Document>& stored)
{
    return stored && !DiffersFromStored(document, stored) && TrimView(document.date) == TrimView(stored->date);
}

}  // namespace

void TMainForm1::AllocateDocumentId()
{
    ADOQuery1->Close();
    ADOQuery1->SQL().Clear();
    ADOQuery1->SQL().Add(kMaxIdQuery);
    ADOQuery1->Open();
    const std::wstring highest = ADOQuery1->FieldByName(kMaxIdField).AsString();
    Label15->SetCaption(std::to_wstring(drafts_ ? NextDocumentId(highest, drafts_->Drafts()) : NextDocumentId(highest)));
}

Document TMainForm1::CurrentDocument() const
{
    const SYSTEMTIME date = DateTimePicker1->DateTime();
    return Document{Label15->Caption(), FormatDate({date.wYear, date.wMonth, date.wDay}), Edit2->Text(), Memo1->Text(),
        Edit1->Text()};
}

int TMainForm1::Execute(const Statement& statement)
{
    ADOQuery1->Close();
    ADOQuery1->SQL().Clear();
    ADOQuery1->SQL().Add(statement.sql);
    for (const auto& [name, value] : statement.params) ADOQuery1->Parameters().ParamByName(name).SetValue(value);
    return ADOQuery1->ExecSQL();
}

std::optional<Document> TMainForm1::StoredDocument(const std::wstring& id)
{
    ADOQuery1->Close();
    ADOQuery1->SQL().Clear();
    ADOQuery1->SQL().Add(L"select 序号,日期,标题,内容,语音文件 from jilu where 序号=:id");
    ADOQuery1->Parameters().ParamByName(L"id").SetValue(Trim(id));
    ADOQuery1->Open();
    if (ADOQuery1->RecordCount() == 0) return std::nullopt;
    return Document{ADOQuery1->FieldByName(L"序号").AsString(), ADOQuery1->FieldByName(L"日期").AsString(),
        ADOQuery1->FieldByName(L"标题").AsString(), ADOQuery1->FieldByName(L"内容").AsString(),
        ADOQuery1->FieldByName(L"语音文件").AsString()};
}

void TMainForm1::ShowAsStoredDocument()
{
    BitBtn1->SetVisible(true);
    BitBtn10->SetVisible(false);
    BitBtn4->SetVisible(true);
}

void TMainForm1::Stored(const Document& document)
{
    stored_ = document;
    if (drafts_) drafts_->Drop(document.id);
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
    WorkspaceReplaced(std::nullopt);
}

void TMainForm1::BitBtn10Click(ui::TObject*)
{
    if (Edit2->Text().empty()) {
        ui::ShowMessage(kTitleMissing);
        return;
    }
    const Document document = CurrentDocument();
    Execute(InsertStatement(document));
    Stored(document);
    ui::ShowMessage(kSaved);
    ShowAsStoredDocument();
    Memo1->SetEnabled(true);
}

void TMainForm1::BitBtn1Click(ui::TObject*) { UpdateStored(CurrentDocument()); }

void TMainForm1::UpdateStored(const Document& document)
{
    // A stored document whose row is gone (deleted on the archive page) is stored again under
    // its id rather than lost; a new, never saved document is left to its save.
    if (Execute(UpdateStatement(document)) == 0) {
        if (!BitBtn1->Visible()) return;
        Execute(InsertStatement(document));
    }
    Stored(document);
}

void TMainForm1::Memo1KeyUp(ui::TObject*, WORD&, ui::TShiftState)
{
    // A key that changed nothing (a caret move, a modifier) has nothing to store.
    if (!CheckBox2->Checked()) return;
    const Document document = CurrentDocument();
    if (!SameAsStored(document, stored_)) UpdateStored(document);
}

}  // namespace app
