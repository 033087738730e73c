// Drafts: typing that is not stored yet is kept in the drafts file beside "txt.kl" and offered
// back at the next start, so that a crash, a kill, a power cut or an accidental new document
// loses nothing. A change only marks the draft as due; the draft timer takes the workspace's
// document a moment later and the keeper's worker writes it, off the typing's path.
#include <windows.h>

#include "app/Unit1.h"
#include "app/core/TimeText.h"

namespace app {

namespace {

// Posted once the window is built, so the offer comes when the window shows.
constexpr UINT kOfferDraftMessage = WM_APP + 0x51;

std::wstring DraftFilePath()
{
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD n = GetFullPathNameW(kDraftFile, static_cast<DWORD>(std::size(full)), full, nullptr);
    return n > 0 && n < std::size(full) ? std::wstring(full, n) : std::wstring(kDraftFile);
}

std::wstring OfferText(const Draft& draft)
{
    const Document& d = draft.document;
    const std::wstring title = TrimView(d.title).empty() ? L"（无标题）" : L"“" + Trim(d.title) + L"”";
    return L"上次关闭前，文档" + title + L"还有尚未保存的内容（" + std::to_wstring(Trim(d.content).size()) +
           L" 字）。\r\n是否恢复到“快速整理”中继续整理？\r\n\r\n选“否”，这份草稿会一直保留，直到下次保存文档。";
}

}  // namespace

void TMainForm1::OpenDrafts()
{
    drafts_ = std::make_unique<DraftKeeper>(DraftFilePath());
    DraftTimer->SetEnabled(true);
    PostMessageW(Handle(), kOfferDraftMessage, 0, 0);
}

void TMainForm1::WndProc(ui::TMessage& message)
{
    if (message.Msg == kOfferDraftMessage) {
        OfferDraft();
        return;
    }
    ui::TForm::WndProc(message);
}

void TMainForm1::WorkspaceChanged(ui::TObject*) { draft_due_ = true; }

void TMainForm1::DraftTimerTimer(ui::TObject*) { TakeDraft(); }

void TMainForm1::TakeDraft()
{
    if (!draft_due_ || !drafts_) return;
    draft_due_ = false;
    Document document = CurrentDocument();
    if (DiffersFromStored(document, stored_)) drafts_->Keep(Draft{std::move(document), NowMilliseconds()});
}

void TMainForm1::WorkspaceReplaced(std::optional<Document> stored)
{
    stored_ = std::move(stored);
    draft_due_ = false;
}

void TMainForm1::OfferDraft()
{
    if (!drafts_) return;
    // Drafts whose text reached the store (a kill between storing and dropping) are done.
    std::vector<Draft> waiting;
    for (Draft& draft : drafts_->Drafts()) {
        if (DiffersFromStored(draft.document, StoredDocument(draft.document.id)))
            waiting.push_back(std::move(draft));
        else
            drafts_->Drop(draft.document.id);
    }
    const Draft* newest = NewestDraft(waiting);
    if (!newest) return;
    if (ui::MessageBox(WindowHandle(), OfferText(*newest), ui::ApplicationTitle(), MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    RestoreDraft(*newest, StoredDocument(newest->document.id));
}

void TMainForm1::RestoreDraft(const Draft& draft, const std::optional<Document>& stored)
{
    const Document& d = draft.document;
    Memo1->SetEnabled(true);
    Label15->SetCaption(d.id);
    try {
        const CalendarDate date = ParseDate(d.date);
        SYSTEMTIME shown{};
        shown.wYear = static_cast<WORD>(date.year);
        shown.wMonth = static_cast<WORD>(date.month);
        shown.wDay = static_cast<WORD>(date.day);
        DateTimePicker1->SetDateTime(shown);
    } catch (const std::exception&) {
        // The draft's own date text always reads; a damaged one keeps today's date.
    }
    Edit2->SetText(d.title);
    Memo1->SetText(d.content);
    Edit1->SetText(d.voice);
    if (stored) {
        ShowAsStoredDocument();
    } else {
        BitBtn1->SetVisible(false);
        BitBtn10->SetVisible(true);
    }
    PageControl1->SetActivePage(TabSheet1);
    // The draft stays on the disk until the document is stored.
    WorkspaceReplaced(stored);
    if (Trim(d.voice) != kRecordingPrompt) LoadRecording();
}

}  // namespace app
