#include "plugin/TitleBar.h"

#include "form/WizardForm.h"
#include "platform/Platform.h"
#include "plugin/PluginState.h"
#include "toolkit/Shapes.h"

namespace dw {

TitleBar::TitleBar(TWizardForm& form)
    : form_(form),
      close_(form.Find<TRectangle>("Rectangle3")),
      minimise_(form.Find<TRectangle>("Rectangle4")) {}

TRectangle* TitleBar::Button(int button) const {
  if (button == kCloseButton) return close_;
  if (button == kMinimiseButton) return minimise_;
  return nullptr;
}

std::uint32_t TitleBar::HoverColor(int button) {
  return button == kCloseButton ? kCloseHoverColor : kMinimiseHoverColor;
}

void TitleBar::WindowBarMouseDown() {
  SystemApi& api = *CurrentPlatform().api;
  // The host's move loop needs the mouse, which our window holds while the button is down.
  api.ReleaseCapture();
  api.SendMessageW(State().HostWizardWnd, win::kWmSysCommand, win::kScMove + win::kHtCaption, 0);
}

void TitleBar::ButtonClick(int button) {
  if (button == kCloseButton) {
    CurrentPlatform().api->SendMessageW(State().HostWizardWnd, win::kWmClose, 0, 0);
  } else if (button == kMinimiseButton) {
    CurrentPlatform().api->SendMessageW(State().HostWizardWnd, win::kWmSysCommand, win::kScMinimize,
                                        0);
  }
}

void TitleBar::ButtonMouseDown(int button, MouseButton mouseButton) {
  if (mouseButton != MouseButton::Left) return;
  if (TRectangle* rectangle = Button(button)) rectangle->SetFillColor(kRestingColor);
}

void TitleBar::ButtonHover(int button) {
  if (TRectangle* rectangle = Button(button)) rectangle->SetFillColor(HoverColor(button));
}

void TitleBar::ButtonLeave(int button) {
  if (TRectangle* rectangle = Button(button)) rectangle->SetFillColor(kRestingColor);
}

void TitleBar::FormMouseDown() {
  SystemApi& api = *CurrentPlatform().api;
  const WindowHandle host = State().HostWizardWnd;
  if (api.GetForegroundWindow() != host) api.SetForegroundWindow(host);
}

void TitleBar::HookMouseDown(Component& component) {
  auto* control = dynamic_cast<Control*>(&component);
  if (!control || control->OnClick || control->OnMouseDown) return;
  control->OnMouseDown = [&form = form_](Component* sender, MouseButton button, float x, float y) {
    form.FormMouseDown(sender, button, x, y);
  };
}

}  // namespace dw
