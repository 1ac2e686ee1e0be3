// The background slideshow: slides from bytes and files with their errors, pictures kept at
// the size they are shown at, and the timeline of pans and cross-fades on the virtual clock.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "form/WizardForm.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginError.h"
#include "plugin/PluginState.h"
#include "slideshow/SlidePicture.h"
#include "slideshow/Slideshow.h"
#include "toolkit/FloatAnimation.h"
#include "toolkit/Image.h"
#include "toolkit/Timer.h"
#include "toolkit/render/Canvas.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include "stb_image_write.h"

namespace dw {
namespace {

// A 24-bit BMP of one colour, written directly (large pictures in no time).
std::vector<std::uint8_t> SolidBmp(int width, int height, std::uint32_t argb) {
  return testing::MakeBmp(width, height, [argb](int, int) { return argb & 0xFFFFFF; });
}

// A picture file of one colour, as the host's script would pass it: PNG, or BMP where the
// picture is large.
std::vector<std::uint8_t> SolidPicture(int width, int height, std::uint32_t argb) {
  if (static_cast<long>(width) * height > 1'000'000) return SolidBmp(width, height, argb);
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = static_cast<std::uint8_t>(argb >> 16);
    rgba[i + 1] = static_cast<std::uint8_t>(argb >> 8);
    rgba[i + 2] = static_cast<std::uint8_t>(argb);
    rgba[i + 3] = static_cast<std::uint8_t>(argb >> 24);
  }
  std::vector<std::uint8_t> png;
  stbi_write_png_to_func(
      [](void* context, void* data, int size) {
        auto* out = static_cast<std::vector<std::uint8_t>*>(context);
        auto* bytes = static_cast<std::uint8_t*>(data);
        out->insert(out->end(), bytes, bytes + size);
      },
      &png, width, height, 4, rgba.data(), width * 4);
  return png;
}

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

class SlideshowTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateForm(); }
  void TearDown() override { ResetPluginState(); }
  void CreateForm() {
    ResetPluginState();
    State().WizardForm = std::make_unique<TWizardForm>();
  }

  TWizardForm& Form() { return *State().WizardForm; }
  Slideshow& Show() { return Form().Slides(); }
  std::vector<TImage*>& Slides() { return State().Slides; }
  TImage& Slide(int index) { return *Slides().at(static_cast<std::size_t>(index)); }
  Control& Background() { return *Form().Find<Control>("Background"); }
  TFloatAnimation& Anim(const char* name) { return *Form().Find<TFloatAnimation>(name); }
  TTimer& Timer1() { return *Form().Find<TTimer>("Timer1"); }
  void AddSlide(std::uint32_t argb, int width = 64, int height = 36) {
    std::vector<std::uint8_t> png = SolidPicture(width, height, argb);
    Show().AddFromBytes(png.data(), static_cast<std::int32_t>(png.size()));
  }
  std::u16string AddError(const std::uint8_t* bytes, std::int32_t count) {
    try {
      Show().AddFromBytes(bytes, count);
    } catch (const PluginError& error) {
      return error.message;
    }
    return u"";
  }
  // Until the clock reads `ms` since the test began.
  void AdvanceTo(std::uint64_t ms) { sim_.Advance(ms - sim_.NowMs()); }
  // Which pan animation is on the slide, "" for none.
  std::string PanOn(TImage& slide) {
    if (Anim("Slide1").Parent() == &slide) return "Slide1";
    if (Anim("Slide2").Parent() == &slide) return "Slide2";
    return "";
  }

  sim::SimulatedPlatform sim_;
};

TEST_F(SlideshowTest, SlidesAreBoxedUnderBackgroundAndOnlyTheFirstIsOpaque) {
  AddSlide(kRed);
  AddSlide(kGreen);
  AddSlide(kBlue);
  ASSERT_EQ(Slides().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    TImage& slide = Slide(i);
    EXPECT_EQ(slide.Owner(), &Background());
    EXPECT_EQ(slide.Parent(), &Background());
    EXPECT_FLOAT_EQ(slide.Width(), 1280);
    EXPECT_FLOAT_EQ(slide.Height(), 720);
    EXPECT_FLOAT_EQ(slide.Position().X, 0);
    EXPECT_FLOAT_EQ(slide.Position().Y, -88);
    EXPECT_FLOAT_EQ(slide.Opacity(), i == 0 ? 1.0f : 0.0f);
    // Small pictures are kept as they are; the image control fits them when drawing.
    EXPECT_EQ(slide.Picture().width, 64);
    EXPECT_EQ(slide.Picture().height, 36);
  }
  // A later slide lies above the earlier ones.
  EXPECT_EQ(Background().Children().back(), &Slide(2));
  EXPECT_LT(Slide(0).IndexInParent(), Slide(1).IndexInParent());
}

