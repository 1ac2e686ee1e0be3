#include "platform/Platform.h"

namespace dw {

namespace {
Platform& Storage() {
  static Platform platform;
  return platform;
}
}  // namespace

Platform& CurrentPlatform() { return Storage(); }
void SetCurrentPlatform(const Platform& platform) { Storage() = platform; }

}  // namespace dw
