#include "toolkit/TreeView.h"

#include <algorithm>
#include <typeinfo>
#include <vector>

#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/Shapes.h"
#include "toolkit/Style.h"
#include "toolkit/StyleObjects.h"
#include "toolkit/render/Canvas.h"
#include "toolkit/render/Font.h"

namespace dw {

namespace {

// The tree's ground has a 2 px border; rows start inside it.
constexpr float kInset = 2;

// Moves on whenever the sub-items of an item or of a tree view change (see TreeView()).
std::uint64_t structure_epoch = 1;

// While a tree view places its rows, the items it moves need not ask for another layout.
int layouts_running = 0;

TTreeViewItem* AsItem(Control* control) {
  return AsTreeViewItem(control);
}
const TTreeViewItem* AsItem(const Control* control) {
  return AsTreeViewItem(control);
}

int CountItems(const Control& node) {
  int count = 0;
  for (Control* child : node.Children()) {
    if (AsItem(child) != nullptr) ++count;
  }
  return count;
}

TTreeViewItem* ItemAt(const Control& node, int index) {
  if (index < 0) return nullptr;
  for (Control* child : node.Children()) {
    TTreeViewItem* item = AsItem(child);
    if (item != nullptr && index-- == 0) return item;
  }
  return nullptr;
}

bool HasSubItems(const Control& node) {
  return std::any_of(node.Children().begin(), node.Children().end(),
                     [](Control* child) { return AsItem(child) != nullptr; });
}

// One row on show: an item whose ancestors are all expanded.
struct Row {
  TTreeViewItem* item = nullptr;
  int depth = 0;
  float top = 0;        // from the first row's top
  float parentTop = 0;  // the parent item's row top (0 for top-level rows)
  bool enabled = true;  // the item and every item above it enabled
};

// Visits the rows on show top to bottom with an explicit work list (no recursion, however
// deep the tree). visit returns false to stop. Each level is walked by index as it goes, so
// stopping after the rows in view costs nothing for the rows below them, however many.
template <class Visit>
void ForEachRow(const TTreeView& tree, Visit visit) {
  struct Level {
    const Control* node;
    std::size_t next;  // the child looked at next; children are read again at every step
    int depth;
    float parentTop;
    bool parentEnabled;
  };
  std::vector<Level> work{{&tree, 0, 0, 0, true}};
  float top = 0;
  while (!work.empty()) {
    Level& level = work.back();
    const auto& children = level.node->Children();
    if (level.next >= children.size()) {
      work.pop_back();
      continue;
    }
    TTreeViewItem* item = AsItem(children[level.next++]);
    if (item == nullptr || !item->Visible()) continue;
    Row row{item, level.depth, top, level.parentTop, level.parentEnabled && item->Enabled()};
    if (!visit(row)) return;
    top += tree.ItemHeight;
    // Read the item again: the visit may have run code that changed it.
    if (item->IsExpanded()) work.push_back({item, 0, row.depth + 1, row.top, row.enabled});
  }
}

// Visits the visible parts of a style tree with their boxes (origin is where the style
// root's parent content starts). visit returns false to stop.
template <class Visit>
void ForEachPart(Control& root, PointF origin, Visit visit) {
  struct Entry {
    Control* part;
    PointF origin;
  };
  std::vector<Entry> work{{&root, origin}};
  while (!work.empty()) {
    Entry entry = work.back();
    work.pop_back();
    Control* part = entry.part;
    if (!part->Visible()) continue;
    RectF box = part->BoundsRect().Offset(entry.origin.X, entry.origin.Y);
    if (!visit(*part, box)) return;
    const auto& children = part->Children();
    for (std::size_t i = children.size(); i-- > 0;) {
      work.push_back({children[i], {box.Left, box.Top}});
    }
  }
}

void PaintExpander(Canvas& canvas, const RectF& box, bool expanded, std::uint32_t color) {
  float cx = (box.Left + box.Right) / 2;
  float cy = (box.Top + box.Bottom) / 2;
  constexpr float kHalf = 4;
  if (expanded) {
    canvas.FillPolygon(
        {{cx - kHalf, cy - kHalf / 2}, {cx + kHalf, cy - kHalf / 2}, {cx, cy + kHalf / 2 + 1}},
        color);
  } else {
    canvas.FillPolygon(
        {{cx - kHalf / 2, cy - kHalf}, {cx + kHalf / 2 + 1, cy}, {cx - kHalf / 2, cy + kHalf}},
        color);
  }
}

}  // namespace

TTreeViewItem* AsTreeViewItem(Control* control) {
  if (control == nullptr) return nullptr;
  if (typeid(*control) == typeid(TTreeViewItem)) return static_cast<TTreeViewItem*>(control);
  return dynamic_cast<TTreeViewItem*>(control);
}

const TTreeViewItem* AsTreeViewItem(const Control* control) {
  return AsTreeViewItem(const_cast<Control*>(control));
}

// ---------------------------------------------------------------------------------------
// TTreeView

TTreeView::TTreeView(Component* owner) : Control(owner) {}

int TTreeView::Count() const {
  return CountItems(*this);
}
TTreeViewItem* TTreeView::Items(int index) const {
  return ItemAt(*this, index);
}

void TTreeView::Realign() {
  ++structure_epoch;
  if (laying_out_ || LayoutSuspended(this)) return;
  laying_out_ = true;
  ++layouts_running;
  const float rowWidth = std::max(0.0f, Width() - 2 * kInset);
  const float rowsHeight = Height() - 2 * kInset;
  // A top-level row is placed in the tree's coordinates, a sub-item relative to the row of
  // the item above it (its parent). Only the rows in view are placed: painting and hit
  // testing find rows by walking the tree, and a row further down keeps its last box until
  // it comes into view (placing it would cost a walk up its whole chain of parents).
  ForEachRow(*this, [&](const Row& row) {
    if (row.top >= rowsHeight) return false;
    const bool topLevel = row.depth == 0;
    PointF position =
        topLevel ? PointF{kInset, kInset + row.top} : PointF{Indent, row.top - row.parentTop};
    float width = std::max(0.0f, rowWidth - row.depth * Indent);
    row.item->SetPosition(position);
    row.item->SetSize(width, ItemHeight);
    // A row in view shows its parts.
    row.item->ApplyPendingStyle();
    if (Control* root = row.item->StyleRoot()) root->SetSize(width, ItemHeight);
    return true;
  });
  --layouts_running;
  laying_out_ = false;
  Repaint();
}

void TTreeView::Paint(Canvas& canvas, const RectF& box) {
  const Style& style = StyleOf(this);
  canvas.FillRect(box, style.treeFill);
  canvas.StrokeRect(box, kInset, style.treeBorder);
  RectF inner{box.Left + kInset, box.Top + kInset, box.Right - kInset, box.Bottom - kInset};
  if (inner.IsEmpty()) return;
  canvas.PushClip(inner);
  ForEachRow(*this, [&](const Row& row) {
    float top = inner.Top + row.top;
    if (top >= inner.Bottom) return false;
    RectF rowBox{inner.Left + row.depth * Indent, top, inner.Right, top + ItemHeight};
    if (!row.enabled) canvas.PushOpacity(style.disabledOpacity);
    TTreeViewItem& item = *row.item;
    if (Control* root = item.StyleRoot()) {
      ForEachPart(*root, {rowBox.Left, rowBox.Top}, [&](Control& part, const RectF& partBox) {
        part.Paint(canvas, partBox);
        if (part.Name() == "button" && HasSubItems(item)) {
          PaintExpander(canvas, partBox, item.IsExpanded(), style.textColor);
        }
        return true;
      });
    } else {
      // Not styled yet: the text alone, where the style would put it.
      Font font = Fonts().Get(style.textFont);
      if (font.IsValid()) {
        RectF textBox{rowBox.Left + 20, rowBox.Top, rowBox.Right, rowBox.Bottom};
        canvas.DrawText(textBox, item.Text(), font, style.textColor, TextAlign::Leading, false);
      }
    }
    if (!row.enabled) canvas.PopOpacity();
    return true;
  });
  canvas.PopClip();
}

Control* TTreeView::HitTestAt(float x, float y) {
  if (!Visible() || !Enabled()) return nullptr;
  if (!(Width() > 0 && Height() > 0)) return nullptr;
  if (!(x >= 0 && y >= 0 && x < Width() && y < Height())) return nullptr;
  Control* hit = nullptr;
  ForEachRow(*this, [&](const Row& row) {
    float top = kInset + row.top;
    if (y < top) return false;
    if (y >= top + ItemHeight) return true;
    // A disabled row takes no clicks; the press falls to the tree view.
    if (!row.enabled) return false;
    hit = row.item;
    if (Control* root = row.item->StyleRoot()) {
      PointF origin{kInset + row.depth * Indent, top};
      ForEachPart(*root, origin, [&](Control& part, const RectF& partBox) {
        // Later parts lie above earlier ones, so the last one containing the point wins.
        if (part.HitTest() && partBox.Contains(x, y)) hit = &part;
        return true;
      });
    }
    return false;
  });
  if (hit != nullptr) return hit;
  return HitTest() ? this : nullptr;
}

// ---------------------------------------------------------------------------------------
// TTreeViewItem

TTreeViewItem::TTreeViewItem(Component* owner) : Control(owner) {}

// The style parts are owned by the item and go with it.
TTreeViewItem::~TTreeViewItem() = default;

void TTreeViewItem::SetText(const std::u16string& text) {
  text_ = text;
  if (text_part_ != nullptr) text_part_->SetText(text);
}

void TTreeViewItem::SetIsChecked(bool value) {
  checked_ = value;
  // The part fires its OnChange only when its value really changes.
  if (check_part_ != nullptr) check_part_->SetIsChecked(value);
}

void TTreeViewItem::SetIsExpanded(bool value) {
  if (value == expanded_) return;
  expanded_ = value;
  RelayoutIfRowShown();
}

int TTreeViewItem::Count() const {
  return CountItems(*this);
}
TTreeViewItem* TTreeViewItem::Items(int index) const {
  return ItemAt(*this, index);
}

TTreeViewItem* TTreeViewItem::ParentItem() const {
  return dynamic_cast<TTreeViewItem*>(Parent());
}

TTreeView* TTreeViewItem::TreeView() const {
  // Up through the items to the tree view, or to an item that still knows the answer.
  TTreeView* tree = nullptr;
  const TTreeViewItem* known = nullptr;
  for (const Control* node = Parent(); node != nullptr; node = node->Parent()) {
    if (const TTreeViewItem* item = AsItem(node)) {
      if (item->tree_cache_epoch_ == structure_epoch) {
        known = item;
        tree = item->tree_cache_;
        break;
      }
      continue;
    }
    tree = dynamic_cast<TTreeView*>(const_cast<Control*>(node));
    break;
  }
  // Every item on the way learns the answer.
  for (const TTreeViewItem* item = this; item != nullptr && item != known;
       item = AsItem(item->Parent())) {
    item->tree_cache_ = tree;
    item->tree_cache_epoch_ = structure_epoch;
  }
  return tree;
}

void TTreeViewItem::Realign() {
  ++structure_epoch;
  // An item with sub-items needs its parts: its selector carries its state down to them.
  if (style_pending_ && HasSubItems(*this)) ApplyPendingStyle();
  // Sub-items are placed by the tree view; it only needs to hear of changes to rows on show.
  if (expanded_ && layouts_running == 0) RelayoutIfRowShown();
}

void TTreeViewItem::RelayoutIfRowShown() const {
  for (const Control* node = Parent(); node != nullptr; node = node->Parent()) {
    if (const TTreeViewItem* item = AsItem(node)) {
      if (!item->expanded_) return;
      continue;
    }
    if (auto* tree = dynamic_cast<TTreeView*>(const_cast<Control*>(node))) tree->Realign();
    return;
  }
}

void TTreeViewItem::DetachStyle() {
  if (style_root_ == nullptr) return;
  // The old parts stay alive, owned by the item, because a change handler may be running on
  // one of them right now (a style reapplied from inside a cascade). They only lose their
  // events and their place in the form's radio groups.
  for (int i = 0; i < style_root_->ComponentCount(); ++i) {
    auto* part = dynamic_cast<Control*>(style_root_->ComponentAt(i));
    if (part == nullptr) continue;
    part->TagObject = nullptr;
    part->OnClick = nullptr;
    if (auto* check = dynamic_cast<TCheckBox*>(part)) check->OnChange = nullptr;
    if (auto* radio = dynamic_cast<TRadioButton*>(part)) {
      radio->OnChange = nullptr;
      if (Form() != nullptr) Form()->UnregisterRadio(radio);
    }
  }
  style_root_ = nullptr;
  check_part_ = nullptr;
  text_part_ = nullptr;
}

void TTreeViewItem::DeferStyleLookup() {
  if (style_root_ == nullptr) style_pending_ = true;
}

void TTreeViewItem::ApplyPendingStyle() {
  if (style_pending_) ApplyStyleLookup();
}

void TTreeViewItem::ApplyStyleLookup() {
  style_pending_ = false;
  DetachStyle();
  TTreeView* tree = TreeView();

  // "treeviewitemstyle": the expander, then the selectors, glyph and text inset by 20 px.
  // Every part is set up before it joins its parent, and the parts join from the inside
  // out, so that each join lays out as little as possible.
  auto* root = new TLayout(this);
  root->SetName("treeviewitemstyle");
  root->SetAlign(Align::Center);

  auto* button = new TSpeedButton(root);
  button->SetName("button");
  button->StyleLookup = "treeviewexpanderbuttonstyle";
  button->SetAlign(Align::Left);
  button->SetMargins({3, 3, 3, 3});
  button->SetSize(15, 44);
  button->OnClick = [this](Component*) { SetIsExpanded(!expanded_); };

  auto* content = new TLayout(root);
  content->SetAlign(Align::Contents);
  content->SetMargins({20, 0, 0, 0});
  content->SetSize(30, 50);

  // The toolkit's own binding: the part shows IsChecked and a change of the part (by the
  // user) becomes the item's IsChecked. OnChange is hooked after the first value is set.
  auto* check = new TCheckBox(root);
  check->SetName("check");
  check->SetAlign(Align::Left);
  check->SetSize(25, 50);
  check->SetIsChecked(checked_);
  check->OnChange = [this, check](Component*) { checked_ = check->IsChecked(); };
  check->SetVisible(tree != nullptr && tree->ShowCheckboxes);

  auto* glyph = new TGlyph(root);
  glyph->SetName("glyphstyle");
  glyph->SetAlign(Align::Left);
  glyph->SetMargins({2, 1, 2, 1});
  glyph->SetSize(16, 16);

  auto* text = new TActiveStyleTextObject(root);
  text->SetName("text");
  text->SetAlign(Align::Client);
  text->FontSize = 16;
  text->Color = 0xFFFFFFFF;
  text->ActiveColor = 0xFFFFFFFF;
  text->WordWrap = false;
  text->HorzAlign = TextAlign::Leading;
  text->SetText(text_);

  auto* radio = new TRadioButton(root);
  radio->SetName("radiobutton");
  radio->SetAlign(Align::Left);
  radio->SetPosition({25, 0});
  radio->SetSize(25, 50);
  radio->SetVisible(false);

  check->SetParent(content);
  glyph->SetParent(content);
  text->SetParent(content);
  radio->SetParent(content);
  button->SetParent(root);
  content->SetParent(root);

  style_root_ = root;
  check_part_ = check;
  text_part_ = text;

  // The parts take their places in the row once the row has a width: rows out of view get
  // theirs when the tree view lays them out.
  if (Width() > 0) {
    const float rowHeight = tree != nullptr ? tree->ItemHeight : Height();
    root->SetSize(Width(), rowHeight);
  }

  if (OnApplyStyleLookup) OnApplyStyleLookup(this);
}

Control* TTreeViewItem::FindStyleResource(const std::string& name) const {
  // Looking a part up is a need for it; applying the style is not a change of the item.
  if (style_pending_) const_cast<TTreeViewItem*>(this)->ApplyStyleLookup();
  if (style_root_ == nullptr) return nullptr;
  if (style_root_->Name() == name) return style_root_;
  return dynamic_cast<Control*>(style_root_->FindComponent(name));
}

}  // namespace dw
