// A tree of items. Items are nested controls (an item's sub-items are its children); each
// item shows the parts of the item style once the style has been applied to it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Control.h"

namespace dw {

class TTreeViewItem;
class TCheckBox;
class TActiveStyleTextObject;

// Items are laid out by their tree view, row by row, without recursion: trees may be
// thousands of levels deep. Only the rows in view get their boxes (a row further down keeps
// its last one until it comes into view). The tree view also paints and hit-tests its rows
// itself, so nothing else walks down the items. There is no scrolling and no selection.
class TTreeView : public Control {
 public:
  explicit TTreeView(Component* owner);
  // The top-level items.
  int Count() const;
  TTreeViewItem* Items(int index) const;
  bool ShowCheckboxes = false;
  // Height of one row and the indent of each level, device-independent pixels.
  float ItemHeight = 24;
  float Indent = 20;

  void Realign() override;
  bool ShowsChild(const Control*) const override { return false; }
  void Paint(Canvas& canvas, const RectF& box) override;
  Control* HitTestAt(float x, float y) override;

 private:
  bool laying_out_ = false;
};

class TTreeViewItem : public Control {
 public:
  explicit TTreeViewItem(Component* owner);
  ~TTreeViewItem() override;

  const std::u16string& Text() const { return text_; }
  void SetText(const std::u16string& text);
  bool IsChecked() const { return checked_; }
  // Also sets the "check" part while the style is applied.
  void SetIsChecked(bool value);
  bool IsExpanded() const { return expanded_; }
  void SetIsExpanded(bool value);
  // The sub-items.
  int Count() const;
  TTreeViewItem* Items(int index) const;
  TTreeViewItem* ParentItem() const;
  TTreeView* TreeView() const;

  // Fires after each application of the style; Sender is the item.
  NotifyEvent OnApplyStyleLookup;
  // Creates the style's parts afresh ("check", "radiobutton", "text", ...), sets the "check"
  // part from IsChecked with the toolkit's own change handler on it, shows it only when the
  // tree view's ShowCheckboxes is on, then fires OnApplyStyleLookup.
  void ApplyStyleLookup();
  bool IsStyleApplied() const { return style_root_ != nullptr; }
  // Asks for the style to be applied when it is first needed instead of now: when the row
  // is laid out in view, when a part is looked up or when the item gets sub-items. A big
  // tree holds parts only for the items that have been needed. Meant for an item whose
  // style, applied at once, would change nothing but the item itself.
  void DeferStyleLookup();
  bool IsStylePending() const { return style_pending_; }
  // Applies a deferred style now; nothing when none is pending.
  void ApplyPendingStyle();
  // A part of the applied style by name (a deferred style is applied first); null before
  // the style is applied.
  Control* FindStyleResource(const std::string& name) const;
  // The outermost part of the applied style ("treeviewitemstyle"), null before.
  Control* StyleRoot() const { return style_root_; }

  // Asks the tree view to lay its rows out again when this item's row is on show.
  void Realign() override;

 private:
  void DetachStyle();
  // Lays the tree's rows out again if this item's row is on show (every item above it
  // expanded); walks up no further than the first collapsed item.
  void RelayoutIfRowShown() const;
  // TreeView() remembers its answer until the next change of any item's sub-items (which
  // Control::SetParent announces through Realign), so that styling a deep chain of new
  // items does not walk up the whole chain for each of them.
  mutable TTreeView* tree_cache_ = nullptr;
  mutable std::uint64_t tree_cache_epoch_ = 0;
  std::u16string text_;
  TCheckBox* check_part_ = nullptr;
  TActiveStyleTextObject* text_part_ = nullptr;
  bool checked_ = false;
  bool expanded_ = false;
  bool style_pending_ = false;
  Control* style_root_ = nullptr;  // owned by the item, not in its children
};

// The control as a tree item, or null; cheap for items themselves (no full dynamic_cast).
TTreeViewItem* AsTreeViewItem(Control* control);
const TTreeViewItem* AsTreeViewItem(const Control* control);

}  // namespace dw
