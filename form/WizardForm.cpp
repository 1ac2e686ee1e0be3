#include "form/WizardForm.h"

#include "components/ComponentTree.h"
#include "destination/DestinationPage.h"
#include "form/PageFlow.h"
#include "form/Texts.h"
#include "plugin/TitleBar.h"
#include "progress/ProgressDisplay.h"
#include "slideshow/Slideshow.h"

namespace dw {

TWizardForm::TWizardForm() : TForm(nullptr) {
  SetName("WizardForm");
  BeginLoading();
  BuildLayout();
  EndLoading();
  CreateWindow();
  // The feature objects find their controls by name once the layout exists.
  flow_ = std::make_unique<PageFlow>(*this);
  title_bar_ = std::make_unique<TitleBar>(*this);
  destination_ = std::make_unique<DestinationPage>(*this);
  progress_ = std::make_unique<ProgressDisplay>(*this);
  slideshow_ = std::make_unique<Slideshow>(*this);
  components_ = std::make_unique<ComponentTree>(*this);
  credits_ = std::make_unique<CreditsLists>(*this);
}

TWizardForm::~TWizardForm() = default;

void TWizardForm::FormShow(Component*) { flow_->FormShow(); }
void TWizardForm::FormMouseDown(Component*, MouseButton, float, float) {
  title_bar_->FormMouseDown();
}

void TWizardForm::WindowBarMouseDown(Component*, MouseButton, float, float) {
  title_bar_->WindowBarMouseDown();
}
void TWizardForm::Rectangle3Click(Component*) { title_bar_->ButtonClick(3); }
void TWizardForm::Rectangle3MouseDown(Component*, MouseButton button, float, float) {
  title_bar_->ButtonMouseDown(3, button);
}
void TWizardForm::Rectangle3MouseEnter(Component*) { title_bar_->ButtonHover(3); }
void TWizardForm::Rectangle3MouseMove(Component*, float, float) { title_bar_->ButtonHover(3); }
void TWizardForm::Rectangle3MouseLeave(Component*) { title_bar_->ButtonLeave(3); }
void TWizardForm::Rectangle4Click(Component*) { title_bar_->ButtonClick(4); }
void TWizardForm::Rectangle4MouseDown(Component*, MouseButton button, float, float) {
  title_bar_->ButtonMouseDown(4, button);
}
void TWizardForm::Rectangle4MouseEnter(Component*) { title_bar_->ButtonHover(4); }
void TWizardForm::Rectangle4MouseMove(Component*, float, float) { title_bar_->ButtonHover(4); }
void TWizardForm::Rectangle4MouseLeave(Component*) { title_bar_->ButtonLeave(4); }

void TWizardForm::Button2Click(Component*) { flow_->Button2Click(); }
void TWizardForm::Button3Click(Component*) { flow_->Button3Click(); }
void TWizardForm::TabControl3Change(Component*) { flow_->TabControl3Change(); }
void TWizardForm::FloatAnimation1Finish(Component*) { flow_->FloatAnimation1Finish(); }

void TWizardForm::Edit1Change(Component*) { destination_->Edit1Change(); }
void TWizardForm::SearchEditButton1Click(Component*) { destination_->SearchEditButton1Click(); }
void TWizardForm::Switch1Switch(Component* sender) { destination_->SwitchChanged(sender); }
void TWizardForm::Switch2Switch(Component* sender) { destination_->SwitchChanged(sender); }

void TWizardForm::Timer2Timer(Component*) { progress_->UpdateInstallTimes(); }

void TWizardForm::Timer1Timer(Component*) { slideshow_->Timer1Timer(); }

void TWizardForm::ItemUpdate(Component* sender) { components_->ItemUpdate(sender); }
void TWizardForm::ItemChange(Component* sender) { components_->ItemChange(sender); }

}  // namespace dw
