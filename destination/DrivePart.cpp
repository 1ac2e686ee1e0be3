#include "destination/DrivePart.h"

namespace dw {

std::u16string DrivePart(const std::u16string& path) {
  if (path.size() >= 2 && path[1] == u':') return path.substr(0, 2);
  if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\') {
    // Server, then share: the part ends before the backslash that follows the share name.
    const std::size_t serverEnd = path.find(u'\\', 2);
    if (serverEnd == std::u16string::npos) return path;
    const std::size_t shareEnd = path.find(u'\\', serverEnd + 1);
    if (shareEnd == std::u16string::npos) return path;
    return path.substr(0, shareEnd);
  }
  return {};
}

}  // namespace dw
