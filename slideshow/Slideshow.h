// The background slideshow: slides from memory or files, the pan and the cross-fade.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dw {

class TWizardForm;
class TImage;
class TFloatAnimation;
class TTimer;
class Control;

// Index + 1 when Index + 1 < Total, otherwise 0.
int NextSlideIndex(int index, int total);

class Slideshow {
 public:
  // A slide's box under Background; it reaches 88 px above the picture area.
  static constexpr float kSlideWidth = 1280;
  static constexpr float kSlideHeight = 720;
  static constexpr float kSlideTop = -88;

  explicit Slideshow(TWizardForm& form);
  // func12; throws PluginError "Loading bitmap failed." after adding the empty slide.
  void AddFromBytes(const std::uint8_t* buffer, std::int32_t count);
  // func13; throws PluginError "Loading bitmap failed (<file>)." after adding the empty slide.
  void AddFromFile(const std::u16string& fileName);
  // The first step of FormShow.
  void Start();
  void Timer1Timer();

 private:
  // The new slide, last in Slides and on top under Background; null without Background.
  TImage* NewSlide();
  // Keeps the loaded picture only at the size the slide shows it, then gives the slide its
  // box, and full opacity only to the first slide.
  void PlaceSlide(TImage& slide, std::size_t index);
  // The size a slide is shown at on the window, physical pixels.
  struct Box {
    int width = 0;
    int height = 0;
  };
  Box ShownBox() const;
  void Step();
  // Resamples the slide that comes next a few tiles at a time, on a timer of its own, so
  // that the step to it costs no more than any other frame.
  void PrepareSlide(int index);
  void PrepareTimer();

  TWizardForm& form_;
  Control* background_ = nullptr;
  TFloatAnimation* slide1_ = nullptr;
  TFloatAnimation* slide2_ = nullptr;
  TFloatAnimation* fade_ = nullptr;
  TTimer* timer_ = nullptr;
  TTimer* prepare_timer_ = nullptr;
  int prepared_slide_ = -1;
};

}  // namespace dw
