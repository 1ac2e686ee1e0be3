#include "form/PageFlow.h"

#include "form/WizardForm.h"

namespace dw {

// The page flow is built by a later issue; until then these handlers do nothing.
PageFlow::PageFlow(TWizardForm& form) : form_(form) {}
void PageFlow::Button2Click() {}
void PageFlow::Button3Click() {}
void PageFlow::TabControl3Change() {}
void PageFlow::FloatAnimation1Finish() {}
void PageFlow::FormShow() {}
void PageFlow::ShowOutcome(bool) {}
void SetStageHighlight(TLabel&, bool) {}

}  // namespace dw
