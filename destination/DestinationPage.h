// The destination page: directory, drive gauge, space lines, the space test on Next, the
// search button and the two shortcut switches.
#pragma once

#include <string>

#include "toolkit/Component.h"

namespace dw {

class TWizardForm;

class DestinationPage {
 public:
  explicit DestinationPage(TWizardForm& form);
  void Edit1Change();
  void SearchEditButton1Click();
  void SwitchChanged(Component* sender);
  // The last step of FormShow: RequiredSpaceMB and Label30; throws PluginError when the
  // text is not an integer.
  void RequiredSpaceStep();
  // func04.
  void SetDirectory(const std::u16string& directory);
  // func11.
  bool ShortcutSwitch(bool desktop);

 private:
  TWizardForm& form_;
};

}  // namespace dw
