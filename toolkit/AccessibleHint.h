// What a form may add to the toolkit's own description of a control for screen readers:
// a name for a control without text, another role, or that it is not read at all.
#pragma once

#include <optional>
#include <string>

#include "platform/Accessibility.h"

namespace dw {

class Control;

struct AccessibleHint {
  // Neither the control nor anything inside it is read.
  bool hidden = false;
  std::optional<AccessibleRole> role;
  // A name of its own, or the text of another control.
  std::u16string name;
  const Control* nameFrom = nullptr;
  // The value is another control's text; the element then stands for everything inside it.
  const Control* valueFrom = nullptr;
};

// What changed about a control, as its setters report it.
enum class AccessibleChange { Text, Enabled, Focus, PageShown };

}  // namespace dw
