// The form's own title bar: moving, minimising and closing the host window, and bringing
// the host window to the front on a press anywhere on the form.
#pragma once

#include "platform/WindowSystem.h"
#include "toolkit/Component.h"

namespace dw {

class TWizardForm;

class TitleBar {
 public:
  explicit TitleBar(TWizardForm& form);
  void WindowBarMouseDown();
  // button: 3 for the close button (Rectangle3), 4 for the minimise button (Rectangle4).
  void ButtonClick(int button);
  void ButtonMouseDown(int button, MouseButton mouseButton);
  void ButtonHover(int button);
  void ButtonLeave(int button);
  void FormMouseDown();
  // The mouse hook: controls without OnClick and OnMouseDown get FormMouseDown.
  void HookMouseDown();

 private:
  TWizardForm& form_;
};

}  // namespace dw
