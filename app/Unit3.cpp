#include "app/Unit3.h"

#include "app/FormBuilding.h"
#include "app/core/Files.h"
#include "ui/Dialogs.h"

namespace app {

TForm3* Form3 = nullptr;

ui::TIniFile DurationSettings() { return ui::TIniFile(ProgramFolder() + kSettingsFile); }

namespace {

ui::TLabel* Note(TForm3* form, const wchar_t* name, int left, int top, int width, const wchar_t* caption,
    ui::TColor color)
{
    auto* label = Named(Place(new ui::TLabel(form), form, left, top, width, 13), name);
    label->SetCaption(caption);
    label->SetParentFont(false);
    label->Font()->SetColor(color);
    return label;
}

}  // namespace

TForm3::TForm3(ui::TComponent* owner) : ui::TForm(owner)
{
    SetName(L"Form3");
    SetCaption(L"时长设置");
    SetBorderStyle(ui::TFormBorderStyle::bsSingle);
    SetBorderIcons(ui::biSystemMenu);
    SetFormStyle(ui::TFormStyle::fsStayOnTop);
    SetPosition(ui::TPosition::poMainFormCenter);
    Font()->SetName(L"MS Sans Serif");
    Font()->SetHeight(-11);
    SetBounds(Left(), Top(), 349, 212);

    // Created in tab order.
    Edit2 = Named(Place(new ui::TEdit(this), this, 41, 41, 42, 21), L"Edit2");
    Edit3 = Named(Place(new ui::TEdit(this), this, 41, 73, 42, 21), L"Edit3");
    Button1 = Named(Place(new ui::TButton(this), this, 130, 144, 75, 25), L"Button1");
    Button1->SetCaption(L"保存设置");
    Button1->OnClick = [this](ui::TObject* sender) { Button1Click(sender); };
    Edit1 = Named(Place(new ui::TEdit(this), this, 41, 104, 41, 21), L"Edit1");
    Label2 = Note(this, L"Label2", 90, 45, 201, L"对应快捷键F9     复读指定时间", ui::clGray);
    Label3 = Note(this, L"Label3", 90, 74, 241, L"对应快捷键F11     播放指定时间并暂停", ui::clGray);
    Label1 = Note(this, L"Label1", 90, 107, 199, L"对应快捷键F12     快进指定时间", ui::clGray);
    Label5 = Note(this, L"Label5", 42, 128, 249, L"注意：只需填入数字即可，单位为秒。", ui::clRed);

    OnShow = [this](ui::TObject* sender) { FormShow(sender); };
}

void TForm3::FormShow(ui::TObject*)
{
    // A key the file lacks shows its own name.
    const ui::TIniFile settings = DurationSettings();
    Edit2->SetText(settings.ReadString(kSettingsSection, kReplayKey, kReplayKey));
    Edit3->SetText(settings.ReadString(kSettingsSection, kPlayKey, kPlayKey));
    Edit1->SetText(settings.ReadString(kSettingsSection, kSkipKey, kSkipKey));
}

void TForm3::Button1Click(ui::TObject*)
{
    ui::TIniFile settings = DurationSettings();
    settings.WriteString(kSettingsSection, kReplayKey, Edit2->Text());
    settings.WriteString(kSettingsSection, kPlayKey, Edit3->Text());
    settings.WriteString(kSettingsSection, kSkipKey, Edit1->Text());
    ui::ShowMessage(L"更改时间成功!");
    Close();
}

}  // namespace app
