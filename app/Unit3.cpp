#include "app/Unit3.h"

namespace app {

TForm3* Form3 = nullptr;

TForm3::TForm3(ui::TComponent* owner) : ui::TForm(owner)
{
    SetName(L"Form3");
    SetCaption(L"时长设置");
}

}  // namespace app
