#include "components/ComponentTree.h"

#include "form/WizardForm.h"

namespace dw {

// The component tree is built by a later issue; until then it does nothing.
ComponentTree::ComponentTree(TWizardForm& form) : form_(form) {}
void ComponentTree::Add(const std::u16string&, std::int32_t, std::int32_t, bool) {}
bool ComponentTree::IsSelected(const std::u16string&) { return true; }
void ComponentTree::ItemUpdate(Component*) {}
void ComponentTree::ItemChange(Component*) {}

}  // namespace dw
