// The five stages, the Back and Next buttons, the shared tab-change handler, the header
// strip's slide and highlight, the show handler and the stage effects of func05/func07.
#pragma once

#include <array>

#include "toolkit/Component.h"

namespace dw {

class TWizardForm;
class TLabel;
class TButton;
class TTabControl;
class TFloatAnimation;

class PageFlow {
 public:
  // The stages, as TabControl3's TabIndex.
  static constexpr int kWelcome = 0;
  static constexpr int kInformation = 1;
  static constexpr int kConfiguration = 2;
  static constexpr int kInstallation = 3;
  static constexpr int kFinalisation = 4;
  static constexpr int kStageCount = 5;

  explicit PageFlow(TWizardForm& form);
  void Button2Click();
  void Button3Click();
  // Serves TabControl3, TabControl4 and TabControl5; never looks at the sender.
  void TabControl3Change();
  void FloatAnimation1Finish();
  // Throws PluginError from the required-space step, after the pages are reset.
  void FormShow();
  // func07: the Finalisation stage with its success or failure page.
  void ShowOutcome(bool succeeded);
  // Label9's left margin that puts the stage's name at the strip's left edge, from the
  // stage labels' widths as they are now.
  float HeaderStopValue(int stage) const;

 private:
  // False while the layout lacks one of the controls the flow drives.
  bool HasControls() const;
  void ClickHostNextUntilInstalling();

  TWizardForm& form_;
  TTabControl* stages_ = nullptr;         // TabControl3
  TTabControl* configuration_ = nullptr;  // TabControl4
  TTabControl* outcome_ = nullptr;        // TabControl5
  TButton* back_ = nullptr;               // Button2
  TButton* next_ = nullptr;               // Button3
  TFloatAnimation* header_ = nullptr;     // FloatAnimation1
  // Label9, Label10, Label15, Label16, Label17: the stage names in stage order.
  std::array<TLabel*, kStageCount> stage_labels_{};
  // The stage the change handler last ran for, to tell entering a stage from a change of
  // an inner page.
  int handled_stage_ = -1;
  // Set on entering the Installation stage, until its click loop starts or the outcome
  // comes: the one loop that the entry owes the host.
  bool install_clicks_owed_ = false;
};

// Highlights a stage label by taking its font colour from the style (on) or not (off).
void SetStageHighlight(TLabel& label, bool on);

}  // namespace dw
