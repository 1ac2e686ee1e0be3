#include "plugin/PluginState.h"

#include <memory>

#include "form/WizardForm.h"

namespace dw {

PluginState::PluginState() = default;
PluginState::~PluginState() = default;

PluginState& State() {
  // Never destroyed: static destructors run at unload, when the form's windows and the
  // platform it draws through may already be gone. Unload releases what it must itself.
  static PluginState* const state = new PluginState;
  return *state;
}

void ResetPluginState() {
  PluginState& state = State();
  // The form goes first, while the rest of the record is still intact for its controls;
  // during its destruction the state already says "no form".
  std::unique_ptr<TWizardForm> form = std::move(state.WizardForm);
  form.reset();
  // Rebuilding in place restores every field to its value at load, new fields included.
  std::destroy_at(&state);
  std::construct_at(&state);
}

}  // namespace dw
