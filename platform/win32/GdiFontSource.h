// Font bytes by family name from the system's fonts, through GDI: the file behind the
// face that Windows picks for a family and weight (its own substitute when the family is
// missing).
#pragma once

#include <map>
#include <utility>

#include "platform/FontSource.h"

namespace dw {

class GdiFontSource : public FontSource {
 public:
  std::shared_ptr<const FontData> Load(const std::u16string& family, bool bold) override;

 private:
  std::map<std::pair<std::u16string, bool>, std::shared_ptr<const FontData>> cache_;
};

// The GDI weight for a family name: the light faces are separate families on Windows
// ("Segoe UI Light", "Segoe UI Semilight") with weights of their own.
int GdiWeightFor(const std::u16string& family, bool bold);

}  // namespace dw