TEST_F(SlideshowTest, NoBytesGiveAnEmptySlideWithoutError) {
  const std::uint8_t byte = 0;
  EXPECT_EQ(AddError(nullptr, 0), u"");
  EXPECT_EQ(AddError(&byte, -5), u"");
  ASSERT_EQ(Slides().size(), 2u);
  EXPECT_TRUE(Slide(0).Picture().IsEmpty());
  EXPECT_FLOAT_EQ(Slide(1).Width(), 1280);
  EXPECT_FLOAT_EQ(Slide(1).Position().Y, -88);
  EXPECT_FLOAT_EQ(Slide(1).Opacity(), 0);
}

TEST_F(SlideshowTest, UndecodableBytesLeaveADefaultSlideAndFail) {
  AddSlide(kRed);
  const std::vector<std::uint8_t> junk = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
  EXPECT_EQ(AddError(junk.data(), static_cast<std::int32_t>(junk.size())),
            u"Loading bitmap failed.");
  ASSERT_EQ(Slides().size(), 2u);
  TImage& broken = Slide(1);
  TImage fresh(nullptr);
  EXPECT_EQ(broken.Parent(), &Background());
  EXPECT_TRUE(broken.Picture().IsEmpty());
  EXPECT_FLOAT_EQ(broken.Width(), fresh.Width());
  EXPECT_FLOAT_EQ(broken.Height(), fresh.Height());
  EXPECT_FLOAT_EQ(broken.Position().Y, fresh.Position().Y);
  EXPECT_FLOAT_EQ(broken.Opacity(), 1);
}

TEST_F(SlideshowTest, FilesLoadAndFailWithTheirName) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("dw_slide_" + std::to_string(::getpid()) + ".png");
  {
    std::vector<std::uint8_t> png = SolidPicture(40, 30, kGreen);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  }
  const std::u16string name = file.u16string();
  Show().AddFromFile(name);
  std::filesystem::remove(file);
  ASSERT_EQ(Slides().size(), 1u);
  EXPECT_EQ(Slide(0).Picture().width, 40);
  EXPECT_FLOAT_EQ(Slide(0).Width(), 1280);

  std::u16string message;
  try {
    Show().AddFromFile(name);
  } catch (const PluginError& error) {
    message = error.message;
  }
  EXPECT_EQ(message, u"Loading bitmap failed (" + name + u").");
  ASSERT_EQ(Slides().size(), 2u);
  EXPECT_TRUE(Slide(1).Picture().IsEmpty());
  EXPECT_FLOAT_EQ(Slide(1).Opacity(), 1);
}

struct ReductionCase {
  int width, height;
  float scale;
  int expectedWidth, expectedHeight;
};

TEST_F(SlideshowTest, LargePicturesAreKeptOnlyAtTheSizeTheyAreShown) {
  const ReductionCase cases[] = {
      {2560, 1440, 1, 1280, 720}, {1600, 1200, 1, 960, 720},      {2000, 500, 1, 1280, 320},
      {1280, 720, 1, 1280, 720},  {640, 360, 1, 640, 360},        {1920, 1080, 2, 1920, 1080},
      {3000, 1000, 2, 2560, 853}, {2000, 1500, 1.5f, 1440, 1080},
  };

  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                 std::to_string(c.scale));
    sim_.scale = c.scale;
    CreateForm();
    AddSlide(kBlue, c.width, c.height);
    const Bitmap& picture = Slide(0).Picture();
    EXPECT_EQ(picture.width, c.expectedWidth);
    EXPECT_EQ(picture.height, c.expectedHeight);
    ASSERT_FALSE(picture.IsEmpty());
    EXPECT_EQ(picture.pixels[picture.pixels.size() / 2], kBlue);
  }
}

