// The main window: the workspace page (recording, title, memo, playback row, progress bar)
// and the archive page (the grid of stored documents), with the menu bar, the grid's popup
// menu, the timers, the media player, the database objects and the skin component.
//
// The workspace keeps its state in its controls: the current document's id in the hidden
// Label15, its date, title, recording name and text in DateTimePicker1, Edit2, Edit1 and
// Memo1. The commands live in one file per concern: Transport.cpp (playback), Editor.cpp
// (memo hot keys, time stamp, word count, search), DocumentStore.cpp (new, save, update),
// Archive.cpp (the archive page), ShellLinks.cpp (shortcut, folders, vendor links).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/core/Countdown.h"
#include "app/core/Documents.h"
#include "app/core/Draft.h"
#include "app/core/DraftKeeper.h"
#include "platform/Database.h"
#include "platform/MediaPlayer.h"
#include "ui/Buttons.h"
#include "ui/ComCtrls.h"
#include "ui/DBGrids.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "ui/Timers.h"

namespace skin {
class TSkinData;
}
namespace hints {
class TBalloonHints;
}

namespace app {

inline constexpr wchar_t kApplicationTitle[] = L"墨笺速记本";
inline constexpr wchar_t kMainCaption[] = L"墨笺速记本V5.0";
inline constexpr wchar_t kRecordingPrompt[] = L"双击添加或更改录音文件";

class TMainForm1 : public ui::TForm {
public:
    explicit TMainForm1(ui::TComponent* owner);
    ~TMainForm1() override;
    std::wstring_view ClassName() const override { return L"TMainForm1"; }

    // Components, in the order the window builds them.
    ui::TPageControl* PageControl1;
    ui::TTabSheet* TabSheet1;
    ui::TPanel* Panel1;
    ui::TLabel* Label3;
    ui::TDateTimePicker* DateTimePicker1;
    ui::TLabel* Label16;
    ui::TEdit* Edit1;
    ui::TLabel* Label7;
    ui::TEdit* Edit2;
    ui::TLabel* Label14;
    ui::TBitBtn* BitBtn1;
    ui::TBitBtn* BitBtn10;
    ui::TLabel* Label15;
    ui::TMemo* Memo1;
    platform::TMediaPlayer* MediaPlayer1;
    ui::TPanel* Panel2;
    ui::TPanel* Panel3;
    ui::TBitBtn* BitBtn4;
    ui::TBitBtn* BitBtn7;
    ui::TBitBtn* BitBtn2;
    ui::TBitBtn* BitBtn8;
    ui::TGroupBox* GroupBox3;
    ui::TCheckBox* CheckBox2;
    ui::TGroupBox* GroupBox1;
    ui::TEdit* Edit4;
    ui::TLinkLabel* Label2;
    ui::TLinkLabel* Label4;
    ui::TGroupBox* GroupBox2;
    ui::TEdit* Edit3;
    ui::TLinkLabel* Label9;
    ui::TPanel* Panel4;
    ui::TLabel* Label1;
    ui::TLabel* Label6;
    ui::TCheckBox* CheckBox1;
    ui::TTrackBar* TrackBar1;
    ui::TTabSheet* TabSheet2;
    ui::TDBGrid* DBGrid1;

    ui::TMainMenu* MainMenu1;
    ui::TMenuItem* N2;
    ui::TMenuItem* N1;
    ui::TMenuItem* N6;
    ui::TMenuItem* N13;
    ui::TMenuItem* N15;
    ui::TMenuItem* N16;
    ui::TMenuItem* N17;
    ui::TMenuItem* N10;
    ui::TMenuItem* N12;
    ui::TMenuItem* N3;
    ui::TMenuItem* N7;
    ui::TMenuItem* N18;
    ui::TMenuItem* N19;
    ui::TMenuItem* N21;
    ui::TMenuItem* N11;
    ui::TMenuItem* N14;
    ui::TMenuItem* N4;
    ui::TMenuItem* N5;
    ui::TMenuItem* N20;

    ui::TPopupMenu* PopupMenu1;
    ui::TMenuItem* N8;
    ui::TMenuItem* txt1;
    ui::TMenuItem* N9;

    ui::TTimer* Timer1;
    ui::TTimer* Timer3;
    ui::TTimer* Timer4;
    ui::TOpenDialog* MediaOpenDialog1;
    platform::TADOConnection* ADOConnection1;
    platform::TADOQuery* ADOQuery1;
    ui::TDataSource* DataSource1;
    skin::TSkinData* SkinData1;
    hints::TBalloonHints* BalloonHints1;
    ui::TTimer* DraftTimer;

    // Start-up and shut-down.
    void FormCreate(ui::TObject* Sender);
    void FormClose(ui::TObject* Sender, ui::TCloseAction& Action);
    void N3Click(ui::TObject* Sender);

