#include "form/PageFlow.h"

#include <cstdint>

#include "destination/DestinationPage.h"
#include "form/Texts.h"
#include "form/WizardForm.h"
#include "platform/Platform.h"
#include "plugin/PluginState.h"
#include "plugin/SimulateClick.h"
#include "plugin/TitleBar.h"
#include "slideshow/Slideshow.h"
#include "toolkit/Button.h"
#include "toolkit/FloatAnimation.h"
#include "toolkit/Label.h"
#include "toolkit/TabControl.h"

namespace dw {

// The click loop belongs to the entry into the Installation stage, not to every end of the
// header animation: each entry owes the host one loop, run by the first end of the header
// animation on that stage, and only while no outcome has been reported (func07 cancels a
// loop still owed and ends one that runs). Otherwise only "Finish" clicks the host's Next.

PageFlow::PageFlow(TWizardForm& form)
    : form_(form),
      stages_(form.Find<TTabControl>("TabControl3")),
      configuration_(form.Find<TTabControl>("TabControl4")),
      outcome_(form.Find<TTabControl>("TabControl5")),
      back_(form.Find<TButton>("Button2")),
      next_(form.Find<TButton>("Button3")),
      header_(form.Find<TFloatAnimation>("FloatAnimation1")),
      stage_labels_{form.Find<TLabel>("Label9"), form.Find<TLabel>("Label10"),
                    form.Find<TLabel>("Label15"), form.Find<TLabel>("Label16"),
                    form.Find<TLabel>("Label17")} {}

bool PageFlow::HasControls() const {
  for (const TLabel* label : stage_labels_) {
    if (!label) return false;
  }
  return stages_ && configuration_ && outcome_ && back_ && next_ && header_;
}

void PageFlow::Button2Click() {
  if (!HasControls()) return;
  const int stage = stages_->TabIndex();
  if (stage >= kFinalisation) {
    // "Finish": the host's Next ends its wizard.
    SimulateClick(State().HostNextButtonWnd);
  } else if (stage == kConfiguration && configuration_->TabIndex() == 1) {
    configuration_->Previous();
  } else {
    stages_->Previous();
  }
}

void PageFlow::Button3Click() {
  if (!HasControls()) return;
  if (stages_->TabIndex() == kConfiguration && configuration_->TabIndex() == 0) {
    configuration_->Next();
  } else {
    stages_->Next();
  }
}

float PageFlow::HeaderStopValue(int stage) const {
  float leftMargin = 0;
  for (int i = 0; i < stage && i < kStageCount; ++i) {
    if (stage_labels_[i]) leftMargin -= stage_labels_[i]->Width();
  }
  return leftMargin;
}

void PageFlow::TabControl3Change() {
  if (!HasControls()) return;
  const int stage = stages_->TabIndex();
  back_->SetEnabled(stage == kInformation || stage == kConfiguration);
  next_->SetEnabled(stage == kWelcome || stage == kInformation || stage == kConfiguration ||
                    stage == kFinalisation);
  if (stage == kConfiguration && configuration_->TabIndex() == 1) {
    next_->SetText(u"Install");
    // The space test may disable "Install" again.
    form_.Edit1Change(nullptr);
  } else if (stage == kFinalisation) {
    next_->SetText(u"Finish");
  } else {
    next_->SetText(u"Next");
  }

  if (stage < kWelcome || stage > kFinalisation) return;
  // Only a change of stage enters one: a later change of an inner page on the Installation
  // stage (func07 moving TabControl5) is no new entry.
  const bool entering = stage != handled_stage_;
  handled_stage_ = stage;
  if (stage == kInstallation && entering) install_clicks_owed_ = true;
  if (stage == kInstallation) {
    // The tick is unsigned: widen it without a sign.
    State().InstallStartTick = static_cast<std::int64_t>(CurrentPlatform().api->GetTickCount());
  }
  // Runs FloatAnimation1Finish right here when the header was still moving.
  header_->StopAtCurrent();
  // That finish can click the host's Next, and the host may move the stage on meanwhile;
  // the change handler of that newer stage has then already set the header.
  if (stages_->TabIndex() != stage) return;
  header_->StopValue = HeaderStopValue(stage);
  header_->Start();
}

void PageFlow::FloatAnimation1Finish() {
  if (!HasControls()) return;
  for (TLabel* label : stage_labels_) SetStageHighlight(*label, false);
  const int stage = stages_->TabIndex();
  if (stage < kWelcome || stage > kFinalisation) return;
  SetStageHighlight(*stage_labels_[stage], true);
  // The page has arrived: a screen reader reads its title now.
  form_.AccessibleChanged(stages_->Tab(stage), AccessibleChange::PageShown);
  if (stage == kInstallation) {
    if (install_clicks_owed_) {
      install_clicks_owed_ = false;
      ClickHostNextUntilInstalling();
    }
  } else if (stage == kFinalisation) {
    // From now on "Finish" clicks the host's Next button.
    next_->OnClick = [&form = form_](Component* sender) { form.Button2Click(sender); };
    State().InstallStartTick = kClockStopped;
  }
}

void PageFlow::ClickHostNextUntilInstalling() {
  // The host calls func05 while handling the click that reaches its installing step. A host
  // whose Next button has gone away can never do so: stop then rather than spin forever.
  // An outcome reported inside a click has moved the form on: no click after that one.
  do {
    SimulateClick(State().HostNextButtonWnd);
  } while (State().InstallReady != 1 && stages_->TabIndex() == kInstallation &&
           CurrentPlatform().api->IsWindow(State().HostNextButtonWnd));
}

void PageFlow::FormShow() {
  State().CurrentSlide = 0;
  // Starts only with more than two slides.
  form_.Slides().Start();

  const int count = form_.ComponentCount();
  for (int index = 0; index < count && index < form_.ComponentCount(); ++index) {
    Component* component = form_.ComponentAt(index);
    if (auto* label = dynamic_cast<TLabel*>(component)) {
      ReplaceAppNamePlaceholder(*label, State().AppName);
    }
    if (auto* tabs = dynamic_cast<TTabControl*>(component)) {
      tabs->SetTabPosition(TabPosition::None);
      tabs->SetTabIndex(0);
    }
    form_.Chrome().HookMouseDown(*component);
  }
  // A new run of the wizard: whatever the last one rewired, Next is Next again ("Finish"
  // clicks the host only within the showing that reached it).
  if (next_) next_->OnClick = [&form = form_](Component* sender) { form.Button3Click(sender); };
  install_clicks_owed_ = false;

  form_.Destination().RequiredSpaceStep();
}

void PageFlow::ShowOutcome(bool succeeded) {
  if (!HasControls()) return;
  // The outcome ends the Installation stage's clicks, also those not yet begun.
  install_clicks_owed_ = false;
  outcome_->SetTabIndex(succeeded ? 0 : 1);
  stages_->SetTabIndex(kFinalisation);
}

void SetStageHighlight(TLabel& label, bool on) {
  const unsigned styled = label.StyledSettings();
  label.SetStyledSettings(on ? styled | kStyledFontColor : styled & ~unsigned{kStyledFontColor});
}

}  // namespace dw
