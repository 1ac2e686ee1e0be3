// What the wizard adds for screen readers to the toolkit's own description: names for the
// controls that have no text of their own, the gauges read as one value each, and only the
// highlighted stage name of the header strip.
#include <string_view>

#include "form/WizardForm.h"
#include "toolkit/Label.h"

namespace dw {

namespace {

bool IsStageLabel(std::string_view name) {
  return name == "Label9" || name == "Label10" || name == "Label15" || name == "Label16" ||
         name == "Label17";
}

}  // namespace

void TWizardForm::DescribeAccessible(const Control& control, AccessibleHint& hint) const {
  const std::string_view name = control.Name();
  if (&control == this) {
    // The window is called as its title bar says; the caption itself is then not read again.
    hint.role = AccessibleRole::Dialog;
    hint.nameFrom = Find<TLabel>("Label2");
  } else if (name == "Label2") {
    hint.hidden = true;
  } else if (name == "Rectangle3") {
    hint.role = AccessibleRole::PushButton;
    hint.name = u"Close";
  } else if (name == "Rectangle4") {
    hint.role = AccessibleRole::PushButton;
    hint.name = u"Minimise";
  } else if (name == "SearchEditButton1") {
    hint.role = AccessibleRole::PushButton;
    hint.name = u"Browse";
  } else if (name == "Edit1") {
    hint.name = u"Installation directory";
  } else if (name == "Arc6") {
    hint.role = AccessibleRole::StaticText;
    hint.name = u"Free space";
    hint.valueFrom = Find<TLabel>("Label28");
  } else if (name == "Arc1") {
    hint.role = AccessibleRole::ProgressBar;
    hint.name = u"Installation progress";
    hint.valueFrom = Find<TLabel>("Label32");
  } else if (IsStageLabel(name)) {
    // The strip shows every stage name; the highlighted one is where the user is.
    auto* label = dynamic_cast<const TLabel*>(&control);
    hint.hidden = label == nullptr || (label->StyledSettings() & kStyledFontColor) == 0;
  }
}

}  // namespace dw
