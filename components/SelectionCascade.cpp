#include "components/SelectionCascade.h"

#include "components/ItemHelpers.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/TreeView.h"

namespace dw {

namespace {

TTreeViewItem* AsItem(Control* control) {
  return AsTreeViewItem(control);
}

}  // namespace

void SelectionCascade::Change(TTreeViewItem& owner, bool value) {
  Step level;
  level.owner = &owner;
  level.value = value;
  if (running_) {
    queued_.push_back(std::move(level));
    return;
  }
  running_ = true;
  struct Reset {
    SelectionCascade& self;
    ~Reset() {
      self.running_ = false;
      self.stack_.clear();
      self.queued_.clear();
    }
  } reset{*this};
  stack_.push_back(std::move(level));
  std::vector<Step> spawned;
  while (!stack_.empty()) {
    // Changes queued by the step go on top, the first of them topmost; so they run next,
    // each to its end, in the order in which the nested calls would have run them.
    bool finished = RunStep(stack_.back(), spawned);
    if (finished) stack_.pop_back();
    for (Step& step : spawned) stack_.push_back(std::move(step));
    spawned.clear();
    for (auto it = queued_.rbegin(); it != queued_.rend(); ++it) stack_.push_back(std::move(*it));
    queued_.clear();
  }
}

bool SelectionCascade::RunStep(Step& step, std::vector<Step>& spawned) {
  return step.radio != nullptr ? RunRadioCheck(step) : RunLevel(step, spawned);
}

bool SelectionCascade::RunLevel(Step& step, std::vector<Step>& spawned) {
  TTreeViewItem& owner = *step.owner;
  if (!step.started) {
    step.started = true;
    // Enabling fires no handlers: all of it is one step.
    for (std::size_t i = 0; i < owner.Children().size(); ++i) {
      if (TTreeViewItem* child = AsItem(owner.Children()[i])) child->SetEnabled(step.value);
    }
    step.next = static_cast<std::ptrdiff_t>(owner.Children().size()) - 1;
  }
  // Children are read again at every step: the handlers of the last one may have run.
  while (step.next >= 0) {
    std::size_t index = static_cast<std::size_t>(step.next--);
    if (index >= owner.Children().size()) continue;
    TTreeViewItem* child = AsItem(owner.Children()[index]);
    if (child == nullptr) continue;
    // The kind of part follows the owner's Tag, not the child's.
    if (owner.Tag == 0) {
      TCheckBox* check = nullptr;
      if (!FindCheckPart(*child, "check", check)) continue;
      check->SetIsChecked(step.value);
      return false;
    }
    TRadioButton* radio = nullptr;
    if (!FindRadioPart(*child, "radiobutton", radio)) continue;
    if (step.value && radio->SetCheckedQuietly(true)) {
      // Checking a radio button unchecks its group one member at a time, each member's
      // handlers running to their end, and then fires its own OnChange.
      Step check;
      check.radio = radio;
      if (radio->Form() != nullptr) check.limit = radio->Form()->LastRadioSerial();
      spawned.push_back(std::move(check));
      return false;
    }
    radio->SetIsChecked(step.value);
    return false;
  }
  return true;
}

bool SelectionCascade::RunRadioCheck(Step& step) {
  TForm* form = step.radio->Form();
  while (TRadioButton* other =
             form != nullptr ? form->NextCheckedRadio(step.after, step.limit) : nullptr) {
    step.after = other->RadioSerial();
    if (step.radio->UncheckIfGroupMember(other)) return false;
  }
  step.radio->NotifyChange();
  return true;
}

}  // namespace dw
