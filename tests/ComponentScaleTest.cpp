// Big component trees: the first matching sibling is found without walking the siblings,
// and a new last item with Tag 0 takes its style only when it is needed. Neither may change
// an answer: the same script gives the same func10 answers, checked states and Enabled
// states as a tree whose every item took its style at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "components/ComponentPath.h"
#include "components/ComponentTree.h"
#include "components/ItemHelpers.h"
#include "form/WizardForm.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginState.h"
#include "toolkit/CheckBox.h"
#include "toolkit/TreeView.h"

namespace dw {
namespace {

class ComponentScaleTest : public ::testing::Test {
 protected:
  void SetUp() override { NewForm(); }
  void TearDown() override { ResetPluginState(); }
  void NewForm() {
    ResetPluginState();
    State().ComponentPaths = std::make_unique<std::vector<std::u16string>>();
    State().WizardForm = std::make_unique<TWizardForm>();
    tree_ = State().WizardForm->Find<TTreeView>("TreeView1");
    ASSERT_NE(tree_, nullptr);
  }
  ComponentTree& Components() { return State().WizardForm->Components(); }

  // Every item, parents before their sub-items.
  std::vector<TTreeViewItem*> AllItems() const {
    std::vector<TTreeViewItem*> items;
    std::vector<Control*> work{tree_};
    while (!work.empty()) {
      Control* node = work.back();
      work.pop_back();
      const auto& children = node->Children();
      for (std::size_t i = children.size(); i-- > 0;) {
        if (auto* item = AsTreeViewItem(children[i])) {
          items.push_back(item);
          work.push_back(item);
        }
      }
    }
    return items;
  }

