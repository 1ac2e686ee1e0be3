#include "progress/ProgressDisplay.h"

#include "form/WizardForm.h"

namespace dw {

// The progress display is built by a later issue; until then it does nothing.
ProgressDisplay::ProgressDisplay(TWizardForm& form) : form_(form) {}
void ProgressDisplay::Report(const std::u16string&, const std::u16string&, std::int32_t,
                             std::int32_t) {}
void ProgressDisplay::UpdateInstallTimes() {}

}  // namespace dw
