// What a screen reader learns about a window's content: a flat list of elements in reading
// order (role, name, value, state, box), asked for only when a client wants it. The toolkit
// builds it from its controls; the Win32 side adapts it to the system's accessibility
// interface and raises its events.
#pragma once

#include <string>
#include <vector>

namespace dw {

enum class AccessibleRole {
  Dialog,
  StaticText,
  PushButton,
  EditableText,
  ProgressBar,
  CheckButton,
  RadioButton,
};

// State flags of an element.
enum AccessibleState : unsigned {
  kAccessibleUnavailable = 1u << 0,
  kAccessibleFocused = 1u << 1,
  kAccessibleFocusable = 1u << 2,
  kAccessibleReadOnly = 1u << 3,
  kAccessibleDefault = 1u << 4,
  kAccessibleChecked = 1u << 5,
};

// The window itself; elements are numbered from 1 and keep their number while they exist.
constexpr long kAccessibleSelf = 0;
constexpr long kAccessibleNone = -1;

struct AccessibleElement {
  long id = kAccessibleSelf;
  AccessibleRole role = AccessibleRole::StaticText;
  std::u16string name;
  std::u16string value;
  unsigned state = 0;
  // The visible part of the element in the window's client area, device-independent pixels.
  float left = 0, top = 0, width = 0, height = 0;
  // Whether the default action (a press) applies.
  bool pressable = false;
};

enum class AccessibleEvent { Focus, Show, NameChange, ValueChange, StateChange };

class AccessibleSource {
 public:
  virtual ~AccessibleSource() = default;
  // The window as a whole (id kAccessibleSelf).
  virtual AccessibleElement Window() = 0;
  // What is shown now, in reading order; built on each call.
  virtual std::vector<AccessibleElement> Elements() = 0;
  // The element with the keyboard focus, kAccessibleSelf when nothing inside has it.
  virtual long FocusedElement() = 0;
  // Presses the element as a click does; false when it cannot be pressed now.
  virtual bool DoDefaultAction(long id) = 0;
};

}  // namespace dw
