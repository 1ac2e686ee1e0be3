// The installation page's progress ring, percentage, status lines and time estimate.
#pragma once

#include <cstdint>
#include <string>

namespace dw {

class TWizardForm;

class ProgressDisplay {
 public:
  explicit ProgressDisplay(TWizardForm& form);
  // func06.
  void Report(const std::u16string& line1, const std::u16string& line2, std::int32_t done,
              std::int32_t total);
  // Timer2's tick.
  void UpdateInstallTimes();

 private:
  TWizardForm& form_;
};

}  // namespace dw
