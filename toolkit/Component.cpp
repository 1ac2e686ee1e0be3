#include "toolkit/Component.h"

#include "toolkit/Form.h"

namespace dw {

Component::Component(Component* owner) : owner_(owner) {
  if (owner != nullptr) {
    form_ = owner->form_;
    owner->owned_.emplace_back(this);
  }
}

Component::~Component() {
  DestroyOwned();
}

void Component::DestroyOwned() {
  // Flatten the ownership tree onto a work list so that a tree thousands of levels deep
  // does not recurse once per level.
  std::vector<std::unique_ptr<Component>> pending = std::move(owned_);
  owned_.clear();
  while (!pending.empty()) {
    std::unique_ptr<Component> next = std::move(pending.back());
    pending.pop_back();
    for (auto& grandchild : next->owned_) pending.push_back(std::move(grandchild));
    next->owned_.clear();
    next.reset();
  }
}

Component* Component::FindComponent(const std::string& name) const {
  std::vector<const Component*> work{this};
  while (!work.empty()) {
    const Component* current = work.back();
    work.pop_back();
    for (const auto& child : current->owned_) {
      if (child->name_ == name) return child.get();
      work.push_back(child.get());
    }
  }
  return nullptr;
}

bool Component::IsLoading() const {
  return form_ != nullptr && form_->Loading();
}

}  // namespace dw
