// Playback: opening a recording, play and pause, replay, play then pause, skip, seek to a
// typed time, the position read-out and the progress bar.
#include "app/Unit1.h"

namespace app {

void TMainForm1::Edit1DblClick(ui::TObject*) {}

void TMainForm1::BitBtn4Click(ui::TObject*) {}

void TMainForm1::BitBtn7Click(ui::TObject*) {}

void TMainForm1::BitBtn8Click(ui::TObject*) {}

void TMainForm1::BitBtn2Click(ui::TObject*) {}

void TMainForm1::Label9Click(ui::TObject*) {}

void TMainForm1::Timer1Timer(ui::TObject*) {}

void TMainForm1::Timer3Timer(ui::TObject*) {}

void TMainForm1::Timer4Timer(ui::TObject*) {}

void TMainForm1::TrackBar1Change(ui::TObject*) {}

void TMainForm1::CheckBox1Click(ui::TObject*) {}

void TMainForm1::Memo1MouseDown(ui::TObject*, ui::TMouseButton, ui::TShiftState, int, int) {}

}  // namespace app
