// The archive page: the list of stored documents, loading one back, copying and deleting it.
#include "app/Unit1.h"

namespace app {

void TMainForm1::TabSheet2Show(ui::TObject*) {}

void TMainForm1::DBGrid1DrawColumnCell(ui::TObject*, const RECT&, int, ui::TColumn*, ui::TGridDrawState) {}

void TMainForm1::N8Click(ui::TObject*) {}

void TMainForm1::txt1Click(ui::TObject*) {}

void TMainForm1::N9Click(ui::TObject*) {}

}  // namespace app
