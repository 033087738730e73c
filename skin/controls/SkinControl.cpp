#include "skin/controls/SkinControl.h"

#include "skin/form/SkinForm.h"

namespace skin {

TSkinControl::TSkinControl(ui::TComponent* owner) : ui::TComponent(owner) {}

TSkinControl::~TSkinControl() { SetForm(nullptr); }

void TSkinControl::SetForm(TWinSkinForm* form)
{
    if (form_ == form) return;
    if (form_) form_->RemovePainter(this);
    form_ = form;
    if (form_) form_->AddPainter(this);
}

}  // namespace skin
