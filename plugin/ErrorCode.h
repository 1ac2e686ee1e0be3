// The exception code with which an error leaves the plug-in on Windows. Host authors see the
// same value as DUSKWIZARD_ERROR_CODE in include/duskwizard.h.
//
// ReportError raises it with RaiseException, arguments: [0] a pointer to the zero-terminated
// UTF-16 message, [1] its length in code units; the message is also written with
// OutputDebugStringW. The message handed to ReportError lives until the next error, so its
// c_str() can go into the exception as it is. The raise may unwind past the export without running
// C++ destructors, so the implementation must hold no object that needs one at that point (the
// export holds none: see plugin/ExportGuard.h).
#pragma once

#include <cstdint>

namespace dw {

constexpr std::uint32_t kErrorExceptionCode = 0xE0445700u;

}  // namespace dw
