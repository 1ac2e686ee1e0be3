// The "<AppName>" placeholder pass and the two credits lists.
#pragma once

#include <string>

namespace dw {

class TWizardForm;
class TLabel;
class TLayout;

// Replaces every "<AppName>" (ASCII letters in any case) in the label's text by appName and
// assigns the text back, also when nothing was replaced. The inserted name is not searched
// again.
void ReplaceAppNamePlaceholder(TLabel& label, const std::u16string& appName);

// The text with every placeholder replaced; the pure part of the pass above.
std::u16string ReplaceAppName(const std::u16string& text, const std::u16string& appName);

class CreditsLists {
 public:
  explicit CreditsLists(TWizardForm& form);
  // func14 (list 0, Layout9) and func15 (list 1, Layout10): one 24-px line "● name".
  void AddLine(int list, const std::u16string& name);

 private:
  TLayout* lists_[2] = {nullptr, nullptr};
};

}  // namespace dw
