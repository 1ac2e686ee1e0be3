// The installation page's progress ring, percentage, status lines and time estimate.
#pragma once

#include <cstdint>
#include <string>

namespace dw {

class TWizardForm;
class TArc;
class TLabel;

class ProgressDisplay {
 public:
  explicit ProgressDisplay(TWizardForm& form);
  // func06: the two status lines and the progress done/total on the ring and in percent.
  void Report(const std::u16string& line1, const std::u16string& line2, std::int32_t done,
              std::int32_t total);
  // Timer2's tick: elapsed and remaining time from the installation clock and the ring.
  void UpdateInstallTimes();

 private:
  // The ring's sweep is the only record of the progress; the estimate reads it back.
  TArc* arc1_ = nullptr;
  TLabel* label32_ = nullptr;   // percentage
  TLabel* label42_ = nullptr;   // first status line
  TLabel* label116_ = nullptr;  // second status line
  TLabel* label37_ = nullptr;   // elapsed time
  TLabel* label38_ = nullptr;   // remaining time
};

}  // namespace dw
