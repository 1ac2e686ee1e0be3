// The screen readers' view of a form: built on demand from the control tree in reading
// order, with only what a sighted user sees (nothing hidden, clipped away or without area).
// It exists from the first request of a client on; until then the form's change reports
// stop at a null check.
#pragma once

#include <map>
#include <vector>

#include "platform/Accessibility.h"
#include "toolkit/AccessibleHint.h"

namespace dw {

class Control;
class TForm;

class FormAccessibility : public AccessibleSource {
 public:
  explicit FormAccessibility(TForm& form) : form_(form) {}

  AccessibleElement Window() override;
  std::vector<AccessibleElement> Elements() override;
  long FocusedElement() override;
  bool DoDefaultAction(long id) override;

  // Raises the event that a change of `control` means for what the client sees, if any.
  void Changed(const Control* control, AccessibleChange change);
  void Forget(const Control* control);

  // One described element with the controls it was made from.
  struct Entry {
    AccessibleElement element;
    const Control* control = nullptr;
    const Control* nameFrom = nullptr;
    const Control* valueFrom = nullptr;
  };
  // The window first, then the elements in reading order.
  std::vector<Entry> Describe();

 private:
  long IdOf(const Control* control);
  void Raise(AccessibleEvent event, long id);

  TForm& form_;
  std::map<const Control*, long> ids_;
  std::map<long, const Control*> controls_;
  long next_id_ = 1;
};

}  // namespace dw
