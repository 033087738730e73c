// Documents: new, save, update and auto-save of the current document.
#include "app/Unit1.h"

namespace app {

void TMainForm1::N1Click(ui::TObject*) {}

void TMainForm1::BitBtn10Click(ui::TObject*) {}

void TMainForm1::BitBtn1Click(ui::TObject*) {}

void TMainForm1::Memo1KeyUp(ui::TObject*, WORD&, ui::TShiftState) {}

}  // namespace app
