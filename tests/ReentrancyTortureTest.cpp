// Re-entrancy torture on the simulated platform. The host answers every message the form
// sends it (the clicks of its Next and Browse buttons, WM_CLOSE, SC_MINIMIZE, SC_MOVE) by
// calling exports again, pressing the form's buttons or running a modal loop of its own,
// and a timer on the message loop does the same from inside the nested loops of the slides.
// A seeded pseudo-random script picks every move, so a failure names its seed and replays.
//
// Whatever the order: no crash, no error but the documented ones reaches the host,
// InstallReady never goes back, and once the host calms down the stages, buttons, header
// and slides are consistent and the form still answers a press.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ScriptedHost.h"
#include "platform/SystemApi.h"
#include "toolkit/Control.h"
#include "toolkit/Image.h"
#include "toolkit/render/PngWriter.h"

namespace dw::testing {
namespace {

// SplitMix64: the same numbers on every machine and standard library.
class Script {
 public:
  explicit Script(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

 private:
  std::uint64_t state_;
};

// The errors a host may see: the documented ones, nothing internal.
bool IsDocumentedError(const std::u16string& message) {
  auto startsWith = [&message](const std::u16string& prefix) {
    return message.rfind(prefix, 0) == 0;
  };
  auto endsWith = [&message](const std::u16string& suffix) {
    return message.size() >= suffix.size() &&
           message.compare(message.size() - suffix.size(), suffix.size(), suffix) == 0;
  };
  return startsWith(u"List index out of bounds (") || message == u"Loading bitmap failed." ||
         (startsWith(u"Loading bitmap failed (") && endsWith(u").")) ||
         endsWith(u"' is not a valid integer value");
}

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t unit : text) out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return out;
}

class ReentrancyTortureTest : public ScriptedHostTest,
                              public ::testing::WithParamInterface<std::uint64_t> {
 protected:
  static constexpr int kTopLevelSteps = 60;
  static constexpr int kMaxDepth = 3;

  Script script{GetParam()};
  int depth = 0;
  // While calm, the host only reports its installing step and the timer does nothing.
  bool calm = false;
  bool finalised = false;
  int actions = 0;
  std::uint8_t installReadySeen = 0;
  std::vector<std::string> trail;      // the latest moves, for the failure message
  std::map<std::string, int> reached;  // host reactions and timer moves inside slides
  std::vector<std::uint8_t> picture;
  std::u16string pictureFile;
  MessageLoop::TimerId tortureTimer = 0;

  void SetUp() override {
    ScriptedHostTest::SetUp();
    MakePicture();
    sim.SetHandler(next, [this](unsigned message, std::uintptr_t, std::intptr_t) {
      if (message != win::kWmLButtonUp) return std::intptr_t{0};
      ++nextClicks;
      // The host reaches its installing step sooner or later.
      if (calm || nextClicks % 40 == 0 || script.Chance(15)) func05();
      if (calm) return std::intptr_t{0};
      // Now and then the whole installation fails or ends inside the click.
      if (script.Chance(Stages().TabIndex() == 3 ? 35 : 10)) {
        Note("host: outcome inside the click");
        func07(script.Chance(50) ? 1 : 0);
      }
      HostReacts("next click");
      return std::intptr_t{0};
    });
    sim.SetHandler(browse, [this](unsigned message, std::uintptr_t, std::intptr_t) {
      if (message != win::kWmLButtonUp || calm) return std::intptr_t{0};
      // The host's directory dialog: a modal loop, then the new directory.
      sim.Advance(static_cast<std::uint64_t>(script.Below(200)));
      func04(script.Chance(50) ? "D:\\Chosen" : "Q:\\Gone");
      HostReacts("browse click");
      return std::intptr_t{0};
    });
    sim.SetHandler(wizard, [this](unsigned message, std::uintptr_t wParam, std::intptr_t) {
      if (calm) return std::intptr_t{0};
      if (message == win::kWmClose) {
        // "Exit setup?" is a modal loop of its own.
        sim.Advance(static_cast<std::uint64_t>(script.Below(300)));
        HostReacts("WM_CLOSE");
      } else if (message == win::kWmSysCommand) {
        HostReacts((wParam & 0xFFF0u) == win::kScMinimize ? "SC_MINIMIZE" : "SC_MOVE");
      }
      return std::intptr_t{0};
    });
  }

  void TearDown() override {
    if (tortureTimer != 0) sim.StopTimer(tortureTimer);
    ScriptedHostTest::TearDown();
  }

  void MakePicture() {
    const std::uint32_t pixels[16] = {0xFF102030, 0xFF405060, 0x80FFFFFF, 0x00000000,
                                      0xFF000000, 0xFFFFFFFF, 0xFF808080, 0xFF123456,
                                      0xFF654321, 0xFFABCDEF, 0xFFFEDCBA, 0xFF0F0F0F,
                                      0xFFF0F0F0, 0xFF00FF00, 0xFFFF0000, 0xFF0000FF};
    const std::string path = ::testing::TempDir() + "reentrancy_torture.png";
    ASSERT_TRUE(WritePng(path, pixels, 4, 4));
    std::ifstream file(path, std::ios::binary);
    picture.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    ASSERT_FALSE(picture.empty());
    pictureFile.assign(path.begin(), path.end());
  }

  void Note(const std::string& move) {
    if (move.rfind("host: ", 0) == 0 || move.rfind("timer during", 0) == 0) ++reached[move];
    ++actions;
    if (trail.size() == 40) trail.erase(trail.begin());
    trail.push_back(std::string(static_cast<std::size_t>(depth) * 2, ' ') + move);
  }

  // The host's script runs while it handles one of our messages.
  void HostReacts(const char* where) {
    if (depth >= kMaxDepth) return;
    ++depth;
    Note(std::string("host: ") + where);
    const int count = script.Below(3);
    for (int i = 0; i < count; ++i) RandomMove();
    CheckInstallReady();
    --depth;
  }

  void CheckInstallReady() {
    EXPECT_GE(State().InstallReady, installReadySeen) << "InstallReady went back";
    EXPECT_LE(State().InstallReady, 1);
    installReadySeen = State().InstallReady;
  }

  // Presses the control as a person would: move there, press, release.
  void PressControl(const char* name) {
    Control* control = Form().Find<Control>(name);
    ASSERT_NE(control, nullptr) << name;
    const RectF box = control->AbsoluteRect();
    const float x = (box.Left + box.Right) / 2;
    const float y = (box.Top + box.Bottom) / 2;
    Form().MouseMove(x, y);
    Form().MouseDown(MouseButton::Left, x, y);
    // The press may have nested anything, the form's own state included: re-read it.
    Form().MouseUp(MouseButton::Left, x, y);
  }

  void CallWithHostText(void (*exportFunction)(DuskwizardHostString), const char16_t* text) {
    exportFunction(HostText(text).get());
  }

  // One move of the user or the host's script, picked by weight.
  void RandomMove() {
    static const char16_t* const kPaths[] = {u"Core",
                                             u"Core>Engine",
                                             u"Extras",
                                             u"Extras>Music",
                                             u"Extras>Music>Flac",
                                             u"Tools",
                                             u"core>ENGINE",
                                             u"",
                                             u">",
                                             u"Extras>>Music"};
    static const char16_t* const kQueries[] = {
        u"Core", u"Extras>Music", u"1", u"2", u"0", u"99", u"0x1", u"nothing", u"Tools>", u""};
    static const char16_t* const kSpaces[] = {u"1024", u"10", u"999999999", u"abc", u"-5"};
    static const char* const kDirectories[] = {"D:\\Games\\Nightfall", "D:", "Q:\\Nowhere", "",
                                               "d:\\other"};
    enum Move {
      kFunc01,
      kFunc02,
      kFunc03,
      kFunc04,
      kFunc05,
      kFunc06,
      kFunc07,
      kFunc08,
      kFunc09,
      kFunc10,
      kFunc11,
      kFunc12,
      kFunc13,
      kFunc14,
      kFunc15,
      kPressNext,
      kPressBack,
      kPressClose,
      kPressMinimise,
      kPressTitleBar,
      kBrowse,
      kSwitch,
      kModalLoop,
      kClickAnywhere,
      kMoveCount
    };
    // Next far more often than the rest, so that runs reach the installation loop.
    static const int kWeights[kMoveCount] = {2, 2, 2, 4,  1, 6, 2, 2, 4, 4, 3, 2,
                                             2, 2, 2, 16, 5, 3, 3, 3, 4, 2, 4, 6};
    int total = 0;
    for (int weight : kWeights) total += weight;
    int roll = script.Below(total);
    int move = 0;
    while (roll >= kWeights[move]) roll -= kWeights[move++];

    switch (static_cast<Move>(move)) {
      case kFunc01:
        Note("func01");
        func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
        break;
      case kFunc02:
        Note("func02");
        func02();
        break;
      case kFunc03:
        Note("func03");
        func03();
        break;
      case kFunc04:
        Note("func04");
        func04(script.Pick(kDirectories));
        break;
      case kFunc05:
        Note("func05");
        func05();
        break;
      case kFunc06: {
        Note("func06");
        const int total = script.Below(5) == 0 ? 0 : 1 + script.Below(1000);
        func06(script.Chance(50) ? "Copying files" : nullptr, "data.pak", script.Below(1200) - 100,
               total);
        break;
      }
      case kFunc07:
        Note("func07");
        func07(script.Chance(50) ? 1 : 0x100);
        break;
      case kFunc08:
        Note("func08");
        func08(HostText(u"Nightfall").get(), HostText(script.Pick(kSpaces)).get());
        break;
      case kFunc09:
        Note("func09");
        func09(HostText(script.Pick(kPaths)).get(), script.Below(100), script.Below(3),
               script.Chance(20) ? 1 : 0);
        break;
      case kFunc10: {
        Note("func10");
        const std::int32_t answer = func10(HostText(script.Pick(kQueries)).get());
        EXPECT_TRUE(answer == 0 || answer == 1);
        break;
      }
      case kFunc11: {
        Note("func11");
        const std::int32_t answer = func11(script.Chance(50) ? 1 : 0);
        EXPECT_TRUE(answer == 0 || answer == 1);
        break;
      }
      case kFunc12:
        Note("func12");
        // Now and then a picture cut short, which fails to decode.
        func12(picture.data(), script.Chance(70) ? static_cast<std::int32_t>(picture.size()) : 10);
        break;
      case kFunc13:
        Note("func13");
        CallWithHostText(func13, script.Chance(70) ? pictureFile.c_str() : u"/no/such.png");
        break;
      case kFunc14:
        Note("func14");
        CallWithHostText(func14, u"Ada");
        break;
      case kFunc15:
        Note("func15");
        CallWithHostText(func15, u"Grace");
        break;
      case kPressNext:
        Note("press Next");
        PressControl("Button3");
        break;
      case kPressBack:
        Note("press Back");
        PressControl("Button2");
        break;
      case kPressClose:
        Note("press close");
        PressControl("Rectangle3");
        break;
      case kPressMinimise:
        Note("press minimise");
        PressControl("Rectangle4");
        break;
      case kPressTitleBar:
        Note("press title bar");
        PressControl("WindowBar");
        break;
      case kBrowse:
        // The search button is on the destination page only; its handler runs either way.
        Note("browse");
        if (script.Chance(50)) {
          PressControl("SearchEditButton1");
        } else {
          Form().SearchEditButton1Click(nullptr);
        }
        break;
      case kSwitch:
        Note("press a switch");
        PressControl(script.Chance(50) ? "Switch1" : "Switch2");
        break;
      case kModalLoop: {
        const int ms = script.Below(400);
        Note("modal loop " + std::to_string(ms) + " ms");
        sim.Advance(static_cast<std::uint64_t>(ms));
        break;
      }
      case kClickAnywhere:
      case kMoveCount: {
        const float x = static_cast<float>(script.Below(854));
        const float y = static_cast<float>(script.Below(512));
        Note("click at " + std::to_string(static_cast<int>(x)) + "," +
             std::to_string(static_cast<int>(y)));
        Form().MouseMove(x, y);
        Form().MouseDown(MouseButton::Left, x, y);
        Form().MouseUp(MouseButton::Left, x, y);
        break;
      }
    }
    CheckInstallReady();
  }

  // Every 23 ms, also inside the 0.3 s of a slide: a move as if the timer were the user's.
  void StartTortureTimer() {
    tortureTimer = sim.StartTimer(23, [this] {
      if (calm || depth >= kMaxDepth) return;
      const bool sliding = Stages().IsTransitionRunning() || Configuration().IsTransitionRunning();
      if (!script.Chance(sliding ? 60 : 30)) return;
      ++depth;
      if (sliding && script.Chance(60)) {
        // The user presses again while the page still slides.
        const bool forward = script.Chance(75);
        Note(forward ? "timer during a slide: press Next" : "timer during a slide: press Back");
        PressControl(forward ? "Button3" : "Button2");
      } else {
        Note(sliding ? "timer during a slide" : "timer");
        RandomMove();
      }
      --depth;
    });
  }

  std::string Trail() const {
    std::ostringstream text;
    text << "seed " << GetParam() << ", " << actions << " moves; the last ones:\n";
    for (const std::string& move : trail) text << "  " << move << "\n";
    return text.str();
  }

  // Lets every slide, header animation and installation loop end without new moves.
  void CalmDown() {
    calm = true;
    sim.StopTimer(tortureTimer);
    tortureTimer = 0;
    sim.Advance(2000);
  }

  // Between two moves of the script, once no page slides and the header rests.
  bool AtRest() {
    auto* header = Form().Find<TFloatAnimation>("FloatAnimation1");
    return header != nullptr && !header->Running() && !Stages().IsTransitionRunning() &&
           !Configuration().IsTransitionRunning();
  }

  void ExpectConsistent() {
    SCOPED_TRACE(Trail());
    ExpectStageConsistent();
    ExpectSlidesAndLogsConsistent();
  }

  // The stages, the buttons as the stage table has them, and the header resting on the stage.
  void ExpectStageConsistent() {
    const int stage = Stages().TabIndex();
    ASSERT_GE(stage, 0);
    ASSERT_LE(stage, 4);
    EXPECT_GE(Configuration().TabIndex(), 0);
    EXPECT_LE(Configuration().TabIndex(), 1);
    EXPECT_GE(Outcome().TabIndex(), 0);
    EXPECT_LE(Outcome().TabIndex(), 1);
    EXPECT_FALSE(Stages().IsTransitionRunning());
    EXPECT_FALSE(Configuration().IsTransitionRunning());

    // The buttons as the stage table has them.
    EXPECT_EQ(Back().Enabled(), stage == 1 || stage == 2);
    const bool destinationPage = stage == 2 && Configuration().TabIndex() == 1;
    if (!destinationPage) {
      EXPECT_EQ(NextButton().Enabled(), stage != 3);
    }
    const char16_t* caption = destinationPage ? u"Install" : stage == 4 ? u"Finish" : u"Next";
    EXPECT_EQ(NextButton().Text(), caption);
    // The header rests on the stage and highlights its name alone.
    EXPECT_FLOAT_EQ(HeaderMargin(), ExpectedHeaderMargin(stage));
    EXPECT_EQ(HighlightedStages(), std::vector<int>{stage});
  }

  void ExpectSlidesAndLogsConsistent() {
    // Every slide is one of the Background's children; the current one exists.
    Control* background = Form().Find<Control>("Background");
    ASSERT_NE(background, nullptr);
    for (TImage* slide : State().Slides) {
      ASSERT_NE(slide, nullptr);
      EXPECT_EQ(slide->Parent(), background);
    }
    if (!State().Slides.empty()) {
      EXPECT_GE(State().CurrentSlide, 0);
      EXPECT_LT(State().CurrentSlide, static_cast<int>(State().Slides.size()));
    }
    EXPECT_EQ(sim.pumpsCutShort, 0) << "a nested loop never ended";
    EXPECT_EQ(sim.messagesToDeadWindows, 0);
    for (const std::u16string& error : sim.errors) {
      EXPECT_TRUE(IsDocumentedError(error)) << Narrow(error);
    }
  }

  // Once the Finalisation stage's header has arrived, "Next" is the host's "Finish" for good.
  void WatchForFinalisation() {
    auto* header = Form().Find<TFloatAnimation>("FloatAnimation1");
    ASSERT_NE(header, nullptr);
    header->OnFinish = [this, original = header->OnFinish](Component* sender) {
      original(sender);
      if (Stages().TabIndex() == 4) finalised = true;
    };
  }

  // The form still answers: closed and shown again it starts over on the Welcome page, draws,
  // and Next moves on.
  void ExpectResponsive() {
    SCOPED_TRACE(Trail());
    func08(HostText(u"Nightfall").get(), HostText(u"1024").get());
    func02();
    func03();
    sim.Advance(500);
    EXPECT_TRUE(Form().IsVisible());
    ASSERT_EQ(Stages().TabIndex(), 0);
    const int frames = Form().FramesPresented();
    Form().InvalidateAll();
    sim.Advance(20);
    EXPECT_GT(Form().FramesPresented(), frames);
    if (!finalised) {
      PressControl("Button3");
      sim.Advance(400);
      EXPECT_EQ(Stages().TabIndex(), 1);
    }
  }
};

TEST_P(ReentrancyTortureTest, HostReentersFromEveryMessage) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  func12(picture.data(), static_cast<std::int32_t>(picture.size()));
  WatchForFinalisation();
  StartWizard();
  StartTortureTimer();
  for (int step = 0; step < kTopLevelSteps; ++step) {
    RandomMove();
    if (script.Chance(40)) sim.Advance(static_cast<std::uint64_t>(script.Below(700)));
    // Give a moving header or page a moment (the timer keeps torturing meanwhile), then the
    // stage, buttons and header must agree.
    for (int wait = 0; wait < 20 && !AtRest(); ++wait) sim.Advance(50);
    if (AtRest()) {
      SCOPED_TRACE(Trail());
      ExpectStageConsistent();
    }
    if (::testing::Test::HasFailure()) break;
  }
  CalmDown();
  // The script must have reached the host's handlers, or it tortured nothing.
  EXPECT_GE(reached.size(), 3u) << Trail();
  ExpectConsistent();
  ExpectResponsive();
}

INSTANTIATE_TEST_SUITE_P(Seeds, ReentrancyTortureTest,
                         ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u));

}  // namespace
}  // namespace dw::testing
