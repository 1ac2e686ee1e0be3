#include "destination/DestinationPage.h"

#include "form/WizardForm.h"

namespace dw {

// The destination page is built by a later issue; until then it does nothing.
DestinationPage::DestinationPage(TWizardForm& form) : form_(form) {}
void DestinationPage::Edit1Change() {}
void DestinationPage::SearchEditButton1Click() {}
void DestinationPage::SwitchChanged(Component*) {}
void DestinationPage::RequiredSpaceStep() {}
void DestinationPage::SetDirectory(const std::u16string&) {}
bool DestinationPage::ShortcutSwitch(bool) { return true; }

}  // namespace dw
