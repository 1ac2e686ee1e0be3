// An error that the behaviour raises to the host (an index or number func10 cannot use, a
// picture that cannot be decoded, a required space that is not an integer). Thrown inside
// the plug-in, caught at the export and reported through SystemApi::ReportError.
#pragma once

#include <string>

namespace dw {

struct PluginError {
  std::u16string message;
};

}  // namespace dw
