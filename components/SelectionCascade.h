// Carries a selectable item's state down to its sub-items (ItemChange), without recursion.
//
// Each level of a cascade runs inside the OnChange of the part set one level up, so a
// recursive cascade needs stack frames per level, and trees may be thousands of levels deep.
// Instead, a change that arrives while a cascade runs is queued, and the cascade works
// through an explicit stack of steps. Every step does what the recursive version does between
// two change handlers (set one part, whose setter fires at most one OnChange at its very end),
// and the handlers queued by a step run, depth first, before the next step: the order of all
// changes and so the result are those of the nested calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dw {

class TTreeViewItem;
class TRadioButton;

class SelectionCascade {
 public:
  // ItemChange for the selectable item owner whose shown part now reads value: enable its
  // sub-items first to last, then set their parts to value last to first (the "check" part
  // when owner's Tag is 0, else the "radiobutton" part).
  void Change(TTreeViewItem& owner, bool value);

 private:
  struct Step {
    // A cascade level: owner's sub-items, part by part.
    TTreeViewItem* owner = nullptr;
    bool value = false;
    bool started = false;
    std::ptrdiff_t next = 0;  // the child whose part is set next, counting down
    // A radio button becoming checked: the form's checked buttons, one by one.
    TRadioButton* radio = nullptr;
    std::uint64_t after = 0;
    std::uint64_t limit = 0;
  };
  // Runs one step; true when it has finished. May hand back a step to run next.
  bool RunStep(Step& step, std::vector<Step>& spawned);
  bool RunLevel(Step& step, std::vector<Step>& spawned);
  bool RunRadioCheck(Step& step);

  bool running_ = false;
  std::vector<Step> stack_;
  std::vector<Step> queued_;  // changes that arrived during the current step
};

}  // namespace dw
