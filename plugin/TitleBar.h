// The form's own title bar: moving, minimising and closing the host window, and bringing
// the host window to the front on a press anywhere on the form.
#pragma once

#include <cstdint>

#include "platform/WindowSystem.h"
#include "toolkit/Component.h"

namespace dw {

class TWizardForm;
class TRectangle;

class TitleBar {
 public:
  // The two title bar buttons, by the number in their control names.
  static constexpr int kCloseButton = 3;     // Rectangle3
  static constexpr int kMinimiseButton = 4;  // Rectangle4
  static constexpr std::uint32_t kCloseHoverColor = 0xFFE80808;
  static constexpr std::uint32_t kMinimiseHoverColor = 0xFF3D3D3D;
  static constexpr std::uint32_t kRestingColor = 0x00000000;

  explicit TitleBar(TWizardForm& form);
  // Any mouse button: the host window follows the mouse as if its caption were pressed.
  void WindowBarMouseDown();
  void ButtonClick(int button);
  void ButtonMouseDown(int button, MouseButton mouseButton);
  // Enter and move.
  void ButtonHover(int button);
  void ButtonLeave(int button);
  void FormMouseDown();
  // The mouse hook for one component of the form: a control with neither OnClick nor
  // OnMouseDown gets FormMouseDown as its OnMouseDown; anything else is left alone.
  void HookMouseDown(Component& component);

 private:
  TRectangle* Button(int button) const;
  static std::uint32_t HoverColor(int button);

  TWizardForm& form_;
  TRectangle* close_ = nullptr;     // Rectangle3
  TRectangle* minimise_ = nullptr;  // Rectangle4
};

}  // namespace dw
