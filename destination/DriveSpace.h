// Free and total bytes of the drive that holds a directory.
#pragma once

#include <cstdint>
#include <string>

namespace dw {

// The free bytes of the whole volume (not only the part the caller may use); 0 when the
// drive cannot be queried.
std::int64_t DriveFreeBytes(const std::u16string& path);
// The total bytes the caller sees (under quotas, can be less than the free bytes); 0 when
// the drive cannot be queried.
std::int64_t DriveTotalBytes(const std::u16string& path);

}  // namespace dw
