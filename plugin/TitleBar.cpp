#include "plugin/TitleBar.h"

#include "form/WizardForm.h"

namespace dw {

// The window chrome is built by a later issue; until then these handlers do nothing.
TitleBar::TitleBar(TWizardForm& form) : form_(form) {}
void TitleBar::WindowBarMouseDown() {}
void TitleBar::ButtonClick(int) {}
void TitleBar::ButtonMouseDown(int, MouseButton) {}
void TitleBar::ButtonHover(int) {}
void TitleBar::ButtonLeave(int) {}
void TitleBar::FormMouseDown() {}
void TitleBar::HookMouseDown() {}

}  // namespace dw
