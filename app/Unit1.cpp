#include "app/Unit1.h"

#include "app/FormBuilding.h"
#include "app/MainFormSkin.h"
#include "app/Unit3.h"
#include "app/core/Documents.h"
#include "app/core/Vendor.h"
#include "hints/BalloonHints.h"

namespace app {

namespace {

void GiveHint(ui::TControl* control, const std::wstring& hint)
{
    control->SetHint(hint);
    control->SetShowHint(true);
}

ui::TMenuItem* AddItem(ui::TComponent* owner, ui::TMenuItem* parent, const wchar_t* name, const std::wstring& caption)
{
    auto* item = Named(new ui::TMenuItem(owner), name);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

ui::TTimer* MakeTimer(ui::TComponent* owner, const wchar_t* name)
{
    auto* timer = Named(new ui::TTimer(owner), name);
    timer->SetInterval(1000);
    timer->SetEnabled(false);
    return timer;
}

}  // namespace

TMainForm1::TMainForm1(ui::TComponent* owner) : ui::TForm(owner)
{
    SetName(L"MainForm1");
    SetCaption(kMainCaption);
    SetBorderStyle(ui::TFormBorderStyle::bsSingle);
    SetPosition(ui::TPosition::poScreenCenter);
    SetWindowState(ui::TWindowState::wsMaximized);
    Font()->SetName(L"MS Sans Serif");
    Font()->SetHeight(-11);
    SetClientSize(1049, 529);

    BuildComponents();
    BuildWorkspacePage();
    BuildArchivePage();
    BuildMenus();

    OnCreate = Handler(&TMainForm1::FormCreate);
    OnClose = Handler(&TMainForm1::FormClose);
}

TMainForm1::~TMainForm1() = default;

void TMainForm1::BuildComponents()
{
    // The database is opened while the window is built: without it there is no workspace.
    ADOConnection1 = Named(new platform::TADOConnection(this), L"ADOConnection1");
    ADOConnection1->SetConnectionString(
        L"Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Password=\"\";Data Source=txt.kl;Mode=Share Deny None;"
        L"Jet OLEDB:Engine Type=5;Jet OLEDB:Database Locking Mode=1;Jet OLEDB:Database Password=\"\"");
    ADOConnection1->Open();
    ADOQuery1 = Named(new platform::TADOQuery(this), L"ADOQuery1");
    ADOQuery1->SetConnection(ADOConnection1);
    DataSource1 = Named(new ui::TDataSource(this), L"DataSource1");
    DataSource1->SetDataSet(ADOQuery1);

    MediaPlayer1 = Named(new platform::TMediaPlayer(this), L"MediaPlayer1");
    Timer1 = MakeTimer(this, L"Timer1");
    Timer3 = MakeTimer(this, L"Timer3");
    Timer4 = MakeTimer(this, L"Timer4");
    Timer1->OnTimer = Handler(&TMainForm1::Timer1Timer);
    Timer3->OnTimer = Handler(&TMainForm1::Timer3Timer);
    Timer4->OnTimer = Handler(&TMainForm1::Timer4Timer);
    DraftTimer = MakeTimer(this, L"DraftTimer");
    DraftTimer->SetInterval(kDraftInterval);
    DraftTimer->OnTimer = Handler(&TMainForm1::DraftTimerTimer);

    MediaOpenDialog1 = Named(new ui::TOpenDialog(this), L"MediaOpenDialog1");
    MediaOpenDialog1->SetTitle(L"请选择录音文件");
    MediaOpenDialog1->SetFilter(L"录音文件|*.*");

    // The skin is read with the window, so its elements exist before FormCreate runs.
    SkinData1 = Named(new skin::TSkinData(this), L"SkinData1");
    StoreSkinData1(*SkinData1);

    // Every hint of the application shows as a balloon; its stored pause is the one hints wait.
    BalloonHints1 = Named(new hints::TBalloonHints(this), L"BalloonHints1");
    BalloonHints1->SetAlignment(ui::TAlignment::taLeftJustify);
    BalloonHints1->SetCaptionWidth(100);
    BalloonHints1->SetColor(ui::clInfoBk);
    BalloonHints1->SetFrameColor(ui::clBlack);
    BalloonHints1->Font()->SetName(L"MS Sans Serif");
    BalloonHints1->Font()->SetHeight(-11);
    BalloonHints1->Font()->SetColor(ui::clInfoText);
    BalloonHints1->FontChanged();
    BalloonHints1->Bitmaps().SetTransparentColor(ui::clOlive);
    BalloonHints1->SetHintPause(800);
}

void TMainForm1::BuildWorkspacePage()
{
    PageControl1 = Named(new ui::TPageControl(this), L"PageControl1");
    PageControl1->SetParent(this);
    PageControl1->SetAlign(ui::TAlign::alClient);
    PageControl1->SetTabHeight(30);
    PageControl1->SetTabStop(false);

    TabSheet1 = Named(new ui::TTabSheet(this), L"TabSheet1");
    TabSheet1->SetCaption(L"快速整理");
    TabSheet1->SetPageControl(PageControl1);

    Panel1 = Named(new ui::TPanel(this), L"Panel1");
    Panel1->SetHeight(65);
    Panel1->SetAlign(ui::TAlign::alTop);
    Panel1->SetParent(TabSheet1);

    Label3 = Named(Place(new ui::TLabel(this), Panel1, 6, 11, 34, 13), L"Label3");
    Label3->SetCaption(L"日期：");
    DateTimePicker1 = Named(Place(new ui::TDateTimePicker(this), Panel1, 45, 6, 83, 21), L"DateTimePicker1");
    DateTimePicker1->SetTabStop(false);
    Label16 = Named(Place(new ui::TLabel(this), Panel1, 140, 10, 60, 13), L"Label16");
    Label16->SetCaption(L"语音文件：");
    Edit1 = Named(Place(new ui::TEdit(this), Panel1, 208, 7, 169, 21), L"Edit1");
    Edit1->SetReadOnly(true);
    Edit1->SetText(kRecordingPrompt);
    GiveHint(Edit1, kRecordingPrompt);
    Edit1->OnDblClick = Handler(&TMainForm1::Edit1DblClick);
    Label7 = Named(Place(new ui::TLabel(this), Panel1, 386, 10, 38, 13), L"Label7");
    Label7->SetCaption(L"标题：");
    Edit2 = Named(Place(new ui::TEdit(this), Panel1, 430, 7, 305, 21), L"Edit2");
    Edit2->SetTabStop(false);
    GiveHint(Edit2, L"一句话简述");
    Edit2->OnChange = Handler(&TMainForm1::WorkspaceChanged);
    Label14 = Named(Place(new ui::TLabel(this), Panel1, 7, 37, 35, 13), L"Label14");
    Label14->SetCaption(L"内容：");
    BitBtn1 = Named(Place(new ui::TBitBtn(this), Panel1, 601, 33, 67, 26), L"BitBtn1");
    BitBtn1->SetCaption(L"更新文档");
    BitBtn1->SetVisible(false);
    BitBtn1->OnClick = Handler(&TMainForm1::BitBtn1Click);
    BitBtn10 = Named(Place(new ui::TBitBtn(this), Panel1, 674, 33, 65, 25), L"BitBtn10");
    BitBtn10->SetCaption(L"保存文档");
    BitBtn10->SetTabStop(false);
    GiveHint(BitBtn10, L"注意：添加语音文件和输入标题后请点击“保存文档”，“保存文档”后方可进行内容编辑。");
    BitBtn10->OnClick = Handler(&TMainForm1::BitBtn10Click);
    Label15 = Named(Place(new ui::TLabel(this), Panel1, 0, 24, 54, 13), L"Label15");
    Label15->SetVisible(false);

    Panel2 = Named(new ui::TPanel(this), L"Panel2");
    Panel2->SetHeight(76);
    Panel2->SetAlign(ui::TAlign::alBottom);
    Panel2->SetParent(TabSheet1);
    BuildPlaybackRow();

    Memo1 = Named(new ui::TMemo(this), L"Memo1");
    Memo1->SetScrollBars(ui::TScrollStyle::ssVertical);
    Memo1->SetWordWrap(true);
    Memo1->SetMaxLength(0);
    Memo1->SetParentFont(false);
    Memo1->Font()->SetName(L"MS Sans Serif");
    Memo1->Font()->SetHeight(-43);
    Memo1->SetEnabled(false);
    Memo1->SetAlign(ui::TAlign::alClient);
    Memo1->SetParent(TabSheet1);
    Memo1->OnKeyDown = Handler(&TMainForm1::Memo1KeyDown);
    Memo1->OnKeyUp = Handler(&TMainForm1::Memo1KeyUp);
    Memo1->OnMouseDown = Handler(&TMainForm1::Memo1MouseDown);
    Memo1->OnContextPopup = Handler(&TMainForm1::Memo1ContextPopup);
    Memo1->OnDblClick = Handler(&TMainForm1::Memo1DblClick);
    Memo1->OnChange = Handler(&TMainForm1::WorkspaceChanged);
}

void TMainForm1::BuildPlaybackRow()
{
    Panel3 = Named(new ui::TPanel(this), L"Panel3");
    Panel3->SetHeight(48);
    Panel3->SetAlign(ui::TAlign::alTop);
    Panel3->SetParent(Panel2);

    auto button = [this](const wchar_t* name, int left, const wchar_t* caption, const wchar_t* hint,
                      void (TMainForm1::*click)(ui::TObject*)) {
        auto* b = Named(Place(new ui::TBitBtn(this), Panel3, left, 7, 99, 26), name);
        b->SetCaption(caption);
        GiveHint(b, hint);
        b->OnClick = Handler(click);
        return b;
    };
    BitBtn4 = button(L"BitBtn4", 6, L"播放（空格键）", L"播放、暂停通过空格键一键控制", &TMainForm1::BitBtn4Click);
    BitBtn4->SetTabStop(false);
    BitBtn7 = button(L"BitBtn7", 110, L"返回复读F9", L"复读指定时间 编辑模式下的快捷键F9", &TMainForm1::BitBtn7Click);
    BitBtn2 = button(L"BitBtn2", 214, L"快进F12", L"编辑模式下 快进指定秒数", &TMainForm1::BitBtn2Click);
    BitBtn8 = button(L"BitBtn8", 319, L"自动暂停F11", L"向前播放指定秒数后暂停 编辑模式下的快捷键F11",
        &TMainForm1::BitBtn8Click);

    // Right-aligned from the right edge: auto-save, search, seek to a time.
    auto group = [this](const wchar_t* name, int left, int width, const wchar_t* caption) {
        auto* g = Named(Place(new ui::TGroupBox(this), Panel3, left, 0, width, 48), name);
        g->SetCaption(caption);
        g->SetAlign(ui::TAlign::alRight);
        return g;
    };
    GroupBox3 = group(L"GroupBox3", 928, 121, L"自动保存更新内容");
    CheckBox2 = Named(Place(new ui::TCheckBox(this), GroupBox3, 32, 19, 57, 17), L"CheckBox2");
    CheckBox2->SetCaption(L"开启");
    GiveHint(CheckBox2, L"开启后，编辑的内容将自动保存到数据库中，防止意外断电造成数据的丢失。");

    GroupBox1 = group(L"GroupBox1", 721, 207, L"搜索查询");
    Edit4 = Named(Place(new ui::TEdit(this), GroupBox1, 5, 17, 93, 21), L"Edit4");
    Label2 = Named(Place(new ui::TLinkLabel(this), GroupBox1, 104, 24, 46, 13), L"Label2");
    Label2->SetCaption(L"第一个");
    Label2->SetAlignment(ui::TAlignment::taCenter);
    Label2->OnClick = Handler(&TMainForm1::Label2Click);
    Label4 = Named(Place(new ui::TLinkLabel(this), GroupBox1, 152, 24, 46, 13), L"Label4");
    Label4->SetCaption(L"下一个");
    Label4->SetAlignment(ui::TAlignment::taCenter);
    Label4->OnClick = Handler(&TMainForm1::Label4Click);

    GroupBox2 = group(L"GroupBox2", 600, 121, L"用时间定位语音");
    Edit3 = Named(Place(new ui::TEdit(this), GroupBox2, 8, 16, 64, 24), L"Edit3");
    Edit3->SetMaxLength(8);
    Edit3->SetParentFont(false);
    Edit3->Font()->SetStyle(ui::fsBold);
    Edit3->Font()->SetHeight(-13);
    Edit3->SetText(L"00:00:00");
    GiveHint(Edit3, L"只能输入形如 01:23:54这种格式的时间");
    Label9 = Named(Place(new ui::TLinkLabel(this), GroupBox2, 79, 22, 40, 16), L"Label9");
    Label9->SetCaption(L"确定");
    Label9->SetAlignment(ui::TAlignment::taCenter);
    GiveHint(Label9, L"在这里输入标准的时间如 01:21:09(指1小时21分9秒)点击确定后会自动跳到指定时间并播放。");
    Label9->OnClick = Handler(&TMainForm1::Label9Click);

    Panel4 = Named(new ui::TPanel(this), L"Panel4");
    Panel4->SetWidth(191);
    Panel4->SetAlign(ui::TAlign::alRight);
    Panel4->SetVisible(false);
    Panel4->SetParent(Panel2);
    Label1 = Named(Place(new ui::TLabel(this), Panel4, 14, 4, 48, 16), L"Label1");
    Label1->SetCaption(L"00:00:00");
    GiveHint(Label1, L"当前播放进度");
    Label6 = Named(Place(new ui::TLabel(this), Panel4, 56, 4, 56, 16), L"Label6");
    Label6->SetAlignment(ui::TAlignment::taRightJustify);
    Label6->SetCaption(L"   /00:00:00");
    GiveHint(Label6, L"语音文件总时长");
    CheckBox1 = Named(Place(new ui::TCheckBox(this), Panel4, 120, 2, 65, 17), L"CheckBox1");
    CheckBox1->SetCaption(L"可拖动");
    GiveHint(CheckBox1, L"注意：设置为可拖动时部分电脑有声音断续现象，拖动到指定位置后，请取消选择！");
    CheckBox1->OnClick = Handler(&TMainForm1::CheckBox1Click);

    TrackBar1 = Named(new ui::TTrackBar(this), L"TrackBar1");
    TrackBar1->SetTabStop(false);
    TrackBar1->SetThumbLength(14);
    TrackBar1->SetTickStyle(ui::TTickStyle::tsNone);
    TrackBar1->SetCursor(ui::crArrow);
    GiveHint(TrackBar1, L"播放进度指示");
    TrackBar1->SetAlign(ui::TAlign::alClient);
    TrackBar1->SetParent(Panel2);
    TrackBar1->OnChange = Handler(&TMainForm1::TrackBar1Change);
}

void TMainForm1::BuildArchivePage()
{
    TabSheet2 = Named(new ui::TTabSheet(this), L"TabSheet2");
    TabSheet2->SetCaption(L"资料管理");
    TabSheet2->SetPageControl(PageControl1);
    TabSheet2->OnShow = Handler(&TMainForm1::TabSheet2Show);

    PopupMenu1 = Named(new ui::TPopupMenu(this), L"PopupMenu1");
    N8 = AddItem(this, PopupMenu1->Items(), L"N8", L"加载本文档和语音文件到快速整理继续整理");
    txt1 = AddItem(this, PopupMenu1->Items(), L"txt1", L"复制文字内容 直接粘贴到WORD中编辑");
    N9 = AddItem(this, PopupMenu1->Items(), L"N9", L"删除本条记录内容 删除后不可恢复 谨慎操作");
    N8->OnClick = Handler(&TMainForm1::N8Click);
    txt1->OnClick = Handler(&TMainForm1::txt1Click);
    N9->OnClick = Handler(&TMainForm1::N9Click);

    DBGrid1 = Named(new ui::TDBGrid(this), L"DBGrid1");
    DBGrid1->SetAlign(ui::TAlign::alClient);
    DBGrid1->SetParent(TabSheet2);
    GiveHint(DBGrid1, L"点击鼠标右键使用更多功能");
    DBGrid1->SetPopupMenu(PopupMenu1);
    DBGrid1->SetDataSource(DataSource1);
    DBGrid1->OnDrawColumnCell = Handler(&TMainForm1::DBGrid1DrawColumnCell);

    PageControl1->SetActivePage(TabSheet1);
}

void TMainForm1::BuildMenus()
{
    MainMenu1 = Named(new ui::TMainMenu(this), L"MainMenu1");
    ui::TMenuItem* bar = MainMenu1->Items();
    N2 = AddItem(this, bar, L"N2", L"更多功能");
    N1 = AddItem(this, N2, L"N1", L"新建录音整理资料");
    N6 = AddItem(this, N2, L"N6", L"文字大小");
    N13 = AddItem(this, N6, L"N13", L"小");
    N15 = AddItem(this, N6, L"N15", L"中");
    N16 = AddItem(this, N6, L"N16", L"大");
    N16->SetChecked(true);
    N17 = AddItem(this, N6, L"N17", L"特大");
    N10 = AddItem(this, N2, L"N10", L"打开语音文件存放文件夹");
    N12 = AddItem(this, N2, L"N12", L"创建软件快捷方式到桌面");
    N3 = AddItem(this, N2, L"N3", L"听录模式下时长控制设置");
    N7 = AddItem(this, N2, L"N7", L"墨笺科技官方淘宝旗舰店");
    N18 = AddItem(this, N2, L"N18", L"字数统计");
    N19 = AddItem(this, N2, L"N19", L"光标处插入当前时间(编辑模式下按F8)");
    N21 = AddItem(this, N2, L"N21", L"全选当前文字");
    N11 = AddItem(this, bar, L"N11", L"在线咨询购买建议");
    N14 = AddItem(this, N11, L"N14", std::wstring(L"淘宝旺旺（旺号：") + kShopChatAccount + L"） 可用于售前售后");
    N4 = AddItem(this, N11, L"N4", std::wstring(L"腾讯QQ：") + kMakerChatNumber + L" 只用于售前");
    N5 = AddItem(this, N11, L"N5", std::wstring(L"电子邮件：") + kMakerMail);
    N20 = AddItem(this, bar, L"N20", L"录音整理服务");

    N1->OnClick = Handler(&TMainForm1::N1Click);
    N13->OnClick = Handler(&TMainForm1::N13Click);
    N15->OnClick = Handler(&TMainForm1::N15Click);
    N16->OnClick = Handler(&TMainForm1::N16Click);
    N17->OnClick = Handler(&TMainForm1::N17Click);
    N10->OnClick = Handler(&TMainForm1::N10Click);
    N12->OnClick = Handler(&TMainForm1::N12Click);
    N3->OnClick = Handler(&TMainForm1::N3Click);
    N7->OnClick = Handler(&TMainForm1::N7Click);
    N18->OnClick = Handler(&TMainForm1::N18Click);
    N19->OnClick = Handler(&TMainForm1::N19Click);
    N21->OnClick = Handler(&TMainForm1::N21Click);
    N14->OnClick = Handler(&TMainForm1::N14Click);
    N4->OnClick = Handler(&TMainForm1::N4Click);
    N20->OnClick = Handler(&TMainForm1::N20Click);

    SetMenu(MainMenu1);
}

void TMainForm1::FormCreate(ui::TObject*)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    DateTimePicker1->SetDateTime(now);
    OpenDrafts();
    AllocateDocumentId();
}

void TMainForm1::FormClose(ui::TObject*, ui::TCloseAction& Action)
{
    const int answer = ui::MessageBox(WindowHandle(), L"程序即将关闭，请确认你已经保存了文档！", L"警告",
        MB_OKCANCEL | MB_ICONWARNING);
    if (answer == IDOK) {
        TakeDraft();
        ui::Application()->Terminate();
    } else {
        Action = ui::TCloseAction::caNone;
    }
}

void TMainForm1::N3Click(ui::TObject*)
{
    if (Form3) Form3->ShowModal();
}

}  // namespace app
