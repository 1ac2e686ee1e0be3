#include "plugin/Embedding.h"

#include "form/WizardForm.h"
#include "plugin/PluginState.h"

namespace dw {

// Embedding is built by a later issue; until then the form is only shown and hidden.
void EmbedInHost() {}
void PlaceAndShow() {
  if (State().WizardForm) State().WizardForm->Show();
}
void CloseForm() {
  if (State().WizardForm) State().WizardForm->Close();
}

}  // namespace dw
