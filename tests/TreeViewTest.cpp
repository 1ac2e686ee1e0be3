// The toolkit's tree view: items as nested controls, the item style's parts kept apart from
// the sub-items, the toolkit's own check-box binding, rows laid out, drawn and hit without
// recursion, and a tree 10,000 levels deep on a 1 MB stack.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimulatedPlatform.h"
#include "tests/StackRunner.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/Shapes.h"
#include "toolkit/StyleObjects.h"
#include "toolkit/TreeView.h"
#include "toolkit/render/Canvas.h"

namespace dw {
namespace {

class TreeViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<TForm>();
    form_->SetClientSize(400, 300);
    tree_ = new TTreeView(form_.get());
    tree_->SetParent(form_.get());
    tree_->SetPosition({10, 20});
    tree_->SetSize(300, 200);
  }
  // A new item appended under parent (an item or the tree view), owned by it.
  TTreeViewItem* AddItem(Control* parent, const std::u16string& text, bool styled = true) {
    auto* item = new TTreeViewItem(parent);
    item->SetParent(parent);
    item->SetText(text);
    if (styled) item->ApplyStyleLookup();
    return item;
  }

  sim::SimulatedPlatform platform_;
  std::unique_ptr<TForm> form_;
  TTreeView* tree_ = nullptr;
};

TEST_F(TreeViewTest, ADeferredStyleIsAppliedWhenTheRowComesIntoView) {
  std::vector<TTreeViewItem*> items;
  for (int i = 0; i < 100; ++i) {
    auto* item = new TTreeViewItem(tree_);
    item->SetText(u"Item");
    item->DeferStyleLookup();
    item->SetParent(tree_);
    items.push_back(item);
  }
  // Rows of 24 px inside the 2 px border of a 200 px tree: the first nine are in view.
  for (int i = 0; i < 9; ++i) EXPECT_TRUE(items[i]->IsStyleApplied()) << i;
  EXPECT_TRUE(items[9]->IsStylePending());
  EXPECT_FALSE(items[99]->IsStyleApplied());
  tree_->SetSize(300, 400);
  EXPECT_TRUE(items[15]->IsStyleApplied());
  EXPECT_TRUE(items[17]->IsStylePending());
  // A part looked up, or a sub-item, is a need too.
  EXPECT_NE(items[40]->FindStyleResource("text"), nullptr);
  AddItem(items[60], u"Sub", false);
  EXPECT_TRUE(items[60]->IsStyleApplied());
  EXPECT_TRUE(items[61]->IsStylePending());
}

TEST_F(TreeViewTest, CountAndItemsSeeOnlySubItemsNotStyleParts) {
  TTreeViewItem* a = AddItem(tree_, u"A");
  TTreeViewItem* b = AddItem(tree_, u"B");
  TTreeViewItem* a1 = AddItem(a, u"A1");
  EXPECT_EQ(tree_->Count(), 2);
  EXPECT_EQ(tree_->Items(0), a);
  EXPECT_EQ(tree_->Items(1), b);
  EXPECT_EQ(tree_->Items(2), nullptr);
  EXPECT_EQ(a->Count(), 1);
  EXPECT_EQ(a->ChildCount(), 1);  // the style's parts are not children
  EXPECT_EQ(a->Items(0), a1);
  EXPECT_EQ(a1->ParentItem(), a);
  EXPECT_EQ(a->ParentItem(), nullptr);
  EXPECT_EQ(a1->TreeView(), tree_);
  EXPECT_EQ(a1->Owner(), a);
  // The parts belong to the item all the same.
  EXPECT_EQ(a->FindStyleResource("check")->Owner()->Owner(), a);
}

