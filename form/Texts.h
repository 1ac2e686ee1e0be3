// The "<AppName>" placeholder pass and the two credits lists.
#pragma once

#include <string>

namespace dw {

class TWizardForm;
class TLabel;

// Replaces every "<AppName>" (any letter case) in the label's text and assigns it back.
void ReplaceAppNamePlaceholder(TLabel& label, const std::u16string& appName);

class CreditsLists {
 public:
  explicit CreditsLists(TWizardForm& form);
  // func14 (list 0, Layout9) and func15 (list 1, Layout10).
  void AddLine(int list, const std::u16string& name);

 private:
  TWizardForm& form_;
};

}  // namespace dw
