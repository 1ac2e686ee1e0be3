#include "plugin/Arguments.h"

#include <cstring>

#include "platform/Platform.h"

namespace dw {

namespace {
unsigned& CodePageStorage() {
  static unsigned codePage = 0;
  return codePage;
}
}  // namespace

unsigned AnsiCodePage() {
  return CodePageStorage();
}
void SetAnsiCodePage(unsigned codePage) {
  CodePageStorage() = codePage;
}

std::u16string AnsiCStringText(const char* text) {
  if (text == nullptr || *text == '\0') return {};
  SystemApi* api = CurrentPlatform().api;
  if (api == nullptr) return {};
  return api->AnsiToUtf16(std::string(text), AnsiCodePage());
}

std::u16string HostStringText(const char16_t* text) {
  if (text == nullptr) return {};
  std::int32_t length = 0;
  // The prefix is read byte-wise: the host guarantees its presence, not its alignment.
  std::memcpy(&length, reinterpret_cast<const unsigned char*>(text) - sizeof length, sizeof length);
  if (length <= 0) return {};
  return std::u16string(text, static_cast<std::size_t>(length));
}

}  // namespace dw
