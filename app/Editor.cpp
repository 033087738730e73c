// The memo: hot keys, the time stamp, seeking by double-click, font sizes, word count, select
// all and search.
#include "app/Unit1.h"

namespace app {

void TMainForm1::Memo1KeyDown(ui::TObject*, WORD&, ui::TShiftState) {}

void TMainForm1::Memo1ContextPopup(ui::TObject*, POINT, bool& Handled) { Handled = true; }

void TMainForm1::Memo1DblClick(ui::TObject*) {}

void TMainForm1::N19Click(ui::TObject*) {}

void TMainForm1::N13Click(ui::TObject*) {}

void TMainForm1::N15Click(ui::TObject*) {}

void TMainForm1::N16Click(ui::TObject*) {}

void TMainForm1::N17Click(ui::TObject*) {}

void TMainForm1::N18Click(ui::TObject*) {}

void TMainForm1::N21Click(ui::TObject*) {}

void TMainForm1::Label2Click(ui::TObject*) {}

void TMainForm1::Label4Click(ui::TObject*) {}

}  // namespace app
