#include "destination/DestinationPage.h"

#include <cstdint>

#include "destination/DriveSpace.h"
#include "destination/Functions.h"
#include "destination/IntegerText.h"
#include "form/WizardForm.h"
#include "plugin/PluginState.h"
#include "plugin/SimulateClick.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/Shapes.h"
#include "toolkit/Switch.h"
#include "toolkit/TabControl.h"

namespace dw {

namespace {

constexpr int kConfigurationStage = 2;
constexpr int kDestinationSubPage = 1;

// Widened before multiplying: from 2 TiB (2,097,152 MB) on, the product leaves 32 bits.
std::int64_t RequiredKilobytes() {
  return std::int64_t{State().RequiredSpaceMB} * 1024;
}

}  // namespace

DestinationPage::DestinationPage(TWizardForm& form)
    : edit1_(form.Find<TEdit>("Edit1")),
      arc6_(form.Find<TArc>("Arc6")),
      label28_(form.Find<TLabel>("Label28")),
      label30_(form.Find<TLabel>("Label30")),
      label33_(form.Find<TLabel>("Label33")),
      button3_(form.Find<TButton>("Button3")),
      tabControl3_(form.Find<TTabControl>("TabControl3")),
      tabControl4_(form.Find<TTabControl>("TabControl4")),
      switch1_(form.Find<TSwitch>("Switch1")),
      switch2_(form.Find<TSwitch>("Switch2")),
      label21_(form.Find<TLabel>("Label21")),
      label24_(form.Find<TLabel>("Label24")) {}

void DestinationPage::Edit1Change() {
  if (!edit1_) return;
  const std::u16string directory = edit1_->Text();
  const std::int64_t freeBytes = DriveFreeBytes(directory);
  const std::int64_t freeKB = freeBytes / 1024;
  const std::u16string freeText = FormatSize(freeKB);
  if (label33_) label33_->SetText(freeText + u" is available from the selected drive");
  if (label28_) label28_->SetText(freeText);

  const std::int64_t totalBytes = DriveTotalBytes(directory);
  // An unknown drive keeps the gauge as it was. Under quotas free can exceed total, which
  // gives a negative sweep.
  if (totalBytes != 0 && arc6_) {
    const double usedShare =
        static_cast<double>(totalBytes - freeBytes) / static_cast<double>(totalBytes);
    arc6_->SetEndAngle(static_cast<float>(usedShare * 360.0));
  }

  // Only the destination page decides Next; elsewhere Button3 belongs to the page flow.
  if (tabControl3_ && tabControl4_ && button3_ && tabControl3_->TabIndex() == kConfigurationStage &&
      tabControl4_->TabIndex() == kDestinationSubPage) {
    button3_->SetEnabled(RequiredKilobytes() < freeKB);
  }
}

void DestinationPage::SearchEditButton1Click() {
  SimulateClick(State().HostBrowseButtonWnd);
}

void DestinationPage::SwitchChanged(Component* sender) {
  auto* changed = dynamic_cast<TSwitch*>(sender);
  if (!changed) return;
  TLabel* stateLabel = nullptr;
  if (changed == switch1_) {
    stateLabel = label21_;
  } else if (changed == switch2_) {
    stateLabel = label24_;
  }
  if (stateLabel) stateLabel->SetText(changed->IsChecked() ? u"On" : u"Off");
}

void DestinationPage::RequiredSpaceStep() {
  // On failure this throws before anything is stored: RequiredSpaceMB and Label30 keep
  // their values.
  State().RequiredSpaceMB = ReadInt32OrThrow(State().RequiredSpaceText);
  if (label30_) {
    label30_->SetText(FormatSize(RequiredKilobytes()) + u" is needed from selected directory");
  }
}

void DestinationPage::SetDirectory(const std::u16string& directory) {
  // A different text raises Edit1's change event, which recomputes the page before this
  // returns; the same text changes nothing.
  if (edit1_) edit1_->SetText(directory);
}

bool DestinationPage::ShortcutSwitch(bool desktop) {
  TSwitch* shortcut = desktop ? switch1_ : switch2_;
  return shortcut && shortcut->IsChecked();
}

}  // namespace dw
