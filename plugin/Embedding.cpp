#include "plugin/Embedding.h"

#include "form/WizardForm.h"
#include "platform/Platform.h"
#include "plugin/PluginState.h"

namespace dw {

namespace {

// Moves the form's window so that its caption and frame lie outside the host's client area
// (negative coordinates, clipped away by the parent) and its client area starts at 0, 0.
void PlaceFormWindow(const NativeWindow& window) {
  const int clientWidth = window.ClientWidth();
  const int width = window.Width();
  const int height = window.Height();
  const int clientHeight = window.ClientHeight();
  const int x = (clientWidth - width) / 2;
  const int y = clientHeight - height - x;
  CurrentPlatform().api->MoveWindow(window.Handle(), x, y, width, height, true);
}

}  // namespace

void EmbedInHost() {
  TWizardForm* form = State().WizardForm.get();
  if (!form || !form->Window()) return;
  const NativeWindow& window = *form->Window();
  SystemApi& api = *CurrentPlatform().api;
  const WindowHandle host = State().HostWizardWnd;

  const auto style = static_cast<std::uint32_t>(api.GetWindowLongW(host, win::kGwlStyle));
  // A host with a border frames the whole form window; one without shows only the client.
  const bool bordered = (style & win::kWsBorder) != 0;
  const int width = bordered ? window.Width() : window.ClientWidth();
  const int height = bordered ? window.Height() : window.ClientHeight();
  // Each term is halved on its own.
  const int x = api.GetSystemMetrics(win::kSmCxScreen) / 2 - width / 2;
  const int y = api.GetSystemMetrics(win::kSmCyScreen) / 2 - height / 2;
  api.MoveWindow(host, x, y, width, height, true);
  api.SetParent(window.Handle(), host);

  // The toolkit's owner window would otherwise show up on the taskbar.
  const WindowHandle owner = api.GetWindow(window.Handle(), win::kGwOwner);
  if (owner == 0) return;
  api.ShowWindow(owner, win::kSwHide);
  api.ShowWindowAsync(owner, win::kSwHide);
}

void PlaceAndShow() {
  TWizardForm* form = State().WizardForm.get();
  if (!form) return;
  if (!form->Window()) {
    form->Show();
    return;
  }
  PlaceFormWindow(*form->Window());
  try {
    // Showing may place the window by the toolkit's own rule and runs FormShow.
    form->Show();
  } catch (...) {
    // FormShow failed after the window was shown: keep it placed, then let the export
    // report the failure.
    if (State().WizardForm && State().WizardForm->Window()) {
      PlaceFormWindow(*State().WizardForm->Window());
    }
    throw;
  }
  if (State().WizardForm && State().WizardForm->Window()) {
    PlaceFormWindow(*State().WizardForm->Window());
  }
  KeepFormAboveHostWindows();
}

void KeepFormAboveHostWindows() {
  TWizardForm* form = State().WizardForm.get();
  if (!form || !form->Window() || !form->IsVisible()) return;
  CurrentPlatform().api->KeepAboveSiblings(form->Window()->Handle(), State().HostWizardWnd);
}

void CloseForm() {
  if (State().WizardForm) State().WizardForm->Close();
}

}  // namespace dw
