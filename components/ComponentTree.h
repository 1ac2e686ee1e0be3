// The component tree inside TreeView1: func09 adds, func10 asks, items cascade.
#pragma once

#include <cstdint>
#include <string>

#include "components/SelectionCascade.h"
#include "components/SiblingIndex.h"
#include "toolkit/Component.h"

namespace dw {

class TWizardForm;
class TTreeView;
class TTreeViewItem;
class Control;

class ComponentTree {
 public:
  explicit ComponentTree(TWizardForm& form);
  // func09.
  void Add(const std::u16string& path, std::int32_t itemValue, std::int32_t group, bool unlisted);
  // func10; throws PluginError for an entry number it cannot use.
  bool IsSelected(const std::u16string& pathOrIndex);
  void ItemUpdate(Component* sender);
  void ItemChange(Component* sender);

 private:
  TWizardForm& form_;
  TTreeView* tree_ = nullptr;
  SelectionCascade cascade_;
  SiblingIndex siblings_;
};

}  // namespace dw