TEST(SlidePictureTest, AreaAverageWeighsColoursByAlpha) {
  Bitmap source;
  source.width = 4;
  source.height = 2;
  // Left half: opaque white and black; right half: transparent red and opaque blue.
  source.pixels = {kWhite, 0xFF000000, 0x00FF0000, kBlue, kWhite, 0xFF000000, 0x00FF0000, kBlue};
  Bitmap reduced;
  ASSERT_TRUE(ReduceToFit(source, 2, 1, reduced));
  ASSERT_EQ(reduced.width, 2);
  ASSERT_EQ(reduced.height, 1);
  EXPECT_EQ(reduced.pixels[0], 0xFF808080u);
  // The transparent red adds nothing of its colour, only its transparency.
  EXPECT_EQ(reduced.pixels[1], 0x800000FFu);
  EXPECT_FALSE(ReduceToFit(source, 4, 2, reduced));
}

TEST(SlideshowIndexTest, NextSlideWrapsToTheFirst) {
  const int cases[][3] = {{0, 3, 1}, {1, 3, 2}, {2, 3, 0}, {2, 4, 3},
                          {0, 1, 0}, {0, 0, 0}, {99, 3, 0}};
  for (const auto& c : cases) EXPECT_EQ(NextSlideIndex(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
}

TEST_F(SlideshowTest, ThreeSlidesPanAndCrossFadeEveryThirtySeconds) {
  AddSlide(kRed);
  AddSlide(kGreen);
  AddSlide(kBlue);
  Show().Start();
  EXPECT_TRUE(Timer1().Enabled());
  EXPECT_EQ(PanOn(Slide(0)), "Slide1");
  EXPECT_EQ(State().CurrentSlide, 0);

  AdvanceTo(16'000);
  EXPECT_NEAR(Slide(0).Position().X, -213, 1.5);
  EXPECT_FLOAT_EQ(Slide(1).Opacity(), 0);

  AdvanceTo(30'000);
  EXPECT_EQ(State().CurrentSlide, 1);
  EXPECT_FLOAT_EQ(Slide(1).Position().X, 0);
  EXPECT_FLOAT_EQ(Slide(1).Opacity(), 0);
  EXPECT_EQ(Background().Children().back(), &Slide(1));
  EXPECT_EQ(Anim("SlideFade").Parent(), &Slide(1));
  EXPECT_EQ(PanOn(Slide(1)), "Slide2");
  EXPECT_TRUE(Anim("Slide1").Running());  // the outgoing slide pans on during the fade

  AdvanceTo(31'000);
  EXPECT_NEAR(Slide(1).Opacity(), 0.5, 0.02);
  AdvanceTo(32'000);
  EXPECT_FLOAT_EQ(Slide(1).Opacity(), 1);
  EXPECT_FLOAT_EQ(Slide(0).Position().X, -426);
  EXPECT_FALSE(Anim("Slide1").Running());

  // The picture area now shows slide 1 under the dark overlay.
  {
    Canvas canvas(854, 512, 1.0f);
    Form().RenderTo(canvas);
    const std::uint32_t pixel = canvas.PixelAt(427, 400);
    EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xFF), 155, 3);
    EXPECT_LE(static_cast<int>((pixel >> 16) & 0xFF), 3);
  }

  AdvanceTo(60'000);
  EXPECT_EQ(State().CurrentSlide, 2);
  EXPECT_EQ(Background().Children().back(), &Slide(2));
  EXPECT_EQ(PanOn(Slide(2)), "Slide1");
  AdvanceTo(62'000);
  EXPECT_FLOAT_EQ(Slide(2).Opacity(), 1);
  // A slide that has had its turn stays panned out and opaque under the newer ones.
  EXPECT_FLOAT_EQ(Slide(1).Position().X, -426);
  EXPECT_FLOAT_EQ(Slide(1).Opacity(), 1);

  AdvanceTo(90'000);
  EXPECT_EQ(State().CurrentSlide, 0);
  EXPECT_FLOAT_EQ(Slide(0).Position().X, 0);
  EXPECT_FLOAT_EQ(Slide(0).Opacity(), 0);
  EXPECT_EQ(Background().Children().back(), &Slide(0));
  EXPECT_EQ(PanOn(Slide(0)), "Slide2");

  AdvanceTo(120'000);
  EXPECT_EQ(State().CurrentSlide, 1);
  EXPECT_EQ(PanOn(Slide(1)), "Slide1");
  EXPECT_TRUE(Timer1().Enabled());
}

TEST_F(SlideshowTest, FewerThanThreeSlidesStandStill) {
  for (int count = 0; count <= 2; ++count) {
    SCOPED_TRACE(count);
    CreateForm();
    for (int i = 0; i < count; ++i) AddSlide(i == 0 ? kRed : kGreen);
    Show().Start();
    EXPECT_FALSE(Timer1().Enabled());
    sim_.Advance(100'000);
    EXPECT_FALSE(Timer1().Enabled());
    EXPECT_EQ(State().CurrentSlide, 0);
    EXPECT_EQ(Anim("Slide1").Parent(), &Background());
    if (count >= 1) {
      EXPECT_FLOAT_EQ(Slide(0).Position().X, 0);
      EXPECT_FLOAT_EQ(Slide(0).Opacity(), 1);
    }
    if (count == 2) {
      EXPECT_FLOAT_EQ(Slide(1).Opacity(), 0);
    }
  }
}

TEST_F(SlideshowTest, SlidesAddedLaterNeverStartAStillShow) {
  AddSlide(kRed);
  AddSlide(kGreen);
  Show().Start();
  AddSlide(kBlue);
  sim_.Advance(100'000);
  EXPECT_FALSE(Timer1().Enabled());
  EXPECT_FLOAT_EQ(Slide(2).Opacity(), 0);
}

TEST_F(SlideshowTest, FourthSlideAddedWhileTheThirdIsCurrentComesNext) {
  AddSlide(kRed);
  AddSlide(kGreen);
  AddSlide(kBlue);
  Show().Start();
  AdvanceTo(60'000);
  ASSERT_EQ(State().CurrentSlide, 2);
  AddSlide(kWhite);
  EXPECT_FLOAT_EQ(Slide(3).Opacity(), 0);
  AdvanceTo(90'000);
  EXPECT_EQ(State().CurrentSlide, 3);
  EXPECT_EQ(Background().Children().back(), &Slide(3));
  AdvanceTo(92'000);
  EXPECT_FLOAT_EQ(Slide(3).Opacity(), 1);
  AdvanceTo(120'000);
  EXPECT_EQ(State().CurrentSlide, 0);
}

TEST_F(SlideshowTest, BrokenSecondSlideTakesItsTurnShowingNothing) {
  AddSlide(kRed);
  const std::uint8_t junk[] = {1, 2, 3, 4};
  EXPECT_EQ(AddError(junk, 4), u"Loading bitmap failed.");
  AddSlide(kBlue);
  EXPECT_FLOAT_EQ(Slide(1).Opacity(), 1);
  Show().Start();
  AdvanceTo(30'000);
  EXPECT_EQ(State().CurrentSlide, 1);
  EXPECT_EQ(Background().Children().back(), &Slide(1));
  AdvanceTo(32'000);
  EXPECT_FLOAT_EQ(Slide(1).Opacity(), 1);
  EXPECT_TRUE(Slide(1).Picture().IsEmpty());
  // With nothing of its own to show, the first slide still shows through it.
  {
    Canvas canvas(854, 512, 1.0f);
    Form().RenderTo(canvas);
    EXPECT_NEAR(static_cast<int>((canvas.PixelAt(427, 400) >> 16) & 0xFF), 155, 3);
  }
  AdvanceTo(60'000);
  EXPECT_EQ(State().CurrentSlide, 2);
  EXPECT_TRUE(Timer1().Enabled());
}

TEST_F(SlideshowTest, ErrorInsideAStepStopsTheShowQuietly) {
  AddSlide(kRed);
  AddSlide(kGreen);
  AddSlide(kBlue);
  Show().Start();
  // A current slide that is no entry: the step fails after the timer went off.
  State().CurrentSlide = 7;
  AdvanceTo(30'000);
  EXPECT_FALSE(Timer1().Enabled());
  AdvanceTo(120'000);
  EXPECT_EQ(State().CurrentSlide, 7);
  EXPECT_FALSE(Timer1().Enabled());
}

}  // namespace
}  // namespace dw
