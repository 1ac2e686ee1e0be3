#include "plugin/SimulateClick.h"

#include "platform/Platform.h"
#include "plugin/Embedding.h"

namespace dw {

namespace {
constexpr std::uintptr_t kClickWParam = 10;
constexpr std::intptr_t kClickLParam = 10;
}  // namespace

void SimulateClick(WindowHandle window) {
  CurrentPlatform().api->SendMessageW(window, win::kWmLButtonDown, kClickWParam, kClickLParam);
  CurrentPlatform().api->SendMessageW(window, win::kWmLButtonUp, kClickWParam, kClickLParam);
  // The host may have created or raised page windows while it handled the click.
  KeepFormAboveHostWindows();
}

}  // namespace dw
