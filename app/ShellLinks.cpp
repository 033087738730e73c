// Hand-offs to the shell: the desktop shortcut, the recordings folder, the vendor links.
#include "app/Unit1.h"

namespace app {

void TMainForm1::N12Click(ui::TObject*) {}

void TMainForm1::N10Click(ui::TObject*) {}

void TMainForm1::N7Click(ui::TObject*) {}

void TMainForm1::N14Click(ui::TObject*) {}

void TMainForm1::N4Click(ui::TObject*) {}

void TMainForm1::N20Click(ui::TObject*) {}

}  // namespace app
