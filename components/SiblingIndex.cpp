#include "components/SiblingIndex.h"

#include "toolkit/TreeView.h"

namespace dw {

std::u16string FoldedSegment(std::u16string_view segment) {
  std::u16string folded(segment);
  for (char16_t& c : folded) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - (u'a' - u'A'));
  }
  return folded;
}

SiblingIndex::Node& SiblingIndex::CaughtUp(const Control& node) {
  Node& entry = nodes_[&node];
  const auto& children = node.Children();
  if (children.size() < entry.indexed) entry = Node{};  // children went away: start afresh
  for (; entry.indexed < children.size(); ++entry.indexed) {
    const TTreeViewItem* item = AsTreeViewItem(children[entry.indexed]);
    if (item == nullptr) continue;
    // The earlier sibling keeps the key.
    entry.first.emplace(FoldedSegment(item->Text()), const_cast<TTreeViewItem*>(item));
    if (item->Tag != 0) entry.tags.insert(item->Tag);
  }
  return entry;
}

TTreeViewItem* SiblingIndex::FirstMatch(const Control& node, std::u16string_view segment) {
  if (node.Children().empty()) return nullptr;
  Node& entry = CaughtUp(node);
  auto found = entry.first.find(FoldedSegment(segment));
  return found != entry.first.end() ? found->second : nullptr;
}

bool SiblingIndex::HasTag(const Control& node, std::int32_t tag) {
  if (node.Children().empty()) return false;
  return CaughtUp(node).tags.count(tag) != 0;
}

}  // namespace dw
