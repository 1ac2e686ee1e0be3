// Texts in the two forms the plug-in's exports take: the host's own counted UTF-16
// strings (a reference count and a length in front of the text) and 8-bit strings in the
// system's ANSI code page.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace host {

// One counted string laid out as the host's string manager lays it out: 4-byte reference
// count, 4-byte length in code units, the UTF-16 text, a terminating zero. Get() points at
// the first code unit, which is what an export receives.
class HostString {
 public:
  explicit HostString(const std::wstring& text);
  const char16_t* Get() const;

 private:
  std::vector<std::uint32_t> storage_;  // 4-byte aligned, as the host's allocator gives
};

// Keeps the strings of one script step alive until the step is done.
class HostStrings {
 public:
  const char16_t* Make(const std::wstring& text);

 private:
  std::vector<std::unique_ptr<HostString>> strings_;
};

// The text in the system's ANSI code page (characters it lacks become '?').
std::string ToAnsi(const std::wstring& text);

}  // namespace host
