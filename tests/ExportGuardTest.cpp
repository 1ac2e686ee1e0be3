// The guard every export runs its work through: errors become one ReportError call, made
// only after everything the work created is gone, and no exception leaves.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/ExportGuard.h"
#include "plugin/PluginError.h"

namespace dw {
namespace {

// Notes, at each report, whether the work's local object had been destroyed by then.
class ObservingPlatform : public sim::SimulatedPlatform {
 public:
  const bool* workObjectDestroyed = nullptr;
  std::vector<bool> destroyedAtReport;
  void ReportError(const std::u16string& message) override {
    destroyedAtReport.push_back(workObjectDestroyed != nullptr && *workObjectDestroyed);
    SimulatedPlatform::ReportError(message);
  }
};

struct DestructionFlag {
  bool* destroyed;
  ~DestructionFlag() { *destroyed = true; }
};

TEST(ExportGuard, ReportsOnlyAfterTheWorkHasBeenUnwound) {
  ObservingPlatform platform;
  bool destroyed = false;
  platform.workObjectDestroyed = &destroyed;
  bool* flag = &destroyed;
  EXPECT_NO_THROW(RunExport([flag] {
    DestructionFlag local{flag};
    std::u16string temporary(100, u'x');  // heap storage that must be released first too
    throw PluginError{u"List index out of bounds (7)"};
  }));
  EXPECT_EQ(platform.errors, std::vector<std::u16string>{u"List index out of bounds (7)"});
  EXPECT_EQ(platform.destroyedAtReport, std::vector<bool>{true});
  EXPECT_EQ(PendingErrorMessage(), u"List index out of bounds (7)");
}

TEST(ExportGuard, WorkThatSucceedsReportsNothing) {
  sim::SimulatedPlatform platform;
  int runs = 0;
  int* counter = &runs;
  RunExport([counter] { ++*counter; });
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(platform.errors.empty());
}

TEST(ExportGuard, EachFailureReportsItsOwnMessage) {
  sim::SimulatedPlatform platform;
  RunExport([] { throw PluginError{u"'abc' is not a valid integer value"}; });
  RunExport([] { throw std::logic_error("bad state"); });
  RunExport([] { throw PluginError{u""}; });
  EXPECT_EQ(platform.errors, (std::vector<std::u16string>{u"'abc' is not a valid integer value",
                                                          u"Internal error: bad state", u""}));
}

TEST(ExportGuard, WithoutAPlatformAnErrorIsSwallowed) {
  ASSERT_EQ(CurrentPlatform().api, nullptr);
  EXPECT_NO_THROW(RunExport([] { throw PluginError{u"Loading bitmap failed."}; }));
  EXPECT_EQ(PendingErrorMessage(), u"Loading bitmap failed.");
}

}  // namespace
}  // namespace dw
