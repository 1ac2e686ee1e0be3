// Support functions for tree items and component paths (unit Functions). The selector that
// counts for an item is its "check" part when Tag is 0 and its "radiobutton" part otherwise.
#pragma once

#include <string>
#include <string_view>

namespace dw {

class TTreeViewItem;
class TCheckBox;
class TRadioButton;

// IsChecked of the item's selector; the item's own IsChecked before its style is applied.
bool IsItemChecked(const TTreeViewItem& item);
// Sets the item's IsChecked, then its selector, if it has one.
void SetItemChecked(TTreeViewItem& item, bool value);
// Sets the GroupName of the item's "radiobutton" part, if it has one.
void SetItemRadioGroup(TTreeViewItem& item, const std::u16string& name);
// The item's style part of that name, only if it exists and is a radio button.
bool FindRadioPart(const TTreeViewItem& item, const std::string& partName, TRadioButton*& part);
// The same for a check box part ("check").
bool FindCheckPart(const TTreeViewItem& item, const std::string& partName, TCheckBox*& part);
// The length of text less the length of text with every occurrence of separator removed,
// ASCII letters compared without case: for a one-character separator, the number of
// occurrences.
int CountOccurrences(std::u16string_view separator, std::u16string_view text);

}  // namespace dw
