#include "components/ItemHelpers.h"

#include "toolkit/CheckBox.h"
#include "toolkit/TreeView.h"

namespace dw {

namespace {

char16_t FoldAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c;
}

bool MatchesAt(std::u16string_view text, std::size_t at, std::u16string_view pattern) {
  if (text.size() - at < pattern.size()) return false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (FoldAscii(text[at + i]) != FoldAscii(pattern[i])) return false;
  }
  return true;
}

}  // namespace

bool FindRadioPart(const TTreeViewItem& item, const std::string& partName, TRadioButton*& part) {
  part = dynamic_cast<TRadioButton*>(item.FindStyleResource(partName));
  return part != nullptr;
}

bool FindCheckPart(const TTreeViewItem& item, const std::string& partName, TCheckBox*& part) {
  part = dynamic_cast<TCheckBox*>(item.FindStyleResource(partName));
  return part != nullptr;
}

bool IsItemChecked(const TTreeViewItem& item) {
  // An item waiting for its style would get a "check" part showing its own flag, and only
  // items with Tag 0 wait: asking need not build the parts.
  if (item.IsStylePending() && item.Tag == 0) return item.IsChecked();
  if (item.Tag == 0) {
    TCheckBox* check = nullptr;
    if (FindCheckPart(item, "check", check)) return check->IsChecked();
  } else {
    TRadioButton* radio = nullptr;
    if (FindRadioPart(item, "radiobutton", radio)) return radio->IsChecked();
  }
  return item.IsChecked();
}

void SetItemChecked(TTreeViewItem& item, bool value) {
  item.SetIsChecked(value);
  // Re-read the part after the setter above: its change handlers may have run.
  if (item.Tag == 0) {
    TCheckBox* check = nullptr;
    if (FindCheckPart(item, "check", check)) check->SetIsChecked(value);
  } else {
    TRadioButton* radio = nullptr;
    if (FindRadioPart(item, "radiobutton", radio)) radio->SetIsChecked(value);
  }
}

void SetItemRadioGroup(TTreeViewItem& item, const std::u16string& name) {
  TRadioButton* radio = nullptr;
  if (FindRadioPart(item, "radiobutton", radio)) radio->SetGroupName(name);
}

int CountOccurrences(std::u16string_view separator, std::u16string_view text) {
  if (separator.empty()) return 0;
  std::size_t removed = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    if (MatchesAt(text, at, separator)) {
      removed += separator.size();
      at += separator.size();
    } else {
      ++at;
    }
  }
  return static_cast<int>(removed);
}

}  // namespace dw
