#include "toolkit/Style.h"

#include "toolkit/Form.h"

namespace dw {

const Style& StyleOf(const Component* component) {
  static const Style defaults;
  TForm* form = component != nullptr ? component->Form() : nullptr;
  if (form != nullptr && form->StyleBook != nullptr) return form->StyleBook->style;
  return defaults;
}

}  // namespace dw
