#include "form/LayoutBuilder.h"
#include "form/WizardForm.h"

namespace dw {

// The form as data: the frame builds the areas in the form's component order (the form's
// direct children first, then depth first), which is the order FormShow walks.
void TWizardForm::BuildLayout() {
  SetClientSize(854, 512);
  BorderStyle = FormBorderStyle::Single;
  LayoutBuilder build(*this);
  BuildFrame(build);
  OnShow = [this](Component* sender) { FormShow(sender); };
  OnMouseDown = [this](Component* sender, MouseButton button, float x, float y) {
    FormMouseDown(sender, button, x, y);
  };
}

}  // namespace dw
