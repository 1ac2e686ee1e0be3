// The export boundary: the state-only exports, what the exports do before func01 or without
// a platform, func01 called twice, and errors reported to the host instead of escaping.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "duskwizard.h"
#include "form/WizardForm.h"
#include "platform/Platform.h"
#include "platform/sim/HostStringBuffer.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/ExportGuard.h"
#include "plugin/Lifetime.h"
#include "plugin/PluginError.h"
#include "plugin/PluginState.h"

namespace dw {
namespace {

DuskwizardWindow AsHwnd(WindowHandle handle) {
  return reinterpret_cast<DuskwizardWindow>(handle);
}

// The simulated platform, with the 8-bit text conversion able to fail on demand: the one
// platform call every export with an AnsiCString argument makes.
class FailingConversionPlatform : public sim::SimulatedPlatform {
 public:
  std::function<void()> failConversion;
  std::u16string AnsiToUtf16(const std::string& bytes, unsigned codePage) override {
    if (failConversion) failConversion();
    return SimulatedPlatform::AnsiToUtf16(bytes, codePage);
  }
};

class ExportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPluginState();
    PluginLoaded();
    wizard =
        sim.CreateHostWindow(sim::style::kHostWizardWindow | win::kWsVisible, 10, 20, 500, 400);
    next = sim.CreateHostWindow(win::kWsChild | win::kWsVisible, 400, 350, 80, 24, wizard);
    browse = sim.CreateHostWindow(win::kWsChild | win::kWsVisible, 300, 350, 80, 24, wizard);
    sim.ClearLogs();
  }
  void TearDown() override { ResetPluginState(); }

  void ExpectUntouched() {
    EXPECT_EQ(State().WizardForm, nullptr);
    EXPECT_EQ(State().ComponentPaths, nullptr);
    EXPECT_TRUE(sim.calls.empty()) << sim.calls.front();
    EXPECT_TRUE(sim.messages.empty());
    EXPECT_TRUE(sim.errors.empty());
  }

  FailingConversionPlatform sim;
  WindowHandle wizard = 0;
  WindowHandle next = 0;
  WindowHandle browse = 0;
};

TEST_F(ExportsTest, Func05SetsInstallReadyWithoutNeedingTheForm) {
  ASSERT_EQ(State().InstallReady, 0);
  func05();
  EXPECT_EQ(State().InstallReady, 1);
  func05();
  EXPECT_EQ(State().InstallReady, 1);
  ExpectUntouched();
}

TEST_F(ExportsTest, Func08StoresCopiesAndASecondCallReplacesBoth) {
  sim::HostStringBuffer name(u"Nightfall");
  sim::HostStringBuffer space(u"1536");
  func08(name.get(), space.get());
  name.Overwrite(u'X');
  space.Overwrite(u'9');
  EXPECT_EQ(State().AppName, u"Nightfall");
  EXPECT_EQ(State().RequiredSpaceText, u"1536");

  // Not validated here: the space text is converted only when the form is shown.
  sim::HostStringBuffer otherName(u"Daybreak");
  sim::HostStringBuffer notANumber(u"12 MB");
  func08(otherName.get(), notANumber.get());
  EXPECT_EQ(State().AppName, u"Daybreak");
  EXPECT_EQ(State().RequiredSpaceText, u"12 MB");
  EXPECT_EQ(State().RequiredSpaceMB, 0);

  func08(nullptr, nullptr);
  EXPECT_EQ(State().AppName, u"");
  EXPECT_EQ(State().RequiredSpaceText, u"");
  ExpectUntouched();
}

// Every export that needs the form, called as a careless host would before func01.
struct EarlyCall {
  const char* name;
  std::function<int()> call;  // the export's result, 0 for those without one
};

std::vector<EarlyCall> ExportsThatNeedTheForm() {
  static sim::HostStringBuffer text(u"Main");
  static sim::HostStringBuffer index(u"0");
  static const unsigned char bytes[] = {0x89, 'P', 'N', 'G'};
  return {
      {"func02",
       [] {
         func02();
         return 0;
       }},
      {"func03",
       [] {
         func03();
         return 0;
       }},
      {"func04",
       [] {
         func04("C:\\Games");
         return 0;
       }},
      {"func06",
       [] {
         func06("Copying", "file.dat", 5, 10);
         return 0;
       }},
      {"func07",
       [] {
         func07(1);
         return 0;
       }},
      {"func09",
       [] {
         func09(text.get(), 1, 0, 0);
         return 0;
       }},
      {"func10 by path", [] { return static_cast<int>(func10(text.get())); }},
      {"func10 by index", [] { return static_cast<int>(func10(index.get())); }},
      {"func11 desktop", [] { return static_cast<int>(func11(1)); }},
      {"func11 other", [] { return static_cast<int>(func11(0)); }},
      {"func12",
       [] {
         func12(bytes, sizeof bytes);
         return 0;
       }},
      {"func13",
       [] {
         func13(text.get());
         return 0;
       }},
      {"func14",
       [] {
         func14(text.get());
         return 0;
       }},
      {"func15",
       [] {
         func15(text.get());
         return 0;
       }},
  };
}

TEST_F(ExportsTest, ExportsThatNeedTheFormDoNothingBeforeFunc01) {
  for (const EarlyCall& early : ExportsThatNeedTheForm()) {
    EXPECT_EQ(early.call(), 0) << early.name;
    ExpectUntouched();
  }
  EXPECT_EQ(State().InstallReady, 0);
  EXPECT_EQ(State().HostWizardWnd, 0u);
}

