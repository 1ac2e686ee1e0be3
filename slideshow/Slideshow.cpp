#include "slideshow/Slideshow.h"

#include <cmath>
#include <stdexcept>
#include <vector>

#include "form/WizardForm.h"
#include "plugin/PluginError.h"
#include "plugin/PluginState.h"
#include "slideshow/SlidePicture.h"
#include "toolkit/FloatAnimation.h"
#include "toolkit/Image.h"
#include "toolkit/Timer.h"

namespace dw {

namespace {

// A tile is 256 x 64 pixels; eight take well under a millisecond, and a Full HD slide at
// twice the size is ready about half a second after the step before it.
constexpr int kTilesPerPreparation = 8;
constexpr std::uint32_t kPreparationIntervalMs = 20;

}  // namespace

int NextSlideIndex(int index, int total) {
  return index + 1 < total ? index + 1 : 0;
}

Slideshow::Slideshow(TWizardForm& form)
    : form_(form),
      background_(form.Find<Control>("Background")),
      slide1_(form.Find<TFloatAnimation>("Slide1")),
      slide2_(form.Find<TFloatAnimation>("Slide2")),
      fade_(form.Find<TFloatAnimation>("SlideFade")),
      timer_(form.Find<TTimer>("Timer1")),
      prepare_timer_(new TTimer(&form)) {
  prepare_timer_->SetEnabled(false);
  prepare_timer_->SetInterval(kPreparationIntervalMs);
  prepare_timer_->OnTimer = [this](Component*) { PrepareTimer(); };
}

TImage* Slideshow::NewSlide() {
  if (background_ == nullptr) return nullptr;
  auto* slide = new TImage(background_);
  State().Slides.push_back(slide);
  slide->SetParent(background_);
  return slide;
}

Slideshow::Box Slideshow::ShownBox() const {
  const float scale = form_.Window() != nullptr ? form_.Window()->Scale() : 1.0f;
  return {static_cast<int>(std::lround(kSlideWidth * scale)),
          static_cast<int>(std::lround(kSlideHeight * scale))};
}

void Slideshow::PlaceSlide(TImage& slide, std::size_t index) {
  const Box box = ShownBox();
  Bitmap reduced;
  if (ReduceToFit(slide.Picture(), box.width, box.height, reduced)) {
    slide.SetBitmap(std::move(reduced));
  }
  slide.SetSize(kSlideWidth, kSlideHeight);
  slide.SetPosition({0, kSlideTop});
  if (index > 0) slide.SetOpacity(0);
}

void Slideshow::AddFromBytes(const std::uint8_t* buffer, std::int32_t count) {
  // The caller's buffer is read once, into a copy of our own.
  std::vector<std::uint8_t> bytes;
  if (count > 0) bytes.assign(buffer, buffer + count);
  TImage* slide = NewSlide();
  if (slide == nullptr) return;
  const std::size_t index = State().Slides.size() - 1;
  // No bytes: an empty picture, which is not an error.
  // A picture far larger than its box may be decoded straight to the box's size.
  const Box box = ShownBox();
  if (!bytes.empty() && !slide->LoadFromBytes(bytes.data(), bytes.size(), box.width, box.height)) {
    throw PluginError{u"Loading bitmap failed."};
  }
  bytes = {};
  PlaceSlide(*slide, index);
}

void Slideshow::AddFromFile(const std::u16string& fileName) {
  TImage* slide = NewSlide();
  if (slide == nullptr) return;
  const std::size_t index = State().Slides.size() - 1;
  const Box box = ShownBox();
  if (!slide->LoadFromFile(fileName, box.width, box.height)) {
    throw PluginError{u"Loading bitmap failed (" + fileName + u")."};
  }
  PlaceSlide(*slide, index);
}

void Slideshow::Start() {
  PluginState& state = State();
  state.CurrentSlide = 0;
  // Two slides are not enough: the first stands still and the second is never seen.
  if (state.Slides.size() <= 2) return;
  if (slide1_ == nullptr || timer_ == nullptr) return;
  slide1_->SetParent(state.Slides[0]);
  slide1_->Start();
  timer_->SetEnabled(true);
  PrepareSlide(NextSlideIndex(0, static_cast<int>(state.Slides.size())));
}

void Slideshow::PrepareSlide(int index) {
  prepared_slide_ = index;
  prepare_timer_->SetEnabled(true);
}

void Slideshow::PrepareTimer() {
  const std::vector<TImage*>& slides = State().Slides;
  const bool running = timer_ != nullptr && timer_->Enabled();
  if (!running || prepared_slide_ < 0 ||
      static_cast<std::size_t>(prepared_slide_) >= slides.size() ||
      slides[static_cast<std::size_t>(prepared_slide_)]->PrepareForDrawing(kTilesPerPreparation)) {
    prepare_timer_->SetEnabled(false);
  }
}

void Slideshow::Timer1Timer() {
  // An error inside a step ends the slideshow quietly: the timer stays off if it came
  // before the timer was enabled again.
  try {
    Step();
  } catch (...) {
  }
}

void Slideshow::Step() {
  if (timer_ == nullptr || fade_ == nullptr || slide1_ == nullptr || slide2_ == nullptr) {
    throw std::logic_error("slideshow controls missing");
  }
  timer_->SetEnabled(false);
  PluginState& state = State();
  // Slides added since the last step join the rotation: the count is read anew.
  const int next = NextSlideIndex(state.CurrentSlide, static_cast<int>(state.Slides.size()));
  TImage* incoming = state.Slides.at(static_cast<std::size_t>(next));
  incoming->SetX(0);
  incoming->SetOpacity(0);
  incoming->BringToFront();
  fade_->SetParent(incoming);
  fade_->Start();
  // The two pans alternate; the outgoing slide goes on panning during the fade.
  TImage* outgoing = state.Slides.at(static_cast<std::size_t>(state.CurrentSlide));
  TFloatAnimation* pan = slide2_->Parent() == outgoing ? slide1_ : slide2_;
  pan->SetParent(incoming);
  pan->Start();
  state.CurrentSlide = next;
  timer_->SetEnabled(true);
  PrepareSlide(NextSlideIndex(next, static_cast<int>(state.Slides.size())));
}

}  // namespace dw
