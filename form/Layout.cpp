#include "form/WizardForm.h"

namespace dw {

// The layout data is built by a later issue; until then the form is an empty 854 x 512 form.
void TWizardForm::BuildLayout() { SetClientSize(854, 512); }

}  // namespace dw
