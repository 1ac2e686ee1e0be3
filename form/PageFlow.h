// The five stages, the Back and Next buttons, the shared tab-change handler, the header
// strip's slide and highlight, the show handler and the stage effects of func05/func07.
#pragma once

#include "toolkit/Component.h"

namespace dw {

class TWizardForm;
class TLabel;

class PageFlow {
 public:
  explicit PageFlow(TWizardForm& form);
  void Button2Click();
  void Button3Click();
  void TabControl3Change();
  void FloatAnimation1Finish();
  void FormShow();
  // func07: the Finalisation stage with its success or failure page.
  void ShowOutcome(bool succeeded);

 private:
  TWizardForm& form_;
};

// Highlights a stage label by taking its font colour from the style (on) or not (off).
void SetStageHighlight(TLabel& label, bool on);

}  // namespace dw
