// The component tree: items built from paths by func09, the group sign rule, the queries of
// func10 (paths, entry numbers and their errors), the defaults that each style application
// restores, and the cascade of a selector's state down to the sub-items.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "components/ComponentPath.h"
#include "components/ComponentTree.h"
#include "components/ItemHelpers.h"
#include "form/WizardForm.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginError.h"
#include "plugin/PluginState.h"
#include "toolkit/CheckBox.h"
#include "toolkit/TreeView.h"

namespace dw {
namespace {

class ComponentTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPluginState();
    State().ComponentPaths = std::make_unique<std::vector<std::u16string>>();
    State().WizardForm = std::make_unique<TWizardForm>();
    tree_ = Form().Find<TTreeView>("TreeView1");
    ASSERT_NE(tree_, nullptr);
  }
  void TearDown() override { ResetPluginState(); }

  TWizardForm& Form() { return *State().WizardForm; }
  ComponentTree& Components() { return Form().Components(); }
  void Add(const std::u16string& path, std::int32_t group = 0, std::int32_t value = 0,
           bool unlisted = false) {
    Components().Add(path, value, group, unlisted);
  }
  bool Selected(const std::u16string& pathOrIndex) { return Components().IsSelected(pathOrIndex); }
  // The message of the error func10 raises, or "" when it raises none.
  std::u16string SelectedError(const std::u16string& pathOrIndex) {
    try {
      Components().IsSelected(pathOrIndex);
    } catch (const PluginError& error) {
      return error.message;
    }
    return u"";
  }

  // The item at a path of exact texts ('>' between them), or null.
  TTreeViewItem* Item(const std::u16string& path) {
    Control* node = tree_;
    TTreeViewItem* item = nullptr;
    for (std::u16string_view segment : SplitComponentPath(path)) {
      item = nullptr;
      for (Control* child : node->Children()) {
        auto* candidate = dynamic_cast<TTreeViewItem*>(child);
        if (candidate != nullptr && candidate->Text() == segment) {
          item = candidate;
          break;
        }
      }
      if (item == nullptr) return nullptr;
      node = item;
    }
    return item;
  }
  TTreeViewItem& At(const std::u16string& path) {
    TTreeViewItem* item = Item(path);
    if (item == nullptr) throw std::runtime_error("no item");
    return *item;
  }
  TCheckBox& Check(const std::u16string& path) {
    TCheckBox* part = nullptr;
    if (!FindCheckPart(At(path), "check", part)) throw std::runtime_error("no check part");
    return *part;
  }
  TRadioButton& Radio(const std::u16string& path) {
    TRadioButton* part = nullptr;
    if (!FindRadioPart(At(path), "radiobutton", part)) throw std::runtime_error("no radio part");
    return *part;
  }

  sim::SimulatedPlatform platform_;
  TTreeView* tree_ = nullptr;
};

TEST_F(ComponentTreeTest, PathBuildsPlainHeadingsAndOneSelectableItem) {
  Add(u"A>B", 0, 7);
  ASSERT_EQ(tree_->Count(), 1);
  TTreeViewItem& a = At(u"A");
  TTreeViewItem& b = At(u"A>B");
  EXPECT_EQ(a.Count(), 1);
  EXPECT_EQ(a.Items(0), &b);
  EXPECT_EQ(a.Owner(), tree_);
  EXPECT_EQ(b.Owner(), &a);
  EXPECT_EQ(a.Tag, 0);
  EXPECT_EQ(a.TagString, u"");
  EXPECT_EQ(b.Tag, 0);
  EXPECT_EQ(b.TagString, u"A>B");
  EXPECT_FLOAT_EQ(a.TagFloat, 7);
  EXPECT_FLOAT_EQ(b.TagFloat, 7);
  // Both are styled; only the selectable item shows its selector.
  EXPECT_FALSE(Check(u"A").Visible());
  EXPECT_TRUE(Check(u"A>B").Visible());
  EXPECT_FALSE(Radio(u"A>B").Visible());
  EXPECT_EQ(Check(u"A>B").TagObject, &b);
  EXPECT_TRUE(Check(u"A>B").IsChecked());
  EXPECT_EQ(Radio(u"A>B").GroupName(), u"ComponentGroup0");
  ASSERT_EQ(State().ComponentPaths->size(), 1u);
  EXPECT_EQ((*State().ComponentPaths)[0], u"A>B");
  EXPECT_TRUE(Selected(u"1"));
  EXPECT_TRUE(Selected(u"a>b"));
  Check(u"A>B").SetIsChecked(false);
  EXPECT_FALSE(Selected(u"1"));
  EXPECT_FALSE(Selected(u"a>b"));
}

