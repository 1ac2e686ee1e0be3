// How every export runs its work: no C++ exception crosses the boundary, and an error
// reaches the host only through SystemApi::ReportError.
//
// On Windows ReportError raises a structured exception that may unwind past the export
// without running destructors. So the work runs to completion (or to its exception) inside
// FailedToRun, which destroys everything the work created before it returns, and the
// export reports the error afterwards with nothing alive that needs a destructor.
#pragma once

#include <string>
#include <type_traits>

namespace dw {

using ExportWork = void (*)(void* context);

// Runs work(context). A PluginError, or any other exception, is kept as the pending error
// and true is returned.
bool FailedToRun(ExportWork work, void* context) noexcept;

// FailedToRun on the form's thread. A host may call an export from another thread (an
// installer reports progress from its worker): the call is carried to the form's thread
// and waited for, so the form never sees a second thread; the error, if any, is then
// reported on the caller's thread.
bool FailedToRunOnFormThread(ExportWork work, void* context) noexcept;

// Reports the pending error to the host (nothing without a platform). Not noexcept on
// purpose: the structured exception must be free to pass through.
void ReportPendingError();

// The pending error, for tests and the report.
const std::u16string& PendingErrorMessage();

template <class Work>
void RunExport(Work work) {
  // The closure stays alive in the export's frame while the error is reported.
  static_assert(std::is_trivially_destructible_v<Work>,
                "an export's work may capture only trivially destructible values");
  const bool failed =
      FailedToRunOnFormThread([](void* context) { (*static_cast<Work*>(context))(); }, &work);
  if (failed) ReportPendingError();
}

}  // namespace dw
