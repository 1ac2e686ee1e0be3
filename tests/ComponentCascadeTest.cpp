// The cascade of ItemChange runs from a work stack instead of nesting per level. These tests
// hold it to the order and result of the nested calls (a plain recursive ItemChange serves as
// the reference, step by step), and run trees 10,000 levels deep on a 1 MB stack.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "components/ComponentTree.h"
#include "components/ItemHelpers.h"
#include "form/WizardForm.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginState.h"
#include "tests/StackRunner.h"
#include "toolkit/CheckBox.h"
#include "toolkit/TreeView.h"

namespace dw {
namespace {

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

// Every item of a tree, depth first, with its path of texts.
std::vector<std::pair<std::string, TTreeViewItem*>> AllItems(const Control& root) {
  std::vector<std::pair<std::string, TTreeViewItem*>> items;
  std::vector<std::pair<std::string, const Control*>> work{{"", &root}};
  while (!work.empty()) {
    auto [prefix, node] = work.back();
    work.pop_back();
    const auto& children = node->Children();
    for (std::size_t i = children.size(); i-- > 0;) {
      if (auto* item = dynamic_cast<TTreeViewItem*>(children[i])) {
        work.push_back({prefix + "/" + Narrow(item->Text()), item});
      }
    }
    if (node != &root)
      items.push_back({prefix, static_cast<TTreeViewItem*>(const_cast<Control*>(node))});
  }
  return items;
}

// One form with its tree built by the given func09 calls, and a log of every change of a
// part, each with the state of the whole tree at that moment.
struct TracedTree {
  std::unique_ptr<TWizardForm> form;
  TTreeView* tree = nullptr;
  std::vector<std::string> log;