    // Playback (Transport.cpp).
    void Edit1DblClick(ui::TObject* Sender);
    void BitBtn4Click(ui::TObject* Sender);
    void BitBtn7Click(ui::TObject* Sender);
    void BitBtn8Click(ui::TObject* Sender);
    void BitBtn2Click(ui::TObject* Sender);
    void Label9Click(ui::TObject* Sender);
    void Timer1Timer(ui::TObject* Sender);
    void Timer3Timer(ui::TObject* Sender);
    void Timer4Timer(ui::TObject* Sender);
    void TrackBar1Change(ui::TObject* Sender);
    void CheckBox1Click(ui::TObject* Sender);
    void Memo1MouseDown(ui::TObject* Sender, ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y);

    // The memo (Editor.cpp).
    void Memo1KeyDown(ui::TObject* Sender, WORD& Key, ui::TShiftState Shift);
    void Memo1ContextPopup(ui::TObject* Sender, POINT MousePos, bool& Handled);
    void Memo1DblClick(ui::TObject* Sender);
    void N19Click(ui::TObject* Sender);
    void N13Click(ui::TObject* Sender);
    void N15Click(ui::TObject* Sender);
    void N16Click(ui::TObject* Sender);
    void N17Click(ui::TObject* Sender);
    void N18Click(ui::TObject* Sender);
    void N21Click(ui::TObject* Sender);
    void Label2Click(ui::TObject* Sender);
    void Label4Click(ui::TObject* Sender);

    // Documents (DocumentStore.cpp).
    void N1Click(ui::TObject* Sender);
    void BitBtn10Click(ui::TObject* Sender);
    void BitBtn1Click(ui::TObject* Sender);
    void Memo1KeyUp(ui::TObject* Sender, WORD& Key, ui::TShiftState Shift);

    // The archive page (Archive.cpp).
    void TabSheet2Show(ui::TObject* Sender);
    void DBGrid1DrawColumnCell(ui::TObject* Sender, const RECT& Rect, int DataCol, ui::TColumn* Column,
        ui::TGridDrawState State);
    void N8Click(ui::TObject* Sender);
    void txt1Click(ui::TObject* Sender);
    void N9Click(ui::TObject* Sender);

    // Shell and vendor links (ShellLinks.cpp).
    void N12Click(ui::TObject* Sender);
    void N10Click(ui::TObject* Sender);
    void N7Click(ui::TObject* Sender);
    void N14Click(ui::TObject* Sender);
    void N4Click(ui::TObject* Sender);
    void N20Click(ui::TObject* Sender);

    // Drafts of unstored typing (Drafts.cpp).
    void WorkspaceChanged(ui::TObject* Sender);
    void DraftTimerTimer(ui::TObject* Sender);
    // Offers the newest draft that the store does not hold yet, once, after the window shows.
    void OfferDraft();
    DraftKeeper* Drafts() const { return drafts_.get(); }

    void WndProc(ui::TMessage& message) override;

private:
    // A member function as an event handler of this form.
    template <typename... Args>
    auto Handler(void (TMainForm1::*method)(Args...))
    {
        return [this, method](Args... args) { (this->*method)(std::forward<Args>(args)...); };
    }
    void BuildWorkspacePage();
    void BuildPlaybackRow();
    void BuildArchivePage();
    void BuildMenus();
    void BuildComponents();

    // Playback (Transport.cpp).
    bool RecordingNamed();
    void PlayOn();
    // Closes the player, opens the file in it and spans the progress bar over its length.
    void OpenRecording(const std::wstring& file);
    void ShowLength();
    void CountdownTick(ui::TTimer* timer, TickAction action);
    ReplayCountdown replay_countdown_;
    AutoPauseCountdown auto_pause_countdown_;

    // Documents (DocumentStore.cpp).
    void AllocateDocumentId();
    Document CurrentDocument() const;
    // Runs a command on the shared query; the number of rows it changed.
    int Execute(const Statement& statement);
    void ShowAsStoredDocument();
    // After a save or update: the store holds the workspace's document.
    void Stored(const Document& document);
    // The update command on this document.
    void UpdateStored(const Document& document);
    // The document as the store holds it under this id, if it does.
    std::optional<Document> StoredDocument(const std::wstring& id);

    // The archive page (Archive.cpp): opens the named recording from the recordings folder.
    void LoadRecording();

    // Drafts (Drafts.cpp).
    void OpenDrafts();
    void TakeDraft();
    void RestoreDraft(const Draft& draft, const std::optional<Document>& stored);
    // A programmatic change of the workspace (new, load, restore) is no typing to keep.
    void WorkspaceReplaced(std::optional<Document> stored);
    std::unique_ptr<DraftKeeper> drafts_;
    // What the store holds of the current document (nothing for a new one): a draft is kept
    // only while the workspace differs from it, and auto-save skips what it would not change.
    std::optional<Document> stored_;
    bool draft_due_ = false;
};

}  // namespace app
