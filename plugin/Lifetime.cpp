#include "plugin/Lifetime.h"

#include "platform/Platform.h"
#include "plugin/Arguments.h"
#include "plugin/PluginState.h"

namespace dw {

void PluginLoaded() {
  if (SystemApi* api = CurrentPlatform().api) SetAnsiCodePage(api->GetACP());
}

void PluginUnloading() {
  PluginState& state = State();
  std::u16string().swap(state.AppName);
  std::u16string().swap(state.RequiredSpaceText);
  std::vector<TImage*>().swap(state.Slides);
}

}  // namespace dw
