#include "host/HostStrings.h"

#include <windows.h>

#include <cstring>

namespace host {

HostString::HostString(const std::wstring& text) {
  const std::size_t units = text.size();
  const std::size_t bytes = 8 + (units + 1) * sizeof(char16_t);
  storage_.assign((bytes + 3) / 4, 0);
  auto* base = reinterpret_cast<unsigned char*>(storage_.data());
  const std::int32_t referenceCount = -1;  // a literal, as the host marks its constants
  const auto length = static_cast<std::int32_t>(units);
  std::memcpy(base, &referenceCount, 4);
  std::memcpy(base + 4, &length, 4);
  std::memcpy(base + 8, text.data(), units * sizeof(char16_t));  // zero follows (assign)
}

const char16_t* HostString::Get() const {
  return reinterpret_cast<const char16_t*>(reinterpret_cast<const unsigned char*>(storage_.data()) +
                                           8);
}

const char16_t* HostStrings::Make(const std::wstring& text) {
  strings_.push_back(std::make_unique<HostString>(text));
  return strings_.back()->Get();
}

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                      nullptr, nullptr);
  return result;
}

}  // namespace host
