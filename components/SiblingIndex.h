// Finds a node's first sub-item by segment without walking its siblings: a script may put
// a hundred thousand components under one parent. Items are only ever appended and keep
// their Text and Tag, so each node's index catches up with the children added since it
// was last asked, and a first match once found stays the first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace dw {

class Control;
class TTreeViewItem;

class SiblingIndex {
 public:
  // The first sub-item of node whose Text equals the segment (SegmentEquals), or null.
  TTreeViewItem* FirstMatch(const Control& node, std::u16string_view segment);
  // Whether a sub-item of node has exactly this Tag.
  bool HasTag(const Control& node, std::int32_t tag);
  // Forgets everything (the tree is gone).
  void Clear() { nodes_.clear(); }

 private:
  struct Node {
    std::size_t indexed = 0;                                   // children looked at so far
    std::unordered_map<std::u16string, TTreeViewItem*> first;  // by folded Text
    std::unordered_set<std::int32_t> tags;
  };
  Node& CaughtUp(const Control& node);

  std::unordered_map<const Control*, Node> nodes_;
};

// The segment with a-z mapped onto A-Z: equal keys are equal segments.
std::u16string FoldedSegment(std::u16string_view segment);

}  // namespace dw
