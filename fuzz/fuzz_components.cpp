// Sequences of func09 and func10 calls with any paths, groups and entry numbers (very deep
// paths and runs of ">" among them), mixed with clicks on the items' selectors.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "components/ComponentPath.h"
#include "components/ItemHelpers.h"
#include "fuzz/FuzzHost.h"
#include "toolkit/CheckBox.h"
#include "toolkit/TreeView.h"

namespace {

using dw::fuzz::Check;

// Few names, so that later paths meet the items of earlier ones.
constexpr std::array<const char16_t*, 8> kNames = {u"Core", u"core", u"Extras",    u"Tools",
                                                   u"A",    u"",     u"\u00dcber", u"1"};
// Segments created by one input at most, so that one input stays within a second or so.
constexpr std::size_t kSegmentBudget = 20'000;

std::u16string Segment(FuzzedDataProvider& input) {
  if (input.ConsumeIntegralInRange<int>(0, 7) != 0) {
    return kNames[input.ConsumeIntegralInRange<std::size_t>(0, kNames.size() - 1)];
  }
  std::u16string units;
  const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, 12);
  for (std::size_t i = 0; i < count; ++i) units.push_back(input.ConsumeIntegral<char16_t>());
  return units;
}

std::u16string Path(FuzzedDataProvider& input, std::size_t& budget) {
  std::u16string path;
  switch (input.ConsumeIntegralInRange<int>(0, 9)) {
    case 0: {  // deep: one segment again and again, up to thousands of levels
      const std::u16string segment = Segment(input);
      std::size_t depth = (std::size_t{1} << input.ConsumeIntegralInRange<int>(0, 13)) +
                          input.ConsumeIntegralInRange<std::size_t>(0, 7);
      depth = std::min(depth, budget);
      for (std::size_t i = 0; i < depth; ++i) {
        if (i > 0) path.push_back(u'>');
        path += segment;
      }
      budget -= depth;
      return path;
    }
    case 1: {  // a run of ">" between two segments: empty segments all the way
      const std::size_t run = std::min(budget, input.ConsumeIntegralInRange<std::size_t>(1, 4096));
      budget -= run;
      return Segment(input) + std::u16string(run, u'>') + Segment(input);
    }
    default: {
      const int count = input.ConsumeIntegralInRange<int>(1, 4);
      for (int i = 0; i < count; ++i) {
        if (i > 0) path.push_back(u'>');
        path += Segment(input);
      }
      budget -= std::min<std::size_t>(budget, static_cast<std::size_t>(count));
      return path;
    }
  }
}

// An entry number as a script might write it: in range, just outside, hexadecimal, huge.
std::u16string EntryText(FuzzedDataProvider& input, std::int64_t count) {
  switch (input.ConsumeIntegralInRange<int>(0, 4)) {
    case 0:
      return dw::DecimalText(input.ConsumeIntegralInRange<std::int64_t>(-1, count + 1));
    case 1:
      return dw::DecimalText(input.ConsumeIntegral<std::uint32_t>());
    case 2: {
      static const char16_t kHex[] = u"0123456789abcdefABCDEF";
      std::u16string text = input.ConsumeBool() ? u"0x" : u"0X";
      const int digits = input.ConsumeIntegralInRange<int>(0, 10);
      for (int i = 0; i < digits; ++i) text.push_back(kHex[input.ConsumeIntegralInRange(0, 21)]);
      return text;
    }
    case 3:
      return u"0" + dw::DecimalText(input.ConsumeIntegralInRange<std::int64_t>(0, count + 1));
    default:
      return std::u16string(input.ConsumeIntegralInRange<std::size_t>(1, 40), u'9');
  }
}

std::int32_t Group(FuzzedDataProvider& input) {
  constexpr std::array<std::int32_t, 6> kGroups = {0, 0, 1, 2, -1, INT32_MIN};
  if (input.ConsumeBool()) return kGroups[input.ConsumeIntegralInRange<std::size_t>(0, 5)];
  return input.ConsumeIntegral<std::int32_t>();
}

