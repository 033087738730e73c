// The duration settings dialog: the three durations of the playback hot keys, kept in
// Time.ini beside the program.
#pragma once

#include "ui/Forms.h"
#include "ui/IniFiles.h"
#include "ui/StdCtrls.h"

namespace app {

class TForm3 : public ui::TForm {
public:
    explicit TForm3(ui::TComponent* owner);
    std::wstring_view ClassName() const override { return L"TForm3"; }

    ui::TEdit* Edit2;   // shijian2, replay (F9)
    ui::TEdit* Edit3;   // shijian3, play then pause (F11)
    ui::TButton* Button1;
    ui::TEdit* Edit1;   // shijian1, skip (F12)
    ui::TLabel* Label2;
    ui::TLabel* Label3;
    ui::TLabel* Label1;
    ui::TLabel* Label5;

    // Fills the boxes from the file, which is read afresh at every showing.
    void FormShow(ui::TObject* Sender);
    // Stores the boxes as typed and closes the dialog.
    void Button1Click(ui::TObject* Sender);
};

// The settings file beside the program, read afresh by every use.
ui::TIniFile DurationSettings();

// Created hidden at start, after the main window; shown by the menu of the main window.
extern TForm3* Form3;

}  // namespace app
