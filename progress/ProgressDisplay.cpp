#include "progress/ProgressDisplay.h"

#include "destination/Functions.h"
#include "destination/Numbers.h"
#include "form/WizardForm.h"
#include "platform/Platform.h"
#include "plugin/PluginState.h"
#include "progress/RoundHalfEven.h"
#include "progress/TimeEstimate.h"
#include "toolkit/Label.h"
#include "toolkit/Shapes.h"

namespace dw {

ProgressDisplay::ProgressDisplay(TWizardForm& form)
    : arc1_(form.Find<TArc>("Arc1")),
      label32_(form.Find<TLabel>("Label32")),
      label42_(form.Find<TLabel>("Label42")),
      label116_(form.Find<TLabel>("Label116")),
      label37_(form.Find<TLabel>("Label37")),
      label38_(form.Find<TLabel>("Label38")) {}

void ProgressDisplay::Report(const std::u16string& line1, const std::u16string& line2,
                             std::int32_t done, std::int32_t total) {
  if (label42_) label42_->SetText(line1);
  if (label116_) label116_->SetText(line2);
  // Not clamped: more done than total shows above 100 %, a negative argument below 0.
  const float ratio =
      total == 0 ? 0.0f
                 : static_cast<float>(static_cast<double>(done) / static_cast<double>(total));
  if (label32_) {
    label32_->SetText(IntToText(RoundHalfEven(static_cast<double>(ratio) * 100.0)) + u"%");
  }
  if (arc1_) arc1_->SetEndAngle(static_cast<float>(static_cast<double>(ratio) * 360.0));
}

void ProgressDisplay::UpdateInstallTimes() {
  PluginState& state = State();
  if (state.InstallStartTick < 0) {
    state.ElapsedSeconds = 0;
    state.RemainingSeconds = 0;
  } else {
    state.ElapsedSeconds =
        ElapsedSecondsSince(state.InstallStartTick, CurrentPlatform().api->GetTickCount());
    if (arc1_) {
      // Multiplied first: the sweep times 100 is exact in a double, so a gauge that stands
      // exactly on a half percent (207 degrees: 57.5) rounds as the half it is.
      const std::int64_t percent =
          RoundHalfEven(static_cast<double>(arc1_->EndAngle()) * 100.0 / 360.0);
      state.RemainingSeconds =
          EstimateRemainingSeconds(state.ElapsedSeconds, percent, state.RemainingSeconds);
    }
  }
  if (label37_) label37_->SetText(u"Elapsed time: " + FormatDuration(state.ElapsedSeconds));
  if (label38_) label38_->SetText(u"Remaining time: " + FormatDuration(state.RemainingSeconds));
}

}  // namespace dw