// Every item of the tree, depth first, without recursion.
std::vector<dw::TTreeViewItem*> Items(dw::TTreeView& tree) {
  std::vector<dw::TTreeViewItem*> items;
  std::vector<dw::TTreeViewItem*> work;
  for (int i = tree.Count(); i-- > 0;) work.push_back(tree.Items(i));
  while (!work.empty()) {
    dw::TTreeViewItem* item = work.back();
    work.pop_back();
    items.push_back(item);
    for (int i = item->Count(); i-- > 0;) work.push_back(item->Items(i));
  }
  return items;
}

// A person's click on the item's check box or radio button.
void ClickSelector(dw::TTreeViewItem& item) {
  dw::TCheckBox* check = nullptr;
  dw::TRadioButton* radio = nullptr;
  if (item.Tag == 0 && dw::FindCheckPart(item, "check", check) && check->Visible()) {
    check->DoClick();
  } else if (dw::FindRadioPart(item, "radiobutton", radio) && radio->Visible()) {
    radio->DoClick();
  }
}

bool IsEntryError(const std::u16string& message) {
  return message.rfind(u"List index out of bounds (", 0) == 0 && message.back() == u')';
}

// A text that only begins like a number may be refused as one.
bool IsConversionError(const std::u16string& message, const std::u16string& text) {
  return message == u"'" + text + u"' is not a valid integer value";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  dw::fuzz::PluginHost host;
  auto* tree = host.Form().Find<dw::TTreeView>("TreeView1");
  Check(tree != nullptr, "TreeView1");

  std::size_t budget = kSegmentBudget;
  std::size_t listed = 0;
  for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
    const std::size_t errorsBefore = host.sim.errors.size();
    switch (input.ConsumeIntegralInRange<int>(0, 5)) {
      case 0:
      case 1: {
        const std::u16string path = Path(input, budget);
        const auto value = input.ConsumeIntegral<std::int32_t>();
        const std::int32_t group = Group(input);
        // Only the low byte of the Boolean's slot counts; the rest is noise.
        const auto slot = input.ConsumeIntegral<std::uint32_t>();
        const bool unlisted = (slot & 0xFFu) != 0;
        func09(dw::fuzz::HostString(path, static_cast<std::int32_t>(path.size())).get(), value,
               group, slot);
        if (!unlisted) ++listed;
        Check(host.sim.errors.size() == errorsBefore, "func09 reported an error");
        break;
      }
      case 2: {
        const std::u16string path = Path(input, budget);
        const std::int32_t answer =
            func10(dw::fuzz::HostString(path, static_cast<std::int32_t>(path.size())).get());
        Check(answer == 0 || answer == 1, "func10 answers 0 or 1");
        break;
      }
      case 3: {
        const std::u16string text = EntryText(input, static_cast<std::int64_t>(listed));
        const std::int32_t answer =
            func10(dw::fuzz::HostString(text, static_cast<std::int32_t>(text.size())).get());
        Check(answer == 0 || answer == 1, "func10 answers 0 or 1");
        std::int32_t number = 0;
        const bool isEntry = dw::ReadEntryNumber(text, number);
        const bool inRange = isEntry && number >= 1 && static_cast<std::size_t>(number) <= listed;
        const std::size_t errors = host.sim.errors.size() - errorsBefore;
        Check(errors <= 1, "one func10 call, at most one error");
        if (isEntry) {
          Check(errors == (inRange ? 0u : 1u), "an index error exactly for an entry out of range");
          if (errors == 1) Check(IsEntryError(host.sim.errors.back()), "the index error's text");
        } else if (errors == 1) {
          Check(IsConversionError(host.sim.errors.back(), text), "the conversion error's text");
        }
        break;
      }
      default: {
        const std::vector<dw::TTreeViewItem*> items = Items(*tree);
        if (items.empty()) break;
        ClickSelector(*items[input.ConsumeIntegralInRange<std::size_t>(0, items.size() - 1)]);
        break;
      }
    }
  }
  Check(dw::State().ComponentPaths && dw::State().ComponentPaths->size() == listed,
        "ComponentPaths holds every listed component");
  return 0;
}
