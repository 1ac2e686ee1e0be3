// A host string laid out as a host lays it out in memory, for tests, benchmarks and fuzzers
// that play the host: reference count, length, the code units and a terminating zero. The
// length may be given apart from the units, as a broken host's might be, and the units may
// start at any char16_t offset.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace dw::sim {

class HostStringBuffer {
 public:
  explicit HostStringBuffer(const std::u16string& units)
      : HostStringBuffer(units, static_cast<std::int32_t>(units.size())) {}
  HostStringBuffer(const std::u16string& units, std::int32_t length, std::size_t unitOffset = 4)
      : storage_(unitOffset + units.size() + 1, u'\0'), offset_(unitOffset) {
    const std::int32_t refCount = 1;
    auto* first = reinterpret_cast<unsigned char*>(storage_.data() + offset_);
    std::memcpy(first - 8, &refCount, 4);
    std::memcpy(first - 4, &length, 4);
    std::copy(units.begin(), units.end(), storage_.begin() + static_cast<std::ptrdiff_t>(offset_));
  }
  const char16_t* get() const { return storage_.data() + offset_; }
  // Lets a test change the host's text after a call, to show the plug-in kept a copy.
  void Overwrite(char16_t unit) {
    std::fill(storage_.begin() + static_cast<std::ptrdiff_t>(offset_), storage_.end() - 1, unit);
  }

 private:
  std::vector<char16_t> storage_;
  std::size_t offset_;
};

}  // namespace dw::sim