TEST_F(TreeViewTest, StyleHasItsPartsOnlyOnceApplied) {
  TTreeViewItem* item = AddItem(tree_, u"Item", false);
  EXPECT_FALSE(item->IsStyleApplied());
  EXPECT_EQ(item->FindStyleResource("check"), nullptr);
  item->ApplyStyleLookup();
  ASSERT_TRUE(item->IsStyleApplied());
  EXPECT_NE(dynamic_cast<TLayout*>(item->FindStyleResource("treeviewitemstyle")), nullptr);
  auto* button = dynamic_cast<TSpeedButton*>(item->FindStyleResource("button"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->StyleLookup, "treeviewexpanderbuttonstyle");
  EXPECT_NE(dynamic_cast<TCheckBox*>(item->FindStyleResource("check")), nullptr);
  EXPECT_NE(dynamic_cast<TGlyph*>(item->FindStyleResource("glyphstyle")), nullptr);
  auto* text = dynamic_cast<TActiveStyleTextObject*>(item->FindStyleResource("text"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Text(), u"Item");
  item->SetText(u"Renamed");
  EXPECT_EQ(text->Text(), u"Renamed");
  auto* radio = dynamic_cast<TRadioButton*>(item->FindStyleResource("radiobutton"));
  ASSERT_NE(radio, nullptr);
  EXPECT_FALSE(radio->Visible());
  EXPECT_EQ(item->FindStyleResource("nothing"), nullptr);
}

TEST_F(TreeViewTest, CheckPartFollowsTheItemAndTheItemFollowsThePart) {
  TTreeViewItem* item = AddItem(tree_, u"Item", false);
  item->SetIsChecked(true);
  std::vector<bool> seenInHandler;
  item->OnApplyStyleLookup = [&](Component* sender) {
    auto* styled = static_cast<TTreeViewItem*>(sender);
    auto* check = dynamic_cast<TCheckBox*>(styled->FindStyleResource("check"));
    seenInHandler.push_back(check != nullptr && check->IsChecked());
  };
  item->ApplyStyleLookup();
  ASSERT_EQ(seenInHandler, std::vector<bool>{true});
  auto* check = dynamic_cast<TCheckBox*>(item->FindStyleResource("check"));
  // Hidden: the tree view's ShowCheckboxes is off.
  EXPECT_FALSE(check->Visible());
  check->SetIsChecked(false);
  EXPECT_FALSE(item->IsChecked());
  int changes = 0;
  NotifyEvent binding = check->OnChange;
  check->OnChange = [&](Component* sender) {
    ++changes;
    binding(sender);
  };
  item->SetIsChecked(true);
  item->SetIsChecked(true);
  EXPECT_TRUE(check->IsChecked());
  EXPECT_EQ(changes, 1);

  tree_->ShowCheckboxes = true;
  item->ApplyStyleLookup();
  EXPECT_TRUE(dynamic_cast<TCheckBox*>(item->FindStyleResource("check"))->Visible());
}

TEST_F(TreeViewTest, ReappliedStyleParksTheOldPartsDetached) {
  TTreeViewItem* item = AddItem(tree_, u"Item");
  auto* oldCheck = dynamic_cast<TCheckBox*>(item->FindStyleResource("check"));
  auto* oldRadio = dynamic_cast<TRadioButton*>(item->FindStyleResource("radiobutton"));
  oldRadio->SetGroupName(u"G");
  oldRadio->OnChange = [](Component*) { FAIL() << "a parked part must not fire"; };
  item->ApplyStyleLookup();
  auto* newCheck = dynamic_cast<TCheckBox*>(item->FindStyleResource("check"));
  ASSERT_NE(newCheck, oldCheck);
  // The old parts live on, without handlers and outside the form's radio groups.
  EXPECT_FALSE(static_cast<bool>(oldCheck->OnChange));
  oldCheck->SetIsChecked(!oldCheck->IsChecked());
  EXPECT_NE(item->IsChecked(), oldCheck->IsChecked());
  oldRadio->SetIsChecked(true);
  auto radios = form_->Radios();
  EXPECT_EQ(std::find(radios.begin(), radios.end(), oldRadio), radios.end());
  // A parked radio button is not unchecked by its old group either.
  auto* other = dynamic_cast<TRadioButton*>(item->FindStyleResource("radiobutton"));
  other->SetGroupName(u"G");
  other->SetIsChecked(true);
  EXPECT_TRUE(oldRadio->IsChecked());
  EXPECT_EQ(item->Count(), 0);
}

TEST_F(TreeViewTest, StyleReappliedFromInsideAPartsOwnHandler) {
  TTreeViewItem* item = AddItem(tree_, u"Item");
  auto* check = dynamic_cast<TCheckBox*>(item->FindStyleResource("check"));
  ASSERT_NE(check, nullptr);
  // The handler reads its own capture after the reapplication has detached it.
  const std::string capture = "still here after the style went";
  std::size_t seen = 0;
  check->OnChange = [item, capture, &seen](Component*) {
    item->ApplyStyleLookup();
    seen = capture.size();
  };
  check->SetIsChecked(true);
  EXPECT_EQ(seen, capture.size());
  EXPECT_FALSE(static_cast<bool>(check->OnChange));
  EXPECT_NE(item->FindStyleResource("check"), check);
}

TEST_F(TreeViewTest, RowsAreLaidOutByExpansion) {
  TTreeViewItem* a = AddItem(tree_, u"A");
  TTreeViewItem* a1 = AddItem(a, u"A1");
  TTreeViewItem* a2 = AddItem(a, u"A2");
  TTreeViewItem* b = AddItem(tree_, u"B");
  const float h = tree_->ItemHeight;
  EXPECT_FLOAT_EQ(b->AbsoluteRect().Top, 20 + 2 + h);
  a->SetIsExpanded(true);
  EXPECT_FLOAT_EQ(a->AbsoluteRect().Top, 22);
  EXPECT_FLOAT_EQ(a1->AbsoluteRect().Top, 22 + h);
  EXPECT_FLOAT_EQ(a2->AbsoluteRect().Top, 22 + 2 * h);
  EXPECT_FLOAT_EQ(a2->AbsoluteRect().Left, 10 + 2 + tree_->Indent);
  EXPECT_FLOAT_EQ(a2->Width(), 300 - 4 - tree_->Indent);
  EXPECT_FLOAT_EQ(b->AbsoluteRect().Top, 22 + 3 * h);
  // A sub-item added under an expanded item moves the rows below it.
  AddItem(a, u"A3");
  EXPECT_FLOAT_EQ(b->AbsoluteRect().Top, 22 + 4 * h);
  a->SetIsExpanded(false);
  EXPECT_FLOAT_EQ(b->AbsoluteRect().Top, 22 + h);
}

TEST_F(TreeViewTest, ClickOnARowsCheckBoxTogglesTheItem) {
  tree_->ShowCheckboxes = true;
  TTreeViewItem* a = AddItem(tree_, u"A");
  TTreeViewItem* b = AddItem(tree_, u"B");
  ASSERT_FALSE(b->IsChecked());
  // The check box sits 20 px into the row, after the expander.
  const float x = 10 + 2 + 20 + 8;
  const float y = 22 + tree_->ItemHeight * 1.5f;
  auto* check = dynamic_cast<TCheckBox*>(b->FindStyleResource("check"));
  EXPECT_EQ(form_->ControlAt(x, y), check);
  form_->MouseMove(x, y);
  form_->MouseDown(MouseButton::Left, x, y);
  form_->MouseUp(MouseButton::Left, x, y);
  EXPECT_TRUE(b->IsChecked());
  EXPECT_FALSE(a->IsChecked());
  // Beside the selector the press reaches the item; a disabled row takes none.
  EXPECT_EQ(form_->ControlAt(200, y), b);
  b->SetEnabled(false);
  EXPECT_EQ(form_->ControlAt(x, y), tree_);
}

TEST_F(TreeViewTest, ExpanderButtonOpensTheItem) {
  TTreeViewItem* a = AddItem(tree_, u"A");
  AddItem(a, u"A1");
  const float x = 10 + 2 + 3 + 7;
  const float y = 22 + tree_->ItemHeight / 2;
  ASSERT_EQ(form_->ControlAt(x, y), a->FindStyleResource("button"));
  form_->MouseMove(x, y);
  form_->MouseDown(MouseButton::Left, x, y);
  form_->MouseUp(MouseButton::Left, x, y);
  EXPECT_TRUE(a->IsExpanded());
}

TEST_F(TreeViewTest, PaintsGroundAndCheckedBoxes) {
  tree_->ShowCheckboxes = true;
  TTreeViewItem* a = AddItem(tree_, u"A");
  a->SetIsChecked(true);
  Canvas canvas(400, 300, 1.0f);
  form_->RenderTo(canvas);
  const Style& style = StyleOf(tree_);
  // Border at the tree's edge, the checked box's fill inside the first row's check box.
  EXPECT_EQ(canvas.PixelAt(11, 100), style.treeBorder);
  // Inside the 20 x 20 box, clear of its outline and of the tick.
  const int boxX = 10 + 2 + 20 + 3;
  const int boxY = static_cast<int>(22 + (tree_->ItemHeight - 20) / 2 + 3);
  EXPECT_EQ(canvas.PixelAt(boxX, boxY) | 0xFF000000u, style.checkedFill | 0xFF000000u);
  a->SetIsChecked(false);
  Canvas after(400, 300, 1.0f);
  form_->RenderTo(after);
  EXPECT_NE(after.PixelAt(boxX, boxY), canvas.PixelAt(boxX, boxY));
}

TEST_F(TreeViewTest, RowsBelowTheViewKeepTheirBoxUntilInView) {
  std::vector<TTreeViewItem*> rows;
  for (int i = 0; i < 12; ++i) rows.push_back(AddItem(tree_, u"Row"));
  const float h = tree_->ItemHeight;
  // 196 px of rows: the ninth row (top 192) is the last one in view.
  EXPECT_FLOAT_EQ(rows[8]->Position().Y, 2 + 8 * h);
  EXPECT_FLOAT_EQ(rows[9]->Position().Y, 0);
  tree_->SetHeight(400);
  EXPECT_FLOAT_EQ(rows[9]->Position().Y, 2 + 9 * h);
  EXPECT_FLOAT_EQ(rows[11]->Position().Y, 2 + 11 * h);
}

TEST_F(TreeViewTest, TenThousandLevelsOnAOneMegabyteStack) {
  constexpr int kDepth = 10'000;
  std::vector<TTreeViewItem*> chain;
  Control* hit = nullptr;
  float lastRowInViewTop = 0;
  bool painted = false;
  const float rowHeight = tree_->ItemHeight;
  std::string error = testing::RunWithStack(std::size_t{1} << 20, [&] {
    // The chain is joined from its far end, then styled from the top.
    Control* owner = tree_;
    for (int i = 0; i < kDepth; ++i) {
      chain.push_back(new TTreeViewItem(owner));
      chain.back()->SetText(u"L");
      owner = chain.back();
    }
    for (int i = kDepth; i-- > 1;) chain[i]->SetParent(chain[i - 1]);
    chain.front()->SetParent(tree_);
    for (TTreeViewItem* item : chain) item->ApplyStyleLookup();
    // Expanded from the far end: each step finds its parent still collapsed and stops there.
    for (int i = kDepth; i-- > 0;) chain[i]->SetIsExpanded(true);
    tree_->ShowCheckboxes = true;
    chain[5]->SetIsChecked(true);
    chain[5]->ApplyStyleLookup();
    lastRowInViewTop = chain[8]->AbsoluteRect().Top;
    Canvas canvas(400, 300, 1.0f);
    form_->RenderTo(canvas);
    // The sixth row's check box is drawn checked.
    const int boxX = static_cast<int>(10 + 2 + 5 * tree_->Indent + 20 + 3);
    const int boxY = static_cast<int>(22 + 5 * rowHeight + (rowHeight - 20) / 2 + 3);
    painted =
        (canvas.PixelAt(boxX, boxY) | 0xFF000000u) == (StyleOf(tree_).checkedFill | 0xFF000000u);
    hit = form_->ControlAt(350 - 60, 22 + rowHeight * 3.5f);
    form_.reset();
  });
  EXPECT_EQ(error, "");
  EXPECT_FLOAT_EQ(lastRowInViewTop, 22 + 8 * rowHeight);
  EXPECT_TRUE(painted);
  EXPECT_EQ(hit, chain[3]);
}

}  // namespace
}  // namespace dw
