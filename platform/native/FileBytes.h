// Whole-file reads for the native pieces.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dw::native {

// Empty optional when the file cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path);

}  // namespace dw::native
