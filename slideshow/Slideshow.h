// The background slideshow: slides from memory or files, the pan and the cross-fade.
#pragma once

#include <cstdint>
#include <string>

namespace dw {

class TWizardForm;

class Slideshow {
 public:
  explicit Slideshow(TWizardForm& form);
  // func12; throws PluginError "Loading bitmap failed." after adding the empty slide.
  void AddFromBytes(const std::uint8_t* buffer, std::int32_t count);
  // func13; throws PluginError "Loading bitmap failed (<file>)." after adding the empty slide.
  void AddFromFile(const std::u16string& fileName);
  // The first step of FormShow.
  void Start();
  void Timer1Timer();

 private:
  TWizardForm& form_;
};

}  // namespace dw
