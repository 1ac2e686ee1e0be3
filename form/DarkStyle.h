// The wizard's dark, flat style: what every control kind of the form looks like.
#pragma once

#include "toolkit/Style.h"

namespace dw {

Style MakeDarkStyle();

}  // namespace dw
