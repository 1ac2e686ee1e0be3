// Components own other components (the owner destroys what it owns) and keep them in a
// component order. Controls add the visual tree on top (Control.h).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dw {

class TForm;
class Component;

using NotifyEvent = std::function<void(Component* sender)>;

class Component {
 public:
  // The new component is owned by owner (appended to its component order), or by nobody
  // when owner is null; nobody-owned components are the caller's to destroy.
  explicit Component(Component* owner);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  Component* Owner() const { return owner_; }
  // The form at the root of the ownership chain (null for components outside a form).
  TForm* Form() const { return form_; }

  int ComponentCount() const { return static_cast<int>(owned_.size()); }
  Component* ComponentAt(int index) const { return owned_[index].get(); }
  // Searches the components this one owns, however deeply, by name.
  Component* FindComponent(const std::string& name) const;
  template <class T>
  T* Find(const std::string& name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }

  // True while the component's form is being created from its layout: no change events.
  bool IsLoading() const;

  // Called on every component of a form once its layout has been loaded.
  virtual void Loaded() {}

 protected:
  // Destroys everything this component owns, without recursion (trees may be very deep).
  void DestroyOwned();

 private:
  std::string name_;
  Component* owner_ = nullptr;
  TForm* form_ = nullptr;
  std::vector<std::unique_ptr<Component>> owned_;
  friend class TForm;
};

}  // namespace dw
