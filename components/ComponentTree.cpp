#include "components/ComponentTree.h"

#include <vector>

#include "components/ComponentPath.h"
#include "components/ItemHelpers.h"
#include "form/WizardForm.h"
#include "plugin/PluginError.h"
#include "plugin/PluginState.h"
#include "toolkit/CheckBox.h"
#include "toolkit/TreeView.h"

namespace dw {

namespace {

// -group as a 32-bit integer would wrap: INT32_MIN stays itself.
std::int32_t Negated(std::int32_t value) {
  return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value));
}

}  // namespace

ComponentTree::ComponentTree(TWizardForm& form)
    : form_(form), tree_(form.Find<TTreeView>("TreeView1")) {}

void ComponentTree::Add(const std::u16string& path, std::int32_t itemValue, std::int32_t group,
                        bool unlisted) {
  if (!unlisted && State().ComponentPaths != nullptr) State().ComponentPaths->push_back(path);
  if (tree_ == nullptr) return;

  const std::vector<std::u16string_view> segments = SplitComponentPath(path);
  std::vector<TTreeViewItem*> created;
  Control* existing = tree_;  // the deepest node that was there before this call
  Control* node = tree_;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    if (created.empty()) {
      if (TTreeViewItem* match = siblings_.FirstMatch(*node, segments[i])) {
        node = match;
        existing = match;
        continue;
      }
    }
    // Below a new item nothing can match: every further segment is a new item too.
    auto* item = new TTreeViewItem(node);
    item->OnApplyStyleLookup = [form = &form_](Component* sender) { form->ItemUpdate(sender); };
    if (i + 1 == segments.size()) {
      // The first item of a group under one parent gets +group, later ones -group.
      // The new item is not one of node's children yet.
      bool groupTaken = group != 0 && siblings_.HasTag(*node, group);
      item->Tag = groupTaken ? Negated(group) : group;
      item->TagString = path;
    }
    SetItemChecked(*item, true);
    item->SetText(std::u16string(segments[i]));
    item->TagFloat = static_cast<float>(itemValue);
    created.push_back(item);
    node = item;
  }
  if (created.empty()) return;

  // Each new item becomes the last child of its owner. The chain of new items is joined from
  // its far end, and to the existing tree last, so that joining a long path costs no walk up
  // through the chain per item.
  for (std::size_t i = created.size(); i-- > 1;) created[i]->SetParent(created[i - 1]);
  // An existing item that has waited for its style takes it before it gets sub-items, as
  // it would have had it since it was made.
  if (TTreeViewItem* parent = AsTreeViewItem(existing)) parent->ApplyPendingStyle();
  created.front()->SetParent(existing);

  // The style of a new item is applied once the item is fully set up, because ItemUpdate
  // reads its Tag and TagString; in creation order, parents before their sub-items.
  // The last item has no sub-items; with Tag 0 its ItemUpdate touches nothing but the item
  // (no radio button becomes checked), so its style can wait until the item is needed:
  // until then it answers from its own flag, which holds the same default.
  for (TTreeViewItem* item : created) {
    if (item == created.back() && item->Tag == 0) {
      item->DeferStyleLookup();
    } else {
      item->ApplyStyleLookup();
    }
  }
}

bool ComponentTree::IsSelected(const std::u16string& pathOrIndex) {
  if (pathOrIndex.empty()) return true;
  std::u16string path = pathOrIndex;
  // A whole number (decimal, or 0x and hexadecimal digits) names an entry of ComponentPaths,
  // counted from 1. Any other text is a path, also when it begins with a number character
  // ("3D tools>Viewer", "1x"); no whole number begins with a number character beyond ASCII,
  // so those need no test of their own.
  std::int32_t number = 0;
  if (ReadEntryNumber(pathOrIndex, number)) {
    const auto* paths = State().ComponentPaths.get();
    const std::int64_t count = paths != nullptr ? static_cast<std::int64_t>(paths->size()) : 0;
    if (number < 1 || number > count) {
      // The list's index is a 32-bit integer too: entry 0x80000000 is index 2147483647.
      const auto index = static_cast<std::int32_t>(static_cast<std::uint32_t>(number) - 1u);
      throw PluginError{u"List index out of bounds (" + DecimalText(index) + u")"};
    }
    path = (*paths)[static_cast<std::size_t>(number - 1)];
  }
  if (tree_ == nullptr) return false;

  // A segment that matches nothing is skipped; the walk goes on among the same children.
  const std::vector<std::u16string_view> segments = SplitComponentPath(path);
  bool result = false;
  const Control* node = tree_;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    TTreeViewItem* match = siblings_.FirstMatch(*node, segments[i]);
    if (match == nullptr) continue;
    node = match;
    const bool checked = IsItemChecked(*match);
    if (i + 1 == segments.size()) result = checked;
    if (!checked) break;
  }
  return result;
}

void ComponentTree::ItemUpdate(Component* sender) {
  auto* item = dynamic_cast<TTreeViewItem*>(sender);
  if (item == nullptr) return;
  SetItemRadioGroup(*item, RadioGroupName(item->Tag));
  // Each application of the style returns the item to the default of its Tag.
  SetItemChecked(*item, item->Tag >= 0);
  if (item->TagString.empty()) return;  // a plain heading shows no selector

  Control* part = nullptr;
  if (item->Tag == 0) {
    TCheckBox* check = nullptr;
    if (FindCheckPart(*item, "check", check)) part = check;
  } else {
    TRadioButton* radio = nullptr;
    if (FindRadioPart(*item, "radiobutton", radio)) part = radio;
  }
  if (part == nullptr) return;
  part->SetVisible(true);
  part->TagObject = item;
  NotifyEvent change = [form = &form_](Component* s) { form->ItemChange(s); };
  if (auto* check = dynamic_cast<TCheckBox*>(part)) {
    check->OnChange = change;
  } else {
    static_cast<TRadioButton*>(part)->OnChange = change;
  }
  // The items below take this item's state straight away.
  ItemChange(part);
}

void ComponentTree::ItemChange(Component* sender) {
  auto* part = dynamic_cast<Control*>(sender);
  if (part == nullptr) return;
  bool value = false;
  if (auto* check = dynamic_cast<TCheckBox*>(part)) {
    value = check->IsChecked();
  } else if (auto* radio = dynamic_cast<TRadioButton*>(part)) {
    value = radio->IsChecked();
  } else {
    return;
  }
  auto* owner = dynamic_cast<TTreeViewItem*>(part->TagObject);
  if (owner == nullptr) return;
  cascade_.Change(*owner, value);
}

}  // namespace dw
