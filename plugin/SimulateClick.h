// One click on a host window as the host's buttons understand it: a left press and a left
// release, both with wParam 10 and lParam 10. Each SendMessageW returns only after the host
// has handled it, and the host's script may call our exports meanwhile.
#pragma once

#include "platform/SystemApi.h"

namespace dw {

void SimulateClick(WindowHandle window);

}  // namespace dw