TEST(ExportsWithoutPlatform, DoNothingAndDoNotCrash) {
  ResetPluginState();
  ASSERT_EQ(CurrentPlatform().api, nullptr);
  func01(reinterpret_cast<DuskwizardWindow>(5), reinterpret_cast<DuskwizardWindow>(6),
         reinterpret_cast<DuskwizardWindow>(7));
  EXPECT_EQ(State().WizardForm, nullptr);
  EXPECT_EQ(State().HostWizardWnd, 5u);
  for (const EarlyCall& early : ExportsThatNeedTheForm()) EXPECT_EQ(early.call(), 0) << early.name;
  sim::HostStringBuffer name(u"Nightfall");
  func08(name.get(), nullptr);
  func05();
  EXPECT_EQ(State().AppName, u"Nightfall");
  EXPECT_EQ(State().InstallReady, 1);
  EXPECT_EQ(State().WizardForm, nullptr);
  ResetPluginState();
}

TEST_F(ExportsTest, Func01StoresTheHandlesAndCreatesEmptyComponentsAndTheForm) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  EXPECT_EQ(State().HostWizardWnd, wizard);
  EXPECT_EQ(State().HostNextButtonWnd, next);
  EXPECT_EQ(State().HostBrowseButtonWnd, browse);
  ASSERT_NE(State().ComponentPaths, nullptr);
  EXPECT_TRUE(State().ComponentPaths->empty());
  ASSERT_NE(State().WizardForm, nullptr);
  EXPECT_FALSE(State().WizardForm->IsVisible());
  EXPECT_TRUE(sim.errors.empty());
}

TEST_F(ExportsTest, SecondFunc01KeepsTheFormAndComponentsAndTakesTheNewHandles) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  const TWizardForm* form = State().WizardForm.get();
  const auto* paths = State().ComponentPaths.get();
  State().ComponentPaths->push_back(u"Main");

  const WindowHandle otherWizard =
      sim.CreateHostWindow(sim::style::kHostWizardWindow, 0, 0, 300, 200);
  func01(AsHwnd(otherWizard), AsHwnd(browse), AsHwnd(next));
  EXPECT_EQ(State().WizardForm.get(), form);
  EXPECT_EQ(State().ComponentPaths.get(), paths);
  EXPECT_EQ(*State().ComponentPaths, std::vector<std::u16string>{u"Main"});
  EXPECT_EQ(State().HostWizardWnd, otherWizard);
  EXPECT_EQ(State().HostNextButtonWnd, browse);
  EXPECT_EQ(State().HostBrowseButtonWnd, next);
}

TEST_F(ExportsTest, ResetPluginStateDestroysTheFormAndRestoresTheValuesAtLoad) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  sim::HostStringBuffer name(u"Nightfall");
  func08(name.get(), name.get());
  func05();
  State().InstallStartTick = 1234;
  State().RequiredSpaceMB = 7;
  State().CurrentSlide = 2;
  State().ElapsedSeconds = 3;
  State().RemainingSeconds = 4;
  State().Slides.push_back(nullptr);

  ResetPluginState();
  const PluginState& state = State();
  EXPECT_EQ(state.WizardForm, nullptr);
  EXPECT_EQ(state.ComponentPaths, nullptr);
  EXPECT_EQ(state.HostWizardWnd, 0u);
  EXPECT_EQ(state.HostNextButtonWnd, 0u);
  EXPECT_EQ(state.HostBrowseButtonWnd, 0u);
  EXPECT_EQ(state.AppName, u"");
  EXPECT_EQ(state.RequiredSpaceText, u"");
  EXPECT_EQ(state.RequiredSpaceMB, 0);
  EXPECT_TRUE(state.Slides.empty());
  EXPECT_EQ(state.CurrentSlide, 0);
  EXPECT_EQ(state.InstallReady, 0);
  EXPECT_EQ(state.InstallStartTick, kClockStopped);
  EXPECT_EQ(state.ElapsedSeconds, 0);
  EXPECT_EQ(state.RemainingSeconds, 0);
}

TEST_F(ExportsTest, UnloadReleasesTheTextsAndTheSlideList) {
  sim::HostStringBuffer name(u"Nightfall");
  func08(name.get(), name.get());
  State().Slides.push_back(nullptr);
  PluginUnloading();
  EXPECT_EQ(State().AppName, u"");
  EXPECT_EQ(State().RequiredSpaceText, u"");
  EXPECT_TRUE(State().Slides.empty());
  EXPECT_EQ(State().Slides.capacity(), 0u);
}

// What leaves an export when its work throws: the host sees the message through
// ReportError, never a C++ exception.
struct FailureCase {
  const char* name;
  std::function<void()> raise;
  std::u16string reported;
};

TEST_F(ExportsTest, AnErrorInsideAnExportIsReportedAndDoesNotEscape) {
  func01(AsHwnd(wizard), AsHwnd(next), AsHwnd(browse));
  ASSERT_TRUE(sim.errors.empty());
  const FailureCase cases[] = {
      {"plug-in error", [] { throw PluginError{u"Loading bitmap failed."}; },
       u"Loading bitmap failed."},
      {"standard exception", [] { throw std::runtime_error("broken"); }, u"Internal error: broken"},
      {"out of memory", [] { throw std::bad_alloc(); }, u"Out of memory."},
      {"anything else", [] { throw 42; }, u"Internal error."},
  };
  for (const FailureCase& c : cases) {
    sim.failConversion = c.raise;
    sim.errors.clear();
    EXPECT_NO_THROW(func04("C:\\Games")) << c.name;
    EXPECT_NO_THROW(func06("Copying", "file.dat", 1, 2)) << c.name;
    EXPECT_EQ(sim.errors, (std::vector<std::u16string>{c.reported, c.reported})) << c.name;
  }
  sim.failConversion = nullptr;
  sim.errors.clear();
  func04("C:\\Games");
  EXPECT_TRUE(sim.errors.empty());
}

}  // namespace
}  // namespace dw
