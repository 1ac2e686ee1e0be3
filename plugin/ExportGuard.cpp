#include "plugin/ExportGuard.h"

#include <exception>
#include <new>
#include <string>

#include "platform/Platform.h"
#include "plugin/PluginError.h"
#include "plugin/PluginState.h"

namespace dw {

namespace {

// Outside any export's frame, and never destroyed: an unwinding structured exception may
// skip destructors, and the host may still read the message after the export has gone.
std::u16string& PendingError() {
  static std::u16string* const message = new std::u16string;
  return *message;
}

void SetPendingError(const std::u16string& message) noexcept {
  try {
    PendingError() = message;
  } catch (...) {
    // Out of memory while copying the message: report an empty one rather than nothing.
    PendingError().clear();
  }
}

void SetPendingError(const char* prefixAscii, const char* detail) noexcept {
  try {
    std::u16string message;
    for (const char* p = prefixAscii; *p != '\0'; ++p)
      message.push_back(static_cast<unsigned char>(*p));
    // what() texts are ASCII in practice; other bytes are widened as Latin-1.
    for (const char* p = detail; p != nullptr && *p != '\0'; ++p) {
      message.push_back(static_cast<unsigned char>(*p));
    }
    PendingError() = std::move(message);
  } catch (...) {
    PendingError().clear();
  }
}

}  // namespace

bool FailedToRunOnFormThread(ExportWork work, void* context) noexcept {
  // Before func01 there is no form and so no thread of its own: nothing to carry over.
  WindowSystem* windows = CurrentPlatform().windows;
  if (windows == nullptr || !State().WizardForm) return FailedToRun(work, context);
  struct Call {
    ExportWork work;
    void* context;
    bool failed;
  } call{work, context, true};
  try {
    // One pointer: the function object needs no memory of its own.
    windows->Loop().RunOnLoopThread(
        [&call] { call.failed = FailedToRun(call.work, call.context); });
  } catch (...) {
    SetPendingError("Internal error.", nullptr);
    return true;
  }
  return call.failed;
}

bool FailedToRun(ExportWork work, void* context) noexcept {
  try {
    work(context);
    return false;
  } catch (const PluginError& error) {
    SetPendingError(error.message);
  } catch (const std::bad_alloc&) {
    SetPendingError("Out of memory.", nullptr);
  } catch (const std::exception& error) {
    SetPendingError("Internal error: ", error.what());
  } catch (...) {
    SetPendingError("Internal error.", nullptr);
  }
  return true;
}

void ReportPendingError() {
  if (SystemApi* api = CurrentPlatform().api) api->ReportError(PendingError());
}

const std::u16string& PendingErrorMessage() {
  return PendingError();
}

}  // namespace dw
