#include "form/Texts.h"

#include "form/WizardForm.h"

namespace dw {

// The texts are built by a later issue; until then these do nothing.
void ReplaceAppNamePlaceholder(TLabel&, const std::u16string&) {}
CreditsLists::CreditsLists(TWizardForm& form) : form_(form) {}
void CreditsLists::AddLine(int, const std::u16string&) {}

}  // namespace dw