struct PathShapeCase {
  std::u16string path;
  std::vector<std::u16string> itemPaths;  // exact-text paths that must exist
  std::u16string selectablePath;          // the item that carries TagString = path
};

TEST_F(ComponentTreeTest, SegmentsAreCutAtEveryArrowWithoutTrimming) {
  const PathShapeCase cases[] = {
      {u"A>", {u"A", u"A>"}, u"A>"},
      {u"A>>B", {u"A", u"A>", u"A>>B"}, u"A>>B"},
      {u" A > B ", {u" A ", u" A > B "}, u" A > B "},
      {u">X", {u"", u">X"}, u">X"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
    ResetPluginState();
    State().ComponentPaths = std::make_unique<std::vector<std::u16string>>();
    State().WizardForm = std::make_unique<TWizardForm>();
    tree_ = Form().Find<TTreeView>("TreeView1");
    Add(c.path);
    for (const auto& itemPath : c.itemPaths) EXPECT_NE(Item(itemPath), nullptr);
    TTreeViewItem* selectable = Item(c.selectablePath);
    ASSERT_NE(selectable, nullptr);
    EXPECT_EQ(selectable->TagString, c.path);
    EXPECT_TRUE(Selected(c.path));
  }
}

TEST_F(ComponentTreeTest, EmptyPathIsOneEmptySegmentThatStaysPlain) {
  Add(u"");
  ASSERT_EQ(tree_->Count(), 1);
  EXPECT_EQ(tree_->Items(0)->Text(), u"");
  // Its TagString is the empty path, so it is no selectable item.
  EXPECT_EQ(tree_->Items(0)->TagString, u"");
  EXPECT_FALSE(Check(u"").Visible());
  EXPECT_EQ(State().ComponentPaths->size(), 1u);
}

struct GroupCase {
  const char* name;
  std::vector<std::pair<std::u16string, std::int32_t>> calls;  // path, group
  std::vector<std::int32_t> tags;                              // of the calls' last items
  std::vector<bool> checked;                                   // once all styles are applied
  std::vector<std::u16string> groupNames;
};

TEST_F(ComponentTreeTest, GroupSignRuleAndRadioExclusion) {
  const GroupCase cases[] = {
      {"positive group under one parent",
       {{u"Opts>X", 2}, {u"Opts>Y", 2}, {u"Opts>Z", 2}},
       {2, -2, -2},
       {true, false, false},
       {u"ComponentGroup2", u"ComponentGroup2", u"ComponentGroup2"}},
      {"negative group: the first is unchecked, the later two exclude each other",
       {{u"Opts>X", -3}, {u"Opts>Y", -3}, {u"Opts>Z", -3}},
       {-3, 3, 3},
       {false, false, true},
       {u"ComponentGroup3", u"ComponentGroup3", u"ComponentGroup3"}},
      {"each parent has a first item, and equal |G| excludes across parents",
       {{u"P>X", 2}, {u"Q>Y", 2}},
       {2, 2},
       {false, true},
       {u"ComponentGroup2", u"ComponentGroup2"}},
      {"-G and +G under different parents share the group name",
       {{u"P>X", -2}, {u"Q>Y", 2}, {u"Q>W", 5}},
       {-2, 2, 5},
       {false, true, true},
       {u"ComponentGroup2", u"ComponentGroup2", u"ComponentGroup5"}},
      {"the most negative group neither overflows its sign nor its name",
       {{u"P>X", INT32_MIN}, {u"P>Y", INT32_MIN}},
       {INT32_MIN, INT32_MIN},
       {false, false},
       {u"ComponentGroup2147483648", u"ComponentGroup2147483648"}},
      {"group 0 is a check box",
       {{u"P>X", 0}, {u"P>Y", 0}},
       {0, 0},
       {true, true},
       {u"ComponentGroup0", u"ComponentGroup0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetPluginState();
    State().ComponentPaths = std::make_unique<std::vector<std::u16string>>();
    State().WizardForm = std::make_unique<TWizardForm>();
    tree_ = Form().Find<TTreeView>("TreeView1");
    for (const auto& [path, group] : c.calls) Add(path, group);
    for (std::size_t i = 0; i < c.calls.size(); ++i) {
      const std::u16string& path = c.calls[i].first;
      TTreeViewItem& item = At(path);
      EXPECT_EQ(item.Tag, c.tags[i]) << i;
      EXPECT_EQ(IsItemChecked(item), c.checked[i]) << i;
      EXPECT_EQ(Selected(path), c.checked[i]) << i;
      EXPECT_EQ(Radio(path).GroupName(), c.groupNames[i]) << i;
      // A radio item shows its radio button, a check-box item its check box.
      EXPECT_EQ(Radio(path).Visible(), c.tags[i] != 0) << i;
      EXPECT_EQ(Check(path).Visible(), c.tags[i] == 0) << i;
    }
  }
}

TEST_F(ComponentTreeTest, UserCheckingARadioItemUnchecksItsGroup) {
  Add(u"Opts>X", 2);
  Add(u"Opts>Y", 2);
  Add(u"Other>W", -2);
  Radio(u"Opts>Y").SetIsChecked(true);
  EXPECT_FALSE(Selected(u"Opts>X"));
  EXPECT_TRUE(Selected(u"Opts>Y"));
  Radio(u"Other>W").SetIsChecked(true);
  EXPECT_FALSE(Selected(u"Opts>Y"));
  EXPECT_TRUE(Selected(u"Other>W"));
}

TEST_F(ComponentTreeTest, ExistingLastSegmentAddsNothingButIsStillListed) {
  Add(u"A>B");
  Add(u"A", 4, 9);
  ASSERT_EQ(tree_->Count(), 1);
  TTreeViewItem& a = At(u"A");
  EXPECT_EQ(a.Count(), 1);
  EXPECT_EQ(a.TagString, u"");
  EXPECT_EQ(a.Tag, 0);
  EXPECT_FLOAT_EQ(a.TagFloat, 0);
  EXPECT_FALSE(Check(u"A").Visible());
  EXPECT_FALSE(Radio(u"A").Visible());
  ASSERT_EQ(State().ComponentPaths->size(), 2u);
  EXPECT_EQ((*State().ComponentPaths)[1], u"A");
  // Duplicates stay in the list; the tree keeps one item.
  Add(u"A>B");
  EXPECT_EQ(State().ComponentPaths->size(), 3u);
  EXPECT_EQ(a.Count(), 1);
}

TEST_F(ComponentTreeTest, UnlistedComponentIsInTheTreeButNotInTheList) {
  Add(u"Hidden", 0, 0, true);
  EXPECT_NE(Item(u"Hidden"), nullptr);
  EXPECT_TRUE(State().ComponentPaths->empty());
  EXPECT_TRUE(Selected(u"Hidden"));
  EXPECT_EQ(SelectedError(u"1"), u"List index out of bounds (0)");
}

TEST_F(ComponentTreeTest, SegmentsMatchWithAsciiCaseFoldingOnly) {
  Add(u"SETUP>Core");
  Add(u"setup>Extra");
  Add(u"\u00e9t\u00e9>A");  // été
  Add(u"\u00c9t\u00e9>B");  // Été: another first letter, so another item
  ASSERT_EQ(tree_->Count(), 3);
  EXPECT_EQ(At(u"SETUP").Count(), 2);
  EXPECT_EQ(At(u"SETUP>Extra").TagString, u"setup>Extra");
  EXPECT_TRUE(Selected(u"setup>core"));
  EXPECT_TRUE(Selected(u"Setup>EXTRA"));
  EXPECT_TRUE(Selected(u"\u00c9T\u00e9>b"));   // ÉTé: only the ASCII T differs in case
  EXPECT_FALSE(Selected(u"\u00c9T\u00c9>B"));  // ÉTÉ matches neither été nor Été
  EXPECT_FALSE(Selected(u"\u00c9t\u00e9>A"));  // Été has no A below it
  EXPECT_TRUE(Selected(u"\u00e9t\u00e9>a"));
}

struct QueryCase {
  std::u16string query;
  bool expected;
};

TEST_F(ComponentTreeTest, MissingSegmentsAreSkippedButTheLastMustBeFound) {
  Add(u"A>B");
  Add(u"A>C>D");
  const QueryCase cases[] = {
      {u"", true},
      {u"A>B", true},
      {u"A>Missing>B", true},
      {u"Missing>A>B", true},
      {u"A>B>Missing", false},
      {u"Missing", false},
      {u"A>C>Missing>D", true},
      {u"A>D", false},  // D is not a child of A: skipping stays among A's children
      {u"A>C", true},   // plain headings answer with their own (checked) state
      {u"B", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Selected(c.query), c.expected) << std::string(c.query.begin(), c.query.end());
  }
}

TEST_F(ComponentTreeTest, AnUncheckedItemOnTheWayMakesThePathUnselected) {
  Add(u"A");
  Add(u"A>B");
  Check(u"A").SetIsChecked(false);
  // The cascade unchecked B; check it again by hand, though its parent stays unchecked.
  Check(u"A>B").SetIsChecked(true);
  EXPECT_TRUE(IsItemChecked(At(u"A>B")));
  EXPECT_FALSE(Selected(u"A>B"));
  EXPECT_FALSE(Selected(u"A"));
  // Skipping the unchecked segment does not help: it exists, so the walk stops there.
  EXPECT_FALSE(Selected(u"a>b"));
}

TEST_F(ComponentTreeTest, NumbersAreEntriesOfTheListAndOutOfRangeIsAnError) {
  Add(u"Core");
  Add(u"3D tools>Viewer");
  Add(u"Extras", 0, 0, true);
  Add(u"Docs");
  Check(u"Docs").SetIsChecked(false);
  // Entries: 1 Core, 2 3D tools>Viewer, 3 Docs.
  const QueryCase cases[] = {
      {u"1", true},
      {u"2", true},
      {u"3", false},
      {u"0x1", true},
      {u"0X3", false},
      {u"003", false},
      {u"3D tools>Viewer", true},
      {u"1x", false},
      {u"2147483648", false},  // beyond 32 bits: not a whole number, so a path
  };
  for (const auto& c : cases) {
    std::string name(c.query.begin(), c.query.end());
    EXPECT_EQ(SelectedError(c.query), u"") << name;
    EXPECT_EQ(Selected(c.query), c.expected) << name;
  }
  const std::pair<std::u16string, std::u16string> errors[] = {
      {u"0", u"List index out of bounds (-1)"},
      {u"4", u"List index out of bounds (3)"},
      {u"0x0", u"List index out of bounds (-1)"},
      {u"2147483647", u"List index out of bounds (2147483646)"},
      {u"0xFFFFFFFF", u"List index out of bounds (-2)"},
      {u"0x80000000", u"List index out of bounds (2147483647)"},  // n - 1 wraps in 32 bits
  };
  for (const auto& [query, message] : errors) {
    EXPECT_EQ(SelectedError(query), message) << std::string(query.begin(), query.end());
  }
  // The failed queries changed nothing.
  EXPECT_EQ(State().ComponentPaths->size(), 3u);
  EXPECT_TRUE(Selected(u"Core"));
}

TEST_F(ComponentTreeTest, CheckBoxCascadeDisablesAndUnchecksEveryLevel) {
  Add(u"A");
  Add(u"A>B");
  Add(u"A>B>C");
  Add(u"A>D");
  Check(u"A").SetIsChecked(false);
  for (const char16_t* path : {u"A>B", u"A>B>C", u"A>D"}) {
    EXPECT_FALSE(At(path).Enabled());
    EXPECT_FALSE(Check(path).IsChecked());
  }
  EXPECT_TRUE(At(u"A").Enabled());
  Check(u"A").SetIsChecked(true);
  for (const char16_t* path : {u"A>B", u"A>B>C", u"A>D"}) {
    EXPECT_TRUE(At(path).Enabled());
    EXPECT_TRUE(Check(path).IsChecked());
  }
}

TEST_F(ComponentTreeTest, CheckBoxParentDisablesARadioChildWithoutChangingIt) {
  Add(u"A");
  Add(u"A>R", 1);
  Add(u"A>R>S");  // a check-box item below the radio item
  ASSERT_TRUE(Radio(u"A>R").IsChecked());
  Check(u"A").SetIsChecked(false);
  EXPECT_FALSE(At(u"A>R").Enabled());
  // The owner's Tag picks the part: A is a check-box item, so R's hidden check box changes
  // and its radio button stays as it was; the cascade stops there.
  EXPECT_TRUE(Radio(u"A>R").IsChecked());
  EXPECT_FALSE(Check(u"A>R").IsChecked());
  EXPECT_TRUE(At(u"A>R>S").Enabled());
  EXPECT_TRUE(Check(u"A>R>S").IsChecked());
  EXPECT_FALSE(Selected(u"A>R"));
}

TEST_F(ComponentTreeTest, UncheckedRadioItemDisablesItsSubItemsAndResetsTheirRadioParts) {
  Add(u"O>X", 2);
  Add(u"O>X>C");
  Add(u"O>X>R", 7);
  Add(u"O>Y", 2);
  ASSERT_TRUE(Radio(u"O>X>R").IsChecked());
  Radio(u"O>Y").SetIsChecked(true);
  EXPECT_FALSE(Radio(u"O>X").IsChecked());
  EXPECT_FALSE(At(u"O>X>C").Enabled());
  EXPECT_FALSE(At(u"O>X>R").Enabled());
  // X is a radio item: the radio parts of its sub-items follow, the check boxes do not.
  EXPECT_FALSE(Radio(u"O>X>R").IsChecked());
  EXPECT_TRUE(Check(u"O>X>C").IsChecked());
  EXPECT_FALSE(Radio(u"O>X>C").IsChecked());
  Radio(u"O>X").SetIsChecked(true);
  EXPECT_TRUE(At(u"O>X>C").Enabled());
  EXPECT_TRUE(Radio(u"O>X>R").IsChecked());
  EXPECT_FALSE(Radio(u"O>Y").IsChecked());
}

TEST_F(ComponentTreeTest, ReappliedStyleRestoresTheDefaultsOfTheTags) {
  Add(u"Opts>X", 2);
  Add(u"Opts>Y", 2);
  Add(u"Opts>X>Sub");
  Add(u"Core");
  Radio(u"Opts>Y").SetIsChecked(true);
  Check(u"Core").SetIsChecked(false);
  ASSERT_FALSE(Selected(u"Opts>X"));
  ASSERT_FALSE(At(u"Opts>X>Sub").Enabled());
  TCheckBox* oldCore = &Check(u"Core");

  At(u"Core").ApplyStyleLookup();
  At(u"Opts>X").ApplyStyleLookup();
  At(u"Opts>Y").ApplyStyleLookup();
  EXPECT_TRUE(Selected(u"Core"));
  EXPECT_TRUE(Selected(u"Opts>X"));
  EXPECT_FALSE(Selected(u"Opts>Y"));
  EXPECT_TRUE(At(u"Opts>X>Sub").Enabled());
  // New parts; the old ones are still alive but no longer wired to the item.
  EXPECT_NE(&Check(u"Core"), oldCore);
  oldCore->SetIsChecked(false);
  EXPECT_TRUE(Selected(u"Core"));
  EXPECT_TRUE(At(u"Core").IsChecked());
}

TEST_F(ComponentTreeTest, ItemWithoutStyleAnswersFromItsOwnFlag) {
  Add(u"A");
  TTreeViewItem& bare = *new TTreeViewItem(&At(u"A"));
  bare.SetParent(&At(u"A"));
  bare.SetText(u"Bare");
  EXPECT_FALSE(bare.IsStyleApplied());
  EXPECT_FALSE(IsItemChecked(bare));
  EXPECT_FALSE(Selected(u"A>Bare"));
  SetItemChecked(bare, true);
  EXPECT_TRUE(IsItemChecked(bare));
  EXPECT_TRUE(Selected(u"A>Bare"));
}

TEST(ComponentPathTest, CountOccurrencesIsTheRemovedLength) {
  const struct {
    std::u16string separator, text;
    int expected;
  } cases[] = {
      {u">", u"a>b>c", 2},   {u">", u"a>b>c>", 3}, {u">", u"", 0},   {u">", u">>", 2},
      {u"ab", u"xABxab", 4}, {u"aa", u"aaa", 2},   {u"", u"abc", 0}, {u"\u00e9", u"\u00c9", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CountOccurrences(c.separator, c.text), c.expected)
        << std::string(c.text.begin(), c.text.end());
  }
}

TEST(ComponentPathTest, EntryNumbersAreWholeDecimalOrHexNumbers) {
  const struct {
    std::u16string text;
    bool whole;
    std::int32_t number;
  } cases[] = {
      {u"1", true, 1},
      {u"007", true, 7},
      {u"0x1f", true, 31},
      {u"0XFF", true, 255},
      {u"2147483647", true, INT32_MAX},
      {u"0xFFFFFFFF", true, -1},
      {u"0x000000010", true, 16},
      {u"2147483648", false, 0},
      {u"0x100000000", false, 0},
      {u"0x", false, 0},
      {u"1x", false, 0},
      {u"1 ", false, 0},
      {u"+1", false, 0},
      {u"-1", false, 0},
      {u"\u0661", false, 0},  // ARABIC-INDIC DIGIT ONE
      {u"", false, 0},
  };
  for (const auto& c : cases) {
    std::int32_t number = 0;
    EXPECT_EQ(ReadEntryNumber(c.text, number), c.whole)
        << std::string(c.text.begin(), c.text.end());
    if (c.whole) {
      EXPECT_EQ(number, c.number);
    }
  }
}

}  // namespace
}  // namespace dw