  std::string Snapshot() const {
    std::string text;
    for (const auto& [path, item] : AllItems(*tree)) {
      TCheckBox* check = nullptr;
      TRadioButton* radio = nullptr;
      FindCheckPart(*item, "check", check);
      FindRadioPart(*item, "radiobutton", radio);
      text += path + (item->Enabled() ? " e" : " d") + (check && check->IsChecked() ? "c" : "-") +
              (radio && radio->IsChecked() ? "r" : "-") + ";";
    }
    return text;
  }
  TTreeViewItem* Find(const std::string& path) const {
    for (const auto& [p, item] : AllItems(*tree)) {
      if (p == path) return item;
    }
    return nullptr;
  }
};

// The plain recursive ItemChange, exactly as the nested OnChange calls run it.
void RecursiveItemChange(Component* sender) {
  auto* part = static_cast<Control*>(sender);
  bool value = false;
  if (auto* check = dynamic_cast<TCheckBox*>(part)) {
    value = check->IsChecked();
  } else {
    value = static_cast<TRadioButton*>(part)->IsChecked();
  }
  auto* owner = dynamic_cast<TTreeViewItem*>(part->TagObject);
  if (owner == nullptr) return;
  for (int i = 0; i < owner->Count(); ++i) owner->Items(i)->SetEnabled(value);
  for (int i = owner->Count(); i-- > 0;) {
    TTreeViewItem* child = owner->Items(i);
    if (owner->Tag == 0) {
      TCheckBox* check = nullptr;
      if (FindCheckPart(*child, "check", check)) check->SetIsChecked(value);
    } else {
      TRadioButton* radio = nullptr;
      if (FindRadioPart(*child, "radiobutton", radio)) radio->SetIsChecked(value);
    }
  }
}

struct Call {
  std::u16string path;
  std::int32_t group;
};

// Builds the tree; then every part logs its changes, and with `recursive` the parts that
// run ItemChange run the recursive reference instead.
void Build(TracedTree& traced, const std::vector<Call>& calls, bool recursive) {
  ResetPluginState();
  State().ComponentPaths = std::make_unique<std::vector<std::u16string>>();
  traced.form = std::make_unique<TWizardForm>();
  traced.tree = traced.form->Find<TTreeView>("TreeView1");
  for (const Call& call : calls) traced.form->Components().Add(call.path, 0, call.group, false);
  for (const auto& [path, item] : AllItems(*traced.tree)) {
    const bool selectable = !item->TagString.empty();
    auto wrap = [&traced, recursive, selectable, path = path](NotifyEvent original,
                                                              const char* kind) -> NotifyEvent {
      return [&traced, recursive, selectable, path, original, kind](Component* sender) {
        auto* part = static_cast<Control*>(sender);
        bool value = dynamic_cast<TCheckBox*>(part) ? static_cast<TCheckBox*>(part)->IsChecked()
                                                    : static_cast<TRadioButton*>(part)->IsChecked();
        traced.log.push_back(path + ":" + kind + "=" + (value ? "1" : "0") + " | " +
                             traced.Snapshot());
        if (recursive && selectable && part->TagObject != nullptr) {
          RecursiveItemChange(sender);
        } else if (original) {
          original(sender);
        }
      };
    };
    TCheckBox* check = nullptr;
    TRadioButton* radio = nullptr;
    if (FindCheckPart(*item, "check", check)) check->OnChange = wrap(check->OnChange, "check");
    if (FindRadioPart(*item, "radiobutton", radio)) {
      radio->OnChange = wrap(radio->OnChange, "radio");
    }
  }
}

struct Action {
  std::string path;
  bool radio;
  bool value;
};

struct OrderCase {
  const char* name;
  std::vector<Call> calls;
  std::vector<Action> actions;
};

void PrintTo(const OrderCase& c, std::ostream* out) {
  *out << c.name;
}

class CascadeOrderTest : public ::testing::TestWithParam<OrderCase> {
 protected:
  void TearDown() override { ResetPluginState(); }
  sim::SimulatedPlatform platform_;
};

TEST_P(CascadeOrderTest, WorkStackMatchesNestedCallsStepByStep) {
  const OrderCase& c = GetParam();
  TracedTree iterative;
  TracedTree reference;
  // Each side is built on a fresh state; the logs and snapshots compare like for like.
  std::vector<std::string> iterativeLog;
  std::vector<std::string> referenceLog;
  for (bool recursive : {false, true}) {
    TracedTree& traced = recursive ? reference : iterative;
    Build(traced, c.calls, recursive);
    for (const Action& action : c.actions) {
      TTreeViewItem* item = traced.Find(action.path);
      ASSERT_NE(item, nullptr) << action.path;
      traced.log.push_back("action " + action.path);
      if (action.radio) {
        TRadioButton* radio = nullptr;
        ASSERT_TRUE(FindRadioPart(*item, "radiobutton", radio));
        radio->SetIsChecked(action.value);
      } else {
        TCheckBox* check = nullptr;
        ASSERT_TRUE(FindCheckPart(*item, "check", check));
        check->SetIsChecked(action.value);
      }
      traced.log.push_back("after " + traced.Snapshot());
    }
    (recursive ? referenceLog : iterativeLog) = traced.log;
    traced.form.reset();
  }
  ASSERT_EQ(iterativeLog.size(), referenceLog.size());
  for (std::size_t i = 0; i < iterativeLog.size(); ++i) {
    EXPECT_EQ(iterativeLog[i], referenceLog[i]) << "step " << i;
  }
  // The cascade did something worth comparing.
  EXPECT_GT(iterativeLog.size(), 2 * c.actions.size());
}

INSTANTIATE_TEST_SUITE_P(
    Trees, CascadeOrderTest,
    ::testing::Values(
        OrderCase{
            "check_boxes_three_levels",
            {{u"A", 0}, {u"A>B", 0}, {u"A>B>C", 0}, {u"A>B>D", 0}, {u"A>E", 0}, {u"A>E>F", 0}},
            {{"/A", false, false}, {"/A", false, true}, {"/A/B", false, false}}},
        OrderCase{"radio_groups_nested_in_their_own_group",
                  {{u"O>X", 2},
                   {u"O>X>Y", 2},
                   {u"O>X>Y>Z", 2},
                   {u"O>X>C", 0},
                   {u"O>W", 2},
                   {u"O>W>V", 3},
                   {u"P>U", 3}},
                  {{"/O/W", true, true},
                   {"/O/X", true, true},
                   {"/O/X/Y/Z", true, true},
                   {"/O/X/Y", true, true},
                   {"/P/U", true, true},
                   {"/O/W/V", true, true}}},
        OrderCase{"mixed_kinds",
                  {{u"A", 0},
                   {u"A>R1", 1},
                   {u"A>R2", 1},
                   {u"A>R1>S", 1},
                   {u"A>R1>T", 0},
                   {u"A>R2>S2", 1},
                   {u"A>K", 0},
                   {u"A>K>R3", 1}},
                  {{"/A", false, false},
                   {"/A", false, true},
                   {"/A/R2", true, true},
                   {"/A/R1", true, true},
                   {"/A/K/R3", true, true},
                   {"/A/R1/S", true, false}}}),
    [](const ::testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// Deep trees on a small stack.

constexpr int kDepth = 10'000;
constexpr std::size_t kSmallStack = std::size_t{1} << 20;

class DeepComponentTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPluginState();
    State().ComponentPaths = std::make_unique<std::vector<std::u16string>>();
    State().WizardForm = std::make_unique<TWizardForm>();
  }
  void TearDown() override { ResetPluginState(); }
  ComponentTree& Components() { return State().WizardForm->Components(); }
  sim::SimulatedPlatform platform_;
};

TEST_F(DeepComponentTreeTest, TenThousandSegmentPathOnAOneMegabyteStack) {
  std::u16string path = u"L";
  for (int i = 1; i < kDepth; ++i) path += u">L";
  std::u16string missing = path + u">Missing";
  bool selected = false, missingSelected = true;
  int depth = 0;
  std::string error = testing::RunWithStack(kSmallStack, [&] {
    Components().Add(path, 0, 0, false);
    selected = Components().IsSelected(path);
    missingSelected = Components().IsSelected(missing);
    for (TTreeViewItem* item = State().WizardForm->Find<TTreeView>("TreeView1")->Items(0);
         item != nullptr; item = item->Count() > 0 ? item->Items(0) : nullptr) {
      ++depth;
    }
    // Destroying the form takes the deep tree with it, on the small stack too.
    State().WizardForm.reset();
  });
  EXPECT_EQ(error, "");
  EXPECT_EQ(depth, kDepth);
  EXPECT_TRUE(selected);
  EXPECT_FALSE(missingSelected);
}

TEST_F(DeepComponentTreeTest, CascadeDownTenThousandSelectableLevelsOnAOneMegabyteStack) {
  std::vector<TTreeViewItem*> chain;
  bool afterUncheck = true, afterCheck = false;
  std::string error = testing::RunWithStack(kSmallStack, [&] {
    std::u16string path = u"S";
    for (int i = 1; i < kDepth; ++i) path += u">S";
    Components().Add(path, 0, 0, true);
    TTreeView* tree = State().WizardForm->Find<TTreeView>("TreeView1");
    for (TTreeViewItem* item = tree->Items(0); item != nullptr;
         item = item->Count() > 0 ? item->Items(0) : nullptr) {
      chain.push_back(item);
    }
    if (chain.size() != static_cast<std::size_t>(kDepth)) return;
    // Every level a selectable check-box item, as 10,000 calls with "S", "S>S", "S>S>S" ...
    // would leave it (quicker: those calls walk the chain from the top each time).
    const std::u16string selectablePath = u"S";
    for (TTreeViewItem* item : chain) {
      item->TagString = selectablePath;
      item->ApplyStyleLookup();
    }
    TCheckBox* top = nullptr;
    FindCheckPart(*chain.front(), "check", top);
    top->SetIsChecked(false);
    // Anything below the top still checked or enabled?
    afterUncheck = IsItemChecked(*chain.front());
    for (std::size_t i = 1; i < chain.size(); ++i) {
      afterUncheck = afterUncheck || IsItemChecked(*chain[i]) || chain[i]->Enabled();
    }
    top->SetIsChecked(true);
    afterCheck = true;
    for (TTreeViewItem* item : chain) {
      afterCheck = afterCheck && IsItemChecked(*item) && item->Enabled();
    }
    State().WizardForm.reset();
  });
  EXPECT_EQ(error, "");
  ASSERT_EQ(chain.size(), static_cast<std::size_t>(kDepth));
  EXPECT_FALSE(afterUncheck);
  EXPECT_TRUE(afterCheck);
}

}  // namespace
}  // namespace dw