  sim::SimulatedPlatform platform_;
  TTreeView* tree_ = nullptr;
};

TEST_F(ComponentScaleTest, TheFirstMatchingSiblingWinsAmongThousands) {
  for (int i = 0; i < 3000; ++i) Components().Add(u"Tools>Item" + DecimalText(i), 0, 0, false);
  // Same letters but for case: no new item, and the first one is the one asked about.
  Components().Add(u"tools>ITEM17>Sub", 0, 0, false);
  TTreeViewItem* tools = tree_->Items(0);
  ASSERT_EQ(tree_->Count(), 1);
  ASSERT_EQ(tools->Count(), 3000);
  EXPECT_EQ(tools->Items(17)->Count(), 1);
  EXPECT_EQ(tools->Items(2999)->Text(), u"Item2999");
  // A sibling added behind the tree's back is found too, after the earlier ones only.
  auto* extra = new TTreeViewItem(tools);
  extra->SetText(u"Extra");
  extra->SetParent(tools);
  Components().Add(u"Tools>EXTRA>Deep", 0, 0, false);
  EXPECT_EQ(extra->Count(), 1);
  EXPECT_EQ(tools->Count(), 3001);
  // The group sign rule among many siblings: the first of group 4 gets +4, later ones -4.
  Components().Add(u"Tools>R1", 0, 4, false);
  Components().Add(u"Tools>R2", 0, 4, false);
  EXPECT_EQ(tools->Items(3001)->Tag, 4);
  EXPECT_EQ(tools->Items(3002)->Tag, -4);
}

TEST_F(ComponentScaleTest, ALeafWaitsForItsStyleUntilItIsNeeded) {
  Components().Add(u"A>B", 0, 0, false);
  Components().Add(u"A>R", 0, 2, false);
  TTreeViewItem* a = tree_->Items(0);
  TTreeViewItem* b = a->Items(0);
  TTreeViewItem* r = a->Items(1);
  EXPECT_TRUE(a->IsStyleApplied());  // it has sub-items
  EXPECT_TRUE(r->IsStyleApplied());  // a radio item changes its group when styled
  EXPECT_TRUE(b->IsStylePending());
  EXPECT_TRUE(Components().IsSelected(u"A>B"));
  EXPECT_TRUE(b->IsStylePending());  // func10 answers from the item's own flag
  // Looking up a part applies the style, which shows the selector as ItemUpdate does.
  TCheckBox* check = nullptr;
  ASSERT_TRUE(FindCheckPart(*b, "check", check));
  EXPECT_FALSE(b->IsStylePending());
  EXPECT_TRUE(check->Visible());
  EXPECT_TRUE(check->IsChecked());
  // A leaf that gets a sub-item takes its style first.
  Components().Add(u"C", 0, 0, false);
  TTreeViewItem* c = tree_->Items(1);
  EXPECT_TRUE(c->IsStylePending());
  Components().Add(u"C>D", 0, 0, false);
  EXPECT_TRUE(c->IsStyleApplied());
}

// A script with headings, check boxes, radio groups across parents, sub-items under leaves,
// and changes by the user between the calls.
struct Call {
  const char16_t* path;
  int group;
};
const Call kScript[] = {{u"A", 0},       {u"A>B", 0},      {u"A>C", 2},     {u"A>D", 2},
                        {u"E>F>G", 0},   {u"E>F", 0},      {u"H", 3},       {u"I>J", 3},
                        {u"A>B>K", 0},   {u"E>F>G>L", -3}, {u"E>F>G>M", 0}, {u"I>J>N", 0},
                        {u"I>J>N>O", 0}, {u"P>Q", 0},      {u"P>Q>S", 5},   {u"P>Q>T", 5},
                        {u"A>B>K>U", 0}, {u"e>f>g>v", 0},  {u"W", 0},       {u"W>X", 3}};

std::vector<int> RunScript(ComponentTree& tree, bool styleEverythingAtOnce, TTreeView& view) {
  std::vector<int> answers;
  auto styleAll = [&] {
    if (!styleEverythingAtOnce) return;
    std::vector<Control*> work{&view};
    while (!work.empty()) {
      Control* node = work.back();
      work.pop_back();
      for (std::size_t i = 0; i < node->Children().size(); ++i) {
        if (auto* item = AsTreeViewItem(node->Children()[i])) {
          item->ApplyPendingStyle();
          work.push_back(item);
        }
      }
    }
  };
  auto find = [&](const std::u16string& path) {
    Control* node = &view;
    TTreeViewItem* item = nullptr;
    for (std::u16string_view segment : SplitComponentPath(path)) {
      item = nullptr;
      for (Control* child : node->Children()) {
        auto* candidate = AsTreeViewItem(child);
        if (candidate != nullptr && SegmentEquals(segment, candidate->Text())) {
          item = candidate;
          break;
        }
      }
      if (item == nullptr) return item;
      node = item;
    }
    return item;
  };
  int step = 0;
  for (const Call& call : kScript) {
    tree.Add(call.path, 0, call.group, false);
    styleAll();
    // The user unchecks a part now and then, or picks a radio button.
    if (++step % 4 == 0) {
      if (TTreeViewItem* item = find(u"A>B")) {
        TCheckBox* check = nullptr;
        if (FindCheckPart(*item, "check", check)) check->SetIsChecked(!check->IsChecked());
      }
    }
    if (step == 9 || step == 17) {
      if (TTreeViewItem* item = find(u"I>J")) {
        TRadioButton* radio = nullptr;
        if (FindRadioPart(*item, "radiobutton", radio)) radio->SetIsChecked(true);
      }
    }
    for (const Call& asked : kScript) answers.push_back(tree.IsSelected(asked.path) ? 1 : 0);
  }
  for (const Call& asked : kScript) {
    TTreeViewItem* item = find(asked.path);
    answers.push_back(item == nullptr ? -1 : item->Enabled() ? 1 : 0);
    answers.push_back(item == nullptr ? -1 : item->IsChecked() ? 1 : 0);
  }
  return answers;
}

TEST_F(ComponentScaleTest, WaitingStylesChangeNoAnswer) {
  const std::vector<int> atOnce = RunScript(Components(), true, *tree_);
  NewForm();
  const std::vector<int> waiting = RunScript(Components(), false, *tree_);
  EXPECT_EQ(waiting, atOnce);
  // Some answers are false, so the script does change states.
  EXPECT_NE(std::count(atOnce.begin(), atOnce.end(), 0), 0);
}

}  // namespace
}  // namespace dw
