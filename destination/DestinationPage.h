// The destination page: directory, drive gauge, space lines, the space test on Next, the
// search button and the two shortcut switches.
#pragma once

#include <string>

#include "toolkit/Component.h"

namespace dw {

class TWizardForm;
class TArc;
class TButton;
class TEdit;
class TLabel;
class TSwitch;
class TTabControl;

class DestinationPage {
 public:
  explicit DestinationPage(TWizardForm& form);
  // Recomputes the space lines and the drive gauge from Edit1's directory, and on the
  // destination page decides whether Next may be pressed.
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
  TEdit* edit1_ = nullptr;
  TArc* arc6_ = nullptr;
  TLabel* label28_ = nullptr;  // free space inside the gauge
  TLabel* label30_ = nullptr;  // required space line
  TLabel* label33_ = nullptr;  // free space line
  TButton* button3_ = nullptr;
  TTabControl* tabControl3_ = nullptr;
  TTabControl* tabControl4_ = nullptr;
  TSwitch* switch1_ = nullptr;
  TSwitch* switch2_ = nullptr;
  TLabel* label21_ = nullptr;
  TLabel* label24_ = nullptr;
};

}  // namespace dw
