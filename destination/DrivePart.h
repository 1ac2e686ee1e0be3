// The drive part of a directory path: what the free-space query is asked about.
#pragma once

#include <string>

namespace dw {

// "C:\Games\App" gives "C:"; "\\server\share\dir" gives "\\server\share"; a path with
// neither form gives the empty text. Never ends in a backslash.
std::u16string DrivePart(const std::u16string& path);

}  // namespace dw
